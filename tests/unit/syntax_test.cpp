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
      // Option Explicit only before every other statement.
      {u"Dim x\nOption Explicit", 1024, 2, 0},
      {u"Option Explicit\nx = 1 : Option Explicit", 1024, 2, 8},
      {u"Sub s\n  Option Explicit\nEnd Sub", 1024, 2, 2},
      {u"If True Then Option Explicit", 1024, 1, 13},
      {u"Option Base 1", 1002, 1, 7},
      // Exit must name an enclosing block; reported at the word after Exit.
      {u"Exit Do", 1039, 1, 5},
      {u"For i = 1 To 2\n  Exit Do\nNext", 1039, 2, 7},
      {u"Do\n  Exit For\nLoop", 1039, 2, 7},
      {u"Sub s\n  Exit Function\nEnd Sub", 1039, 2, 7},
      {u"Function f\n  Exit Property\nEnd Function", 1039, 2, 7},
      {u"Exit", 1039, 1, 4},
      // A procedure defined inside a global loop cannot leave the loop.
      {u"For i = 1 To 2\n  Sub s : Exit For : End Sub\nNext", 1039, 2, 15},
      {u"Do\n  Function f : Exit Do : End Function\nLoop", 1039, 2, 20},
      // Not after an operator needs its operand like any other.
      {u"x = 1 = Not", 1023, 1, 11},
      {u"x = a And Not Or b", 1023, 1, 14},
      // Reserved words name nothing outside brackets and member positions.
      {u"Class C\n  Public Sub Stop : End Sub\nEnd Class", 1010, 2, 13},
      {u"Sub Select : End Sub", 1010, 1, 4},
      {u"Dim Loop", 1010, 1, 4},
      {u"Set c = New C()", 1025, 1, 13},
      // Signs and Not do not make a statement.
      {u"Not x", 1024, 1, 0},
      {u"-x = 1", 1024, 1, 0},
      // A block left open is reported where the text ends.
      {u"If x Then\n  y = 1\n", 1014, 3, 0},
      {u"Do\n  y = 1", 1019, 2, 7},
      {u"Sub s\n  y = 1\n", 1014, 3, 0},
      {u"Function f", 1014, 1, 10},
      {u"Class C\n  Property Get P\n", 1014, 3, 0},
      // "End" then the wrong kind names the kind expected.
      {u"Sub s\nEnd Function", 1016, 2, 4},
      {u"Function f\nEnd Sub", 1015, 2, 4},
      {u"Class C\nProperty Get P\nEnd Sub\nEnd Class", 1050, 3, 4},
      // Loop or Next that no enclosing block takes, wherever it stands.
      {u"Sub s\n  Loop\nEnd Sub", 1038, 2, 2},
      {u"If x Then\n  Next\nEnd If", 1055, 2, 2},
      {u"For i = 1 To 2\n  Loop\nNext", 1038, 2, 2},
      {u"While x\n  Next\nWend", 1055, 2, 2},
      {u"Do\n  Sub s\n  Loop", 1038, 3, 2},
      // Call names what it calls; reported where the name should be.
      {u"Call", 1010, 1, 4},
      {u"Call 5", 1010, 1, 5},
      {u"x = 1 : Call \"s\"", 1010, 1, 13},
      {u"Call (x)", 1010, 1, 5},
      // Next takes no counter name.
      {u"For i = 1 To 2\nNext i", 1025, 2, 5},
      {u"For Each v In a\nNext v", 1025, 2, 5},
      // A name is declared once per scope: Dim, parameter, Const.
      {u"Dim a, b\nDim c, A", 1041, 2, 7},
      {u"Dim a(2) : Dim a", 1041, 1, 15},
      {u"Sub s(x)\n  Dim x\nEnd Sub", 1041, 2, 6},
      {u"Sub s\n  Dim y\n  If z Then\n    Dim y\n  End If\nEnd Sub", 1041, 4, 8},
      {u"Const k = 1\nConst K = 2", 1041, 2, 6},
      {u"Sub s\n  Const k = 1 : Const k = 2\nEnd Sub", 1041, 2, 22},
      {u"Class c\n  Dim f\n  Public f\nEnd Class", 1041, 3, 9},
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
