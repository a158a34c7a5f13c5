// The UI functions and object creation as a host sees them through the
// script control: MsgBox and InputBox reach the ScriptHost, AllowUI and
// UseSafeSubset change what scripts may do.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "script_control.h"
#include "sink.h"

using pw::u16;
using pw::u16v;

namespace {

class RecordingHost final : public pw::ScriptHost {
 public:
  int msgBox(u16v prompt, int buttons, u16v title) override {
    calls.push_back({u16(prompt), buttons, u16(title), u16()});
    return button;
  }
  std::optional<u16> inputBox(u16v prompt, u16v title, u16v defaultText) override {
    calls.push_back({u16(prompt), 0, u16(title), u16(defaultText)});
    return answer;
  }
  struct Call {
    u16 prompt;
    int buttons;
    u16 title;
    u16 defaultText;
  };
  std::vector<Call> calls;
  int button = 1;
  std::optional<u16> answer;
};

using pwtest::Sink;

struct HostTest : ::testing::Test {
  pw::ScriptControl sc;
  RecordingHost host;
  pw::Ref<Sink> out{new Sink};
  void SetUp() override {
    sc.SetHost(&host);
    sc.AddObject(u"Out", out.get(), false);
  }
  u16 text(size_t i) const { return u16(out->values.at(i).strView()); }
  int32_t number(size_t i) const {
    const pw::Variant& v = out->values.at(i);
    return v.vt == pw::vtInteger ? v.i : v.vt == pw::vtLong ? v.l : -999999;
  }
};

TEST_F(HostTest, MsgBoxPassesItsArgumentsAndReturnsTheButton) {
  host.button = 6;  // vbYes
  ASSERT_TRUE(sc.AddCode(u"Out.Put MsgBox(\"Proceed?\", vbYesNo + vbQuestion, \"Setup\")\r\n"
                         u"Out.Put TypeName(MsgBox(\"x\"))\r\n"
                         u"MsgBox 42\r\n"));
  ASSERT_EQ(host.calls.size(), 3u);
  EXPECT_EQ(host.calls[0].prompt, u"Proceed?");
  EXPECT_EQ(host.calls[0].buttons, 4 + 32);
  EXPECT_EQ(host.calls[0].title, u"Setup");
  EXPECT_EQ(number(0), 6);
  EXPECT_EQ(text(1), u"Integer");
  EXPECT_EQ(host.calls[1].buttons, 0);      // vbOKOnly when omitted
  EXPECT_EQ(host.calls[1].title, u"VBScript");
  EXPECT_EQ(host.calls[2].prompt, u"42");  // any value shows as its text
}

TEST_F(HostTest, InputBoxReturnsTheTextOrEmptyWhenCancelled) {
  host.answer = u16(u"typed");
  ASSERT_TRUE(sc.AddCode(u"Out.Put InputBox(\"Name?\", \"Ask\", \"guess\")\r\n"));
  host.answer.reset();
  ASSERT_TRUE(sc.AddCode(u"r = InputBox(\"Again?\")\r\nOut.Put TypeName(r) & \"/\" & Len(r)\r\n"));
  ASSERT_EQ(host.calls.size(), 2u);
  EXPECT_EQ(host.calls[0].prompt, u"Name?");
  EXPECT_EQ(host.calls[0].title, u"Ask");
  EXPECT_EQ(host.calls[0].defaultText, u"guess");
  EXPECT_EQ(text(0), u"typed");
  EXPECT_EQ(host.calls[1].defaultText, u"");
  EXPECT_EQ(text(1), u"String/0");
}

TEST_F(HostTest, WithoutUIBothRaisePermissionDenied) {
  sc.AllowUI(false);
  EXPECT_FALSE(sc.AllowUI());
  EXPECT_FALSE(sc.AddCode(u"MsgBox \"hidden\"\r\n"));
  EXPECT_EQ(sc.Error().Number, 70);
  EXPECT_EQ(sc.Error().Description, u"Permission denied");
  ASSERT_TRUE(sc.AddCode(u"On Error Resume Next\r\nx = InputBox(\"hidden\")\r\nOut.Put Err.Number\r\n"));
  EXPECT_EQ(number(0), 70);
  EXPECT_TRUE(host.calls.empty());
  sc.AllowUI(true);
  EXPECT_TRUE(sc.AddCode(u"MsgBox \"shown\"\r\n"));
  EXPECT_EQ(host.calls.size(), 1u);
}

TEST_F(HostTest, SafeSubsetRefusesUnsafeObjectsOnly) {
  const char16_t* probe =
      u"On Error Resume Next\r\n"
      u"Set o = CreateObject(\"Scripting.FileSystemObject\")\r\nOut.Put Err.Number\r\nErr.Clear\r\n"
      u"Set o = CreateObject(\"scripting.dictionary\")\r\nOut.Put Err.Number\r\nErr.Clear\r\n"
      u"Set o = CreateObject(\"VBScript.RegExp\")\r\nOut.Put Err.Number\r\nErr.Clear\r\n"
      u"Set o = CreateObject(\"WScript.Shell\")\r\nOut.Put Err.Number\r\nErr.Clear\r\n";
  sc.UseSafeSubset(true);
  EXPECT_TRUE(sc.UseSafeSubset());
  ASSERT_TRUE(sc.AddCode(probe));
  EXPECT_EQ(number(0), 429);
  EXPECT_EQ(number(1), 0);
  EXPECT_EQ(number(2), 0);
  EXPECT_EQ(number(3), 429);
  sc.UseSafeSubset(false);
  ASSERT_TRUE(sc.AddCode(probe));
  EXPECT_EQ(number(4), 0);
  EXPECT_EQ(number(7), 0);
}

TEST_F(HostTest, UnknownProgIdAndGetObject) {
  EXPECT_FALSE(sc.AddCode(u"Set o = CreateObject(\"No.Such.Thing\")\r\n"));
  EXPECT_EQ(sc.Error().Number, 429);
  EXPECT_EQ(sc.Error().Description, u"ActiveX component can't create object");
  ASSERT_TRUE(sc.AddCode(u"Set d = GetObject(, \"Scripting.Dictionary\")\r\n"
                         u"d.Add \"k\", 1\r\nOut.Put TypeName(d) & d.Count\r\n"));
  EXPECT_EQ(text(0), u"Dictionary1");
  ASSERT_TRUE(sc.AddCode(u"Out.Put TypeName(CreateObject(\"Scripting.Dictionary\", \"localhost\"))\r\n"));
  EXPECT_EQ(text(1), u"Dictionary");
  EXPECT_FALSE(sc.AddCode(u"Set r = CreateObject(\"Scripting.Dictionary\", \"far.away.example\")\r\n"));
  EXPECT_EQ(sc.Error().Number, 429);
  sc.UseSafeSubset(true);
  EXPECT_FALSE(sc.AddCode(u"Set f = GetObject(, \"Scripting.FileSystemObject\")\r\n"));
  EXPECT_EQ(sc.Error().Number, 429);
  // The host-side CreateObject follows the same rule.
  EXPECT_THROW(sc.CreateObject(u"Scripting.FileSystemObject"), pw::ScriptError);
  EXPECT_TRUE(sc.CreateObject(u"Scripting.Dictionary").isObject());
}

TEST_F(HostTest, ShellPopupGoesThroughTheHost) {
  host.button = 7;  // vbNo
  ASSERT_TRUE(sc.AddCode(u"Set sh = CreateObject(\"WScript.Shell\")\r\n"
                         u"Out.Put sh.Popup(\"Hi\", 5, \"Title\", vbYesNo)\r\n"
                         u"Out.Put sh.Popup(\"x\")\r\n"));
  ASSERT_EQ(host.calls.size(), 2u);
  EXPECT_EQ(host.calls[0].prompt, u"Hi");
  EXPECT_EQ(host.calls[0].buttons, 4);
  EXPECT_EQ(host.calls[0].title, u"Title");
  EXPECT_EQ(number(0), 7);
  EXPECT_EQ(host.calls[1].title, u"Windows Script Host");
  sc.AllowUI(false);
  EXPECT_FALSE(sc.AddCode(u"sh.Popup \"hidden\"\r\n"));
  EXPECT_EQ(sc.Error().Number, 70);
  EXPECT_EQ(host.calls.size(), 2u);
}

}  // namespace
