#include "FormCompiler.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "streaming/ValueTypes.h"

FormTextError::FormTextError(int line, const std::string &message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), Line(line) {}

namespace {

enum class TokenKind { Name, Integer, String, Punct, End };

struct Token {
  TokenKind Kind;
  std::string Text;  // a name, a string's bytes, or the punctuation mark
  int32_t Value = 0;
  int Line;
};

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Lexer {
public:
  explicit Lexer(const std::string &text) : FText(text) {}

  std::vector<Token> Tokens() {
    std::vector<Token> tokens;
    for (;;) {
      SkipBlanks();
      if (FPos == FText.size()) break;
      tokens.push_back(NextToken());
    }
    tokens.push_back({TokenKind::End, "", 0, FLine});
    return tokens;
  }

private:
  void SkipBlanks() {
    while (FPos < FText.size()) {
      char c = FText[FPos];
      if (c == '\n') {
        ++FLine;
        ++FPos;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++FPos;
      } else if (c == '#') {
        while (FPos < FText.size() && FText[FPos] != '\n') ++FPos;
      } else {
        return;
      }
    }
  }

  Token NextToken() {
    char c = FText[FPos];
    if (IsNameStart(c)) {
      size_t start = FPos;
      while (FPos < FText.size() && IsNameChar(FText[FPos])) ++FPos;
      return {TokenKind::Name, FText.substr(start, FPos - start), 0, FLine};
    }
    if (IsDigit(c) || (c == '-' && FPos + 1 < FText.size() && IsDigit(FText[FPos + 1]))) return Number();
    if (c == '"') return String();
    if (c == '{' || c == '}' || c == '=' || c == '.') {
      ++FPos;
      return {TokenKind::Punct, std::string(1, c), 0, FLine};
    }
    if (c > ' ' && c < 0x7F) throw FormTextError(FLine, std::string("unexpected character '") + c + "'");
    throw FormTextError(FLine, "unexpected byte " + std::to_string(static_cast<unsigned char>(c)));
  }

  Token Number() {
    uint32_t bits = 0;
    if (FText.compare(FPos, 2, "0x") == 0 || FText.compare(FPos, 2, "0X") == 0) {
      FPos += 2;
      int digits = 0;
      for (; FPos < FText.size() && HexDigit(FText[FPos]) >= 0; ++FPos, ++digits)
        bits = bits << 4 | static_cast<uint32_t>(HexDigit(FText[FPos]));
      if (digits == 0 || digits > 8) throw FormTextError(FLine, "a hexadecimal integer has 1 to 8 digits");
    } else {
      bool negative = FText[FPos] == '-';
      if (negative) ++FPos;
      int64_t magnitude = 0;
      for (; FPos < FText.size() && IsDigit(FText[FPos]); ++FPos) {
        magnitude = magnitude * 10 + (FText[FPos] - '0');
        if (magnitude > int64_t{1} << 31) throw FormTextError(FLine, "integer out of range");
      }
      int64_t value = negative ? -magnitude : magnitude;
      if (value > INT32_MAX) throw FormTextError(FLine, "integer out of range");
      bits = static_cast<uint32_t>(value);
    }
    if (FPos < FText.size() && IsNameChar(FText[FPos])) throw FormTextError(FLine, "malformed number");
    return {TokenKind::Integer, "", static_cast<int32_t>(bits), FLine};
  }

  Token String() {
    std::string bytes;
    for (++FPos;; ++FPos) {
      if (FPos == FText.size() || FText[FPos] == '\n') throw FormTextError(FLine, "unterminated string");
      char c = FText[FPos];
      if (c == '"') break;
      if (c == '\\') {
        ++FPos;
        if (FPos == FText.size() || (FText[FPos] != '"' && FText[FPos] != '\\'))
          throw FormTextError(FLine, "a string knows only the escapes \\\" and \\\\");
        c = FText[FPos];
      }
      bytes += c;
    }
    ++FPos;
    return {TokenKind::String, bytes, 0, FLine};
  }

  const std::string &FText;
  size_t FPos = 0;
  int FLine = 1;
};

std::string Lower(std::string s) {
  for (char &c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return s;
}

class Parser {
public:
  explicit Parser(std::vector<Token> tokens) : FTokens(std::move(tokens)) {}

  std::string Compile() {
    FOut = "TPF0";
    Component();
    if (Peek().Kind != TokenKind::End) throw FormTextError(Peek().Line, "text after the root component");
    return FOut;
  }

private:
  const Token &Peek(size_t ahead = 0) const { return FTokens[std::min(FPos + ahead, FTokens.size() - 1)]; }
  bool IsPunct(const Token &t, char mark) const { return t.Kind == TokenKind::Punct && t.Text[0] == mark; }

  Token Take() {
    Token t = Peek();
    if (FPos < FTokens.size() - 1) ++FPos;
    return t;
  }

  Token ExpectName(const std::string &what) {
    if (Peek().Kind != TokenKind::Name) throw FormTextError(Peek().Line, "expected " + what);
    return Take();
  }

  void ExpectPunct(char mark) {
    if (!IsPunct(Peek(), mark)) throw FormTextError(Peek().Line, std::string("expected '") + mark + "'");
    Take();
  }

  void WriteByte(uint8_t b) { FOut += static_cast<char>(b); }

  void WriteShort(const std::string &s, int line, const std::string &what) {
    if (s.size() > 255) throw FormTextError(line, what + " longer than 255 bytes");
    WriteByte(static_cast<uint8_t>(s.size()));
    FOut += s;
  }

  void WriteInteger(int32_t value) {
    int bytes = value >= -128 && value <= 127 ? 1 : value >= -32768 && value <= 32767 ? 2 : 4;
    WriteByte(bytes == 1 ? vaInt8 : bytes == 2 ? vaInt16 : vaInt32);
    auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < bytes; ++i) WriteByte(static_cast<uint8_t>(bits >> (8 * i)));
  }

  // Class name, component name, { properties, children }.
  void Component() {
    Token cls = ExpectName("a class name");
    Token name = ExpectName("a component name");
    ExpectPunct('{');
    WriteShort(cls.Text, cls.Line, "a class name");
    WriteShort(name.Text, name.Line, "a component name");
    bool inChildren = false;
    while (!IsPunct(Peek(), '}')) {
      if (Peek().Kind == TokenKind::End) throw FormTextError(Peek().Line, "missing '}' of " + name.Text);
      if (Peek().Kind != TokenKind::Name) throw FormTextError(Peek().Line, "expected a property or a component");
      bool isProperty = IsPunct(Peek(1), '=') || IsPunct(Peek(1), '.');
      if (isProperty && inChildren)
        throw FormTextError(Peek().Line, "property " + Peek().Text + " after the child components");
      if (isProperty) {
        Property();
      } else {
        if (!inChildren) WriteByte(vaNull);
        inChildren = true;
        Component();
      }
    }
    Take();
    if (!inChildren) WriteByte(vaNull);
    WriteByte(vaNull);
  }

  void Property() {
    Token first = Take();
    std::string path = first.Text;
    while (IsPunct(Peek(), '.')) {
      Take();
      path += "." + ExpectName("a property name").Text;
    }
    ExpectPunct('=');
    WriteShort(path, first.Line, "a property name");
    Value();
  }

  void Value() {
    Token v = Take();
    switch (v.Kind) {
      case TokenKind::Integer:
        WriteInteger(v.Value);
        return;
      case TokenKind::String:
        WriteByte(vaString);
        WriteShort(v.Text, v.Line, "a string");
        return;
      case TokenKind::Name: {
        std::string word = Lower(v.Text);
        if (word == "true") {
          WriteByte(vaTrue);
        } else if (word == "false") {
          WriteByte(vaFalse);
        } else if (word == "nil") {
          WriteByte(vaNil);
        } else {
          WriteByte(vaIdent);
          WriteShort(v.Text, v.Line, "an identifier");
        }
        return;
      }
      default:
        throw FormTextError(v.Line, "expected a value");
    }
  }

  std::vector<Token> FTokens;
  size_t FPos = 0;
  std::string FOut;
};

}  // namespace

std::string CompileForm(const std::string &text) { return Parser(Lexer(text).Tokens()).Compile(); }
