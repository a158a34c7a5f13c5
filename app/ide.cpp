#include "ide.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTextBlock>
#include <QWindow>

#include "main_layout.h"
#include "pallweave_version.h"
#include "wscript_core.h"

namespace pw {

namespace {

constexpr uint32_t kButtonFace = 0x8000000Fu;

// The client area tells the window about every resize.
class ClientArea final : public QWidget {
 public:
  ClientArea(IDE* ide) : QWidget(ide), ide_(ide) {}

 protected:
  void resizeEvent(QResizeEvent*) override { ide_->layoutControls(); }

 private:
  IDE* ide_;
};

QFont fixedFont(const QString& family, double points) {
  QFont f(family);
  f.setPointSizeF(points);
  f.setStyleHint(QFont::TypeWriter);  // a fixed-pitch stand-in where the face is missing
  f.setFixedPitch(true);
  return f;
}

QFont statusFont() {
  QFont f(QStringLiteral("Tahoma"));
  f.setPointSizeF(9.75);
  f.setStyleHint(QFont::SansSerif);
  return f;
}

// The character a key press stands for, as the window's key-press handling
// sees it: Enter is 13, Ctrl with a letter its control code (Ctrl-C is 3).
char16_t keyChar(const QKeyEvent* e) {
  const int key = e->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return 13;
  if ((e->modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
    return static_cast<char16_t>(key - Qt::Key_A + 1);
  if (key == Qt::Key_Escape) return 27;
  if (key == Qt::Key_Backspace) return 8;
  if (key == Qt::Key_Tab) return 9;
  const QString t = e->text();
  return t.isEmpty() ? 0 : t.at(0).unicode();
}

// Find and Replace All work on the editor through this.
class EditorFindTarget final : public FindTarget {
 public:
  explicit EditorFindTarget(IDE* ide) : ide_(ide) {}
  QString text() const override { return ide_->txtScript->text(); }
  int selStart() const override { return ide_->txtScript->selStart(); }
  void showFound(int start, int length) override {
    ide_->txtScript->setSelection(start, length);
    ide_->activateWindow();
    ide_->txtScript->setFocus();
    ide_->txtScript->ensureCursorVisible();
  }
  void replaceWholeText(const QString& text) override {
    ide_->txtScript->replaceText(text);
    ide_->txtScript->setSelection(0, 0);  // where a new whole text puts the caret
  }
  // A read-only script is not locked here: Replace All is the one way to a
  // read-only and modified document, which Save As can then keep.
  bool isLocked() const override {
    RunEngine& run = ide_->runEngine();
    return run.running() || run.showingOutput();
  }
  QWidget* mainWindow() const override { return ide_; }

 private:
  IDE* ide_;
};

}  // namespace

// --- size grip ---

void SizeGrip::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QPen(colorFromValue(0x80000010u), 1));  // button shadow
  const int w = width(), h = height();
  for (int i = 1; i <= 3; ++i) {
    const int d = i * std::max(3, std::min(w, h) / 5);
    p.drawLine(w - d, h - 2, w - 2, h - d);
  }
}

void SizeGrip::mousePressEvent(QMouseEvent* e) {
  QWindow* win = window()->windowHandle();
  if (win && win->startSystemResize(Qt::BottomEdge | Qt::RightEdge)) return;
  dragging_ = true;
  pressAt_ = e->globalPosition().toPoint();
  sizeAtPress_ = window()->size();
}

void SizeGrip::mouseMoveEvent(QMouseEvent* e) {
  if (!dragging_) return;
  const QPoint d = e->globalPosition().toPoint() - pressAt_;
  window()->resize(std::max(1, sizeAtPress_.width() + d.x()), std::max(1, sizeAtPress_.height() + d.y()));
}

void SizeGrip::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

// --- the window ---

IDE::IDE(const QString& settingsFolder) : settingsFolder_(settingsFolder) {
  setObjectName(QStringLiteral("IDE"));
  buildControls();
  buildMenus();
  qApp->installEventFilter(this);  // key preview
  scScript_.SetHost(&host_);
  load();
}

IDE::~IDE() {
  qApp->removeEventFilter(this);
  scScript_.Reset();
}

void IDE::buildControls() {
  client_ = new ClientArea(this);
  setCentralWidget(client_);
  const double dpi = logicalDpiX();
  auto px = [dpi](double tw) { return twipsToPixels(tw, dpi); };

  txtScript = new ScriptEdit(client_);
  txtScript->setObjectName(QStringLiteral("txtScript"));
  txtScript->setFont(fixedFont(QStringLiteral("Courier New"), 9.75));
  txtScript->setGeometry(0, px(60), px(7155), px(4695));

  txtInput = new QLineEdit(client_);
  txtInput->setObjectName(QStringLiteral("txtInput"));
  txtInput->setFont(fixedFont(QStringLiteral("Courier New"), 9.75));
  txtInput->setEnabled(false);
  QPalette ip = txtInput->palette();
  ip.setColor(QPalette::Base, colorFromValue(kButtonFace));
  txtInput->setPalette(ip);
  txtInput->setGeometry(0, px(4740), px(7155), px(360));
  setTabOrder(txtScript, txtInput);

  StatusBarNav = new QLabel(client_);
  StatusBarNav->setObjectName(QStringLiteral("StatusBarNav"));
  StatusBarNav->setFont(statusFont());
  StatusBarNav->setGeometry(px(30), px(7740), px(2445), px(315));

  StatusBarMsg = new QLabel(client_);
  StatusBarMsg->setObjectName(QStringLiteral("StatusBarMsg"));
  StatusBarMsg->setFont(statusFont());
  StatusBarMsg->setGeometry(px(2520), px(7740), px(4245), px(315));

  StatusBarSize = new SizeGrip(client_);
  StatusBarSize->setObjectName(QStringLiteral("StatusBarSize"));
  StatusBarSize->setCursor(Qt::SizeFDiagCursor);
  StatusBarSize->setGeometry(px(6780), px(7740), px(315), px(315));

  connect(txtScript, &QPlainTextEdit::textChanged, this, [this] { onScriptChanged(); });
}

void IDE::buildMenus() {
  QMenuBar* bar = menuBar();
  auto menu = [bar](const char* name, const QString& caption) {
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QLatin1String(name));
    m->menuAction()->setObjectName(QLatin1String(name));
    return m;
  };
  auto item = [this](QMenu* m, const QString& name, const QString& caption, auto handler,
                     QKeySequence keys = QKeySequence()) {
    QAction* a = m->addAction(caption);
    a->setObjectName(name);
    if (!keys.isEmpty()) a->setShortcut(keys);
    connect(a, &QAction::triggered, this, handler);
    return a;
  };
  // One-of-several groups: radio marks, and the handler alone decides which
  // item is checked; it may refuse the choice (the infinite time-out).
  auto indexed = [&](QMenu* m, const char* name, std::initializer_list<QString> captions, QAction** out,
                     void (IDE::*handler)(int), int* chosen) {
    auto* group = new QActionGroup(m);
    group->setExclusive(true);
    const int count = int(captions.size());
    int i = 0;
    for (const QString& c : captions) {
      out[i] = item(m, QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i), c,
                    [this, handler, i, out, chosen, count] {
                      // Undo the toggle the click made, so the handler finds
                      // the marks as they were.
                      out[i]->setChecked(!out[i]->isChecked());
                      (this->*handler)(i);
                      if (*chosen >= 0 && *chosen < count) out[*chosen]->setChecked(true);
                    });
      out[i]->setCheckable(true);
      group->addAction(out[i]);
      ++i;
    }
  };

  mnuFile = menu("mnuFile", QStringLiteral("&File"));
  mnuFileNew = item(mnuFile, QStringLiteral("mnuFileNew"), QStringLiteral("&New"), [this] { fileNew(); },
                    QKeySequence(Qt::CTRL | Qt::Key_N));
  mnuFileOpen = item(mnuFile, QStringLiteral("mnuFileOpen"), QStringLiteral("&Open..."), [this] { fileOpen(); },
                     QKeySequence(Qt::CTRL | Qt::Key_O));
  mnuFileSave = item(mnuFile, QStringLiteral("mnuFileSave"), QStringLiteral("&Save"), [this] { fileSave(); },
                     QKeySequence(Qt::CTRL | Qt::Key_S));
  mnuFileSaveAs =
      item(mnuFile, QStringLiteral("mnuFileSaveAs"), QStringLiteral("Save &As..."), [this] { fileSaveAs(); },
           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  mnuFileSave->setEnabled(false);
  mnuFileSaveAs->setEnabled(false);
  mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileDiv"));
  mnuFileExit = item(mnuFile, QStringLiteral("mnuFileExit"), QStringLiteral("E&xit"), [this] { close(); },
                     QKeySequence(Qt::CTRL | Qt::Key_Q));

  mnuEdit = menu("mnuEdit", QStringLiteral("&Edit"));
  mnuEditFind = item(mnuEdit, QStringLiteral("mnuEditFind"), QStringLiteral("&Find..."), [this] { editFind(); },
                     QKeySequence(Qt::CTRL | Qt::Key_F));
  mnuEditReplaceAll = item(mnuEdit, QStringLiteral("mnuEditReplaceAll"), QStringLiteral("&Replace All..."),
                           [this] { editReplaceAll(); }, QKeySequence(Qt::CTRL | Qt::Key_H));
  mnuEdit->addSeparator()->setObjectName(QStringLiteral("mnuEditDiv"));
  mnuEditSelectAll = item(mnuEdit, QStringLiteral("mnuEditSelectAll"), QStringLiteral("Select &All"),
                          [this] { editSelectAll(); }, QKeySequence(Qt::CTRL | Qt::Key_A));

  mnuIDE = menu("mnuIDE", QStringLiteral("&IDE"));
  mnuIDEFont = item(mnuIDE, QStringLiteral("mnuIDEFont"), QStringLiteral("&Font..."), [this] { ideFont(); });
  mnuIDE->addSeparator()->setObjectName(QStringLiteral("mnuIDEDiv1"));
  indexed(mnuIDE, "mnuIDETab", {QStringLiteral("&4 Character Tabs"), QStringLiteral("&8 Character Tabs")},
          mnuIDETab, &IDE::mnuIDETab_Click, &TabX);
  mnuIDE->addSeparator()->setObjectName(QStringLiteral("mnuIDEDiv2"));
  indexed(mnuIDE, "mnuIDEAllowUI", {QStringLiteral("&Disallow UI"), QStringLiteral("&Allow UI")}, mnuIDEAllowUI,
          &IDE::mnuIDEAllowUI_Click, &AllowUIX);
  mnuIDE->addSeparator()->setObjectName(QStringLiteral("mnuIDEDiv3"));
  indexed(mnuIDE, "mnuIDESafeSubset",
          {QStringLiteral("Disallow Un&safe Script"), QStringLiteral("Allow &Unsafe Script")}, mnuIDESafeSubset,
          &IDE::mnuIDESafeSubset_Click, &SafeSubsetX);
  mnuIDE->addSeparator()->setObjectName(QStringLiteral("mnuIDEDiv4"));
  indexed(mnuIDE, "mnuIDEWSHVersion", {QStringLiteral("WSH 5.6"), QStringLiteral("WSH 5.7"), QStringLiteral("WSH 5.8")},
          mnuIDEWSHVersion, &IDE::mnuIDEWSHVersion_Click, &WSHVersionX);

  mnuRun = menu("mnuRun", QStringLiteral("&Run"));
  mnuRunStart = item(mnuRun, QStringLiteral("mnuRunStart"), QStringLiteral("Start"), [this] { run_->start(); },
                     QKeySequence(Qt::Key_F5));
  mnuRunStart->setEnabled(false);

  mnuTimeout = menu("mnuTimeout", QStringLiteral("&Timeout"));
  indexed(mnuTimeout, "mnuTimeoutVal",
          {QStringLiteral("0.5 seconds"), QStringLiteral("1.0 seconds"), QStringLiteral("5.0 seconds"),
           QStringLiteral("10.0 seconds"), QStringLiteral("25.0 seconds"), QStringLiteral("&Infinite"),
           QStringLiteral("System &Detect Hangs")},
          mnuTimeoutVal, &IDE::mnuTimeoutVal_Click, &TimeoutX);

  mnuHelp = menu("mnuHelp", QStringLiteral("&Help"));
  mnuHelpHost = item(mnuHelp, QStringLiteral("mnuHelpHost"), QStringLiteral("&Pallweave Help"), [this] { helpHost(); });
  mnuHelpControl = item(mnuHelp, QStringLiteral("mnuHelpControl"), QStringLiteral("&About Microsoft Script Control "),
                        [this] { helpControl(); });
  mnuHelpScript = item(mnuHelp, QStringLiteral("mnuHelpScript"), QStringLiteral("&Windows Script Help"),
                       [this] { helpScript(); });

}

void IDE::load() {
  LoadSettings();
  ProgramTitle = QStringLiteral(PALLWEAVE_PRODUCT_NAME " v. %1.%2").arg(PALLWEAVE_VERSION_MAJOR).arg(PALLWEAVE_VERSION_MINOR);
  wscript_ = Ref<Object>(newWScriptSim(console_, scScript_));
  Dialogs = std::make_unique<CommonDlgs>();
  Dialogs->MaxFileSize = 4096;  // a Linux path, not a Windows one, must fit
  run_ = std::make_unique<RunEngine>(static_cast<RunWindow&>(*this), scScript_, wscript_.get(), console_, flags_);
  show();
  startNormal_ = normalGeometry();
  fitFrame();
  mnuHelpScript->setVisible(QFileInfo::exists(ScriptHelpFile));
  mnuTimeoutVal_Click(TimeoutX);
  mnuIDEAllowUI_Click(AllowUIX);
  mnuIDESafeSubset_Click(SafeSubsetX);
  mnuIDETab_Click(TabX);
  mnuIDEWSHVersion_Click(WSHVersionX);
  fileNew();
}

void IDE::fitFrame() {
  if (!isVisible() || (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))) return;
  const QMargins m = frameMarginsOf(*this);
  if (m.isNull()) return;
  frame_ = m;
  if (!placing_) return;
  placing_ = false;
  applyWindowPlacement(*this, placement_, m);
}

void IDE::moveEvent(QMoveEvent* e) {
  QMainWindow::moveEvent(e);
  fitFrame();
}

void IDE::resizeEvent(QResizeEvent* e) {
  QMainWindow::resizeEvent(e);
  fitFrame();
}

void IDE::layoutControls() {
  if (isMinimized()) return;
  const double dx = logicalDpiX(), dy = logicalDpiY();
  KeptSizes kept;
  kept.gripWidth = pixelsToTwips(StatusBarSize->width(), dx);
  kept.gripHeight = pixelsToTwips(StatusBarSize->height(), dy);
  kept.navWidth = pixelsToTwips(StatusBarNav->width(), dx);
  kept.inputHeight = pixelsToTwips(txtInput->height(), dy);
  const MainLayout m = layoutMain(pixelsToTwips(client_->width(), dx), pixelsToTwips(client_->height(), dy), kept);
  // Edges are converted rather than sizes, so the controls tile without gaps.
  auto place = [dx, dy](QWidget* w, const TwipRect& r) {
    const int l = twipsToPixels(r.left, dx), t = twipsToPixels(r.top, dy);
    w->setGeometry(l, t, twipsToPixels(r.left + r.width, dx) - l, twipsToPixels(r.top + r.height, dy) - t);
  };
  place(StatusBarSize, m.grip);
  place(StatusBarNav, m.nav);
  place(StatusBarMsg, m.msg);
  place(txtInput, m.input);
  place(txtScript, m.script);
}

void IDE::EnableMenus(bool on) {
  for (QMenu* m : {mnuFile, mnuEdit, mnuRun, mnuTimeout, mnuIDE, mnuHelp}) m->menuAction()->setEnabled(on);
  menusEnabled_ = on;
}

void IDE::setStatus(const QString& text, const QString& tooltip) {
  StatusBarMsg->setText(text);
  StatusBarMsg->setToolTip(tooltip);
}

void IDE::UpdateCaretStatus() {
  const int line = txtScript->caretLine();
  const int col = txtScript->selStart() - txtScript->lineStartOffset(line) + 1;
  StatusBarNav->setText(QStringLiteral("Line: %1   Col: %2").arg(line + 1).arg(col));
}

QString IDE::documentTitle() const {
  QString t = ProgramTitle + QStringLiteral(" - ") + CurrentScriptName;
  if (IsReadOnly)
    t += QStringLiteral(" (read only)");
  else if (Modified)
    t += QStringLiteral(" *");
  return t;
}

void IDE::showTitle(bool running) { setWindowTitle(documentTitle() + (running ? QStringLiteral(" [running]") : QString())); }

void IDE::beep() {
  ++beeps_;
  QApplication::beep();
}

void IDE::closeAfterRun() { QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection); }

// --- keys and closing ---

bool IDE::eventFilter(QObject* obj, QEvent* ev) {
  const QEvent::Type type = ev->type();
  if (type == QEvent::KeyRelease || type == QEvent::MouseButtonRelease) {
    if (type == QEvent::KeyRelease) lastKey_ = nullptr;
    // The caret pane follows the editor, but not while it shows console output.
    if ((obj == txtScript || obj == txtScript->viewport()) && run_ && !run_->running() && !run_->showingOutput())
      UpdateCaretStatus();
    return false;
  }
  if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) || !obj->isWidgetType() || !run_) return false;
  QWidget* w = static_cast<QWidget*>(obj);
  if (w->window() != this) return false;
  if (type == QEvent::ShortcutOverride) {
    // With the menus disabled no shortcut may fire; the key goes on to the
    // window's key handling instead.
    if (menusEnabled_) return false;
    ev->accept();
    return true;
  }
  auto* key = static_cast<QKeyEvent*>(ev);
  // The same event object offered to a parent after its child ignored it is
  // not a new key.
  if (ev == lastKey_ && key->timestamp() == lastKeyTime_ && key->key() == lastKeyCode_ && lastKeyTarget_ &&
      w != lastKeyTarget_ && w->isAncestorOf(lastKeyTarget_))
    return false;
  lastKey_ = ev;
  lastKeyTime_ = key->timestamp();
  lastKeyCode_ = key->key();
  lastKeyTarget_ = w;
  run_->keyDown();
  const char16_t ch = keyChar(key);
  return ch != 0 && run_->keyPress(ch);
}

void IDE::closeEvent(QCloseEvent* e) {
  // The script goes back into the editor before anything may save it; a
  // running script is asked to stop and the close comes back after the run.
  if (!run_->prepareClose() || !AskToSaveChanges()) {
    e->ignore();
    return;
  }
  closeHelpViewer();
  unloadFindWindows();
  unloadHelpWindow();
  SaveSettings();
  e->accept();
}

// --- Find and Replace All ---

namespace {
// A modeless window of the main window, shown in front and given the focus.
void showOwned(QWidget* w) {
  w->show();
  w->raise();
  w->activateWindow();
}
}  // namespace

void IDE::editFind() {
  if (replaceAll_) replaceAll_->hide();
  if (!findTarget_) findTarget_ = std::make_unique<EditorFindTarget>(this);
  if (!find_) find_ = new Find(this, *findTarget_);
  find_->Reset();
  showOwned(find_);
}

void IDE::editReplaceAll() {
  if (find_) find_->hide();
  if (!findTarget_) findTarget_ = std::make_unique<EditorFindTarget>(this);
  if (!replaceAll_) replaceAll_ = new ReplaceAll(this, *findTarget_);
  replaceAll_->Reset();
  showOwned(replaceAll_);
}

void IDE::unloadFindWindows() {
  delete find_;
  delete replaceAll_;
}

// --- Help ---

void IDE::helpHost() {
  if (!helpDlg_) helpDlg_ = new HelpDlg(this);
  showOwned(helpDlg_);
}

void IDE::helpControl() { showScriptControlAbout(this); }

void IDE::helpScript() {
  HelpWindowHandle = helpViewer_.open(ScriptHelpFile);
  if (HelpWindowHandle == 0)
    msgBox(QStringLiteral("No program to show \"%1\" was found. Pallweave looked for: %2.")
               .arg(QFileInfo(ScriptHelpFile).absoluteFilePath(), helpViewer_.viewers.join(QStringLiteral(", "))),
           48, ProgramTitle);  // vbExclamation
}

void IDE::closeHelpViewer() {
  if (HelpWindowHandle != 0) helpViewer_.close();
  HelpWindowHandle = 0;
}

void IDE::unloadHelpWindow() { delete helpDlg_; }

}  // namespace pw
