// The script control's user interface in the main window: MsgBox, InputBox
// and the question asked when a script runs past its time-out (AllowUI).
#pragma once

#include <QString>

#include "script_control.h"

class QWidget;

namespace pw {

class GuiHost final : public ScriptHost {
 public:
  explicit GuiHost(QWidget* parent) : parent_(parent) {}
  // VBScript's button and icon codes in, the pressed button's code out.
  int msgBox(u16v prompt, int buttons, u16v title) override;
  std::optional<u16> inputBox(u16v prompt, u16v title, u16v defaultText) override;
  bool askStopOnTimeout() override;

 private:
  QWidget* parent_;
};

}  // namespace pw
