// Hostile and huge scripts: each must end in a script error (or work), never
// crash the host, and leave the control able to run the next script.
#include <gtest/gtest.h>
#include <pthread.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "engine.h"
#include "script_control.h"
#include "sink.h"
#include "textcodec.h"

using pw::u16;

namespace {

u16 repeat(const u16& s, size_t n) {
  u16 out;
  out.reserve(s.size() * n);
  for (size_t i = 0; i < n; ++i) out += s;
  return out;
}

// Runs fn on a thread with the given stack size, as a host with a small
// worker stack would.
void onThreadWithStack(size_t bytes, std::function<void()> fn) {
  pthread_attr_t attr;
  ASSERT_EQ(pthread_attr_init(&attr), 0);
  ASSERT_EQ(pthread_attr_setstacksize(&attr, bytes), 0);
  pthread_t t;
  auto body = [](void* p) -> void* {
    (*static_cast<std::function<void()>*>(p))();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&t, &attr, body, &fn), 0);
  pthread_join(t, nullptr);
  pthread_attr_destroy(&attr);
}

// The control still runs a plain script after whatever came before.
void expectUsable(pw::ScriptControl& sc) {
  sc.Reset();
  EXPECT_TRUE(sc.AddCode(u"Dim z\nz = 6 * 7\nIf z <> 42 Then Err.Raise 5\n"));
}

TEST(Hardening, RecursionIsOutOfStackSpaceAtAnyThreadStackSize) {
  for (size_t kb : {160, 1024, 8192}) {
    onThreadWithStack(kb << 10, [kb] {
      pw::ScriptControl sc;
      EXPECT_FALSE(sc.AddCode(u"Function F(n)\nF = F(n + 1)\nEnd Function\nF 1\n")) << kb << " KB";
      EXPECT_EQ(sc.Error().Number, 28) << kb << " KB";
      EXPECT_EQ(sc.Error().Description, u"Out of stack space");
      // A property Get and a class's method recurse through other paths.
      sc.Reset();
      EXPECT_FALSE(sc.AddCode(u"Class C\nProperty Get P\nP = Me.P\nEnd Property\nEnd Class\n"
                              u"Set o = New C\nx = o.P\n"));
      EXPECT_EQ(sc.Error().Number, 28) << kb << " KB";
      expectUsable(sc);
    });
  }
}

TEST(Hardening, DeepSourceNestingIsASyntaxError) {
  const u16 parens = u"x = " + repeat(u"(", 200000) + u"1" + repeat(u")", 200000) + u"\n";
  const u16 ifs = repeat(u"If True Then\n", 100000) + repeat(u"End If\n", 100000);
  const u16 calls = u"x = " + repeat(u"Abs(", 100000) + u"1" + repeat(u")", 100000) + u"\n";
  const u16 negs = u"x = " + repeat(u"-", 200000) + u"1\n";
  for (size_t kb : {160, 8192}) {
    onThreadWithStack(kb << 10, [&] {
      pw::ScriptControl sc;
      for (const u16* src : {&parens, &ifs, &calls, &negs}) {
        sc.Reset();
        EXPECT_FALSE(sc.AddCode(*src)) << kb << " KB";
        // 1001 once the nesting is too deep for this thread.
        EXPECT_GE(sc.Error().Number, 1000) << kb << " KB";
        EXPECT_LT(sc.Error().Number, 1100) << kb << " KB";
      }
      expectUsable(sc);
    });
  }
}

TEST(Hardening, LongFlatChainsCompileAndRun) {
  // Operators of one level and member chains lean one way as deep as they
  // are long; they are not nesting the user wrote and must work.
  pw::ScriptControl sc;
  ASSERT_TRUE(sc.AddCode(u"x = 0" + repeat(u" + 1", 300000) + u"\ns = \"\"" + repeat(u" & \"a\"", 100000) +
                         u"\nIf x <> 300000 Or Len(s) <> 100000 Then Err.Raise 5\n"))
      << std::string(sc.Error().Description.begin(), sc.Error().Description.end());
  // A very long member chain on an object: a run-time error, not a crash.
  sc.Reset();
  EXPECT_FALSE(sc.AddCode(u"Set d = CreateObject(\"Scripting.Dictionary\")\nx = d" + repeat(u".Count", 100000) + u"\n"));
  EXPECT_NE(sc.Error().Number, 0);
  expectUsable(sc);
}

TEST(Hardening, TenMegabyteScriptParsesAndRuns) {
  // A million short statements: the lexer and parser keep memory flat.
  u16 src = u"Dim x\n" + repeat(u"x = x + 1\n", 1100000) + u"If x <> 1100000 Then Err.Raise 5\n";
  ASSERT_GT(src.size(), 10u << 20);
  pw::ScriptControl sc;
  EXPECT_TRUE(sc.AddCode(src)) << std::string(sc.Error().Description.begin(), sc.Error().Description.end());
}

TEST(Hardening, HugeStringsAndArraysWorkOrRunOutOfMemory) {
  pw::ScriptControl sc;
  // 100 MB of text (50 million UTF-16 characters), then doubled.
  bool ok = sc.AddCode(u"s = Space(50000000)\nIf Len(s) <> 50000000 Then Err.Raise 5\ns = s & s\n"
                       u"If Len(s) <> 100000000 Then Err.Raise 5\ns = Empty\n");
  if (!ok) {
    EXPECT_EQ(sc.Error().Number, 7);
  }
  sc.Reset();
  ok = sc.AddCode(u"ReDim a(9999999)\na(9999999) = 5\nIf a(9999999) + UBound(a) <> 10000004 Then Err.Raise 5\n"
                  u"ReDim Preserve a(10000000)\nIf a(9999999) <> 5 Then Err.Raise 5\n");
  if (!ok) {
    EXPECT_EQ(sc.Error().Number, 7);
  }
  // Far beyond any machine: error 7 (or the language's own limits), no crash.
  sc.Reset();
  EXPECT_FALSE(sc.AddCode(u"ReDim a(2000000000, 2000000000)\n"));
  EXPECT_TRUE(sc.Error().Number == 7 || sc.Error().Number == 6) << sc.Error().Number;
  sc.Reset();
  EXPECT_FALSE(sc.AddCode(u"s = Space(2147483647)\n"));
  EXPECT_TRUE(sc.Error().Number == 7 || sc.Error().Number == 14) << sc.Error().Number;  // 14: out of string space
  expectUsable(sc);
}

TEST(Hardening, DeeplyNestedValuesAreFreedWithoutDeepRecursion) {
  onThreadWithStack(256 << 10, [] {
    pw::ScriptControl sc;
    // An array inside an array a million deep, and a million-long chain of
    // objects: dropping the outermost frees them all.
    EXPECT_TRUE(sc.AddCode(u"a = Array()\nFor i = 1 To 1000000\na = Array(a)\nNext\na = Empty\n"
                           u"Class N\nPublic nx\nEnd Class\nSet h = Nothing\n"
                           u"For i = 1 To 1000000\nSet n = New N\nSet n.nx = h\nSet h = n\nNext\n"
                           u"Set n = Nothing\nSet h = Nothing\n"))
        << std::string(sc.Error().Description.begin(), sc.Error().Description.end());
    // Left for Reset to free.
    EXPECT_TRUE(sc.AddCode(u"b = Array()\nFor i = 1 To 500000\nb = Array(b)\nNext\n"));
    expectUsable(sc);
  });
}

// Counts its own destruction: whatever still holds it has been freed.
class Watched final : public pw::Object {
 public:
  explicit Watched(int& freed) : freed_(freed) {}
  ~Watched() override { ++freed_; }
  int32_t getIdOfName(pw::u16v) override { return pw::DISPID_UNKNOWN; }
  pw::Variant invoke(int32_t, pw::InvokeKind, pw::Args) override { return {}; }
  pw::u16 typeName() const override { return u"Watched"; }

 private:
  int& freed_;
};

TEST(Hardening, ObjectsHoldingEachOtherAreFreedWhenTheScriptEnds) {
  // A ring of instances never terminates while the script runs (as on
  // Windows), but the host that runs script after script must get it back;
  // so too rings through Dictionaries and ArrayLists.
  const char16_t* ring =
      u"Class N\nPublic other, held\nSub Class_Terminate : Out.Put \"terminated\" : End Sub\nEnd Class\n"
      u"Set a = New N : Set b = New N : Set c = New N\n"
      u"Set a.other = b : Set b.other = c : Set c.other = a\n"
      u"Set b.held = watched : Set a = Nothing : Set b = Nothing : Set c = Nothing\n"
      // A Dictionary holding itself, and one in a ring with an ArrayList.
      u"Set d = CreateObject(\"Scripting.Dictionary\") : d.Add \"me\", d : d.Add \"w\", watched\n"
      u"Set e = CreateObject(\"Scripting.Dictionary\") : Set l = CreateObject(\"System.Collections.ArrayList\")\n"
      u"e.Add 1, l : l.Add e : l.Add watched : Set d = Nothing : Set e = Nothing : Set l = Nothing\n";
  int freed = 0;
  {
    pw::ScriptControl sc;
    pw::Ref<pwtest::Sink> out(new pwtest::Sink);
    sc.AddObject(u"Out", out.get(), false);
    sc.AddObject(u"watched", new Watched(freed), false);
    ASSERT_TRUE(sc.AddCode(ring));
    sc.Reset();
    EXPECT_EQ(freed, 1);
    EXPECT_TRUE(out->values.empty());
    sc.AddObject(u"Out", out.get(), false);
    sc.AddObject(u"watched", new Watched(freed), false);
    ASSERT_TRUE(sc.AddCode(ring));
  }
  EXPECT_EQ(freed, 2);
}

TEST(Hardening, TimeoutEndsAnEndlessLoopWithinATenthOfItsTime) {
  pw::ScriptControl sc;
  for (const char16_t* loop : {u"Do\nLoop\n", u"While True\nWend\n", u"For i = 1 To 2\ni = 1\nNext\n"}) {
    sc.Reset();
    sc.Timeout(1000);
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(sc.AddCode(loop));
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_EQ(sc.Error().Number, pw::kTimeoutError);
    EXPECT_GE(ms, 1000);
    EXPECT_LE(ms, 1100);
  }
  // Stopped between a call's arguments and its first statement: nothing of
  // the run may stay on the stack.
  sc.Reset();
  sc.Timeout(50);
  EXPECT_FALSE(sc.AddCode(u"Class C\nPublic Sub Add(n)\nEnd Sub\nEnd Class\nSet c = New C\n"
                          u"For i = 1 To 100000000\nc.Add i\nNext\n"));
  EXPECT_EQ(sc.Error().Number, pw::kTimeoutError);
  EXPECT_EQ(sc.engine().staleStackSlots(), 0u);
  sc.Timeout(-1);
  expectUsable(sc);
}

// A run stopped while array elements are bound ByRef (and an Execute has
// added locals) leaves no lock behind: the next script may resize the array.
TEST(Hardening, TimeOutReleasesElementLocks) {
  pw::ScriptControl sc;
  sc.Timeout(100);
  EXPECT_FALSE(sc.AddCode(u"Dim a : a = Array(Array(1, 2), 3)\n"
                          u"Sub Spin(x, y)\nExecute \"Dim made : made = 1\"\nDo\nx = x + made\nLoop\nEnd Sub\n"
                          u"Spin a(0)(1), a(1)\n"));
  EXPECT_EQ(sc.Error().Number, pw::kTimeoutError);
  EXPECT_EQ(sc.engine().elementLocks(), 0u);
  EXPECT_TRUE(sc.engine().frames.empty());
  EXPECT_EQ(sc.engine().staleStackSlots(), 0u);
  sc.Timeout(-1);
  EXPECT_TRUE(sc.AddCode(u"ReDim Preserve a(5)\nIf UBound(a) <> 5 Then Err.Raise 5\n"));
  expectUsable(sc);
}

// Inputs the fuzzer found, kept so that each stays fixed.
TEST(Hardening, FuzzRegressionsEndCleanly) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(PALLWEAVE_SOURCE_DIR) / "tests" / "fuzz_regressions";
  int n = 0;
  pw::ScriptControl sc;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() != ".vbs") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    sc.Reset();
    sc.UseSafeSubset(true);
    sc.Timeout(2000);
    sc.AddCode(pw::decodeText(bytes.str()));
    EXPECT_TRUE(sc.engine().frames.empty()) << entry.path();
    EXPECT_EQ(sc.engine().staleStackSlots(), 0u) << entry.path();
    sc.Timeout(-1);
    expectUsable(sc);
    ++n;
  }
  EXPECT_GT(n, 0);
}

}  // namespace
