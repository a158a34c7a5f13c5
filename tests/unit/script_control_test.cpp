// The script control's contract with its hosts: the error event, the error
// object's fields, host objects, Reset and the time-out.
#include <gtest/gtest.h>

#include <chrono>

#include "script_control.h"

using pw::u16;

namespace {

// A host object with one method that records its argument and one that
// raises a host error.
class Probe final : public pw::Object {
 public:
  int32_t getIdOfName(pw::u16v name) override {
    if (name == u"Put" || name == u"put") return 1;
    if (name == u"Fail") return 2;
    return pw::DISPID_UNKNOWN;
  }
  pw::Variant invoke(int32_t id, pw::InvokeKind, pw::Args a) override {
    if (id == 1) {
      ++calls;
      last = a.size() ? a[0] : pw::Variant();
      return pw::Variant();
    }
    pw::raise(51, u"Probe", u"");
  }
  u16 typeName() const override { return u"Probe"; }
  int calls = 0;
  pw::Variant last;
};

struct Fixture : ::testing::Test {
  pw::ScriptControl sc;
  pw::Ref<Probe> probe{new Probe};
  int events = 0;
  int32_t numberAtEvent = 0;
  void SetUp() override {
    sc.OnError = [this] {
      ++events;
      numberAtEvent = sc.Error().Number;
    };
    sc.AddObject(u"Probe", probe.get(), false);
  }
};

TEST_F(Fixture, SyntaxErrorCarriesLineColumnAndText) {
  EXPECT_FALSE(sc.AddCode(u"x = 1\r\n\tIf x Then\r\ny = 1 2\r\n"));
  EXPECT_EQ(events, 1);
  EXPECT_EQ(numberAtEvent, 1025);
  EXPECT_EQ(sc.Error().Line, 3);
  EXPECT_EQ(sc.Error().Column, 6);
  EXPECT_EQ(sc.Error().Text, u"y = 1 2");
  EXPECT_EQ(sc.Error().Description, u"Expected end of statement");
  EXPECT_EQ(probe->calls, 0);  // nothing ran
}

// Check: parse and compile only. Nothing runs, not even a class's or a
// procedure's body, and a later AddCode runs as usual.
TEST_F(Fixture, CheckCompilesWithoutRunning) {
  EXPECT_TRUE(sc.Check(u"Probe.Put 1\r\nSub S : Probe.Put 2 : End Sub\r\nS\r\nx = 1 / 0\r\n"));
  EXPECT_EQ(probe->calls, 0);
  EXPECT_EQ(events, 0);
  EXPECT_EQ(sc.Error().Number, 0);
  EXPECT_TRUE(sc.AddCode(u"Probe.Put 3"));
  EXPECT_EQ(probe->calls, 1);
}

TEST_F(Fixture, CheckReportsSyntaxAndCompileErrors) {
  EXPECT_FALSE(sc.Check(u"Probe.Put 1\r\nIf x Then\r\n  y = (1 +\r\nEnd If\r\n"));
  EXPECT_EQ(events, 1);
  EXPECT_EQ(sc.Error().Line, 3);
  EXPECT_EQ(sc.Error().Text, u"  y = (1 +");
  EXPECT_FALSE(sc.Check(u"Probe.Put 1\r\nExit Function\r\n"));  // found by the compiler, not the parser
  EXPECT_EQ(sc.Error().Line, 2);
  EXPECT_EQ(probe->calls, 0);
  EXPECT_TRUE(sc.Check(u"Probe.Put 1"));  // a passing check clears the error
  EXPECT_EQ(sc.Error().Number, 0);
}

TEST_F(Fixture, RuntimeErrorHasLineAndNoText) {
  EXPECT_FALSE(sc.AddCode(u"Probe.Put 1\n\n  x = 1 / 0\nProbe.Put 2\n"));
  EXPECT_EQ(events, 1);
  EXPECT_EQ(sc.Error().Number, 11);
  EXPECT_EQ(sc.Error().Line, 3);
  EXPECT_EQ(sc.Error().Column, 2);
  EXPECT_TRUE(sc.Error().Text.empty());
  EXPECT_EQ(probe->calls, 1);
  sc.Error().Clear();
  EXPECT_EQ(sc.Error().Number, 0);
  EXPECT_EQ(sc.Error().Line, 0);
}

TEST_F(Fixture, HostErrorsCanBeTrappedOrStopTheScript) {
  EXPECT_TRUE(sc.AddCode(u"On Error Resume Next\nProbe.Fail\nProbe.Put Err.Number\n"));
  EXPECT_EQ(probe->last.l, 51);
  EXPECT_FALSE(sc.AddCode(u"Probe.Fail\nProbe.Put 0\n"));
  EXPECT_EQ(sc.Error().Number, 51);
  EXPECT_EQ(sc.Error().Source, u"Probe");
  EXPECT_EQ(sc.Error().Line, 1);
}

TEST_F(Fixture, ResetDropsObjectsAndCode) {
  ASSERT_TRUE(sc.AddCode(u"Dim kept: kept = 5\nSub S: Probe.Put kept: End Sub\nS\n"));
  EXPECT_EQ(probe->last.i, 5);
  sc.Reset();
  EXPECT_FALSE(sc.AddCode(u"Option Explicit\nProbe.Put 1\n"));
  EXPECT_EQ(sc.Error().Number, 500);  // Probe is gone
  sc.Reset();
  sc.AddObject(u"Probe", probe.get(), false);
  EXPECT_FALSE(sc.AddCode(u"S\n"));
  EXPECT_EQ(sc.Error().Number, 35);  // and so is S
}

TEST_F(Fixture, TimeoutStopsALoopThatCallsNothing) {
  sc.Timeout(300);
  auto t0 = std::chrono::steady_clock::now();
  EXPECT_FALSE(sc.AddCode(u"On Error Resume Next\nDo\nLoop\n"));
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
  EXPECT_EQ(sc.Error().Number, pw::kTimeoutError);
  EXPECT_EQ(sc.Error().Line, 2);  // the Do statement
  EXPECT_GE(ms, 290);
  EXPECT_LT(ms, 3000);
  // The control is usable again afterwards.
  sc.Timeout(-1);
  EXPECT_TRUE(sc.AddCode(u"Probe.Put 7\n"));
  EXPECT_EQ(probe->last.i, 7);
}

TEST_F(Fixture, DeepRecursionIsOutOfStackSpace) {
  EXPECT_FALSE(sc.AddCode(u"Function F(n)\nF = F(n + 1)\nEnd Function\nF 1\n"));
  EXPECT_EQ(sc.Error().Number, 28);
  EXPECT_EQ(sc.Error().Line, 2);
}

}  // namespace
