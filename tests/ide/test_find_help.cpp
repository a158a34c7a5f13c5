// Find, Replace All, the help window and the Help menu, driven through the
// main window's menus on the offscreen platform.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>

#include "ide.h"
#include "resources.h"

using namespace pw;

namespace {

// Acts on the next message box once its own event loop runs; a box that never
// comes is not waited for beyond a few seconds.
void onMessageBox(std::function<void(QMessageBox*)> act) {
  auto* timer = new QTimer;
  auto start = std::make_shared<QElapsedTimer>();
  start->start();
  const int level = QThread::currentThread()->loopLevel();
  QObject::connect(timer, &QTimer::timeout, [=] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    const bool ready = box && box->isVisible() && QThread::currentThread()->loopLevel() > level;
    if (!ready && start->elapsed() < 5000) return;
    timer->stop();
    timer->deleteLater();
    if (ready) act(box);
  });
  timer->start(10);
}

}  // namespace

class FindHelpTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> settingsDir;
  std::unique_ptr<IDE> ide;
  QStringList told;  // the Find dialog's messages, in order

  Find* openFind() {
    ide->mnuEditFind->trigger();
    Find* f = ide->findWindow();
    if (f) f->tell = [this](const QString& text, const QString&) { told << text; };
    return f;
  }
  ReplaceAll* openReplaceAll() {
    ide->mnuEditReplaceAll->trigger();
    return ide->replaceAllWindow();
  }
  void setScript(const QString& text, int caret) {
    ide->txtScript->setText(text);
    ide->txtScript->setSelection(caret, 0);
    ide->Modified = false;  // as a script just opened
  }
  // The selection after one Find Next, and whether that click told a message.
  struct Step {
    int start, length;
    bool told;
  };
  Step findNext(Find* f) {
    const qsizetype before = told.size();
    f->cmdFindNext->click();
    return {ide->txtScript->selStart(), ide->txtScript->selLength(), told.size() > before};
  }
  static QString lineOf(const QString& text, const QString& startsWith) {
    for (const QString& l : text.split(u'\n'))
      if (l.startsWith(startsWith)) return l;
    return QString();
  }

 private slots:
  void init() {
    told.clear();
    settingsDir = std::make_unique<QTemporaryDir>();
    QDir::setCurrent(settingsDir->path());  // no script56.chm here
    ide = std::make_unique<IDE>(settingsDir->path());
    QVERIFY(QTest::qWaitForWindowExposed(ide.get()));
  }
  void cleanup() {
    ide.reset();
    QDir::setCurrent(QCoreApplication::applicationDirPath());
  }

  // --- Find ---

  void findWalksTheMatchesAndReportsTheFullCycleFromTheCaret() {
    setScript(QStringLiteral("abc abc"), 0);
    Find* f = openFind();
    QVERIFY(f && f->isVisible());
    QVERIFY(!f->cmdFindNext->isEnabled());
    QTest::keyClicks(f->txtFind, "ABC");
    QVERIFY(f->cmdFindNext->isEnabled());

    Step s = findNext(f);
    QCOMPARE((std::tuple{s.start, s.length, s.told}), (std::tuple{0, 3, false}));
    s = findNext(f);
    QCOMPARE((std::tuple{s.start, s.length, s.told}), (std::tuple{4, 3, false}));
    s = findNext(f);
    QCOMPARE((std::tuple{s.start, s.length, s.told}), (std::tuple{0, 3, true}));
    QCOMPARE(told, QStringList{QStringLiteral("Searched entire script")});

    // The dialog sits in the main window's bottom-right corner.
    const QRect m = ide->frameGeometry(), d = f->frameGeometry();
    QCOMPARE(d.x() + d.width(), m.x() + m.width());
    QCOMPARE(d.y() + d.height(), m.y() + m.height());
  }

  void findFromTheEndRestartsSilentlyAndReportsWhenNothingIsLeft() {
    setScript(QStringLiteral("abc abc"), 7);
    Find* f = openFind();
    QTest::keyClicks(f->txtFind, "ABC");
    Step s = findNext(f);
    QCOMPARE((std::tuple{s.start, s.length, s.told}), (std::tuple{0, 3, false}));
    s = findNext(f);
    QCOMPARE((std::tuple{s.start, s.length, s.told}), (std::tuple{4, 3, false}));
    s = findNext(f);  // nothing before the end: the message, the selection stays
    QCOMPARE((std::tuple{s.start, s.length, s.told}), (std::tuple{4, 3, true}));
    QCOMPARE(f->SearchOrigin, -1);
    s = findNext(f);
    QCOMPARE((std::tuple{s.start, s.length, s.told}), (std::tuple{0, 3, true}));
  }

  void absentTextIsReportedOnEveryClick() {
    setScript(QStringLiteral("one\r\ntwo"), 2);
    ide->txtScript->setSelection(1, 2);
    Find* f = openFind();
    QTest::keyClicks(f->txtFind, "three");
    for (int i = 0; i < 2; ++i) {
      const Step s = findNext(f);
      QCOMPARE((std::tuple{s.start, s.length, s.told}), (std::tuple{1, 2, true}));
    }
  }

  void findCountsLineBreaksAsTwoAndSearchesPast32767() {
    const QString text = QStringLiteral("x\r\n") + QString(40000, u'y') + QStringLiteral("Needle");
    setScript(text, 35000);
    Find* f = openFind();
    QTest::keyClicks(f->txtFind, "nEEDLE");
    const Step s = findNext(f);
    QCOMPARE((std::tuple{s.start, s.length, s.told}), (std::tuple{40003, 6, false}));
    QCOMPARE(ide->txtScript->textCursor().selectedText(), QStringLiteral("Needle"));
  }

  void editingTheSearchTextRestartsAtTheCaret() {
    setScript(QStringLiteral("ab ab ab"), 0);
    Find* f = openFind();
    QTest::keyClicks(f->txtFind, "a");
    findNext(f);
    findNext(f);
    QCOMPARE(ide->txtScript->selStart(), 3);
    ide->txtScript->setSelection(1, 0);
    QTest::keyClicks(f->txtFind, "b");  // "ab", searched from the caret at 1
    QCOMPARE(f->SearchPos, 1);
    QVERIFY(!f->Wrapped);
    QCOMPARE(findNext(f).start, 3);
    f->txtFind->clear();
    QVERIFY(!f->cmdFindNext->isEnabled());
  }

  void theSearchedEntireScriptBoxHasTheProgramTitle() {
    setScript(QStringLiteral("abc"), 0);
    ide->mnuEditFind->trigger();
    Find* f = ide->findWindow();
    QTest::keyClicks(f->txtFind, "zzz");
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::Information;
    int buttons = 0;
    onMessageBox([&](QMessageBox* box) {
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = int(box->buttons().size());
      box->button(QMessageBox::Ok)->click();
    });
    f->cmdFindNext->click();
    QCOMPARE(title, QStringLiteral("Pallweave Find"));
    QCOMPARE(text, QStringLiteral("Searched entire script"));
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttons, 1);
  }

  // --- Replace All ---

  void replaceAllIgnoresCaseAndIsOneUndoableChange() {
    setScript(QStringLiteral("Aa\r\nxA"), 0);
    QVERIFY(!ide->Modified);
    ReplaceAll* r = openReplaceAll();
    QVERIFY(!r->cmdReplaceAll->isEnabled());
    QTest::keyClicks(r->txtFind, "a");
    QVERIFY(!r->cmdReplaceAll->isEnabled());
    QTest::keyClicks(r->txtReplace, "bb");
    QVERIFY(r->cmdReplaceAll->isEnabled());
    r->cmdReplaceAll->click();
    QCOMPARE(ide->txtScript->text(), QStringLiteral("bbbb\r\nxbb"));  // inserted text is not searched again
    QVERIFY(ide->Modified);
    QVERIFY(ide->windowTitle().endsWith(QStringLiteral(" *")));
    QVERIFY(r->isVisible());
    QCOMPARE(r->txtFind->selectedText(), QStringLiteral("a"));
    ide->txtScript->undo();
    QCOMPARE(ide->txtScript->text(), QStringLiteral("Aa\r\nxA"));
    ide->txtScript->redo();
    QCOMPARE(ide->txtScript->text(), QStringLiteral("bbbb\r\nxbb"));

    r->txtReplace->clear();
    QVERIFY(!r->cmdReplaceAll->isEnabled());
  }

  void replaceAllWithoutAMatchLeavesTheDocumentUnmodified() {
    setScript(QStringLiteral("abc"), 0);
    ReplaceAll* r = openReplaceAll();
    QTest::keyClicks(r->txtFind, "q");
    QTest::keyClicks(r->txtReplace, "z");
    r->cmdReplaceAll->click();
    QCOMPARE(ide->txtScript->text(), QStringLiteral("abc"));
    QVERIFY(!ide->Modified);
  }

  void replaceAllChangesAReadOnlyScriptButNotARunsOutput() {
    // A read-only script: replaced, and then read-only and modified, which
    // only Save As can keep.
    const QString path = settingsDir->filePath(QStringLiteral("ro.vbs"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("abc");
    f.close();
    QVERIFY(f.setPermissions(QFileDevice::ReadOwner));
    ide->openAtStart(path);
    QVERIFY(ide->IsReadOnly && !ide->Modified);
    ReplaceAll* r = openReplaceAll();
    QTest::keyClicks(r->txtFind, "a");
    QTest::keyClicks(r->txtReplace, "z");
    r->cmdReplaceAll->click();
    QCOMPARE(ide->txtScript->text(), QStringLiteral("zbc"));
    QVERIFY(ide->IsReadOnly && ide->Modified);
    QVERIFY(!ide->mnuFileSave->isEnabled());
    QVERIFY(ide->mnuFileSaveAs->isEnabled());
    QVERIFY(ide->txtScript->isReadOnly());
    QCOMPARE(ide->beepCount(), 0);

    // A run's output stays as the script wrote it.
    setScript(QStringLiteral("WScript.Echo \"abc\""), 0);
    ide->mnuRunStart->trigger();
    QVERIFY(ide->runEngine().showingOutput());
    r->cmdReplaceAll->click();
    QCOMPARE(ide->txtScript->toPlainText(), QStringLiteral("abc\n"));
  }

  // --- both dialogs ---

  void theDialogsHideEachOtherAndKeepTheirTexts() {
    setScript(QStringLiteral("abc"), 0);
    Find* f = openFind();
    QTest::keyClicks(f->txtFind, "b");
    ReplaceAll* r = openReplaceAll();
    QVERIFY(!f->isVisible());
    QVERIFY(r->isVisible());
    QTest::keyClicks(r->txtFind, "c");
    QTest::keyClicks(r->txtReplace, "d");
    QCOMPARE(openFind(), f);
    QVERIFY(f->isVisible());
    QVERIFY(!r->isVisible());

    f->close();  // as the frame's close box does: hidden, not destroyed
    QVERIFY(!f->isVisible());
    QCOMPARE(openFind(), f);
    QCOMPARE(f->txtFind->text(), QStringLiteral("b"));
    QVERIFY(f->cmdFindNext->isEnabled());

    QTest::keyClick(f, Qt::Key_Escape);
    QVERIFY(!f->isVisible());
    QCOMPARE(openReplaceAll(), r);
    r->cmdCancel->click();
    QVERIFY(!r->isVisible());
    r->close();
    QCOMPARE(openReplaceAll(), r);
    QCOMPARE(r->txtFind->text(), QStringLiteral("c"));
    QCOMPARE(r->txtReplace->text(), QStringLiteral("d"));
    QVERIFY(r->cmdReplaceAll->isEnabled());
  }

  void theDialogsHaveTheirCaptionsAndButtons() {
    Find* f = openFind();
    QCOMPARE(f->windowTitle(), QStringLiteral("Find"));
    QVERIFY(f->cmdFindNext->isDefault());
    QCOMPARE(f->Label1->text(), QStringLiteral("Find What"));
    QCOMPARE(f->cmdFindNext->text(), QStringLiteral("Find Next"));
    QCOMPARE(f->size(), f->minimumSize());  // a fixed frame
    QCOMPARE(f->size(), f->maximumSize());
    ReplaceAll* r = openReplaceAll();
    QCOMPARE(r->windowTitle(), QStringLiteral("Replace All"));
    QVERIFY(r->cmdReplaceAll->isDefault());
    QCOMPARE(r->Label2->text(), QStringLiteral("Replace With"));
    QCOMPARE(r->size(), f->size());
  }

  void closingTheMainWindowUnloadsTheDialogs() {
    openFind();
    openReplaceAll();
    ide->mnuHelpHost->trigger();
    QVERIFY(ide->close());
    QVERIFY(!ide->findWindow());
    QVERIFY(!ide->replaceAllWindow());
    QVERIFY(!ide->helpWindow());
  }

  // --- help text ---

  void theHelpTextIsStoredAsWritten() {
    const QByteArray bytes = helpTextBytes();
    QCOMPARE(bytes.size(), 2769);
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count("\r\n"), 81);
    QCOMPARE(bytes.count('\n'), 81);  // no bare line feed
    QCOMPARE(bytes.count('\r'), 81);
    QVERIFY(!bytes.contains('\t'));
    for (const char c : bytes) QVERIFY(c == '\r' || c == '\n' || (c >= 32 && c < 127));
    for (const QByteArray& line : bytes.split('\n')) QVERIFY(line.size() <= 318);  // 317 and the CR
  }

  void theHelpTextHasItsSectionsInOrder() {
    const QString t = helpText();
    const QStringList lines = t.split(u'\n');
    QCOMPARE(lines.first(), QStringLiteral("PALLWEAVE - A SAMPLE HOST FOR THE MICROSOFT SCRIPT CONTROL"));
    qsizetype at = 0;
    for (const char* heading : {"NOTES", "CAUTIONS", "MENUS", "DIFFERENCES FROM WSH OBJECTS", "    WSCRIPT implements:",
                                "    WSCRIPT.STDIN implements:", "    WSCRIPT.STDERR", "    WSCRIPT.STDOUT implements:"}) {
      const qsizetype i = lines.indexOf(QLatin1String(heading), at);
      QVERIFY2(i > at, heading);
      at = i;
    }
    QCOMPARE(lineOf(t, QStringLiteral("    FILE")), QStringLiteral("    FILE    Load and save scripts, quit program."));
    QCOMPARE(lineOf(t, QStringLiteral("    TIMEOUT")), QStringLiteral("    TIMEOUT Set script timeout interval."));
    QCOMPARE(lineOf(t, QStringLiteral("    IDE")),
             QStringLiteral("    IDE     Control whether to allow unsafe components, etc."));
    for (const char* item : {"Arguments (returns empty collection)", "ScriptFullName", "StdErr", "Version",
                             "ReadLine(), opening a TextBox for input.", "Writes to WScript.StdOut as below.",
                             "WriteChars(), like .Write() in WSH StdOut."})
      QVERIFY2(lines.contains(QStringLiteral("        ") + QLatin1String(item)), item);
    QVERIFY(t.contains(QStringLiteral("CreateObject() only uses the 1st parameter.")));
    QVERIFY(t.contains(QStringLiteral("\"Allow UI\" and \"Allow Unsafe\"")));
  }

  // --- help window ---

  void theHelpWindowKeepsItsSizeAndScrollWhenReopened() {
    ide->mnuHelpHost->trigger();
    HelpDlg* h = ide->helpWindow();
    QVERIFY(h && h->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(h));
    QCOMPARE(h->windowTitle(), QStringLiteral("Pallweave - Help"));
    QVERIFY(h->txtHelp->isReadOnly());
    QCOMPARE(h->txtHelp->toPlainText(), helpText());
    QCOMPARE(h->txtHelp->geometry(), h->rect());

    h->resize(420, 260);  // narrow: the long paragraphs wrap and the text scrolls
    QTRY_COMPARE(h->txtHelp->geometry(), h->rect());
    QScrollBar* bar = h->txtHelp->verticalScrollBar();
    QVERIFY(bar->maximum() > 20);
    bar->setValue(bar->maximum() / 2);
    // What the user sees at the top; the bar's range grows as the lazily
    // laid-out paragraphs get their real heights.
    auto topChar = [h] { return h->txtHelp->cursorForPosition(QPoint(2, 2)).position(); };
    const int scrolledTo = topChar();
    QVERIFY(scrolledTo > 500);
    h->close();
    QVERIFY(!h->isVisible());
    QCOMPARE(ide->helpWindow(), h);

    ide->mnuHelpHost->trigger();
    QCOMPARE(ide->helpWindow(), h);
    QVERIFY(h->isVisible());
    QCOMPARE(h->size(), QSize(420, 260));
    QCOMPARE(topChar(), scrolledTo);
  }

  void theAboutItemShowsTheEngine() {
    QString text;
    onMessageBox([&](QMessageBox* box) {
      text = box->text();
      box->button(QMessageBox::Ok)->click();
    });
    ide->mnuHelpControl->trigger();
    QCOMPARE(text, QString::fromStdU16String(ScriptControl::AboutText()));
    QVERIFY(text.contains(QStringLiteral("2.7.0.166")));
  }

  // --- Windows Script Help ---

  void theScriptHelpItemFollowsTheFileAtStartUp() {
    QVERIFY(!ide->mnuHelpScript->isVisible());
    ide.reset();
    QFile chm(settingsDir->filePath(QStringLiteral("script56.chm")));
    QVERIFY(chm.open(QIODevice::WriteOnly));
    chm.close();
    ide = std::make_unique<IDE>(settingsDir->path());
    QVERIFY(ide->mnuHelpScript->isVisible());
    QVERIFY(ide->mnuHelpHost->isVisible());
  }

  void theScriptHelpViewerClosesWithTheMainWindow() {
    // A stand-in viewer that stays open until it is told to end.
    const QString viewer = settingsDir->filePath(QStringLiteral("viewer.sh"));
    QFile v(viewer);
    QVERIFY(v.open(QIODevice::WriteOnly));
    v.write("#!/bin/sh\n[ -f \"$1\" ] || exit 3\nexec sleep 30\n");
    v.close();
    QVERIFY(v.setPermissions(v.permissions() | QFileDevice::ExeOwner));
    QFile chm(settingsDir->filePath(QStringLiteral("script56.chm")));
    QVERIFY(chm.open(QIODevice::WriteOnly));
    chm.close();

    ide->scriptHelpViewer().viewers = {settingsDir->filePath(QStringLiteral("missing-viewer")), viewer};
    ide->mnuHelpScript->trigger();
    const qint64 pid = ide->HelpWindowHandle;
    QVERIFY(pid > 0);
    QVERIFY(ide->scriptHelpViewer().isOpen());
    ide->mnuHelpScript->trigger();  // the open viewer already shows the file
    QCOMPARE(ide->HelpWindowHandle, pid);
    QVERIFY(ide->close());
    QVERIFY(!ide->scriptHelpViewer().isOpen());
    QCOMPARE(ide->HelpWindowHandle, 0);
  }

  void noViewerSaysWhichViewersItLookedFor() {
    const QString missing = settingsDir->filePath(QStringLiteral("missing-viewer"));
    ide->scriptHelpViewer().viewers = {missing, QStringLiteral("no-such-chm-viewer")};
    QString text;
    onMessageBox([&](QMessageBox* box) {
      text = box->text();
      box->button(QMessageBox::Ok)->click();
    });
    ide->mnuHelpScript->trigger();
    QCOMPARE(ide->HelpWindowHandle, 0);
    QVERIFY2(text.contains(missing + QStringLiteral(", no-such-chm-viewer")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("script56.chm")));
  }
};

QTEST_MAIN(FindHelpTest)
#include "test_find_help.moc"
