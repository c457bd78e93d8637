#include "setup/CommandLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Params = std::vector<std::wstring>;

TEST(CommandLineTest, SplitsAtBlanksKeepsQuotedBlanksAndDropsTheQuotes) {
  struct {
    const wchar_t *Line;
    Params Expected;
  } cases[] = {
      {L"setup.exe", {L"setup.exe"}},
      {L"\"C:\\My Files\\setup.exe\"  /S  -Dc:\\A", {L"C:\\My Files\\setup.exe", L"/S", L"-Dc:\\A"}},
      {L"setup.exe \"-DC:\\Program Files\\Lorvane\"", {L"setup.exe", L"-DC:\\Program Files\\Lorvane"}},
      {L"setup.exe -D\"C:\\Two Words\"\\x", {L"setup.exe", L"-DC:\\Two Words\\x"}},
      {L"setup.exe \"\"/s", {L"setup.exe", L"/s"}},
      {L"setup.exe\t-x\r\n", {L"setup.exe", L"-x"}},
      {L"", {}},
  };
  for (const auto &c : cases) EXPECT_EQ(CommandLineParams(c.Line), c.Expected) << std::string(c.Line, c.Line + wcslen(c.Line));
}

TEST(CommandLineTest, TheSilentSwitchIsAnyParameterBeginningWithDashOrSlashAndS) {
  struct {
    Params Args;
    bool Silent;
  } cases[] = {
      {{L"setup.exe", L"/s"}, true},     {{L"setup.exe", L"-S"}, true},
      {{L"setup.exe", L"-silent"}, true}, {{L"setup.exe", L"/S:anything"}, true},
      {{L"setup.exe", L"S"}, false},     {{L"setup.exe", L"-x"}, false},
      {{L"setup.exe", L"--S"}, false},   {{L"setup.exe", L"-"}, false},
      {{L"/S"}, false},  // the program's own path is not a parameter
  };
  for (const auto &c : cases) EXPECT_EQ(SilentSwitch(c.Args), c.Silent) << std::string(c.Args.back().begin(), c.Args.back().end());
}

TEST(CommandLineTest, TheFirstDestinationSwitchWinsAndMayBeEmpty) {
  struct {
    Params Args;
    std::optional<std::wstring> Destination;
  } cases[] = {
      {{L"setup.exe", L"-Dc:\\A", L"/dC:\\B"}, L"c:\\A"},
      {{L"setup.exe", L"/S", L"/dC:\\B"}, L"C:\\B"},
      {{L"setup.exe", L"-D"}, L""},
      {{L"setup.exe", L"-x", L"D:\\"}, std::nullopt},
      {{L"-DC:\\Self"}, std::nullopt},
  };
  for (const auto &c : cases) EXPECT_EQ(DestinationSwitch(c.Args), c.Destination);
}

}  // namespace
