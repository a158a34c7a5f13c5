// Turns script text into tokens. Keywords are recognised case-insensitively;
// positions are kept for error reports (1-based line, 0-based column).
#pragma once

#include <memory>
#include <vector>

#include "variant.h"

namespace pw {

enum class Tk : uint8_t {
  End,      // end of text
  Newline,  // end of a line
  Colon,    // statement separator
  Ident,    // names and keywords (see Token::kw)
  Number,   // value in Token::value
  String,
  Date,
  Dot,       // "." (Token::space tells whether blank space came before it)
  Comma,
  LParen,
  RParen,
  Amp,      // &
  Plus,
  Minus,
  Star,
  Slash,
  Backslash,
  Caret,
  Eq,
  Ne,
  Lt,
  Le,
  Gt,
  Ge,
};

enum class Kw : uint8_t {
  None,
  And, ByRef, ByVal, Call, Case, Class, Const, Default, Dim, Do, Each, Else, ElseIf, Empty, End,
  Eqv, Erase, Error, Exit, Explicit, False, For, Function, Get, GoTo, If, Imp, In, Is, Let, Loop,
  Me, Mod, New, Next, Not, Nothing, Null, On, Option, Or, Preserve, Private, Property, Public,
  ReDim, Resume, Select, Set, Step, Stop, Sub, Then, To, True, Until, Wend, While, With, Xor,
};

struct Token {
  Tk kind = Tk::End;
  Kw kw = Kw::None;
  bool space = false;  // blank space (or line start) right before the token
  int32_t line = 1;    // 1-based
  int32_t col = 0;     // 0-based, a tab counts one
  u16 text;            // identifier as written (without brackets)
  Variant value;       // Number, String, Date
};

struct SyntaxError {
  int32_t number;
  int32_t line;
  int32_t col;
};

// Tokens one at a time, so that a large script is never held as tokens all
// at once. After the text: one Newline, then End on every call. Throws
// SyntaxError; the text must outlive the stream.
class TokenStream {
 public:
  explicit TokenStream(u16v src);
  ~TokenStream();
  Token next();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// All tokens, End last. Throws SyntaxError.
std::vector<Token> tokenize(u16v src);

// A keyword that is only special in some positions may also name things.
bool isSoftKeyword(Kw kw);
const char16_t* keywordText(Kw kw);

}  // namespace pw
