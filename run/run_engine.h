// Start (F5): runs the editor's text in the script control with the editor as
// the script's console, reports errors, and gives the script back afterwards.
#pragma once

#include <QString>
#include <cstdint>

#include "script_control.h"
#include "window_console.h"

namespace pw {

// What the run needs of the main window.
class RunWindow {
 public:
  virtual ~RunWindow() = default;
  virtual void enableMenus(bool on) = 0;
  // The editor; offsets count CR LF as two characters.
  virtual QString editorText() = 0;
  virtual void setEditorText(const QString& text) = 0;
  virtual int editorSelStart() = 0;
  virtual void setEditorSelection(int start, int length) = 0;
  virtual uint32_t editorForeColor() = 0;
  virtual void setEditorForeColor(uint32_t color) = 0;
  virtual void setEditorLocked(bool locked) = 0;
  virtual void focusEditor() = 0;
  virtual void clearInputLine() = 0;
  // The message pane: caption and tooltip, set in one step.
  virtual void setStatus(const QString& text, const QString& tooltip) = 0;
  virtual void setNavStatus(const QString& text) = 0;
  // The document title, with " [running]" while running.
  virtual void showTitle(bool running) = 0;
  virtual void repaintNow() = 0;
  virtual void updateCaretStatus() = 0;
  virtual bool isReadOnlyDocument() = 0;
  virtual uint32_t scriptForeColor() = 0;
  virtual int32_t timeoutMs() = 0;
  virtual void beep() = 0;
  // Called when a close asked for during the run can go ahead.
  virtual void closeAfterRun() = 0;
};

class RunEngine {
 public:
  static constexpr int32_t kStopError = 51;

  RunEngine(RunWindow& window, ScriptControl& control, Object* wscript, WindowConsole& console,
            RunFlags& flags);

  // mnuRunStart: returns when the script has ended.
  void start();

  // The main window's key handling, which sees every key first. keyDown runs
  // for every key; keyPress gets the key's character and returns true when
  // the character is swallowed.
  void keyDown();
  bool keyPress(char16_t ch);

  // The close query: puts the script back in the editor first. During a run
  // it asks the script to stop and returns false; closeAfterRun follows.
  bool prepareClose();

  bool running() const { return running_; }
  bool showingOutput() const { return showingOutput_; }
  const QString& savedScript() const { return savedScript_; }

 private:
  void onScriptError();
  void returnToScript();
  void returnToScriptAtError(int line, int column);

  RunWindow& win_;
  ScriptControl& sc_;
  Object* wscript_;
  WindowConsole& console_;
  RunFlags& flags_;

  bool running_ = false;
  bool showingOutput_ = false;
  QString savedScript_;
  int savedSelStart_ = 0;
  uint32_t savedForeColor_ = 0;
  bool closeRequested_ = false;
};

}  // namespace pw
