// Ascendor's start: the configured program's line, the launcher's own
// argument text and the file and parameters given to the shell.
#include <gtest/gtest.h>

#include "launcher/command.h"

using launcher::Problem;

namespace {

struct LineCase {
  const char* what;
  std::string content;
  std::variant<std::string, Problem> expected;
};

TEST(AscendorConfig, TheFirstLineRunsToTheFirstCarriageReturnAndIsKeptAsItStands) {
  using namespace std::string_literals;
  for (auto& c : std::vector<LineCase>{
           {"CR LF cut", "Norvane.exe\r\nsecond line\r\n", "Norvane.exe"},
           {"only line, no end", "Norvane.exe", "Norvane.exe"},
           {"trailing blank kept", "Norvane.exe \r\n", "Norvane.exe "},
           {"leading blank and quotes kept", " \"Norvane.exe\"\r", " \"Norvane.exe\""},
           {"relative path", "bin\\Norvane.exe\r\n", "bin\\Norvane.exe"},
           {"a lone LF is part of the line", "a.exe\nb.exe\r\n", "a.exe\nb.exe"},
           {"bytes of the ANSI code page pass unchanged", "Caf\xE9.exe\r\n", "Caf\xE9.exe"},
           {"empty file", "", Problem::Empty},
           {"empty first line", "\r\nNorvane.exe\r\n", Problem::NoProgram},
       }) {
    EXPECT_EQ(launcher::programLine(c.content), c.expected) << c.what;
  }
}

TEST(AscendorCommandLine, TheArgumentTextIsWhatFollowsTheProgramName) {
  struct Case {
    std::string commandLine, arguments;
  };
  for (auto& c : std::vector<Case>{
           {"Ascendor.exe", ""},
           {"\"C:\\Program Files\\Tool\\Ascendor.exe\"", ""},
           {"Ascendor.exe x", "x"},
           {"\"C:\\Program Files\\Tool\\Ascendor.exe\" x", "x"},
           {"C:\\Tool\\Ascendor.exe   -a  \"b c\" ",
            "-a  \"b c\" "},  // inner and trailing blanks kept
           {"Ascendor.exe\tx", "x"},
           {"\"C:\\a b\\Ascendor.exe\"x y", "x y"},  // the quoted name ends at its quote
           {"\"C:\\unclosed Ascendor.exe x", ""},
           {"", ""},
       }) {
    EXPECT_EQ(launcher::argumentText(c.commandLine), c.arguments) << c.commandLine;
  }
}

TEST(AscendorCommandLine, TheStartJoinsFolderAndLineAndAppendsTheAdminSwitch) {
  struct Case {
    std::string arguments, line, file, parameters;
  };
  std::string folder(launcher::folderOf("C:\\Tools\\Ascendor.exe"));
  ASSERT_EQ(folder, "C:\\Tools");
  for (auto& c : std::vector<Case>{
           {"", "Norvane.exe", "C:\\Tools\\Norvane.exe", "/admin"},
           {"x", "Norvane.exe", "C:\\Tools\\Norvane.exe", "x/admin"},
           {"x ", "Norvane.exe ", "C:\\Tools\\Norvane.exe ", "x /admin"},
           {"\"G:\\a b\"", "bin\\Norvane.exe", "C:\\Tools\\bin\\Norvane.exe", "\"G:\\a b\"/admin"},
       }) {
    auto start = launcher::startFor(folder, c.line, c.arguments);
    EXPECT_EQ(start.file, c.file);
    EXPECT_EQ(start.parameters, c.parameters);
  }
}

}  // namespace
