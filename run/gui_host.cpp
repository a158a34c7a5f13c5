#include "gui_host.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace pw {

namespace {

QString q(u16v s) {
  QString t = QString::fromUtf16(s.data(), s.size());
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return t;
}

enum Answer { vbOK = 1, vbCancel, vbAbort, vbRetry, vbIgnore, vbYes, vbNo };

}  // namespace

void GuiHost::showOutput() {
  if (console_) console_->flush();
}

void GuiHost::poll() {
  if (console_) console_->showIfDue();
}

void GuiHost::pollWhileWaiting() {
  if (console_) console_->serveWhileWaiting();
}

int GuiHost::msgBox(u16v prompt, int buttons, u16v title) {
  showOutput();
  QMessageBox box(parent_);
  box.setWindowTitle(q(title));
  box.setTextFormat(Qt::PlainText);
  box.setText(q(prompt));
  switch (buttons & 0x70) {
    case 16: box.setIcon(QMessageBox::Critical); break;
    case 32: box.setIcon(QMessageBox::Question); break;
    case 48: box.setIcon(QMessageBox::Warning); break;
    case 64: box.setIcon(QMessageBox::Information); break;
  }
  struct Choice {
    QMessageBox::StandardButton button;
    int answer;
  };
  std::vector<Choice> choices;
  switch (buttons & 7) {
    case 1: choices = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
    case 2: choices = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}}; break;
    case 3: choices = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}}; break;
    case 4: choices = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
    case 5: choices = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
    default: choices = {{QMessageBox::Ok, vbOK}}; break;
  }
  int escape = choices.size() == 1 ? vbOK : 0;
  for (const Choice& c : choices) {
    box.addButton(c.button);
    if (c.answer == vbCancel) escape = vbCancel;
  }
  const size_t def = std::min<size_t>((buttons & 0x300) >> 8, choices.size() - 1);
  box.setDefaultButton(choices[def].button);
  for (const Choice& c : choices)
    if (c.answer == escape) box.setEscapeButton(c.button);
  box.exec();
  for (const Choice& c : choices)
    if (box.clickedButton() == box.button(c.button)) return c.answer;
  return escape ? escape : choices.back().answer;  // closed without a button of its own
}

std::optional<u16> GuiHost::inputBox(u16v prompt, u16v title, u16v defaultText) {
  showOutput();
  bool ok = false;
  const QString text = QInputDialog::getText(parent_, q(title), q(prompt), QLineEdit::Normal, q(defaultText), &ok);
  if (!ok) return std::nullopt;
  return text.toStdU16String();
}

bool GuiHost::askStopOnTimeout() {
  showOutput();
  return QMessageBox::question(parent_, QStringLiteral("Script timeout"),
                               QStringLiteral("The script has run longer than the time-out allows.\n"
                                              "Do you want to stop it?"),
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

}  // namespace pw
