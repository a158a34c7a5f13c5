// IDE: the one main window. It owns the editor, the input line, the status
// panes, the menus, the script control and the WScript object, and lays the
// controls out in twips on every resize.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "commondlgs.h"
#include "find_dialogs.h"
#include "gui_host.h"
#include "helpdlg.h"
#include "run_engine.h"
#include "script_control.h"
#include "script_edit.h"
#include "script_file.h"
#include "settings_file.h"
#include "window_console.h"

class QMenu;
class QAction;

namespace pw {

// The size grip in the bottom-right corner: a press starts the window
// system's own resize from that corner.
class SizeGrip final : public QWidget {
 public:
  explicit SizeGrip(QWidget* parent) : QWidget(parent) {}

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  // Where the platform has no system resize, the grip drags the size itself.
  bool dragging_ = false;
  QPoint pressAt_;
  QSize sizeAtPress_;
};

class IDE final : public QMainWindow, private RunWindow, private ConsoleWindow {
 public:
  // settingsFolder: where Pallweave.ini is read and written, and the default
  // folder for scripts; empty for the program's own place (tests pass their own).
  explicit IDE(const QString& settingsFolder = QString());
  ~IDE() override;

  // Controls, under their program names.
  ScriptEdit* txtScript = nullptr;
  QLineEdit* txtInput = nullptr;
  QLabel* StatusBarNav = nullptr;
  QLabel* StatusBarMsg = nullptr;
  SizeGrip* StatusBarSize = nullptr;

  QMenu *mnuFile = nullptr, *mnuEdit = nullptr, *mnuIDE = nullptr, *mnuRun = nullptr, *mnuTimeout = nullptr,
        *mnuHelp = nullptr;
  QAction *mnuFileNew = nullptr, *mnuFileOpen = nullptr, *mnuFileSave = nullptr, *mnuFileSaveAs = nullptr,
          *mnuFileExit = nullptr;
  QAction *mnuEditFind = nullptr, *mnuEditReplaceAll = nullptr, *mnuEditSelectAll = nullptr;
  QAction* mnuIDEFont = nullptr;
  QAction* mnuIDETab[2] = {};
  QAction* mnuIDEAllowUI[2] = {};
  QAction* mnuIDESafeSubset[2] = {};
  QAction* mnuIDEWSHVersion[3] = {};
  QAction* mnuRunStart = nullptr;
  QAction* mnuTimeoutVal[7] = {};
  QAction *mnuHelpHost = nullptr, *mnuHelpControl = nullptr, *mnuHelpScript = nullptr;

  // Program-wide and window state read across the program.
  QString ProgramTitle;
  QString CurrentScriptName, CurrentScriptPath;
  QString WshVersionText;  // set by the WSH version choice
  QString ScriptHelpFile;
  QString FilesDir;
  bool Modified = false, HasFile = false, IsReadOnly = false, CanRun = false;
  uint32_t ScriptForeColor = 0x80000008u;
  int32_t TimeoutMs = 0;  // until the time-out choice is applied at start-up
  int TimeoutX = 0, AllowUIX = 0, SafeSubsetX = 0, TabX = 0, WSHVersionX = 0;
  QString SettingsPath, DefaultFilesDir;
  std::unique_ptr<CommonDlgs> Dialogs;  // the one file and font dialog object
  qint64 HelpWindowHandle = 0;  // the Windows Script Help viewer's process id; 0 while none was opened

  // The secondary windows, null until first used and after the unload.
  Find* findWindow() const { return find_; }
  ReplaceAll* replaceAllWindow() const { return replaceAll_; }
  HelpDlg* helpWindow() const { return helpDlg_; }
  ScriptHelpViewer& scriptHelpViewer() { return helpViewer_; }

  ScriptControl& scScript() { return scScript_; }
  RunEngine& runEngine() { return *run_; }
  RunFlags& runFlags() { return flags_; }
  WindowConsole& console() { return console_; }
  Object* WScriptObject() const { return wscript_.get(); }
  int beepCount() const { return beeps_; }
  bool menusEnabled() const { return menusEnabled_; }

  void EnableMenus(bool on);
  void UpdateCaretStatus();
  // Lays the controls out for the current client size.
  void layoutControls();
  QString documentTitle() const;
  // The file named on the command line, opened as File > Open would; a file
  // that cannot be read is reported and leaves the new document.
  void openAtStart(const QString& file);

 protected:
  bool eventFilter(QObject* obj, QEvent* ev) override;
  void closeEvent(QCloseEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void buildControls();
  void buildMenus();
  void load();
  // Once the window manager has framed the window, places the frame where
  // the settings say (the frame's size was not known before the show).
  // Also keeps frame_ up to date.
  void fitFrame();
  void setStatus(const QString& text, const QString& tooltip) override;

  // Documents and the editor view (ide_documents.cpp).
  enum class SaveResult { Saved, Canceled, Failed };
  void fileNew();
  void fileOpen();
  bool loadDocument(const QString& path, const QString& title, bool readOnly);
  SaveResult fileSave();
  SaveResult fileSaveAs();
  bool AskToSaveChanges();
  void ApplyDocumentState();
  void onScriptChanged();
  bool writeDocument(const QString& path);
  bool showFileDialog(bool save);  // true when nothing was chosen
  void editSelectAll();
  void ideFont();
  void mnuIDETab_Click(int index);
  // A VBScript MsgBox style in, the button's code (vbYes = 6 ...) out.
  int msgBox(const QString& text, int style, const QString& title);
  // Sets the editor's font and colour, makes the colour ScriptForeColor and
  // gives the input line the same.
  void applyScriptFont(const QString& name, float size, bool bold, bool italic, int charset, uint32_t color);

  // Settings and run options (ide_options.cpp).
  void LoadSettings();
  void SaveSettings();
  void mnuIDEAllowUI_Click(int index);
  void mnuIDESafeSubset_Click(int index);
  void mnuIDEWSHVersion_Click(int index);
  void mnuTimeoutVal_Click(int index);

  // Hooks of the later commands.
  void editFind();
  void editReplaceAll();
  void helpHost();
  void helpControl();
  void helpScript();
  void closeHelpViewer();
  void unloadFindWindows();
  void unloadHelpWindow();

  // RunWindow
  void enableMenus(bool on) override { EnableMenus(on); }
  QString editorText() override { return txtScript->text(); }
  void setEditorText(const QString& text) override { txtScript->setText(text); }
  int editorSelStart() override { return txtScript->selStart(); }
  void setEditorSelection(int start, int length) override { txtScript->setSelection(start, length); }
  uint32_t editorForeColor() override { return txtScript->foreColor(); }
  void setEditorForeColor(uint32_t color) override { txtScript->setForeColor(color); }
  void setEditorLocked(bool locked) override { txtScript->setReadOnly(locked); }
  void focusEditor() override { txtScript->setFocus(); }
  void clearInputLine() override { txtInput->clear(); }
  void setNavStatus(const QString& text) override { StatusBarNav->setText(text); }
  void showTitle(bool running) override;
  void repaintNow() override { repaint(); }
  void updateCaretStatus() override { UpdateCaretStatus(); }
  bool isReadOnlyDocument() override { return IsReadOnly; }
  uint32_t scriptForeColor() override { return ScriptForeColor; }
  int32_t timeoutMs() override { return TimeoutMs; }
  void beep() override;
  void closeAfterRun() override;

  // ConsoleWindow
  QPlainTextEdit* consoleView() override { return txtScript; }
  QLineEdit* inputLine() override { return txtInput; }
  void showStatus(const QString& text) override { setStatus(text, QString()); }
  QString currentScriptName() override { return CurrentScriptName; }
  QString currentScriptPath() override { return CurrentScriptPath; }
  QString wshVersionText() override { return WshVersionText; }

  QString settingsFolder_;
  ScriptFormat format_ = newScriptFormat();  // how the document's file looked on disk
  ScriptControl scScript_;
  RunFlags flags_;
  WindowConsole console_{*this, flags_};
  GuiHost host_{this, &console_};
  Ref<Object> wscript_;
  std::unique_ptr<RunEngine> run_;
  QWidget* client_ = nullptr;
  Settings placement_;        // the window placement read at start-up
  // Until the frame is first seen in the normal state (at once, or when a
  // window that started maximised is restored).
  bool placing_ = true;
  QMargins frame_;            // the frame's margins last seen in the normal state
  QRect startNormal_;         // the normal bounds right after the first show
  bool menusEnabled_ = true;
  int beeps_ = 0;
  // Key preview: a key that the focused control ignores travels on to its
  // parents; it is handled once, for the first receiver.
  const QEvent* lastKey_ = nullptr;
  quint64 lastKeyTime_ = 0;
  int lastKeyCode_ = 0;
  QPointer<QWidget> lastKeyTarget_;
  std::unique_ptr<FindTarget> findTarget_;
  QPointer<Find> find_;
  QPointer<ReplaceAll> replaceAll_;
  QPointer<HelpDlg> helpDlg_;
  ScriptHelpViewer helpViewer_;
};

}  // namespace pw
