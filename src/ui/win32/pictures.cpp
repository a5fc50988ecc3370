#include "ui/win32/pictures.h"

#include <cctype>

namespace ui::win32 {

namespace {
constexpr COLORREF kKey = RGB(255, 0, 255);

bool isPath(const std::string& name) {
  return name.find('\\') != std::string::npos || name.find(':') != std::string::npos;
}

bool endsWithNoCase(const std::string& s, const char* suffix) {
  size_t n = strlen(suffix);
  if (s.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(s[s.size() - n + i])) != suffix[i]) return false;
  return true;
}

// True when the 24- or 32-bit DIB section holds a pixel of the key colour.
bool hasKeyColour(HBITMAP bmp) {
  DIBSECTION ds{};
  if (GetObjectW(bmp, sizeof ds, &ds) != sizeof ds || !ds.dsBm.bmBits) return false;
  int bpp = ds.dsBm.bmBitsPixel;
  if (bpp != 24 && bpp != 32) return false;
  auto* bits = static_cast<const uint8_t*>(ds.dsBm.bmBits);
  for (int y = 0; y < ds.dsBm.bmHeight; ++y) {
    const uint8_t* row = bits + static_cast<size_t>(y) * ds.dsBm.bmWidthBytes;
    for (int x = 0; x < ds.dsBm.bmWidth; ++x) {
      const uint8_t* p = row + x * (bpp / 8);
      if (p[0] == 255 && p[1] == 0 && p[2] == 255) return true;
    }
  }
  return false;
}

// A top-down 32-bit DIB section, for scaled copies and image-list slots.
HBITMAP makeDib(int w, int h) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// Paints with a temporary memory DC holding `bmp`.
template <class F>
void withDc(HBITMAP bmp, F&& f) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  f(dc);
  SelectObject(dc, old);
  DeleteDC(dc);
}
}  // namespace

struct Pictures::Picture {
  HBITMAP bitmap = nullptr;
  HICON icon = nullptr;
  std::wstring iconResource;  // icons are loaded again at each size asked for
  int width = 0, height = 0;  // pixels of the loaded image
  double density = 1;         // 2 for a _2X variant
  bool keyed = false;
  HBITMAP scaled = nullptr;  // the last stretched copy, for repaints
  int scaledW = 0, scaledH = 0;

  ~Picture() {
    if (bitmap) DeleteObject(bitmap);
    if (scaled) DeleteObject(scaled);
    if (icon) DestroyIcon(icon);
  }

  // The bitmap at w x h pixels, stretched with smoothing once and kept.
  HBITMAP at(int w, int h) {
    if (w == width && h == height) return bitmap;
    if (scaled && scaledW == w && scaledH == h) return scaled;
    if (scaled) DeleteObject(scaled);
    scaled = makeDib(w, h);
    scaledW = w;
    scaledH = h;
    withDc(scaled, [&](HDC to) {
      withDc(bitmap, [&](HDC from) {
        // Smoothing would blend the key colour into its neighbours.
        SetStretchBltMode(to, keyed ? COLORONCOLOR : HALFTONE);
        SetBrushOrgEx(to, 0, 0, nullptr);
        StretchBlt(to, 0, 0, w, h, from, 0, 0, width, height, SRCCOPY);
      });
    });
    return scaled;
  }

  HICON iconAt(int size) const {
    if (!iconResource.empty())
      return static_cast<HICON>(
          LoadImageW(GetModuleHandleW(nullptr), iconResource.c_str(), IMAGE_ICON, size, size, 0));
    return CopyIcon(icon);
  }
};

std::wstring resourceName(const std::string& id) {
  std::wstring out;
  for (char c : id)
    out += c == '.' ? L'_' : static_cast<wchar_t>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

Pictures::Pictures(const Metrics& metrics) : metrics_(metrics) {}

Pictures::~Pictures() = default;

Pictures::Picture* Pictures::find(const std::string& name) {
  if (name.empty()) return nullptr;
  auto it = cache_.find(name);
  if (it == cache_.end()) it = cache_.emplace(name, load(name)).first;
  return it->second.get();
}

bool Pictures::exists(const std::string& name) { return find(name) != nullptr; }

std::unique_ptr<Pictures::Picture> Pictures::load(const std::string& name) {
  auto p = std::make_unique<Picture>();
  HINSTANCE module = GetModuleHandleW(nullptr);
  if (isPath(name)) {
    Text path = core::fromUtf8(name);
    if (endsWithNoCase(name, ".ico"))
      p->icon = static_cast<HICON>(
          LoadImageW(nullptr, wide(path), IMAGE_ICON, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
    else
      p->bitmap = static_cast<HBITMAP>(LoadImageW(nullptr, wide(path), IMAGE_BITMAP, 0, 0,
                                                  LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  } else {
    std::wstring res = resourceName(name);
    std::wstring twice = res + L"_2X";
    if (metrics_.scale() > 1.25 && FindResourceW(module, twice.c_str(), RT_BITMAP)) {
      res = twice;
      p->density = 2;
    }
    if (FindResourceW(module, res.c_str(), RT_BITMAP))
      p->bitmap = static_cast<HBITMAP>(
          LoadImageW(module, res.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    else if (FindResourceW(module, res.c_str(), RT_GROUP_ICON)) {
      p->iconResource = res;
      p->icon = static_cast<HICON>(LoadImageW(module, res.c_str(), IMAGE_ICON, 0, 0, 0));
    }
  }
  if (p->bitmap) {
    BITMAP bm{};
    GetObjectW(p->bitmap, sizeof bm, &bm);
    p->width = bm.bmWidth;
    p->height = bm.bmHeight;
    p->keyed = hasKeyColour(p->bitmap);
    return p;
  }
  if (p->icon) {
    ICONINFO info{};
    BITMAP bm{};
    if (GetIconInfo(p->icon, &info)) {
      GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
      p->width = bm.bmWidth;
      p->height = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
      if (info.hbmColor) DeleteObject(info.hbmColor);
      if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    return p;
  }
  return nullptr;
}

void Pictures::draw(HDC dc, const std::string& name, const RECT& dest, bool stretch) {
  Picture* p = find(name);
  if (!p) return;
  int w = dest.right - dest.left, h = dest.bottom - dest.top;
  if (!stretch) {
    double f = metrics_.scale() / p->density;
    w = static_cast<int>(std::lround(p->width * f));
    h = static_cast<int>(std::lround(p->height * f));
  }
  if (w <= 0 || h <= 0) return;
  int saved = SaveDC(dc);
  IntersectClipRect(dc, dest.left, dest.top, dest.right, dest.bottom);
  if (p->icon) {
    DrawIconEx(dc, dest.left, dest.top, p->icon, w, h, 0, nullptr, DI_NORMAL);
  } else {
    withDc(p->at(w, h), [&](HDC from) {
      if (p->keyed)
        TransparentBlt(dc, dest.left, dest.top, w, h, from, 0, 0, w, h, kKey);
      else
        BitBlt(dc, dest.left, dest.top, w, h, from, 0, 0, SRCCOPY);
    });
  }
  RestoreDC(dc, saved);
}

HIMAGELIST Pictures::imageList(const std::vector<std::string>& names, int size) {
  HIMAGELIST list =
      ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, static_cast<int>(names.size()), 4);
  for (const std::string& name : names) {
    Picture* p = find(name);
    if (p && p->icon) {
      HICON icon = p->iconAt(size);
      ImageList_ReplaceIcon(list, -1, icon);
      DestroyIcon(icon);
      continue;
    }
    // Every slot goes through a keyed copy, so a missing picture leaves a
    // transparent slot and the indexes of the others stay right.
    HBITMAP slot = makeDib(size, size);
    withDc(slot, [&](HDC to) {
      HBRUSH key = CreateSolidBrush(kKey);
      RECT all{0, 0, size, size};
      FillRect(to, &all, key);
      DeleteObject(key);
      if (p)
        withDc(p->bitmap, [&](HDC from) {
          SetStretchBltMode(to, COLORONCOLOR);
          StretchBlt(to, 0, 0, size, size, from, 0, 0, p->width, p->height, SRCCOPY);
        });
    });
    ImageList_AddMasked(list, slot, kKey);
    DeleteObject(slot);
  }
  return list;
}

}  // namespace ui::win32
