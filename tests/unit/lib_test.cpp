// The built-in function library, called through the lookup table as the VM
// calls it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builtins.h"
#include "engine.h"
#include "ops.h"

namespace {

using pw::Variant;

Variant S(const char16_t* s) { return Variant::str(s); }
Variant I(int16_t x) { return Variant::integer(x); }
Variant D(double x) { return Variant::dbl(x); }
Variant M() { return Variant::missing(); }

class LibTest : public ::testing::Test {
 protected:
  pw::Engine engine;

  Variant call(const char16_t* name, std::vector<Variant> args = {}) {
    const pw::BuiltinDef* def = pw::findBuiltin(name);
    if (!def) {
      ADD_FAILURE() << "no built-in " << pw::toUtf8(name);
      return Variant();
    }
    return def->fn(engine, pw::Args{args.data(), int(args.size())});
  }
  std::string text(const char16_t* name, std::vector<Variant> args = {}) {
    return pw::toUtf8(pw::toText(call(name, std::move(args))));
  }
  int32_t error(const char16_t* name, std::vector<Variant> args) {
    try {
      call(name, std::move(args));
    } catch (const pw::ScriptError& e) {
      return e.number;
    }
    return 0;
  }
  Variant date(int y, int m, int d) { return call(u"DateSerial", {I(int16_t(y)), I(int16_t(m)), I(int16_t(d))}); }
  Variant dateTime(int y, int m, int d, int h, int n) {
    return pw::opAdd(date(y, m, d), call(u"TimeSerial", {I(int16_t(h)), I(int16_t(n)), I(0)}));
  }
  // The elements of a one-dimensional array as text, joined by "|".
  std::string elements(const Variant& arr) {
    EXPECT_TRUE(arr.isArray());
    if (!arr.isArray()) return "";
    EXPECT_EQ(arr.a->dims[0].lower, 0);
    std::string r;
    for (size_t i = 0; i < arr.a->data.size(); ++i) {
      if (i) r += "|";
      EXPECT_EQ(arr.a->data[i].vt, pw::vtString);
      r += pw::toUtf8(pw::toText(arr.a->data[i]));
    }
    return r;
  }
};

TEST(BuiltinLookup, CaseInsensitiveAndComplete) {
  ASSERT_NE(pw::findBuiltin(u"mid"), nullptr);
  EXPECT_EQ(pw::findBuiltin(u"MID"), pw::findBuiltin(u"Mid"));
  EXPECT_EQ(pw::findBuiltin(u"NoSuchFunction"), nullptr);
  EXPECT_EQ(pw::findBuiltin(u"M\u00cdd"), nullptr);
  for (const char16_t* n : {u"CDate", u"InStrRev", u"Rnd", u"DateDiff", u"FormatPercent", u"UBound",
                            u"Escape", u"ScriptEngineBuildVersion"})
    EXPECT_NE(pw::findBuiltin(n), nullptr) << pw::toUtf8(n);
  const pw::ConstDef* c = pw::findConstant(u"VBCRLF");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(pw::toUtf8(pw::toText(c->make())), "\r\n");
  EXPECT_EQ(pw::findConstant(u"vbObjectError")->make().l, int32_t(0x80040000u));
  EXPECT_EQ(pw::findConstant(u"vbTrue")->make().vt, pw::vtInteger);
  EXPECT_EQ(pw::findConstant(u"vbTrue")->make().i, -1);
  EXPECT_EQ(pw::findConstant(u"vbRed")->make().vt, pw::vtLong);
  EXPECT_EQ(pw::findConstant(u"True"), nullptr);
}

TEST_F(LibTest, DateSerialAndDateAddNormalise) {
  EXPECT_EQ(text(u"CStr", {date(2003, 14, 1)}), "2/1/2004");
  EXPECT_EQ(text(u"CStr", {date(2003, 3, 0)}), "2/28/2003");
  EXPECT_EQ(text(u"CStr", {date(2000, 3, 0)}), "2/29/2000");
  EXPECT_EQ(text(u"CStr", {date(2003, 0, 1)}), "12/1/2002");
  EXPECT_EQ(text(u"CStr", {date(2003, 1, -1)}), "12/30/2002");
  EXPECT_EQ(error(u"DateSerial", {I(10000), I(1), I(1)}), 5);

  EXPECT_EQ(text(u"DateAdd", {S(u"m"), I(1), date(2003, 1, 31)}), "2/28/2003");
  EXPECT_EQ(text(u"DateAdd", {S(u"m"), I(1), date(2004, 1, 31)}), "2/29/2004");
  EXPECT_EQ(text(u"DateAdd", {S(u"yyyy"), I(1), date(2004, 2, 29)}), "2/28/2005");
  EXPECT_EQ(text(u"DateAdd", {S(u"q"), I(-1), date(2003, 5, 31)}), "2/28/2003");
  EXPECT_EQ(text(u"DateAdd", {S(u"h"), I(25), date(2003, 1, 1)}), "1/2/2003 1:00:00 AM");
  EXPECT_EQ(text(u"DateAdd", {S(u"n"), I(-1), date(2003, 1, 1)}), "12/31/2002 11:59:00 PM");
  EXPECT_EQ(text(u"DateAdd", {S(u"WW"), I(2), dateTime(2003, 1, 1, 15, 4)}), "1/15/2003 3:04:00 PM");
  // Before 12/30/1899 the time of day still counts forward from midnight.
  EXPECT_DOUBLE_EQ(pw::toDouble(call(u"DateAdd", {S(u"h"), I(-30), date(1899, 12, 30)})), -2.75);
  EXPECT_EQ(error(u"DateAdd", {S(u"x"), I(1), date(2003, 1, 1)}), 5);
  EXPECT_EQ(error(u"DateAdd", {S(u"yyyy"), I(8000), date(2003, 1, 1)}), 5);
  EXPECT_TRUE(call(u"DateAdd", {S(u"d"), I(1), Variant::null()}).isNull());
}

TEST_F(LibTest, DatePartsOfNegativeDates) {
  Variant d = Variant::date(-1.25);  // 12/29/1899 6:00 AM
  EXPECT_EQ(call(u"Year", {d}).i, 1899);
  EXPECT_EQ(call(u"Day", {d}).i, 29);
  EXPECT_EQ(call(u"Hour", {d}).i, 6);
  EXPECT_EQ(call(u"Weekday", {d}).i, 6);  // a Friday
  EXPECT_EQ(text(u"TimeSerial", {I(0), I(90), I(0)}), "1:30:00 AM");
  EXPECT_DOUBLE_EQ(pw::toDouble(call(u"TimeSerial", {I(25), I(0), I(0)})), 1 + 1.0 / 24);
  EXPECT_TRUE(call(u"Month", {Variant::null()}).isNull());
}

TEST_F(LibTest, DateDiffCountsBoundaries) {
  Variant sat = date(2003, 1, 4), sun = date(2003, 1, 5), mon = date(2003, 1, 6);
  EXPECT_EQ(call(u"DateDiff", {S(u"ww"), sat, sun}).l, 1);
  EXPECT_EQ(call(u"DateDiff", {S(u"w"), sat, sun}).l, 0);
  EXPECT_EQ(call(u"DateDiff", {S(u"ww"), sun, date(2003, 1, 11)}).l, 0);
  EXPECT_EQ(call(u"DateDiff", {S(u"ww"), sun, date(2003, 1, 12)}).l, 1);
  EXPECT_EQ(call(u"DateDiff", {S(u"ww"), sun, mon}).l, 0);
  EXPECT_EQ(call(u"DateDiff", {S(u"ww"), sun, mon, I(2)}).l, 1);
  EXPECT_EQ(call(u"DateDiff", {S(u"w"), sun, date(2003, 1, 18)}).l, 1);
  EXPECT_EQ(call(u"DateDiff", {S(u"w"), date(2003, 1, 18), sun}).l, -1);
  EXPECT_EQ(call(u"DateDiff", {S(u"ww"), date(2003, 1, 18), sun}).l, -1);

  Variant late = dateTime(2003, 1, 1, 23, 0), early = dateTime(2003, 1, 2, 1, 0);
  EXPECT_EQ(call(u"DateDiff", {S(u"d"), late, early}).l, 1);
  EXPECT_EQ(call(u"DateDiff", {S(u"h"), late, early}).l, 2);
  EXPECT_EQ(call(u"DateDiff", {S(u"n"), early, late}).l, -120);
  EXPECT_EQ(call(u"DateDiff", {S(u"yyyy"), date(2002, 12, 31), date(2003, 1, 1)}).l, 1);
  EXPECT_EQ(call(u"DateDiff", {S(u"q"), date(2003, 3, 31), date(2003, 4, 1)}).l, 1);
  EXPECT_EQ(call(u"DateDiff", {S(u"m"), date(2003, 3, 31), date(2002, 12, 1)}).l, -3);
  // Across 12/30/1899, where the sign of the stored value changes.
  EXPECT_EQ(call(u"DateDiff", {S(u"h"), Variant::date(-1.75), Variant::date(0.25)}).l, 12);
  EXPECT_EQ(error(u"DateDiff", {S(u"d"), sun, mon, I(8)}), 5);
}

TEST_F(LibTest, WeekOfYearRules) {
  EXPECT_EQ(call(u"DatePart", {S(u"ww"), date(2000, 12, 31)}).i, 54);
  EXPECT_EQ(call(u"DatePart", {S(u"ww"), date(2003, 12, 31)}).i, 53);
  // Four-day rule with Monday weeks: 1/1/2005 is still in 2004's last week,
  // 12/31/2008 already in 2009's first.
  EXPECT_EQ(call(u"DatePart", {S(u"ww"), date(2005, 1, 1), I(2), I(2)}).i, 53);
  EXPECT_EQ(call(u"DatePart", {S(u"ww"), date(2008, 12, 31), I(2), I(2)}).i, 1);
  EXPECT_EQ(call(u"DatePart", {S(u"ww"), date(2005, 1, 3), I(2), I(2)}).i, 1);
  // First full week: 1/1/2006 is a Sunday and starts week 1; 1/1/2005, a
  // Saturday, is in 2004's week 52.
  EXPECT_EQ(call(u"DatePart", {S(u"ww"), date(2006, 1, 1), I(1), I(3)}).i, 1);
  EXPECT_EQ(call(u"DatePart", {S(u"ww"), date(2005, 1, 1), I(1), I(3)}).i, 52);
  EXPECT_EQ(call(u"DatePart", {S(u"w"), date(2003, 1, 2), I(2)}).i, 4);
  EXPECT_EQ(call(u"DatePart", {S(u"y"), date(2004, 12, 31)}).i, 366);
  EXPECT_EQ(error(u"DatePart", {S(u"ww"), date(2003, 1, 1), I(1), I(4)}), 5);
}

TEST_F(LibTest, FormatNumberRoundsAndGroups) {
  EXPECT_EQ(text(u"FormatNumber", {D(1234567.891)}), "1,234,567.89");
  EXPECT_EQ(text(u"FormatNumber", {D(1234.5), I(0)}), "1,235");
  EXPECT_EQ(text(u"FormatNumber", {D(2.5), I(0)}), "3");
  EXPECT_EQ(text(u"FormatNumber", {D(-0.5), I(0)}), "-1");
  EXPECT_EQ(text(u"FormatNumber", {D(1.005), I(2)}), "1.01");
  EXPECT_EQ(text(u"FormatNumber", {D(99.995)}), "100.00");
  EXPECT_EQ(text(u"FormatNumber", {D(999999.999)}), "1,000,000.00");
  EXPECT_EQ(text(u"FormatNumber", {D(0.5), I(2), I(0)}), ".50");
  EXPECT_EQ(text(u"FormatNumber", {D(0.4), I(0), I(0)}), "0");
  EXPECT_EQ(text(u"FormatNumber", {D(-1234.5), I(1), I(-1), I(-1)}), "(1,234.5)");
  EXPECT_EQ(text(u"FormatNumber", {D(1234.5), I(-1), M(), M(), I(0)}), "1234.50");
  EXPECT_EQ(text(u"FormatNumber", {Variant::lng(123456), I(0)}), "123,456");
  EXPECT_EQ(text(u"FormatNumber", {D(1e20), I(0)}), "100,000,000,000,000,000,000");
  EXPECT_EQ(text(u"FormatNumber", {D(0.000123), I(5)}), "0.00012");
  EXPECT_EQ(error(u"FormatNumber", {S(u"abc")}), 13);
  EXPECT_EQ(error(u"FormatNumber", {I(1), I(-2)}), 5);

  EXPECT_EQ(text(u"FormatCurrency", {I(-1)}), "($1.00)");
  EXPECT_EQ(text(u"FormatCurrency", {I(-1), I(2), I(-1), I(0)}), "-$1.00");
  EXPECT_EQ(text(u"FormatCurrency", {D(1234.567)}), "$1,234.57");
  EXPECT_EQ(text(u"FormatCurrency", {Variant::currency(1250)}), "$0.13");  // exact half: away from zero
  EXPECT_EQ(text(u"FormatPercent", {D(0.5)}), "50.00%");
  EXPECT_EQ(text(u"FormatPercent", {D(0.12345), I(1)}), "12.3%");
  EXPECT_EQ(text(u"FormatPercent", {D(-0.5), I(0), M(), I(-1)}), "(50%)");
}

TEST_F(LibTest, FormatDateTimeForms) {
  Variant d = pw::opAdd(date(2003, 1, 2), call(u"TimeSerial", {I(15), I(4), I(5)}));
  EXPECT_EQ(text(u"FormatDateTime", {d}), "1/2/2003 3:04:05 PM");
  EXPECT_EQ(text(u"FormatDateTime", {d, I(1)}), "Thursday, January 2, 2003");
  EXPECT_EQ(text(u"FormatDateTime", {d, I(2)}), "1/2/2003");
  EXPECT_EQ(text(u"FormatDateTime", {d, I(3)}), "3:04:05 PM");
  EXPECT_EQ(text(u"FormatDateTime", {d, I(4)}), "15:04");
  EXPECT_EQ(text(u"FormatDateTime", {date(2003, 1, 2), I(4)}), "00:00");
  EXPECT_EQ(error(u"FormatDateTime", {d, I(5)}), 5);
}

TEST_F(LibTest, InStrAndReplaceCompareModes) {
  EXPECT_EQ(call(u"InStr", {S(u"abcABC"), S(u"B")}).l, 5);
  EXPECT_EQ(call(u"InStr", {I(1), S(u"abcABC"), S(u"B"), I(1)}).l, 2);
  EXPECT_EQ(call(u"InStr", {I(3), S(u"abcabc"), S(u"b")}).l, 5);
  EXPECT_EQ(call(u"InStr", {S(u""), S(u"a")}).l, 0);
  EXPECT_EQ(call(u"InStr", {I(2), S(u"abc"), S(u"")}).l, 2);
  EXPECT_EQ(call(u"InStr", {I(9), S(u"abc"), S(u"c")}).l, 0);
  EXPECT_TRUE(call(u"InStr", {Variant::null(), S(u"a")}).isNull());
  EXPECT_EQ(error(u"InStr", {I(0), S(u"a"), S(u"a")}), 5);
  EXPECT_EQ(error(u"InStr", {Variant::null(), S(u"a"), S(u"a")}), 94);
  EXPECT_EQ(error(u"InStr", {S(u"abc"), S(u"b"), I(1)}), 13);  // three arguments: the first is start

  EXPECT_EQ(call(u"InStrRev", {S(u"abcabc"), S(u"bc")}).l, 5);
  EXPECT_EQ(call(u"InStrRev", {S(u"abcabc"), S(u"bc"), I(5)}).l, 2);
  EXPECT_EQ(call(u"InStrRev", {S(u"abcabc"), S(u"bc"), I(6)}).l, 5);
  EXPECT_EQ(call(u"InStrRev", {S(u"abcABC"), S(u"b"), I(-1), I(1)}).l, 5);
  EXPECT_EQ(error(u"InStrRev", {S(u"abc"), S(u"b"), I(0)}), 5);

  EXPECT_EQ(text(u"Replace", {S(u"aXbxc"), S(u"x"), S(u"-")}), "aXb-c");
  EXPECT_EQ(text(u"Replace", {S(u"aXbxc"), S(u"x"), S(u"-"), I(1), I(-1), I(1)}), "a-b-c");
  EXPECT_EQ(text(u"Replace", {S(u"abcabc"), S(u"b"), S(u""), I(3)}), "cac");
  EXPECT_EQ(text(u"Replace", {S(u"aaaa"), S(u"a"), S(u"ba"), I(1), I(2)}), "babaaa");
  EXPECT_EQ(text(u"Replace", {S(u"abc"), S(u""), S(u"x")}), "abc");
  EXPECT_EQ(text(u"Replace", {S(u"abc"), S(u"b"), S(u"x"), I(4)}), "");
  EXPECT_EQ(error(u"Replace", {S(u"abc"), S(u"b"), S(u"x"), I(0)}), 5);
  EXPECT_EQ(error(u"Replace", {Variant::null(), S(u"b"), S(u"x")}), 94);
  EXPECT_EQ(call(u"StrComp", {S(u"abc"), S(u"ABC"), I(1)}).i, 0);
  EXPECT_EQ(call(u"StrComp", {S(u"a"), S(u"B")}).i, 1);
  EXPECT_EQ(call(u"StrComp", {S(u"a"), S(u"B"), I(1)}).i, -1);
}

TEST_F(LibTest, SplitJoinFilter) {
  EXPECT_EQ(elements(call(u"Split", {S(u"a,b,,c"), S(u",")})), "a|b||c");
  Variant empty = call(u"Split", {S(u"")});
  ASSERT_TRUE(empty.isArray());
  EXPECT_EQ(call(u"UBound", {empty}).l, -1);
  EXPECT_EQ(elements(call(u"Split", {S(u"a b c"), M(), I(2)})), "a|b c");
  EXPECT_EQ(elements(call(u"Split", {S(u"aXbxc"), S(u"x"), I(-1), I(1)})), "a|b|c");
  EXPECT_EQ(elements(call(u"Split", {S(u"abc"), S(u"")})), "abc");
  EXPECT_EQ(elements(call(u"Split", {S(u"a,b"), S(u","), I(0)})), "");
  EXPECT_EQ(error(u"Split", {S(u"a"), S(u","), I(-2)}), 5);

  EXPECT_EQ(text(u"Join", {call(u"Split", {S(u"a,b,,c"), S(u",")}), S(u"-")}), "a-b--c");
  EXPECT_EQ(text(u"Join", {call(u"Array", {I(1), S(u"x"), Variant::boolean(true)})}), "1 x True");
  EXPECT_EQ(text(u"Join", {empty, S(u",")}), "");
  EXPECT_EQ(error(u"Join", {S(u"abc")}), 13);

  Variant fruit = call(u"Array", {S(u"apple"), S(u"Banana"), S(u"cherry")});
  EXPECT_EQ(elements(call(u"Filter", {fruit, S(u"an")})), "Banana");
  EXPECT_EQ(elements(call(u"Filter", {fruit, S(u"A"), Variant::boolean(false), I(1)})), "cherry");
  EXPECT_EQ(elements(call(u"Filter", {fruit, S(u"A")})), "");
  EXPECT_EQ(error(u"Filter", {S(u"apple"), S(u"a")}), 13);
}

TEST_F(LibTest, RndSequencesRepeat) {
  // A fresh engine starts from the same state every time.
  EXPECT_NEAR(pw::toDouble(call(u"Rnd")), 0.7055475, 1e-7);
  EXPECT_NEAR(pw::toDouble(call(u"Rnd")), 0.533424, 1e-7);
  EXPECT_EQ(call(u"Rnd").vt, pw::vtSingle);
  EXPECT_NEAR(pw::toDouble(call(u"Rnd", {I(-1)})), 0.224007, 1e-7);

  auto sequence = [&] {
    call(u"Rnd", {I(-1)});
    call(u"Randomize", {I(5)});
    std::vector<float> r;
    for (int i = 0; i < 3; ++i) r.push_back(call(u"Rnd").f);
    r.push_back(call(u"Rnd", {I(0)}).f);
    return r;
  };
  std::vector<float> first = sequence();
  call(u"Randomize", {I(7)});
  call(u"Rnd");
  EXPECT_EQ(sequence(), first);
  EXPECT_EQ(first[3], first[2]);  // Rnd(0) repeats the last number
  EXPECT_NE(first[0], first[1]);
  for (float f : first) {
    EXPECT_GE(f, 0.0f);
    EXPECT_LT(f, 1.0f);
  }
  // Randomize keeps part of the state, so it alone does not repeat a sequence.
  call(u"Randomize", {I(5)});
  float again = call(u"Rnd").f;
  call(u"Rnd", {I(-2)});
  call(u"Randomize", {I(5)});
  EXPECT_NE(call(u"Rnd").f, again);
}

}  // namespace
