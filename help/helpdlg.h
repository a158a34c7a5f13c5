// HelpDlg: the program's own help text in a resizable window owned by the
// main window; and the other two Help menu commands, the script engine's
// About box and the Windows Script documentation in a CHM viewer.
#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QProcess;

namespace pw {

class HelpDlg final : public QDialog {
 public:
  explicit HelpDlg(QWidget* owner);

  QPlainTextEdit* txtHelp = nullptr;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
};

// The help text as the window shows it (line breaks as '\n').
QString helpText();

// The script engine's About box: what the engine is and its version.
void showScriptControlAbout(QWidget* owner);

// The Windows Script documentation, shown by a CHM viewer process that the
// program keeps so that it can close it when the main window closes.
class ScriptHelpViewer final {
 public:
  ScriptHelpViewer();
  ~ScriptHelpViewer();
  ScriptHelpViewer(const ScriptHelpViewer&) = delete;
  ScriptHelpViewer& operator=(const ScriptHelpViewer&) = delete;

  // Programs tried in order; the first one found on the PATH (or given with
  // a path) shows the file.
  QStringList viewers = {QStringLiteral("xchm"), QStringLiteral("kchmviewer"), QStringLiteral("xdg-open")};

  // Shows file; a viewer still open from an earlier call is kept and shows
  // it already. Returns the viewer's process id, 0 when none could start.
  qint64 open(const QString& file);
  // Ends the viewer if it is still open.
  void close();
  bool isOpen() const;

 private:
  QProcess* proc_ = nullptr;
  QString file_;
};

}  // namespace pw
