// How Ascendor builds the start of its program: the configuration's first
// line, its own argument text, and the file and parameters handed to the
// shell. Plain byte strings in the system's ANSI code page; no Windows
// header, so that the rules can be checked anywhere.
#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace launcher {

// The configuration file beside the launcher.
inline constexpr char kConfigName[] = "_AdAscendor";
// Appended to the launcher's own argument text, without a blank.
inline constexpr char kAdminSwitch[] = "/admin";

// Why nothing was started.
enum class Problem {
  Missing,     // no configuration file beside the launcher
  Unreadable,  // it exists but could not be read
  Empty,       // it holds nothing
  NoProgram,   // its first line is empty
};

// The report shown (or written) when the launcher starts nothing.
inline const char* reportText(Problem problem) {
  switch (problem) {
    case Problem::Missing:
      return "Ascendor: the configuration file _AdAscendor was not found next to the launcher.";
    case Problem::Unreadable:
      return "Ascendor: the configuration file _AdAscendor next to the launcher could not be read.";
    case Problem::Empty:
      return "Ascendor: the configuration file _AdAscendor next to the launcher is empty.";
    case Problem::NoProgram:
      return "Ascendor: the first line of the configuration file _AdAscendor names no program.";
  }
  return "Ascendor: nothing was started.";
}

// The first line of the configuration: everything up to the first carriage
// return, used as it stands (blanks, quotes and a lone line feed included).
// An empty file, or an empty first line (which would name the launcher's
// folder itself), is a problem: nothing is started then.
inline std::variant<std::string, Problem> programLine(std::string_view content) {
  if (content.empty()) return Problem::Empty;
  std::string line(content.substr(0, content.find('\r')));
  if (line.empty()) return Problem::NoProgram;
  return line;
}

// Everything after the program name of a command line, as the system's
// start-up code splits it: a name in quotes runs to its closing quote, any
// other name to the first blank; the blanks that follow the name are not
// part of the arguments, everything after them is kept as it stands.
inline std::string_view argumentText(std::string_view commandLine) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  size_t i = 0, n = commandLine.size();
  if (n > 0 && commandLine[0] == '"') {
    size_t close = commandLine.find('"', 1);
    i = close == std::string_view::npos ? n : close + 1;
  } else {
    while (i < n && !blank(commandLine[i])) ++i;
  }
  while (i < n && blank(commandLine[i])) ++i;
  return commandLine.substr(i);
}

// The folder of a program file: the path up to its last backslash.
inline std::string_view folderOf(std::string_view programPath) {
  size_t slash = programPath.rfind('\\');
  return slash == std::string_view::npos ? std::string_view() : programPath.substr(0, slash);
}

// What the shell is asked to start with the "runas" verb.
struct Start {
  std::string file;        // the launcher's folder + "\" + the configured line
  std::string parameters;  // the launcher's argument text + "/admin"
};

inline Start startFor(std::string_view launcherFolder, std::string_view line,
                      std::string_view argumentText) {
  return {std::string(launcherFolder) + "\\" + std::string(line),
          std::string(argumentText) + kAdminSwitch};
}

}  // namespace launcher
