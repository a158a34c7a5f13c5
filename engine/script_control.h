// The engine's public face: a script control in the manner of the Windows
// Script Control. Hosts add objects, hand over code and read the error object.
//
// Threading: everything runs on the caller's thread; AddCode returns when the
// script has ended.
//
// Timeout (milliseconds):
//   > 0  the script is stopped when it has run that long. With AllowUI on, the
//        host is first asked (ScriptHost::askStopOnTimeout); if it says continue,
//        the clock starts again.
//   -1   no limit.
//    0   hang detection: the script is stopped (as for a time-out) only when it
//        has run for kHangMs milliseconds without calling any host object; a
//        script that keeps talking to its host (WScript.Echo, Sleep, ...) runs
//        as long as it likes.
// A time-out is reported as a run-time error at the current line with the
// number kTimeoutError and the text "Script timed out".
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "variant.h"

namespace pw {

class Engine;

constexpr int32_t kTimeoutError = static_cast<int32_t>(0x80004004u);  // E_ABORT
constexpr int32_t kHangMs = 30000;

// What the engine needs from its host for user interface and message pumping.
class ScriptHost {
 public:
  virtual ~ScriptHost() = default;
  // MsgBox: returns the button pressed (vbOK = 1 ...).
  virtual int msgBox(u16v prompt, int buttons, u16v title) {
    (void)prompt; (void)buttons; (void)title;
    return 1;
  }
  // InputBox: the text entered, or nothing when cancelled.
  virtual std::optional<u16> inputBox(u16v prompt, u16v title, u16v defaultText) {
    (void)prompt; (void)title; (void)defaultText;
    return std::nullopt;
  }
  // Asked when the time-out elapses while AllowUI is on: true stops the script.
  virtual bool askStopOnTimeout() { return true; }
  // Called about once a second or more while an object waits on the network
  // (an HTTP request): a host may serve its window here, and throw (as for a
  // Ctrl-C) to stop the script.
  virtual void pollWhileWaiting() {}
  // Called every few thousand steps of a running script, on its thread: a
  // host that deferred some output shows it here, as nothing else would
  // while the script computes.
  virtual void poll() {}
};

// The control's error object.
struct ScriptErrorInfo {
  int32_t Number = 0;
  u16 Description;
  u16 Source;
  u16 Text;        // the faulty source line of a syntax error; empty for run-time errors
  int32_t Line = 0;    // 1-based; 0 when the error has no position
  int32_t Column = 0;  // 0-based; a tab counts as one character
  void Clear() { *this = ScriptErrorInfo(); }
};

class ScriptControl {
 public:
  ScriptControl();
  ~ScriptControl();
  ScriptControl(const ScriptControl&) = delete;
  ScriptControl& operator=(const ScriptControl&) = delete;

  // Makes obj a global name in scripts until Reset. With addMembers its
  // members are global names too.
  void AddObject(u16v name, Object* obj, bool addMembers);
  // Parses text, then runs its top-level statements. Returns false after an
  // error, which is in Error() and was announced through OnError first.
  bool AddCode(u16v text);
  // Parses and compiles text without running it: false after a syntax error,
  // which is in Error(). The code is kept but never runs; Reset drops it.
  bool Check(u16v text);
  ScriptErrorInfo& Error();
  // Drops every added object and all code.
  void Reset();

  void Timeout(int32_t ms);
  int32_t Timeout() const;
  void AllowUI(bool on);
  bool AllowUI() const;
  void UseSafeSubset(bool on);
  bool UseSafeSubset() const;

  void SetHost(ScriptHost* host);
  // The Error event: raised inside AddCode for every error, before it returns.
  std::function<void()> OnError;

  // What the About box shows: the engine's name and version.
  static u16 AboutText();

  // CreateObject as scripts see it (the safe-subset rule applies).
  Variant CreateObject(u16v progId);
  // A new general-purpose collection (Add, Count, Item, Remove, For Each).
  static Object* NewCollection();

  Engine& engine();

  // Drive letters in scripts' paths (C:\Temp\log.txt) name folders of this
  // system; a path on an unmapped letter is "Path not found". The map is
  // process-wide, as the current directory is. MapDrive takes "C=/srv/c"
  // (a relative folder counts from the current directory now) and gives
  // false with the reason for anything else.
  static bool MapDrive(std::string_view spec, std::string& error);
  static void ClearDrives();
  // A drive map file: one "C=/srv/c" a line; blank lines and lines starting
  // with # or ; are skipped; a relative folder counts from base. Gives the
  // reasons for the lines not taken.
  static std::vector<std::string> LoadDriveMap(std::string_view text, std::string_view base);

 private:
  std::unique_ptr<Engine> engine_;
};

}  // namespace pw
