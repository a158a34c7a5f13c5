// The command-line runner's side of the WScript object: the process's own
// standard streams, its arguments, and MsgBox and InputBox on the terminal.
// SIGINT ends the run (status 130) at the next wait or statement boundary; a
// reader that goes away ends it quietly (status 141).
#pragma once

#include <chrono>
#include <string>

#include "script_control.h"
#include "wscript_core.h"

namespace pw {

constexpr int kInterruptedStatus = 130;  // 128 + SIGINT, as a shell reports it
constexpr int kBrokenPipeStatus = 141;   // 128 + SIGPIPE

class StdConsole final : public WScriptConsole, public ScriptHost {
 public:
  struct Setup {
    std::string script;  // as given on the command line
    std::string exe;     // the running program
    std::vector<u16> args;
    bool batch = false;  // //B: no message boxes or prompts
  };
  explicit StdConsole(Setup s);

  // SIGINT and SIGPIPE handlers for the whole process; children started by
  // the script get the default actions back.
  static void installSignals();
  // Ends the process now with status 130 when SIGINT has arrived.
  void stopIfInterrupted();
  // Sends buffered standard output on its way.
  void flush();
  [[noreturn]] void exit(int status);
  // A run's time limit in milliseconds from now; -1 for none. The engine asks
  // askStopOnTimeout every time-slice, and the answer is taken from here.
  void startClock(int32_t limitMs);
  // The status WScript.Quit asked for, once it has been called.
  std::optional<int32_t> quitStatus() const { return quitStatus_; }

  // WScriptConsole
  void write(u16v text, bool toStdErr) override;
  bool readInput(u16& buf) override;
  void sleep(int32_t ms) override;
  [[noreturn]] void quit(int32_t status) override;
  u16 scriptName() override;
  u16 scriptFullName() override;
  u16 programPath() override;
  u16 programName() override;
  std::vector<u16> arguments() override { return setup_.args; }
  bool interactive() override { return !setup_.batch; }
  void setInteractive(bool on) override { setup_.batch = !on; }
  int32_t timeoutSeconds() override { return limitMs_ > 0 ? (limitMs_ + 999) / 1000 : 0; }
  void setTimeoutSeconds(int32_t s) override { startClock(s <= 0 ? -1 : s > INT32_MAX / 1000 ? INT32_MAX : s * 1000); }

  // ScriptHost
  int msgBox(u16v prompt, int buttons, u16v title) override;
  std::optional<u16> inputBox(u16v prompt, u16v title, u16v defaultText) override;
  bool askStopOnTimeout() override;

 private:
  void put(FILE* f, const std::string& bytes);
  // Once Quit has been called, a script that went on (a Class_Terminate
  // swallowed the unwinding) is stopped at its next time-slice.
  void stopIfQuitting();
  // A line typed on the terminal (standard input only when it is one).
  std::optional<std::string> askTerminal(const std::string& question);

  Setup setup_;
  std::string pending_;  // the start of a UTF-8 sequence split between reads
  std::optional<int32_t> quitStatus_;
  int32_t limitMs_ = -1;
  std::chrono::steady_clock::time_point deadline_;
};

}  // namespace pw
