#include "lexer.h"

#include <cmath>
#include <unordered_map>

#include "ops.h"

namespace pw {

namespace {

struct KwEntry {
  const char16_t* text;
  Kw kw;
};
constexpr KwEntry kKeywords[] = {
    {u"and", Kw::And}, {u"byref", Kw::ByRef}, {u"byval", Kw::ByVal}, {u"call", Kw::Call},
    {u"case", Kw::Case}, {u"class", Kw::Class}, {u"const", Kw::Const}, {u"default", Kw::Default},
    {u"dim", Kw::Dim}, {u"do", Kw::Do}, {u"each", Kw::Each}, {u"else", Kw::Else},
    {u"elseif", Kw::ElseIf}, {u"empty", Kw::Empty}, {u"end", Kw::End}, {u"eqv", Kw::Eqv},
    {u"erase", Kw::Erase}, {u"error", Kw::Error}, {u"exit", Kw::Exit}, {u"explicit", Kw::Explicit},
    {u"false", Kw::False}, {u"for", Kw::For}, {u"function", Kw::Function}, {u"get", Kw::Get},
    {u"goto", Kw::GoTo}, {u"if", Kw::If}, {u"imp", Kw::Imp}, {u"in", Kw::In}, {u"is", Kw::Is},
    {u"let", Kw::Let}, {u"loop", Kw::Loop}, {u"me", Kw::Me}, {u"mod", Kw::Mod}, {u"new", Kw::New},
    {u"next", Kw::Next}, {u"not", Kw::Not}, {u"nothing", Kw::Nothing}, {u"null", Kw::Null},
    {u"on", Kw::On}, {u"option", Kw::Option}, {u"or", Kw::Or}, {u"preserve", Kw::Preserve},
    {u"private", Kw::Private}, {u"property", Kw::Property}, {u"public", Kw::Public},
    {u"redim", Kw::ReDim}, {u"resume", Kw::Resume}, {u"select", Kw::Select}, {u"set", Kw::Set},
    {u"step", Kw::Step}, {u"stop", Kw::Stop}, {u"sub", Kw::Sub}, {u"then", Kw::Then},
    {u"to", Kw::To}, {u"true", Kw::True}, {u"until", Kw::Until}, {u"wend", Kw::Wend},
    {u"while", Kw::While}, {u"with", Kw::With}, {u"xor", Kw::Xor},
};

Kw lookupKeyword(u16v word) {
  static const std::unordered_map<u16, Kw> table = [] {
    std::unordered_map<u16, Kw> t;
    for (const KwEntry& e : kKeywords) t.emplace(e.text, e.kw);
    return t;
  }();
  if (word.size() > 8) return Kw::None;
  u16 low = toLowerCopy(word);
  auto it = table.find(low);
  return it == table.end() ? Kw::None : it->second;
}

bool isIdentStart(char16_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}
bool isIdentChar(char16_t c) { return isIdentStart(c) || (c >= '0' && c <= '9') || c == '_'; }
bool isDigit(char16_t c) { return c >= '0' && c <= '9'; }
bool isBlank(char16_t c) { return c == ' ' || c == '\t' || c == 0xA0 || c == 0x3000 || c == '\v' || c == '\f'; }

class Lexer {
 public:
  explicit Lexer(u16v s) : src_(s) {}

  // The next token; after the text's end a last Newline, then End for ever.
  Token next() {
    Token t = lex();
    prevOperand_ = endsOperand(t);
    return t;
  }

 private:
  Token lex() {
    bool& space = space_;
    while (pos_ < src_.size()) {
      char16_t c = src_[pos_];
      if (isBlank(c)) {
        ++pos_;
        space = true;
        continue;
      }
      if (c == '\r' || c == '\n') {
        Token t = make(Tk::Newline, space);
        if (c == '\r' && pos_ + 1 < src_.size() && src_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
        newLine();
        space = true;
        return t;
      }
      if (c == '\'') {
        skipToEol();
        continue;
      }
      // The joining "_" may be glued to the token before it ("&_", "1_");
      // inside a name it is part of the name.
      if (c == '_' && continuationFollows()) {
        space = true;
        continue;
      }
      Token t = make(Tk::End, space);
      space = false;
      if (isIdentStart(c)) {
        size_t start = pos_;
        while (pos_ < src_.size() && isIdentChar(src_[pos_])) ++pos_;
        u16v word = src_.substr(start, pos_ - start);
        if (word.size() > 255) fail(1030, t);
        Kw kw = lookupKeyword(word);
        if (kw == Kw::None && word.size() == 3 && toLowerCopy(word) == u"rem") {
          skipToEol();
          space = true;
          continue;
        }
        t.kind = Tk::Ident;
        t.kw = kw;
        t.text = u16(word);
        return t;
      }
      if (c == '[') {
        size_t start = ++pos_;
        while (pos_ < src_.size() && src_[pos_] != ']' && src_[pos_] != '\r' && src_[pos_] != '\n') ++pos_;
        if (pos_ >= src_.size() || src_[pos_] != ']') fail(1007, t);
        t.kind = Tk::Ident;
        t.text = u16(src_.substr(start, pos_ - start));
        ++pos_;
        return t;
      }
      if (isDigit(c) || (c == '.' && pos_ + 1 < src_.size() && isDigit(src_[pos_ + 1]) &&
                         (!prevOperand_ || t.space))) {
        lexNumber(t);
        return t;
      }
      if (c == '"') {
        lexString(t);
        return t;
      }
      if (c == '#') {
        lexDate(t);
        return t;
      }
      if (c == '&' && pos_ + 1 < src_.size()) {
        char16_t n = src_[pos_ + 1];
        // "&7" is octal only where an operand may start: after one ("a"&1)
        // it joins, as a literal there could not follow; so does "&H..."
        // glued to an operand ("x"&Health).
        bool radix = (n == 'h' || n == 'H' || n == 'o' || n == 'O') ? !(prevOperand_ && !t.space)
                                                                      : isDigit(n) && !prevOperand_;
        if (radix) {
          if (lexRadix(t)) return t;
        }
      }
      ++pos_;
      switch (c) {
        case ':': t.kind = Tk::Colon; break;
        case '.': t.kind = Tk::Dot; break;
        case ',': t.kind = Tk::Comma; break;
        case '(': t.kind = Tk::LParen; break;
        case ')': t.kind = Tk::RParen; break;
        case '&': t.kind = Tk::Amp; break;
        case '+': t.kind = Tk::Plus; break;
        case '-': t.kind = Tk::Minus; break;
        case '*': t.kind = Tk::Star; break;
        case '/': t.kind = Tk::Slash; break;
        case '\\': t.kind = Tk::Backslash; break;
        case '^': t.kind = Tk::Caret; break;
        case '=':
          // "=>" and "=<" are read as ">=" and "<=" (published scripts use them).
          if (peek('>')) { ++pos_; t.kind = Tk::Ge; }
          else if (peek('<')) { ++pos_; t.kind = Tk::Le; }
          else t.kind = Tk::Eq;
          break;
        case '<':
          if (peek('>')) { ++pos_; t.kind = Tk::Ne; }
          else if (peek('=')) { ++pos_; t.kind = Tk::Le; }
          else t.kind = Tk::Lt;
          break;
        case '>':
          if (peek('=')) { ++pos_; t.kind = Tk::Ge; }
          else if (peek('<')) { ++pos_; t.kind = Tk::Ne; }
          else t.kind = Tk::Gt;
          break;
        default:
          fail(1032, t);
      }
      return t;
    }
    if (!finalNewline_) {
      finalNewline_ = true;
      return make(Tk::Newline, true);
    }
    return make(Tk::End, true);
  }

  static bool endsOperand(const Token& t) {
    return t.kind == Tk::Ident || t.kind == Tk::RParen || t.kind == Tk::Number || t.kind == Tk::String;
  }
  bool peek(char16_t c) const { return pos_ < src_.size() && src_[pos_] == c; }
  Token make(Tk k, bool space) const {
    Token t;
    t.kind = k;
    t.space = space;
    t.line = line_;
    t.col = static_cast<int32_t>(pos_ - lineStart_);
    return t;
  }
  void newLine() {
    ++line_;
    lineStart_ = pos_;
  }
  [[noreturn]] void fail(int32_t number, const Token& at) { throw SyntaxError{number, at.line, at.col}; }
  [[noreturn]] void failHere(int32_t number) {
    throw SyntaxError{number, line_, static_cast<int32_t>(pos_ - lineStart_)};
  }
  void skipToEol() {
    while (pos_ < src_.size() && src_[pos_] != '\r' && src_[pos_] != '\n') ++pos_;
  }
  // " _" then blanks then a line end joins the next line to this one.
  bool continuationFollows() {
    size_t p = pos_ + 1;
    while (p < src_.size() && isBlank(src_[p])) ++p;
    if (p < src_.size() && src_[p] != '\r' && src_[p] != '\n') return false;
    if (p < src_.size() && src_[p] == '\r') ++p;
    if (p < src_.size() && src_[p] == '\n') ++p;
    pos_ = p;
    newLine();
    return true;
  }

  // A decimal number ends where its digits end: a word straight after it
  // ("0Then") is the next token, and "&" after it is the concatenation
  // operator (the "&" type suffix belongs to &H and &O literals).
  void lexNumber(Token& t) {
    size_t start = pos_;
    bool isFloat = false;
    while (pos_ < src_.size() && isDigit(src_[pos_])) ++pos_;
    if (pos_ < src_.size() && src_[pos_] == '.') {
      isFloat = true;
      ++pos_;
      while (pos_ < src_.size() && isDigit(src_[pos_])) ++pos_;
    }
    if (pos_ < src_.size() && (src_[pos_] == 'e' || src_[pos_] == 'E')) {
      size_t p = pos_ + 1;
      if (p < src_.size() && (src_[p] == '+' || src_[p] == '-')) ++p;
      if (p < src_.size() && isDigit(src_[p])) {
        isFloat = true;
        pos_ = p;
        while (pos_ < src_.size() && isDigit(src_[pos_])) ++pos_;
      } else if (p != pos_ + 1 || p >= src_.size() || !isIdentStart(src_[p])) {
        failHere(1031);  // "1e", "1e+": an exponent without digits
      }  // else a word follows, as in "1Else"
    }
    std::string ascii;
    for (size_t i = start; i < pos_; ++i) ascii.push_back(static_cast<char>(src_[i]));
    if (pos_ < src_.size() && (src_[pos_] == '#' || src_[pos_] == '!')) {
      isFloat = true;
      ++pos_;
    }
    t.kind = Tk::Number;
    double d = std::strtod(ascii.c_str(), nullptr);
    if (!isFloat && d <= 32767) t.value = Variant::integer(static_cast<int16_t>(d));
    else if (!isFloat && d <= 2147483647.0) t.value = Variant::lng(static_cast<int32_t>(d));
    else {
      if (std::isinf(d)) fail(1031, t);
      t.value = Variant::dbl(d);
    }
  }

  bool lexRadix(Token& t) {
    size_t p = pos_ + 1;
    int base = 8;
    if (src_[p] == 'h' || src_[p] == 'H') { base = 16; ++p; }
    else if (src_[p] == 'o' || src_[p] == 'O') { ++p; }
    size_t digitsStart = p;
    uint64_t v = 0;
    while (p < src_.size()) {
      char16_t c = src_[p];
      int dv;
      if (c >= '0' && c <= '9') dv = c - '0';
      else if (base == 16 && c >= 'a' && c <= 'f') dv = c - 'a' + 10;
      else if (base == 16 && c >= 'A' && c <= 'F') dv = c - 'A' + 10;
      else break;
      if (dv >= base) break;
      v = v * base + dv;
      if (v > 0xFFFFFFFFull) { pos_ = p; failHere(1031); }
      ++p;
    }
    if (p == digitsStart) return false;
    bool longSuffix = p < src_.size() && src_[p] == '&';
    if (longSuffix) ++p;
    pos_ = p;
    t.kind = Tk::Number;
    // Without the suffix up to four hex digits are a 16-bit pattern
    // (&HFFFF is -1); otherwise the digits are a 32-bit pattern. Either way a
    // value that fits an Integer is one: &H10& and &HFFFFFFFF are Integers,
    // &HFFFF& (65535) is a Long.
    int32_t value = !longSuffix && v <= 0xFFFF ? static_cast<int16_t>(static_cast<uint16_t>(v))
                                               : static_cast<int32_t>(static_cast<uint32_t>(v));
    if (value >= -32768 && value <= 32767) t.value = Variant::integer(static_cast<int16_t>(value));
    else t.value = Variant::lng(value);
    return true;
  }

  void lexString(Token& t) {
    ++pos_;
    u16 s;
    for (;;) {
      if (pos_ >= src_.size() || src_[pos_] == '\r' || src_[pos_] == '\n') fail(1033, t);
      char16_t c = src_[pos_++];
      if (c == '"') {
        if (peek('"')) {
          s.push_back('"');
          ++pos_;
          continue;
        }
        break;
      }
      s.push_back(c);
    }
    t.kind = Tk::String;
    t.value = Variant::str(s);
  }

  void lexDate(Token& t) {
    size_t start = ++pos_;
    while (pos_ < src_.size() && src_[pos_] != '#' && src_[pos_] != '\r' && src_[pos_] != '\n') ++pos_;
    if (pos_ >= src_.size() || src_[pos_] != '#') fail(1002, t);
    u16v body = src_.substr(start, pos_ - start);
    ++pos_;
    double d;
    if (!parseDate(body, d)) fail(1002, t);
    t.kind = Tk::Date;
    t.value = Variant::date(d);
  }

  u16v src_;
  size_t pos_ = 0;
  size_t lineStart_ = 0;
  int32_t line_ = 1;
  bool space_ = true;         // blank space (or a line start) since the last token
  bool prevOperand_ = false;  // the last token ends an operand (".5" after it is a member)
  bool finalNewline_ = false;
};

}  // namespace

struct TokenStream::Impl {
  explicit Impl(u16v s) : lexer(s) {}
  Lexer lexer;
};

TokenStream::TokenStream(u16v src) : impl_(std::make_unique<Impl>(src)) {}
TokenStream::~TokenStream() = default;
Token TokenStream::next() { return impl_->lexer.next(); }

std::vector<Token> tokenize(u16v src) {
  TokenStream in(src);
  std::vector<Token> out;
  do out.push_back(in.next());
  while (out.back().kind != Tk::End);
  return out;
}

bool isSoftKeyword(Kw kw) {
  switch (kw) {
    case Kw::Explicit: case Kw::Get: case Kw::Default: case Kw::Preserve: case Kw::Error:
    case Kw::Step: case Kw::Resume: case Kw::Property:
      return true;
    default:
      return false;
  }
}

const char16_t* keywordText(Kw kw) {
  for (const KwEntry& e : kKeywords)
    if (e.kw == kw) return e.text;
  return u"";
}

}  // namespace pw
