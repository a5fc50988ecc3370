#include "core/text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace core {

Text fromUtf8(std::string_view s) {
  Text out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    uint32_t cp = 0xFFFD;
    size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c >> 5) == 0x6 && i + 1 < s.size()) {
      cp = ((c & 0x1F) << 6) | (s[i + 1] & 0x3F);
      len = 2;
    } else if ((c >> 4) == 0xE && i + 2 < s.size()) {
      cp = ((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
      len = 3;
    } else if ((c >> 3) == 0x1E && i + 3 < s.size()) {
      cp = ((c & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) |
           (s[i + 3] & 0x3F);
      len = 4;
    }
    i += len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string toUtf8(TextView t) {
  std::string out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size(); ++i) {
    uint32_t cp = t[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < t.size() && t[i + 1] >= 0xDC00 &&
        t[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (t[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp < 0xE000) {
      cp = 0xFFFD;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

char16_t upperUnit(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 32;
  if (c < 0xE0) return c;
  if (c <= 0xFE && c != 0xF7) return c - 32;  // Latin-1 letters
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c < 0x180 && (c & 1) && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F)
    return c - 1;                                             // Latin Extended-A pairs
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 32;  // Greek
  if (c >= 0x430 && c <= 0x44F) return c - 32;                // Cyrillic
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  return c;
}

Text upper(TextView t) {
  Text out(t);
  for (auto& c : out) c = upperUnit(c);
  return out;
}

bool equalsNoCase(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (upperUnit(a[i]) != upperUnit(b[i])) return false;
  return true;
}

bool startsWithNoCase(TextView text, TextView prefix) {
  return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

bool startsWith(TextView text, TextView prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

bool endsWith(TextView text, TextView suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

Text trimBlanks(TextView t) {
  size_t b = 0, e = t.size();
  while (b < e && t[b] == u' ') ++b;
  while (e > b && t[e - 1] == u' ') --e;
  return Text(t.substr(b, e - b));
}

Text left(TextView t, size_t n) { return Text(t.substr(0, n)); }
Text right(TextView t, size_t n) { return Text(n >= t.size() ? t : t.substr(t.size() - n)); }
Text from(TextView t, size_t i) { return i >= t.size() ? Text() : Text(t.substr(i)); }

Text replaceAll(TextView text, TextView what, TextView with) {
  Text out;
  if (what.empty()) return Text(text);
  size_t pos = 0;
  while (true) {
    size_t hit = text.find(what, pos);
    if (hit == TextView::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(with);
    pos = hit + what.size();
  }
  out.append(text.substr(pos));
  return out;
}

Text decimal(int64_t n) { return fromUtf8(std::to_string(n)); }

double leadingNumber(TextView t) {
  std::string digits;
  size_t i = 0;
  auto skip = [&] {
    while (i < t.size() && (t[i] == u' ' || t[i] == u'\t' || t[i] == u'\n')) ++i;
  };
  skip();
  if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) digits.push_back(char(t[i++]));
  bool any = false, point = false;
  for (;; ++i) {
    skip();
    if (i >= t.size()) break;
    char16_t c = t[i];
    if (c >= u'0' && c <= u'9') {
      digits.push_back(char(c));
      any = true;
    } else if (c == u'.' && !point) {
      digits.push_back('.');
      point = true;
    } else {
      break;
    }
  }
  if (!any) return 0;
  if (i < t.size() && (t[i] == u'E' || t[i] == u'e' || t[i] == u'D' || t[i] == u'd')) {
    std::string exp = "e";
    size_t j = i + 1;
    if (j < t.size() && (t[j] == u'-' || t[j] == u'+')) exp.push_back(char(t[j++]));
    bool expDigits = false;
    while (j < t.size() && t[j] >= u'0' && t[j] <= u'9') {
      exp.push_back(char(t[j++]));
      expDigits = true;
    }
    if (expDigits) digits += exp;
  }
  return std::strtod(digits.c_str(), nullptr);
}

Text shortestDecimal(double v, char16_t decimalPoint) {
  if (v == 0) return u"0";
  char buf[64];
  for (int precision = 1; precision <= 15; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*g", precision, v);
    if (std::strtod(buf, nullptr) == v) break;
  }
  // Expand an exponent form for ordinary magnitudes, as the user expects plain digits.
  std::string s = buf;
  if (s.find('e') != std::string::npos && std::fabs(v) >= 1e-4 && std::fabs(v) < 1e15) {
    std::snprintf(buf, sizeof buf, "%.15f", v);
    s = buf;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  Text out = fromUtf8(s);
  for (auto& c : out)
    if (c == u'.') c = decimalPoint;
  return out;
}

double roundHalfEven(double v) { return std::nearbyint(v); }

}  // namespace core
