// The main window's side of the WScript object: the editor is the console,
// the input line feeds StdIn.ReadLine, and the run's flags connect both with
// the window's key handling. Everything runs on the user-interface thread.
#pragma once

#include <QElapsedTimer>
#include <QString>

#include "wscript_core.h"

class QLineEdit;
class QPlainTextEdit;

namespace pw {

// The program-wide run signals, set by the window's key handling and read,
// then cleared, by the WScript members.
struct RunFlags {
  bool AbortRequested = false;
  bool AwaitingInput = false;
  bool InputComplete = false;
  bool InputCancelled = false;
};

// What the console reaches in the main window, afresh at every call.
class ConsoleWindow {
 public:
  virtual ~ConsoleWindow() = default;
  virtual QPlainTextEdit* consoleView() = 0;  // txtScript
  virtual QLineEdit* inputLine() = 0;         // txtInput
  // A short fixed status message: caption set, tooltip emptied.
  virtual void showStatus(const QString& text) = 0;
  virtual QString currentScriptName() = 0;
  virtual QString currentScriptPath() = 0;
  virtual QString wshVersionText() = 0;
};

class WindowConsole final : public WScriptConsole {
 public:
  static constexpr int kPassEvery = 100;       // a message pass when the count exceeds this
  static constexpr int kConsoleLimit = 30000;  // trimmed once longer than this...
  static constexpr int kConsoleKeep = 25000;   // ...to its last this many characters
  static constexpr int kFrameMs = 16;          // at most one repaint per screen frame

  WindowConsole(ConsoleWindow& window, RunFlags& flags) : win_(window), flags_(flags) {}

  // Start of a run: an empty console and no pending stop.
  void clear();
  // Shows everything written so far and repaints the console now.
  void flush();
  // Shows a write the frame limit held back once its frame has passed: the
  // host calls this while the script computes, as no later write may come.
  void showIfDue();
  // While an object waits (a network request): shows the output, serves the
  // window and ends the script on Ctrl-C.
  void serveWhileWaiting();
  // The console text as the script wrote it (line ends CR LF).
  const QString& text() const { return text_; }
  // From now until the next clear, every stream, Sleep and ReadLine call
  // raises the stop error: used when the window is closed during a run.
  void stopAll() { stopAll_ = true; }
  int writeCount() const { return writeCount_; }

  ConsoleKind kind() const override { return ConsoleKind::Window; }
  void write(u16v text, bool toStdErr) override;
  std::optional<u16> readLine() override;
  void sleep(int32_t ms) override;
  [[noreturn]] void quit(int32_t status) override;
  u16 scriptName() override;
  u16 scriptFullName() override;
  u16 version() override;
  u16 programPath() override;
  u16 programName() override;

 private:
  [[noreturn]] void raiseStop();

  ConsoleWindow& win_;
  RunFlags& flags_;
  QString text_;
  qsizetype shown_ = 0;   // characters of text_ already in the view
  // Clean until a run writes: the view is the user's script between runs,
  // and the host's flush before its dialogs must leave it alone.
  bool replaced_ = false;  // text_ was emptied or trimmed since the last flush
  bool dirty_ = false;     // written to since the last repaint
  int writeCount_ = 0;    // writes since the last message pass; kept across runs
  bool stopAll_ = false;
  QElapsedTimer lastPaint_;
};

}  // namespace pw
