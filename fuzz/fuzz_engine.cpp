// libFuzzer target: any bytes as a script through the script control, with a
// WScript object whose console discards output. Like the window, one control
// serves every run and is Reset in between; runs have a short time-out and
// only the objects that are safe for scripting, so a script cannot touch the
// file system or start programs. A run must end (error or not) and leave the
// control able to run code again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine.h"
#include "script_control.h"
#include "textcodec.h"
#include "wscript_core.h"

namespace {

using pw::u16;
using pw::u16v;

constexpr int32_t kTimeoutMs = 200;
constexpr size_t kOutputLimit = 1 << 22;  // characters a script may write before it is stopped

class DiscardConsole final : public pw::WScriptConsole {
 public:
  explicit DiscardConsole(pw::ConsoleKind k) : kind_(k) {}
  pw::ConsoleKind kind() const override { return kind_; }
  void write(u16v text, bool) override {
    written_ += text.size();
    if (written_ > kOutputLimit) pw::raise(61, u"FuzzConsole", u"Output limit reached");
  }
  std::optional<u16> readLine() override {
    if (lines_ >= 3) return std::nullopt;
    ++lines_;
    return u16(u"input line");
  }
  bool readInput(u16& buf) override {
    if (lines_ >= 3) return false;
    ++lines_;
    buf += u"input line\r\nrest of ";
    return true;
  }
  void sleep(int32_t) override {}
  void quit(int32_t) override { pw::raise(51); }
  u16 scriptName() override { return u"fuzz.vbs"; }
  u16 scriptFullName() override { return u"/fuzz/fuzz.vbs"; }
  u16 programPath() override { return u"/fuzz"; }
  u16 programName() override { return u"pallweave"; }

 private:
  pw::ConsoleKind kind_;
  size_t written_ = 0;
  int lines_ = 0;
};

class QuietHost final : public pw::ScriptHost {
 public:
  int msgBox(u16v, int, u16v) override { return 1; }
  std::optional<u16> inputBox(u16v, u16v, u16v d) override { return u16(d); }
  bool askStopOnTimeout() override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  u16 text = pw::decodeText(std::string_view(reinterpret_cast<const char*>(data), size));
  // Both consoles the program has: the command line's streams and the window's.
  DiscardConsole console(size % 2 ? pw::ConsoleKind::Window : pw::ConsoleKind::Stream);
  static QuietHost host;
  static pw::ScriptControl sc;
  sc.Reset();
  sc.SetHost(&host);
  sc.AllowUI(true);
  sc.UseSafeSubset(true);
  sc.Timeout(kTimeoutMs);
  pw::Ref<pw::Object> ws(pw::newWScriptSim(console, sc));
  sc.AddObject(u"WScript", ws.get(), false);
  sc.AddCode(text);
  // A run leaves no frame behind and no value on the VM stack, where the next
  // run's locals would start out holding it.
  if (!sc.engine().frames.empty() || sc.engine().staleStackSlots() != 0) std::abort();
  sc.Reset();
  sc.AddObject(u"WScript", ws.get(), false);
  if (!sc.AddCode(u"Dim z\r\nz = 1 + 1\r\nIf z <> 2 Then Err.Raise 5\r\n")) std::abort();
  sc.Reset();  // drops the WScript object before its console goes
  return 0;
}
