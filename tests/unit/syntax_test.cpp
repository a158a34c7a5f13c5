// Syntax errors that must survive the forms the parser accepts for published
// scripts: each keeps its number and exact position (line, 0-based column).
#include <gtest/gtest.h>

#include "script_control.h"

namespace {

struct Case {
  const char16_t* code;
  int32_t number, line, column;
};

TEST(SyntaxErrors, KeepNumberAndPosition) {
  const Case cases[] = {
      // End If closes only a single-line If on its own line.
      {u"End If", 1024, 1, 0},
      {u"x = 1 : End If", 1024, 1, 8},
      {u"If x Then y = 1\nEnd If", 1024, 2, 0},
      {u"If x Then y = 1 : End If End If", 1024, 1, 25},
      {u"If x Then y = 1 Else z = 2 Else z = 3", 1025, 1, 27},
      // Without its End If a single-line If runs to the line end: End Sub
      // there is one of its statements.
      {u"Sub s\nIf x Then y = 1 : End Sub\nEnd Sub", 1024, 2, 18},
      // A body may follow the header on its line only after a parameter list.
      {u"Sub s x = 1 End Sub", 1025, 1, 6},
      // "=>" only as one token.
      {u"If 2 = > 1 Then x = 1", 1023, 1, 7},
      // "_" joins lines only when the line ends right after it.
      {u"x = 1 _ 2", 1032, 1, 6},
      {u"x = 1 &_ ' note\n2", 1032, 1, 7},
      // A number ends at its digits; a broken exponent is still an invalid number.
      {u"x = 1abc", 1025, 1, 5},
      {u"x = 1e", 1031, 1, 5},
      {u"x = 1e+", 1031, 1, 5},
      {u"x = 5&", 1023, 1, 6},
      // Something that cannot start a statement after Case values.
      {u"Select Case 1\nCase 1 2\nEnd Select", 1024, 2, 7},
      // Literals still cannot be called.
      {u"x = \"a\"(1)", 1025, 1, 7},
      // Definitions stay out of procedures, whatever block they sit in.
      {u"Sub a\n  If True Then\n    Sub b : End Sub\n  End If\nEnd Sub", 1002, 3, 4},
      // Parentheses around Sub arguments: reported after the closing ")".
      {u"strcomp(\"x\", \"y\")", 1044, 1, 17},
      {u"  Foo.Bar (1, 2)  ", 1044, 1, 16},
      {u"Foo 1\nFoo(1, _\n  2)", 1044, 3, 4},
  };
  for (const Case& c : cases) {
    pw::ScriptControl sc;
    EXPECT_FALSE(sc.AddCode(c.code));
    std::string where(c.code, c.code + std::char_traits<char16_t>::length(c.code));
    EXPECT_EQ(sc.Error().Number, c.number) << where;
    EXPECT_EQ(sc.Error().Line, c.line) << where;
    EXPECT_EQ(sc.Error().Column, c.column) << where;
  }
}

}  // namespace
