// String building shares and extends buffers; these check that each form
// copies only a logarithmic number of times and that no value ever sees
// text another value appended.
#include <gtest/gtest.h>

#include <functional>

#include "ops.h"

using namespace pw;

namespace {

Variant S(const char* s) { return Variant::str(s); }
std::string u8(const Variant& v) { return toUtf8(v.strView()); }

// Runs step n times on s; returns how many times s moved to a new buffer.
int buffersUsed(Variant& s, int n, const std::function<void(Variant&, int)>& step) {
  int moves = 0;
  for (int i = 1; i <= n; ++i) {
    const StrRep* before = s.s;
    step(s, i);
    if (s.s != before) ++moves;
  }
  return moves;
}

constexpr int kN = 100000;

std::string repeated(const char* piece, int n) {
  std::string r;
  for (int i = 0; i < n; ++i) r += piece;
  return r;
}

TEST(StringBuilding, EveryFormCopiesLogarithmicallyOften) {
  const Variant piece = S("abcdefghij"), half1 = S("abcde"), half2 = S("fghij");
  const std::string want = repeated("abcdefghij", kN);
  struct Form {
    const char* name;
    std::function<void(Variant&, int)> step;
  } forms[] = {
      {"s & x", [&](Variant& s, int) { s = opConcat(s, piece); }},
      // The variable keeps its value while the chain runs, as on the VM's stack.
      {"s & x & y", [&](Variant& s, int) {
         Variant t = opConcat(s, half1);
         t = opConcat(t, half2);
         s = t;
       }},
      {"x & s", [&](Variant& s, int) {
         Variant held = s;
         s = opConcat(piece, held);
       }},
      {"s + x", [&](Variant& s, int) {
         Variant held = s;
         s = opAdd(held, piece);
       }},
  };
  for (const Form& f : forms) {
    Variant s = S("");
    int moves = buffersUsed(s, kN, f.step);
    EXPECT_LT(moves, 40) << f.name;
    EXPECT_EQ(u8(s), want) << f.name;
    // Room is at most half again the text.
    EXPECT_LE(s.s->cap, s.strLen() + s.strLen() / 2 + 1) << f.name;
  }
}

TEST(StringBuilding, NumbersJoinedInAChain) {
  Variant s = S("");
  std::string want;
  int moves = buffersUsed(s, kN, [](Variant& v, int i) {
    Variant t = opConcat(v, Variant::lng(i));
    v = opConcat(t, S(","));
  });
  for (int i = 1; i <= kN; ++i) want += std::to_string(i) + ",";
  EXPECT_LT(moves, 40);
  EXPECT_EQ(u8(s), want);
}

TEST(StringBuilding, CopiesSharingABufferKeepTheirOwnText) {
  Variant s = opConcat(opConcat(S("ab"), S("cd")), S("e"));
  Variant t = s;
  Variant sx = opConcat(s, S("x"));
  EXPECT_EQ(sx.s, s.s);  // grown in place, shared
  Variant ty = opConcat(t, S("y"));
  EXPECT_NE(ty.s, t.s);  // t no longer ends where the buffer does
  EXPECT_EQ(u8(s), "abcde");
  EXPECT_EQ(u8(t), "abcde");
  EXPECT_EQ(u8(sx), "abcdex");
  EXPECT_EQ(u8(ty), "abcdey");

  // Prepending shares the same way.
  Variant p = opConcat(S("c"), opConcat(S("b"), opConcat(S("a"), S("zz"))));
  Variant q = p;
  Variant px = opConcat(S("x"), p);
  Variant qy = opConcat(S("y"), q);
  EXPECT_EQ(u8(p), "cbazz");
  EXPECT_EQ(u8(px), "xcbazz");
  EXPECT_EQ(u8(qy), "ycbazz");
}

TEST(StringBuilding, RoomAnAbandonedJoinUsedIsReused) {
  Variant s = opConcat(opConcat(S("ab"), S("cd")), S("ef"));
  const StrRep* buf = s.s;
  { Variant gone = opConcat(s, S("zz")); }
  s = opConcat(s, S("q"));
  EXPECT_EQ(s.s, buf);
  EXPECT_EQ(u8(s), "abcdefq");
}

TEST(StringBuilding, OddByteStringsJoinByteWise) {
  Variant s = opConcat(opConcat(S("ab"), S("cd")), S("ef"));
  Variant odd = s;
  odd.aux |= 1;  // 11 bytes: the last unit's high byte is not part of it
  Variant r = opConcat(odd, S("g"));
  EXPECT_NE(r.s, s.s);
  EXPECT_EQ(u8(s), "abcdef");  // the shared buffer is left alone
  EXPECT_EQ(r.aux & 1, 1u);
  EXPECT_EQ(r.strView(), u16(u"abcde\x6766") + char16_t(0));
  Variant back = opConcat(S("g"), odd);
  EXPECT_EQ(back.aux & 1, 1u);
  EXPECT_EQ(u8(back), "gabcdef");
  // Two odd halves make an even whole.
  Variant h = S("A");
  h.aux |= 1;
  Variant two = opConcat(h, h);
  EXPECT_EQ(two.aux & 1, 0u);
  EXPECT_EQ(two.strView(), u16(u"\x4141"));
  // An empty side gives the odd string unchanged.
  EXPECT_EQ(opConcat(odd, S("")).aux & 1, 1u);
}

}  // namespace
