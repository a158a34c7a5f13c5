#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

#include "ops.h"

using namespace pw;

namespace {

Variant S(const char* s) { return Variant::str(s); }
Variant I(int v) { return Variant::integer(static_cast<int16_t>(v)); }
Variant L(int32_t v) { return Variant::lng(v); }
Variant D(double v) { return Variant::dbl(v); }
Variant B(bool v) { return Variant::boolean(v); }
Variant Y(int v) { return Variant::byteVal(static_cast<uint8_t>(v)); }
Variant Cy(double v) { return Variant::currency(std::llround(v * 10000)); }
const Variant kNull = Variant::null();
const Variant kEmpty;

std::string u8(const u16& s) { return toUtf8(s); }
std::string text(const Variant& v) { return toUtf8(toText(v)); }

template <class F>
int errorOf(F f) {
  try {
    f();
  } catch (const ScriptError& e) {
    return e.number;
  }
  return 0;
}

// An object whose default property holds a value.
class ValueObject : public Object {
 public:
  explicit ValueObject(Variant v) : v_(std::move(v)) {}
  int32_t getIdOfName(u16v) override { return DISPID_UNKNOWN; }
  Variant invoke(int32_t id, InvokeKind kind, Args) override {
    if (id != DISPID_VALUE || kind != InvokeKind::Get) pw::raise(438);
    ++calls;
    return v_;
  }
  u16 typeName() const override { return u"ValueObject"; }
  int calls = 0;

 private:
  Variant v_;
};

#define EXPECT_VAL(expr, type, textForm)  \
  do {                                    \
    Variant r_ = (expr);                  \
    EXPECT_EQ(r_.vt, type) << #expr;      \
    EXPECT_EQ(text(r_), textForm) << #expr; \
  } while (0)

}  // namespace

TEST(Arithmetic, IntegerResultsWidenOnOverflow) {
  EXPECT_VAL(opAdd(I(32767), I(1)), vtLong, "32768");
  EXPECT_VAL(opAdd(I(1), I(2)), vtInteger, "3");
  EXPECT_VAL(opSub(I(-32768), I(1)), vtLong, "-32769");
  EXPECT_VAL(opAdd(L(2147483647), L(1)), vtDouble, "2147483648");
  EXPECT_VAL(opAdd(L(2147483647), I(1)), vtDouble, "2147483648");
  EXPECT_VAL(opMul(I(300), I(300)), vtLong, "90000");
  EXPECT_VAL(opMul(L(65536), L(65536)), vtDouble, "4294967296");
  EXPECT_VAL(opAdd(Y(200), Y(55)), vtByte, "255");
  EXPECT_VAL(opAdd(Y(200), Y(56)), vtInteger, "256");
  EXPECT_VAL(opSub(Y(1), Y(2)), vtInteger, "-1");
  EXPECT_VAL(opAdd(Y(1), I(1)), vtInteger, "2");
  EXPECT_VAL(opAdd(B(true), B(true)), vtInteger, "-2");
  EXPECT_VAL(opAdd(kEmpty, kEmpty), vtInteger, "0");
  EXPECT_VAL(opAdd(kEmpty, Y(3)), vtInteger, "3");
}

TEST(Arithmetic, MixedSubtypes) {
  EXPECT_VAL(opAdd(Variant::sng(1.5f), I(1)), vtSingle, "2.5");
  EXPECT_VAL(opAdd(Variant::sng(1.5f), L(1)), vtDouble, "2.5");
  Variant big = opMul(Variant::sng(3e38f), Variant::sng(10.f));  // beyond Single
  EXPECT_EQ(big.vt, vtDouble);
  EXPECT_EQ(big.d, double(3e38f) * 10);
  EXPECT_VAL(opAdd(Cy(1.5), D(0.25)), vtCurrency, "1.75");
  EXPECT_VAL(opMul(Cy(1.5), Cy(1.5)), vtCurrency, "2.25");
  EXPECT_VAL(opMul(Cy(100), D(1.23456)), vtCurrency, "123.456");
  EXPECT_VAL(opAdd(Variant::date(37623), I(1)), vtDate, "1/3/2003");
  EXPECT_VAL(opSub(Variant::date(37623), I(1)), vtDate, "1/1/2003");
  EXPECT_VAL(opSub(Variant::date(37623.5), Variant::date(37622)), vtDouble, "1.5");
  EXPECT_VAL(opMul(Variant::date(2), I(2)), vtDouble, "4");
  EXPECT_VAL(opAdd(S("1.5"), I(1)), vtDouble, "2.5");
  EXPECT_VAL(opSub(S("5"), S("2")), vtDouble, "3");
  EXPECT_VAL(opAdd(S("ab"), S("cd")), vtString, "abcd");
  EXPECT_VAL(opAdd(kEmpty, S("a")), vtString, "a");
  EXPECT_VAL(opAdd(D(0.1), D(0.2)), vtDouble, "0.3");
}

TEST(Arithmetic, NullAndErrors) {
  EXPECT_EQ(opAdd(kNull, I(1)).vt, vtNull);
  EXPECT_EQ(opMul(S("x"), kNull).vt, vtNull);
  EXPECT_EQ(opSub(kNull, kNull).vt, vtNull);
  EXPECT_EQ(errorOf([] { opAdd(S("a"), I(1)); }), 13);
  EXPECT_EQ(errorOf([] { opSub(S("a"), S("b")); }), 13);
  EXPECT_EQ(errorOf([] { opMul(D(1e308), D(10)); }), 6);
  EXPECT_EQ(errorOf([] { opAdd(Variant::currency(INT64_MAX), Cy(1)); }), 6);
  EXPECT_EQ(errorOf([] { opAdd(Variant::date(2958465), I(1)); }), 6);
  EXPECT_EQ(errorOf([] { opAdd(Variant::object(nullptr), I(1)); }), 91);
  ArrayRep* arr = ArrayRep::make({{0, 2}});
  Variant av = Variant::array(arr);
  EXPECT_EQ(errorOf([&] { opAdd(av, I(1)); }), 13);
}

TEST(Arithmetic, Division) {
  EXPECT_VAL(opDiv(I(1), I(2)), vtDouble, "0.5");
  EXPECT_VAL(opDiv(I(1), I(3)), vtDouble, "0.333333333333333");
  EXPECT_VAL(opDiv(Variant::sng(1), Variant::sng(4)), vtSingle, "0.25");
  EXPECT_VAL(opDiv(Cy(1), I(4)), vtDouble, "0.25");
  EXPECT_EQ(opDiv(kNull, I(0)).vt, vtNull);
  EXPECT_EQ(errorOf([] { opDiv(I(1), I(0)); }), 11);
  EXPECT_EQ(errorOf([] { opDiv(I(0), I(0)); }), 6);
  EXPECT_EQ(errorOf([] { opDiv(kEmpty, kEmpty); }), 6);
  EXPECT_EQ(errorOf([] { opDiv(D(1e308), D(1e-10)); }), 6);
}

TEST(Arithmetic, IntegerDivisionAndModRoundHalfToEven) {
  EXPECT_VAL(opIntDiv(D(2.5), I(1)), vtLong, "2");
  EXPECT_VAL(opIntDiv(D(3.5), I(1)), vtLong, "4");
  EXPECT_VAL(opIntDiv(D(-2.5), I(1)), vtLong, "-2");
  EXPECT_VAL(opIntDiv(I(7), I(2)), vtInteger, "3");
  EXPECT_VAL(opIntDiv(I(-7), I(2)), vtInteger, "-3");
  EXPECT_VAL(opIntDiv(Y(7), Y(2)), vtByte, "3");
  EXPECT_VAL(opIntDiv(Y(7), I(2)), vtInteger, "3");
  EXPECT_VAL(opIntDiv(I(-32768), I(-1)), vtLong, "32768");
  EXPECT_VAL(opIntDiv(S("9"), I(2)), vtLong, "4");
  EXPECT_VAL(opMod(D(7.5), I(3)), vtLong, "2");  // 8 Mod 3
  EXPECT_VAL(opMod(D(6.5), I(4)), vtLong, "2");  // 6 Mod 4
  EXPECT_VAL(opMod(I(-7), I(3)), vtInteger, "-1");
  EXPECT_VAL(opMod(I(7), I(-3)), vtInteger, "1");
  EXPECT_VAL(opMod(L(-2147483647 - 1), L(-1)), vtLong, "0");
  EXPECT_VAL(opMod(B(true), I(2)), vtInteger, "-1");
  EXPECT_EQ(opMod(I(1), kNull).vt, vtNull);
  EXPECT_EQ(errorOf([] { opIntDiv(I(1), I(0)); }), 11);
  EXPECT_EQ(errorOf([] { opMod(I(1), D(0.4)); }), 11);
  EXPECT_EQ(errorOf([] { opIntDiv(kEmpty, kEmpty); }), 11);
  EXPECT_EQ(errorOf([] { opIntDiv(L(-2147483647 - 1), L(-1)); }), 6);
  EXPECT_EQ(errorOf([] { opMod(D(3e9), I(2)); }), 6);
}

TEST(Arithmetic, PowerNegationConcat) {
  EXPECT_VAL(opPow(I(2), I(10)), vtDouble, "1024");
  EXPECT_VAL(opPow(I(-8), I(3)), vtDouble, "-512");
  EXPECT_EQ(opPow(kNull, I(2)).vt, vtNull);
  EXPECT_EQ(errorOf([] { opPow(I(-8), D(1.0 / 3)); }), 5);
  EXPECT_EQ(errorOf([] { opPow(D(10), I(400)); }), 6);

  EXPECT_VAL(opNeg(I(-32768)), vtLong, "32768");
  EXPECT_VAL(opNeg(L(-2147483647 - 1)), vtDouble, "2147483648");
  EXPECT_VAL(opNeg(B(true)), vtInteger, "1");
  EXPECT_VAL(opNeg(Y(5)), vtInteger, "-5");
  EXPECT_VAL(opNeg(kEmpty), vtInteger, "0");
  EXPECT_VAL(opNeg(S("2.5")), vtDouble, "-2.5");
  EXPECT_VAL(opNeg(Cy(1.25)), vtCurrency, "-1.25");
  EXPECT_EQ(opNeg(kNull).vt, vtNull);
  EXPECT_EQ(errorOf([] { opNeg(S("x")); }), 13);

  EXPECT_VAL(opConcat(I(1), I(2)), vtString, "12");
  EXPECT_VAL(opConcat(kNull, S("a")), vtString, "a");
  EXPECT_VAL(opConcat(S("a"), kNull), vtString, "a");
  EXPECT_VAL(opConcat(kEmpty, kNull), vtString, "");
  EXPECT_EQ(opConcat(kNull, kNull).vt, vtNull);
  EXPECT_VAL(opConcat(B(true), D(0.5)), vtString, "True0.5");
  EXPECT_VAL(opConcat(S("x"), Variant::date(0.75)), vtString, "x6:00:00 PM");
}

TEST(Logic, ThreeValuedTables) {
  // Rows: a, b, then And Or Xor Eqv Imp; 'T' True, 'F' False, 'N' Null.
  struct Row { char a, b, r[5]; };
  const Row rows[] = {
      {'T', 'T', {'T', 'T', 'F', 'T', 'T'}}, {'T', 'F', {'F', 'T', 'T', 'F', 'F'}},
      {'F', 'T', {'F', 'T', 'T', 'F', 'T'}}, {'F', 'F', {'F', 'F', 'F', 'T', 'T'}},
      {'T', 'N', {'N', 'T', 'N', 'N', 'N'}}, {'F', 'N', {'F', 'N', 'N', 'N', 'T'}},
      {'N', 'T', {'N', 'T', 'N', 'N', 'T'}}, {'N', 'F', {'F', 'N', 'N', 'N', 'N'}},
      {'N', 'N', {'N', 'N', 'N', 'N', 'N'}},
  };
  Variant (*ops[5])(const Variant&, const Variant&) = {opAnd, opOr, opXor, opEqv, opImp};
  auto mk = [](char c) { return c == 'N' ? Variant::null() : Variant::boolean(c == 'T'); };
  for (const Row& row : rows) {
    for (int k = 0; k < 5; ++k) {
      Variant r = ops[k](mk(row.a), mk(row.b));
      char got = r.vt == vtNull ? 'N' : (r.vt == vtBoolean ? (r.b ? 'T' : 'F') : '?');
      EXPECT_EQ(got, row.r[k]) << row.a << " op" << k << " " << row.b;
    }
  }
  EXPECT_EQ(opNot(kNull).vt, vtNull);
  EXPECT_VAL(opNot(B(false)), vtBoolean, "True");
}

TEST(Logic, BitwiseOnNumbers) {
  EXPECT_VAL(opAnd(I(12), I(10)), vtInteger, "8");
  EXPECT_VAL(opOr(I(12), I(10)), vtInteger, "14");
  EXPECT_VAL(opXor(I(12), I(10)), vtInteger, "6");
  EXPECT_VAL(opEqv(I(12), I(10)), vtInteger, "-7");
  EXPECT_VAL(opImp(I(12), I(10)), vtInteger, "-5");
  EXPECT_VAL(opAnd(Y(12), Y(10)), vtByte, "8");
  EXPECT_VAL(opEqv(Y(12), Y(10)), vtByte, "249");
  EXPECT_VAL(opAnd(B(true), I(6)), vtInteger, "6");
  EXPECT_VAL(opOr(L(65536), I(1)), vtLong, "65537");
  EXPECT_VAL(opAnd(D(2.5), I(3)), vtLong, "2");
  EXPECT_VAL(opAnd(S("7"), I(3)), vtLong, "3");
  EXPECT_VAL(opNot(I(0)), vtInteger, "-1");
  EXPECT_VAL(opNot(kEmpty), vtInteger, "-1");
  EXPECT_VAL(opNot(Y(0)), vtByte, "255");
  EXPECT_VAL(opNot(D(1.5)), vtLong, "-3");
  // Null with numbers: known only when the other operand settles every bit.
  EXPECT_VAL(opAnd(kNull, I(0)), vtInteger, "0");
  EXPECT_EQ(opAnd(kNull, I(1)).vt, vtNull);
  EXPECT_VAL(opOr(I(-1), kNull), vtInteger, "-1");
  EXPECT_EQ(opOr(kNull, I(1)).vt, vtNull);
  EXPECT_VAL(opImp(I(0), kNull), vtInteger, "-1");
  EXPECT_EQ(errorOf([] { opAnd(D(3e9), I(1)); }), 6);
  EXPECT_EQ(errorOf([] { opOr(S("x"), I(1)); }), 13);
}

TEST(Compare, NumbersStringsAndEmpty) {
  EXPECT_EQ(compare(I(2), L(3)), -1);
  EXPECT_EQ(compare(D(2.0), I(2)), 0);
  EXPECT_EQ(compare(Cy(2.5), D(2.5)), 0);
  EXPECT_EQ(compare(Cy(3), I(2)), 1);
  EXPECT_EQ(compare(B(true), I(-1)), 0);
  EXPECT_EQ(compare(B(true), B(false)), -1);
  EXPECT_EQ(compare(Variant::date(37623), L(37623)), 0);
  EXPECT_EQ(compare(S("a"), S("b")), -1);
  EXPECT_EQ(compare(S("B"), S("a")), -1);  // binary: upper case first
  EXPECT_EQ(compare(S("B"), S("a"), false, false, true), 1);
  EXPECT_EQ(compare(S("ABC"), S("abc"), false, false, true), 0);
  EXPECT_EQ(compare(S("ab"), S("abc")), -1);
  EXPECT_EQ(compare(kEmpty, I(0)), 0);
  EXPECT_EQ(compare(kEmpty, I(-1)), 1);
  EXPECT_EQ(compare(kEmpty, S("")), 0);
  EXPECT_EQ(compare(S("a"), kEmpty), 1);
  EXPECT_EQ(compare(kEmpty, kEmpty), 0);
  EXPECT_EQ(compare(kNull, I(1)), 2);
  EXPECT_EQ(compare(S("a"), kNull), 2);
}

TEST(Compare, NumberAgainstStringAndLiterals) {
  // Two variables: numbers sort before strings, whatever the text.
  EXPECT_EQ(compare(I(10), S("5")), -1);
  EXPECT_EQ(compare(S("5"), I(10)), 1);
  EXPECT_EQ(compare(I(5), S("5")), -1);
  // A literal makes it numeric.
  EXPECT_EQ(compare(S("10"), I(9), false, true), 1);
  EXPECT_EQ(compare(I(5), S("5"), false, true), 0);
  // A literal string makes it textual: "1e1" against the text "10".
  EXPECT_EQ(compare(S("1e1"), D(10), true, false), 1);
  EXPECT_EQ(compare(I(2), S(""), false, true), 1);
  EXPECT_EQ(compare(S("true"), B(true), true, true), 1);
  EXPECT_EQ(compare(Variant::date(37623), S("1/2/2003"), false, true), 0);
  EXPECT_EQ(compare(B(true), S("True"), false, true), 0);
  EXPECT_EQ(errorOf([] { compare(S("abc"), I(1), false, true); }), 13);

  EXPECT_VAL(opCompare(CmpOp::Lt, I(1), I(2)), vtBoolean, "True");
  EXPECT_VAL(opCompare(CmpOp::Ge, I(1), I(2)), vtBoolean, "False");
  EXPECT_VAL(opCompare(CmpOp::Ne, S("a"), S("A")), vtBoolean, "True");
  EXPECT_VAL(opCompare(CmpOp::Eq, S("10"), I(10), false, true), vtBoolean, "True");
  EXPECT_EQ(opCompare(CmpOp::Eq, kNull, kNull).vt, vtNull);
}

TEST(Objects, DefaultValueAndIs) {
  auto* obj = new ValueObject(I(41));
  Variant o = Variant::object(obj);
  EXPECT_VAL(opAdd(o, I(1)), vtInteger, "42");
  EXPECT_EQ(obj->calls, 1);  // the default property is read once per use
  EXPECT_EQ(compare(o, I(41)), 0);
  EXPECT_EQ(toString(o), u"41");
  Variant ref = Variant::reference(&o);
  EXPECT_VAL(opMul(ref, I(2)), vtInteger, "82");

  Variant other = Variant::object(new ValueObject(I(41)));
  Variant nothing = Variant::object(nullptr);
  EXPECT_TRUE(opIs(o, ref));
  EXPECT_FALSE(opIs(o, other));
  EXPECT_TRUE(opIs(nothing, Variant::object(nullptr)));
  EXPECT_FALSE(opIs(o, nothing));
  EXPECT_EQ(errorOf([&] { opIs(o, I(1)); }), 424);
  EXPECT_EQ(errorOf([&] { opIs(kEmpty, nothing); }), 424);
  EXPECT_EQ(errorOf([&] { defaultValue(nothing); }), 91);
  EXPECT_EQ(errorOf([&] { toLong(nothing); }), 91);
}

TEST(Convert, WholeNumbers) {
  EXPECT_EQ(toInteger(D(2.5)), 2);
  EXPECT_EQ(toInteger(D(3.5)), 4);
  EXPECT_EQ(toInteger(D(-2.5)), -2);
  EXPECT_EQ(toInteger(D(-3.5)), -4);
  EXPECT_EQ(toInteger(D(2.5000001)), 3);
  EXPECT_EQ(toInteger(S(" 12 ")), 12);
  EXPECT_EQ(toInteger(S("&HFFFF")), -1);
  EXPECT_EQ(toLong(S("&HFFFFFFFF")), -1);
  EXPECT_EQ(toLong(S("&H10000")), 65536);
  EXPECT_EQ(toInteger(kEmpty), 0);
  EXPECT_EQ(toInteger(B(true)), -1);
  EXPECT_EQ(toLong(Cy(2.5)), 2);
  EXPECT_EQ(toLong(Cy(-3.5)), -4);
  EXPECT_EQ(toByte(D(255.4)), 255);
  EXPECT_EQ(errorOf([] { toByte(D(255.5)); }), 6);
  EXPECT_EQ(toByte(B(true)), 255);  // the Boolean's bits, not -1
  EXPECT_EQ(toByte(B(false)), 0);
  EXPECT_EQ(errorOf([] { toInteger(L(32768)); }), 6);
  EXPECT_EQ(errorOf([] { toLong(D(2147483647.5)); }), 6);
  EXPECT_EQ(errorOf([] { toInteger(kNull); }), 94);
  EXPECT_EQ(errorOf([] { toInteger(S("abc")); }), 13);
  EXPECT_EQ(errorOf([] { toLong(S("")); }), 13);
}

TEST(Convert, OtherSubtypes) {
  EXPECT_TRUE(toBool(S("tRUE")));
  EXPECT_FALSE(toBool(S("False")));
  EXPECT_TRUE(toBool(S("-0.5")));
  EXPECT_FALSE(toBool(D(0)));
  EXPECT_TRUE(toBool(Cy(0.0001)));
  EXPECT_FALSE(toBool(kEmpty));
  EXPECT_EQ(errorOf([] { toBool(S("yes")); }), 13);
  EXPECT_EQ(errorOf([] { toBool(kNull); }), 94);

  EXPECT_EQ(toCurrency(S("1.23456")), 12346);
  // Products round half to even at the fourth decimal.
  EXPECT_VAL(opMul(Cy(0.0001), Cy(0.5)), vtCurrency, "0");
  EXPECT_VAL(opMul(Cy(0.0003), Cy(0.5)), vtCurrency, "0.0002");
  EXPECT_VAL(opMul(Cy(-0.0003), Cy(0.5)), vtCurrency, "-0.0002");
  EXPECT_EQ(errorOf([] { toCurrency(D(1e16)); }), 6);
  EXPECT_EQ(errorOf([] { toSingle(D(1e39)); }), 6);
  EXPECT_DOUBLE_EQ(toDouble(S("1,000.5")), 1000.5);
  EXPECT_DOUBLE_EQ(toDouble(Variant::date(1.5)), 1.5);

  EXPECT_DOUBLE_EQ(toDate(S("1/2/2003")), 37623);
  EXPECT_DOUBLE_EQ(toDate(I(5)), 5);
  EXPECT_EQ(errorOf([] { toDate(S("hello")); }), 13);
  EXPECT_EQ(errorOf([] { toDate(D(3e6)); }), 6);
  EXPECT_EQ(errorOf([] { toDate(kNull); }), 94);

  Variant n = toNumeric(S("2.5"));
  EXPECT_EQ(n.vt, vtDouble);
  EXPECT_EQ(toNumeric(kEmpty).vt, vtInteger);
  EXPECT_EQ(toNumeric(B(true)).vt, vtBoolean);
  EXPECT_EQ(toNumeric(kNull).vt, vtNull);
  EXPECT_EQ(errorOf([] { toNumeric(S("2.5x")); }), 13);
}

TEST(Convert, TextForms) {
  EXPECT_EQ(u8(toString(B(true))), "True");
  EXPECT_EQ(u8(toString(I(-5))), "-5");
  EXPECT_EQ(u8(toString(Y(200))), "200");
  EXPECT_EQ(u8(toString(kEmpty)), "");
  EXPECT_EQ(u8(toString(Variant::missing())), "Error 448");
  EXPECT_EQ(u8(toText(kNull)), "");
  EXPECT_EQ(errorOf([] { toString(kNull); }), 94);

  const std::pair<double, const char*> doubles[] = {
      {0.1 + 0.2, "0.3"}, {1.0 / 3, "0.333333333333333"}, {1e20, "1E+20"}, {1.5e-7, "1.5E-07"},
      {123456789012345.0, "123456789012345"}, {1234567890123456.0, "1.23456789012346E+15"},
      {-0.0, "0"}, {0.0001, "0.0001"}, {0.00001, "1E-05"}, {-2.5, "-2.5"}, {1e100, "1E+100"},
      {1e-300, "1E-300"}, {1.0 / 36, "2.77777777777778E-02"}, {0.000244140625, "0.000244140625"},
      {0.0009765625, "0.0009765625"}, {1.0 / 65536, "1.52587890625E-05"}, {100, "100"}, {999999999999999.0, "999999999999999"}, {9.999999999999999e14, "1E+15"},
  };
  for (const auto& [d, want] : doubles) EXPECT_EQ(u8(formatDouble(d)), want) << d;
  EXPECT_EQ(u8(formatSingle(3.14159265f)), "3.141593");
  EXPECT_EQ(u8(formatSingle(0.1f)), "0.1");
  EXPECT_EQ(u8(formatSingle(12345678.f)), "1.234568E+07");
  EXPECT_EQ(u8(formatSingle(0.01401764f)), "1.401764E-02");
  EXPECT_EQ(u8(formatSingle(0.0140176f)), "0.0140176");
  EXPECT_EQ(u8(formatCurrency(125000)), "12.5");
  EXPECT_EQ(u8(formatCurrency(-1)), "-0.0001");
  EXPECT_EQ(u8(formatCurrency(12345670000)), "1234567");
  EXPECT_EQ(u8(formatCurrency(INT64_MIN)), "-922337203685477.5808");
}

TEST(Dates, Format) {
  const std::pair<double, const char*> dates[] = {
      {0, "12:00:00 AM"}, {37623, "1/2/2003"}, {37623.5, "1/2/2003 12:00:00 PM"}, {0.75, "6:00:00 PM"},
      {1, "12/31/1899"}, {-1, "12/29/1899"}, {-1.25, "12/29/1899 6:00:00 AM"}, {2, "1/1/1900"},
      {60, "2/28/1900"}, {61, "3/1/1900"}, {-657434, "1/1/100"}, {2958465.99998843, "12/31/9999 11:59:59 PM"},
      {36951.99999999, "3/2/2001"},  // rounds up to the next midnight
      {0.5 + 1.0 / 86400, "12:00:01 PM"},
  };
  for (const auto& [d, want] : dates) EXPECT_EQ(u8(formatDate(d)), want) << d;
  EXPECT_EQ(u8(toString(Variant::date(37623.25))), "1/2/2003 6:00:00 AM");
}

TEST(Dates, ParseForms) {
  struct Case { const char* in; double want; };
  const Case cases[] = {
      {"1/2/2003", 37623}, {"1-2-2003", 37623}, {"2003-01-02", 37623}, {"2003/1/2", 37623},
      {"January 2, 2003", 37623}, {"Jan 2 2003", 37623}, {"2 Jan 2003", 37623}, {"2-jan-2003", 37623},
      {"Thursday, January 2, 2003", 37623}, {"13/1/2003", 37634}, {"1/2/03", 37623},
      {"1/2/29", 47120}, {"1/2/30", 10960}, {"  1/2/2003  ", 37623},
      {"15:04", (15 * 60 + 4) / 1440.0}, {"3:04:05 PM", (15 * 3600 + 4 * 60 + 5) / 86400.0},
      {"3 PM", 0.625}, {"3:04 am", (3 * 60 + 4) / 1440.0}, {"12:00 AM", 0}, {"12:30 PM", 0.5 + 1.0 / 48},
      {"1/2/2003 3:04 PM", 37623 + (15 * 60 + 4) / 1440.0}, {"3 PM 1/2/2003", 37623.625},
      {"2/29/2004", 38046}, {"12/29/1899 6:00 AM", -1.25},
  };
  for (const Case& c : cases) {
    double d = -1e9;
    EXPECT_TRUE(parseDate(fromUtf8(c.in), d)) << c.in;
    EXPECT_NEAR(d, c.want, 1e-9) << c.in;
  }
  // Month and day alone: this year.
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  double d = 0;
  ASSERT_TRUE(parseDate(u"3/4", d));
  EXPECT_EQ(u8(formatDate(d)), "3/4/" + std::to_string(tm.tm_year + 1900));
  ASSERT_TRUE(parseDate(u"Mar 4", d));
  EXPECT_EQ(u8(formatDate(d)), "3/4/" + std::to_string(tm.tm_year + 1900));

  // What formatDate writes reads back.
  for (double v : {37623.0, 37623.75, -1.25, 0.5, 2958465.5}) {
    double back = 0;
    ASSERT_TRUE(parseDate(formatDate(v), back)) << v;
    EXPECT_NEAR(back, v, 1e-9);
  }
}

TEST(Dates, ParseRejects) {
  const char* bad[] = {"",       "hello",     "5",          "1/2/2003/4", "2/29/2003", "4/31/2003",
                       "13/13/2003", "1/2/",  "/1/2",       "25:00",      "3:60",      "13 PM",
                       "1/2/10000", "1//2/2003", "Jan Feb 2003", "1:2:3:4",  "1/2/2003 x", "PM",
                       "1.5",    "1/2/2003 3:04 PM 4:05", "0/1/2003", "1/0/2003"};
  for (const char* s : bad) {
    double d = 0;
    EXPECT_FALSE(parseDate(fromUtf8(s), d)) << s;
  }
}

TEST(Numbers, Parse) {
  struct Case { const char* in; double want; };
  const Case good[] = {
      {"42", 42}, {"  -3.5  ", -3.5}, {"+7", 7}, {".5", 0.5}, {"5.", 5}, {"1e3", 1000}, {"1.5E-2", 0.015},
      {"2D2", 200}, {"1,000", 1000}, {"1,234,567.25", 1234567.25}, {"&H1F", 31}, {"&hff", 255},
      {"&HFFFF", -1}, {"&H8000", -32768}, {"&H10000", 65536}, {"&HFFFFFFFF", -1}, {"&O17", 15},
      {"&O177777", -1}, {"000123", 123}, {"0.000", 0}, {"1e-400", 0}, {"\t12\n", 12},
      {"$5", 5}, {"-$1,000.50", -1000.5}, {"$-2", -2}, {"(5)", -5}, {"( $7.25 )", -7.25}, {"5-", -5}, {"3+", 3},
  };
  for (const Case& c : good) {
    double d = -999;
    EXPECT_TRUE(parseNumber(fromUtf8(c.in), d)) << c.in;
    EXPECT_DOUBLE_EQ(d, c.want) << c.in;
  }
  const char* bad[] = {"", " ", "abc", "1e", "1e+", "--1", "1.2.3", ",5", "5,", "1,,0", "&H", "&HG",
                       "&H100000000", "&O8", "1 2", "$", "1e400", ".", "-", "5x",
                       "(5", "-5-", "(-5)", "$$5", "5$", "()"};
  for (const char* s : bad) {
    double d = 0;
    EXPECT_FALSE(parseNumber(fromUtf8(s), d)) << s;
  }
  double d = 0;
  EXPECT_TRUE(parseNumber(u"0.1", d));
  EXPECT_EQ(d, 0.1);  // correctly rounded, not built up digit by digit
  // Only a well-formed number past the Double range counts as an overflow.
  bool overflow = false;
  EXPECT_FALSE(parseNumber(u"-1E400", d, &overflow));
  EXPECT_TRUE(overflow);
  EXPECT_FALSE(parseNumber(u"1E4x", d, &overflow));
  EXPECT_FALSE(overflow);
  EXPECT_TRUE(parseNumber(u"1E308", d, &overflow));
  EXPECT_FALSE(overflow);
  EXPECT_EQ(errorOf([] { numberOfText(u"1e400"); }), 6);
  EXPECT_EQ(errorOf([] { numberOfText(u"1e4oo"); }), 13);
  EXPECT_EQ(numberOfText(u" 2.5 "), 2.5);
  EXPECT_EQ(roundBankers(0.5), 0);
  EXPECT_EQ(roundBankers(1.5), 2);
  EXPECT_EQ(roundBankers(-1.5), -2);
  EXPECT_EQ(roundBankers(2.4999999), 2);
}

TEST(Case, FoldingAndMapping) {
  EXPECT_TRUE(equalsNoCase(u"HeLLo", u"hello"));
  EXPECT_FALSE(equalsNoCase(u"hello", u"hellp"));
  EXPECT_FALSE(equalsNoCase(u"a@", u"a`"));  // differ by the case bit but are not letters
  EXPECT_FALSE(equalsNoCase(u"abc", u"ab"));
  EXPECT_TRUE(equalsNoCase(u"ÄÖÜÉ", u"äöüé"));
  EXPECT_TRUE(equalsNoCase(u"ŁŻŹ", u"łżź"));
  EXPECT_TRUE(equalsNoCase(u"ΣΟΦΊΑ", u"σοφία"));
  EXPECT_TRUE(equalsNoCase(u"ς", u"Σ"));
  EXPECT_TRUE(equalsNoCase(u"МОСКВА Ёж", u"москва ёж"));
  EXPECT_FALSE(equalsNoCase(u"×", u"÷"));
  EXPECT_EQ(foldCase(u'Ÿ'), foldCase(u'ÿ'));
  EXPECT_EQ(toUpperCopy(u"straße ÿ ǆ"), u"STRAßE Ÿ Ǆ");
  EXPECT_EQ(toLowerCopy(u"ÀÞ ĲŇ ΆΏ ЀЯ Ա"), u"àþ ĳň άώ ѐя ա");
  EXPECT_EQ(toUpperCopy(u"àþ ĳň άώ ѐя ա"), u"ÀÞ ĲŇ ΆΏ ЀЯ Ա");
  EXPECT_EQ(toLowerCopy(u"ABC xyz 123"), u"abc xyz 123");
}
