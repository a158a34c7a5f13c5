// The script control's user interface in the main window: MsgBox, InputBox
// and the question asked when a script runs past its time-out (AllowUI).
#pragma once

#include <QString>

#include "script_control.h"
#include "window_console.h"

class QWidget;

namespace pw {

class GuiHost final : public ScriptHost {
 public:
  // console: output a dialog must not hide; the script's thread paints it
  // before every dialog and, while the script computes, at each poll.
  explicit GuiHost(QWidget* parent, WindowConsole* console = nullptr) : parent_(parent), console_(console) {}
  // VBScript's button and icon codes in, the pressed button's code out.
  int msgBox(u16v prompt, int buttons, u16v title) override;
  std::optional<u16> inputBox(u16v prompt, u16v title, u16v defaultText) override;
  bool askStopOnTimeout() override;
  void poll() override;
  void pollWhileWaiting() override;

 private:
  void showOutput();

  QWidget* parent_;
  WindowConsole* console_;
};

}  // namespace pw
