#include "FormCompiler.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string Str(const std::string &s) { return std::string(1, static_cast<char>(s.size())) + s; }
std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}
const std::string End = Bytes({0});

// "TPF0" and one TPanel P whose only property is Left with the given value
// bytes.
std::string LeftOfP(const std::string &value) {
  return "TPF0" + Str("TPanel") + Str("P") + Str("Left") + value + End + End;
}

struct CompileCase {
  const char *name;
  std::string text;
  std::string bytes;
};

class FormCompileTest : public testing::TestWithParam<CompileCase> {};

TEST_P(FormCompileTest, GivesTheseBytes) { EXPECT_EQ(CompileForm(GetParam().text), GetParam().bytes); }

INSTANTIATE_TEST_SUITE_P(
    Integers, FormCompileTest,
    testing::Values(CompileCase{"Zero", "TPanel P { Left = 0 }", LeftOfP(Bytes({2, 0}))},
                    CompileCase{"Int8Low", "TPanel P { Left = -128 }", LeftOfP(Bytes({2, 0x80}))},
                    CompileCase{"Int16BelowInt8", "TPanel P { Left = -129 }", LeftOfP(Bytes({3, 0x7F, 0xFF}))},
                    CompileCase{"Int8High", "TPanel P { Left = 127 }", LeftOfP(Bytes({2, 0x7F}))},
                    CompileCase{"Int16AboveInt8", "TPanel P { Left = 128 }", LeftOfP(Bytes({3, 0x80, 0}))},
                    CompileCase{"Int16High", "TPanel P { Left = 32767 }", LeftOfP(Bytes({3, 0xFF, 0x7F}))},
                    CompileCase{"Int32AboveInt16", "TPanel P { Left = 32768 }", LeftOfP(Bytes({4, 0, 0x80, 0, 0}))},
                    CompileCase{"Int16Low", "TPanel P { Left = -32768 }", LeftOfP(Bytes({3, 0, 0x80}))},
                    CompileCase{"Int32BelowInt16", "TPanel P { Left = -32769 }",
                                LeftOfP(Bytes({4, 0xFF, 0x7F, 0xFF, 0xFF}))},
                    CompileCase{"Int32High", "TPanel P { Left = 2147483647 }",
                                LeftOfP(Bytes({4, 0xFF, 0xFF, 0xFF, 0x7F}))},
                    CompileCase{"Int32Low", "TPanel P { Left = -2147483648 }", LeftOfP(Bytes({4, 0, 0, 0, 0x80}))},
                    CompileCase{"White", "TPanel P { Left = 16777215 }", LeftOfP(Bytes({4, 0xFF, 0xFF, 0xFF, 0}))},
                    CompileCase{"HexPattern", "TPanel P { Left = 0x8000000F }",
                                LeftOfP(Bytes({4, 0x0F, 0, 0, 0x80}))},
                    CompileCase{"HexAllOnesIsMinusOne", "TPanel P { Left = 0XFFFFFFFF }", LeftOfP(Bytes({2, 0xFF}))}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Values, FormCompileTest,
    testing::Values(
        CompileCase{"String", R"(TPanel P { Left = "  ?  " })", LeftOfP(Bytes({6}) + Str("  ?  "))},
        CompileCase{"EmptyString", R"(TPanel P { Left = "" })", LeftOfP(Bytes({6, 0}))},
        CompileCase{"Escapes", R"(TPanel P { Left = "a\"b\\c" })", LeftOfP(Bytes({6}) + Str("a\"b\\c"))},
        CompileCase{"Utf8AndHash", "TPanel P { Left = \"Gr\xC3\xBC\xC3\x9F" "e #1\" }",
                    LeftOfP(Bytes({6}) + Str("Gr\xC3\xBC\xC3\x9F" "e #1"))},
        CompileCase{"LongestString", "TPanel P { Left = \"" + std::string(255, 'x') + "\" }",
                    LeftOfP(Bytes({6}) + Str(std::string(255, 'x')))},
        CompileCase{"Identifier", "TPanel P { Left = bvRaised }", LeftOfP(Bytes({7}) + Str("bvRaised"))},
        CompileCase{"True", "TPanel P { Left = true }", LeftOfP(Bytes({9}))},
        CompileCase{"FalseInCapitals", "TPanel P { Left = FALSE }", LeftOfP(Bytes({8}))},
        CompileCase{"Nil", "TPanel P { Left = Nil }", LeftOfP(Bytes({13}))},
        CompileCase{"KeywordsOnlyAsWholeWords", "TPanel P { Left = trueish }", LeftOfP(Bytes({7}) + Str("trueish"))}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Structure, FormCompileTest,
    testing::Values(
        CompileCase{"EmptyComponent", "TPanel P {}", "TPF0" + Str("TPanel") + Str("P") + End + End},
        CompileCase{"DottedPath", "TLabel L { Font.Height = -11 }",
                    "TPF0" + Str("TLabel") + Str("L") + Str("Font.Height") + Bytes({2, 0xF5}) + End + End},
        CompileCase{"Nesting",
                    "# A form\n"
                    "TMainForm M {\n"
                    "  ClientWidth = 492   # comment after a value\n"
                    "  TPanel A {\n"
                    "    TLabel B { Top = 1 }\n"
                    "  }\n"
                    "  TPanel C { }\n"
                    "}\n",
                    "TPF0" + Str("TMainForm") + Str("M") + Str("ClientWidth") + Bytes({3, 0xEC, 0x01}) + End +
                        Str("TPanel") + Str("A") + End + Str("TLabel") + Str("B") + Str("Top") + Bytes({2, 1}) +
                        End + End + End + Str("TPanel") + Str("C") + End + End + End},
        CompileCase{"OneLine", "TMainForm M{ClientWidth=492 TPanel A{TLabel B{Top=1}}TPanel C{}}",
                    "TPF0" + Str("TMainForm") + Str("M") + Str("ClientWidth") + Bytes({3, 0xEC, 0x01}) + End +
                        Str("TPanel") + Str("A") + End + Str("TLabel") + Str("B") + Str("Top") + Bytes({2, 1}) +
                        End + End + End + Str("TPanel") + Str("C") + End + End + End}),
    [](const auto &info) { return std::string(info.param.name); });

struct RejectCase {
  const char *name;
  std::string text;
  int line;
  const char *message;
};

class FormRejectTest : public testing::TestWithParam<RejectCase> {};

TEST_P(FormRejectTest, NamesTheLine) {
  try {
    CompileForm(GetParam().text);
    FAIL() << "compiled";
  } catch (const FormTextError &e) {
    EXPECT_EQ(e.Line, GetParam().line);
    EXPECT_EQ(std::string(e.what()), "line " + std::to_string(GetParam().line) + ": " + GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormRejectTest,
    testing::Values(
        RejectCase{"Empty", "# nothing\n", 2, "expected a class name"},
        RejectCase{"NoComponentName", "TPanel {\n}", 1, "expected a component name"},
        RejectCase{"NoBrace", "TPanel P\n  Left = 1\n", 2, "expected '{'"},
        RejectCase{"NoValue", "TPanel P {\n  Left =\n}\n", 3, "expected a value"},
        RejectCase{"NoEquals", "TPanel P {\n  Left 5\n}\n", 2, "expected a component name"},
        RejectCase{"Unclosed", "TPanel P {\n  Left = 1\n", 3, "missing '}' of P"},
        RejectCase{"PropertyAfterChild", "TPanel P {\n  TLabel L { }\n  Left = 1\n}\n", 3,
                   "property Left after the child components"},
        RejectCase{"TextAfterRoot", "TPanel P { }\nTPanel Q { }\n", 2, "text after the root component"},
        RejectCase{"UnexpectedCharacter", "TPanel P {\n  Left = 1;\n}\n", 2, "unexpected character ';'"},
        RejectCase{"ByteOutsideString", "TPanel P {\n  \xC3\xBC = 1\n}\n", 2, "unexpected byte 195"},
        RejectCase{"TooLarge", "TPanel P {\n\n  Left = 2147483648\n}\n", 3, "integer out of range"},
        RejectCase{"TooSmall", "TPanel P { Left = -2147483649 }", 1, "integer out of range"},
        RejectCase{"ManyDigits", "TPanel P { Left = 99999999999999999999999 }", 1, "integer out of range"},
        RejectCase{"LongHex", "TPanel P { Left = 0x123456789 }", 1, "a hexadecimal integer has 1 to 8 digits"},
        RejectCase{"EmptyHex", "TPanel P { Left = 0x }", 1, "a hexadecimal integer has 1 to 8 digits"},
        RejectCase{"Malformed", "TPanel P { Left = 12ab }", 1, "malformed number"},
        RejectCase{"Unterminated", "TPanel P {\n  Caption = \"abc\n}\n", 2, "unterminated string"},
        RejectCase{"UnknownEscape", "TPanel P { Caption = \"a\\n\" }", 1,
                   "a string knows only the escapes \\\" and \\\\"},
        RejectCase{"LongString", "TPanel P {\n Caption = \"" + std::string(256, 'x') + "\" }", 2,
                   "a string longer than 255 bytes"},
        RejectCase{"LongPropertyName", "TPanel P { " + std::string(256, 'x') + " = 1 }", 1,
                   "a property name longer than 255 bytes"},
        RejectCase{"LongIdentifier", "TPanel P { Left = " + std::string(256, 'x') + " }", 1,
                   "an identifier longer than 255 bytes"},
        RejectCase{"LongClassName", std::string(256, 'T') + " P { }", 1, "a class name longer than 255 bytes"}),
    [](const auto &info) { return std::string(info.param.name); });

// The tool itself: writes the bytes, or names file and line and fails.
class LvformTest : public testing::Test {
protected:
  void SetUp() override {
    dir = fs::path(testing::TempDir()) / "lvform-test";
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  int Run(const std::string &text) {
    std::ofstream(dir / "in.form", std::ios::binary) << text;
    std::string command = std::string(LVFORM_EXE) + " '" + (dir / "in.form").string() + "' '" +
                          (dir / "out.bin").string() + "' 2>'" + (dir / "err.txt").string() + "'";
    return std::system(command.c_str());
  }

  std::string Read(const char *name) {
    std::ifstream in(dir / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  fs::path dir;
};

TEST_F(LvformTest, WritesTheCompiledBytes) {
  ASSERT_EQ(Run("TPanel P { Left = 5 }\n"), 0);
  EXPECT_EQ(Read("out.bin"), LeftOfP(Bytes({2, 5})));
}

TEST_F(LvformTest, FailsWithFileAndLine) {
  EXPECT_NE(Run("TPanel P {\n  Left =\n}\n"), 0);
  EXPECT_EQ(Read("err.txt"), (dir / "in.form").string() + ": line 3: expected a value\n");
  EXPECT_FALSE(fs::exists(dir / "out.bin"));
}

}  // namespace
