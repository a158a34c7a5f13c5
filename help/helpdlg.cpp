#include "helpdlg.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <cmath>

#include "resources.h"
#include "script_control.h"

namespace pw {

QString helpText() {
  // The stored text is ASCII; Latin-1 maps every byte, so no byte is lost.
  QString t = QString::fromLatin1(helpTextBytes());
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return t;
}

HelpDlg::HelpDlg(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("HelpDlg"));
  setWindowTitle(QStringLiteral("Pallweave - Help"));
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  if (owner) setWindowIcon(owner->window()->windowIcon());

  txtHelp = new QPlainTextEdit(this);
  txtHelp->setObjectName(QStringLiteral("txtHelp"));
  txtHelp->setReadOnly(true);  // the text can be selected and copied, not changed
  txtHelp->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  txtHelp->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  txtHelp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  txtHelp->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont f(QStringLiteral("Courier New"));
  f.setPointSizeF(9.75);
  f.setStyleHint(QFont::TypeWriter);
  txtHelp->setFont(f);
  QPalette p = txtHelp->palette();
  p.setColor(QPalette::Base, p.color(QPalette::Button));  // button face
  txtHelp->setPalette(p);
  txtHelp->setPlainText(helpText());

  const double dx = logicalDpiX(), dy = logicalDpiY();
  resize(int(std::lround(9270 * dx / 1440.0)), int(std::lround(5865 * dy / 1440.0)));
}

void HelpDlg::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  txtHelp->setGeometry(0, 0, width(), height());
}

void HelpDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  // Centred on the owner the first time; after that it opens where it was.
  setAttribute(Qt::WA_Moved, true);
}

void HelpDlg::closeEvent(QCloseEvent* e) {
  // Closing from the frame hides the window, keeping its size and scroll
  // position; the main window unloads it by deleting it.
  e->ignore();
  hide();
}

void showScriptControlAbout(QWidget* owner) {
  const u16 about = ScriptControl::AboutText();
  QMessageBox box(QMessageBox::Information, QStringLiteral("About Script Control"),
                  QString::fromStdU16String(about), QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

// --- the Windows Script documentation ---

ScriptHelpViewer::ScriptHelpViewer() = default;

ScriptHelpViewer::~ScriptHelpViewer() {
  close();
  delete proc_;
}

bool ScriptHelpViewer::isOpen() const { return proc_ && proc_->state() != QProcess::NotRunning; }

qint64 ScriptHelpViewer::open(const QString& file) {
  const QString path = QFileInfo(file).absoluteFilePath();
  if (isOpen() && path == file_) return proc_->processId();
  close();
  for (const QString& v : viewers) {
    const QString program = v.contains(u'/') ? v : QStandardPaths::findExecutable(v);
    if (program.isEmpty() || !QFileInfo(program).isExecutable()) continue;
    if (!proc_) proc_ = new QProcess;
    proc_->setProcessChannelMode(QProcess::ForwardedChannels);
    proc_->start(program, {path});
    if (proc_->waitForStarted(3000)) {
      file_ = path;
      return proc_->processId();
    }
  }
  file_.clear();
  return 0;
}

void ScriptHelpViewer::close() {
  if (!isOpen()) return;
  proc_->terminate();
  if (!proc_->waitForFinished(2000)) {
    proc_->kill();
    proc_->waitForFinished(1000);
  }
}

}  // namespace pw
