// The main window driven as a user drives it: start-up, the layout, F5 with
// the console, ReadLine, the stop keys, Quit, error reports and closing.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <functional>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "ide.h"

using namespace pw;

namespace {
const QString kComplete = QStringLiteral(R"(^Script complete\. \d+\.\d{4} seconds elapsed\.  Press ESC\.$)");
}

class IdeTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> settingsDir;  // each window reads and writes its own settings
  std::unique_ptr<IDE> ide;
  bool watchdogFired = false;
  int unsavedQuestions = 0;

  // The close asks about the unsaved script; answers No.
  void answerUnsavedWithNo() {
    when([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; }, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box->windowTitle() == QStringLiteral("Unsaved changes")) ++unsavedQuestions;
      box->button(QMessageBox::No)->click();
    });
  }

  // Acts once cond holds; timers fire while the script pumps messages.
  void when(std::function<bool()> cond, std::function<void()> act) {
    auto* t = new QTimer(this);
    t->setInterval(0);
    connect(t, &QTimer::timeout, this, [t, cond, act] {
      if (!cond()) return;
      t->stop();
      t->deleteLater();
      act();
    });
    t->start();
  }
  // A run that waits for input longer than this is ended, and the test fails.
  void watchdog(int ms = 5000) {
    // A child timer, which cleanup ends with its test.
    auto* t = new QTimer(this);
    t->setSingleShot(true);
    t->start(ms);
    connect(t, &QTimer::timeout, this, [this] {
      if (!ide || !ide->runEngine().running()) return;
      watchdogFired = true;
      RunFlags& f = ide->runFlags();
      f.AbortRequested = f.InputComplete = f.InputCancelled = true;
    });
  }
  void setScript(const QString& text) { ide->txtScript->setText(text); }
  void run() { ide->mnuRunStart->trigger(); }
  QString console() const { return ide->console().text(); }
  QString status() const { return ide->StatusBarMsg->text(); }
  QList<QMenu*> topMenus() const {
    return {ide->mnuFile, ide->mnuEdit, ide->mnuRun, ide->mnuTimeout, ide->mnuIDE, ide->mnuHelp};
  }
  bool anyMenuEnabled() const {
    for (QMenu* m : topMenus())
      if (m->menuAction()->isEnabled()) return true;
    return false;
  }

 private slots:
  void init() {
    watchdogFired = false;
    unsavedQuestions = 0;
    settingsDir = std::make_unique<QTemporaryDir>();
    ide = std::make_unique<IDE>(settingsDir->path());
    QVERIFY(QTest::qWaitForWindowExposed(ide.get()));
    ide->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ide.get()));
  }
  void cleanup() {
    // A test's unmet waits must not answer the next test's dialogs.
    qDeleteAll(findChildren<QTimer*>());
    QVERIFY(!watchdogFired);
    ide.reset();
  }

  void startsWithAnEmptyNewDocument() {
    QCOMPARE(ide->windowTitle(), QStringLiteral("Pallweave v. 2.7 - (new)"));
    QCOMPARE(status(), QStringLiteral("New script"));
    QCOMPARE(ide->StatusBarNav->text(), QStringLiteral("Line: 1   Col: 1"));
    QVERIFY(!ide->mnuRunStart->isEnabled());
    QVERIFY(!ide->mnuFileSave->isEnabled());
    QVERIFY(!ide->mnuFileSaveAs->isEnabled());
    QVERIFY(!ide->txtInput->isEnabled());
    QVERIFY(ide->txtScript->text().isEmpty());
    QVERIFY(!ide->txtScript->isReadOnly());
    QCOMPARE(ide->mnuRunStart->shortcut(), QKeySequence(Qt::Key_F5));
    QCOMPARE(ide->mnuEditFind->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    QCOMPARE(ide->mnuEditReplaceAll->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
    QCOMPARE(ide->mnuEditSelectAll->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    QStringList bar;
    for (QAction* a : ide->menuBar()->actions()) bar << a->text();
    QCOMPARE(bar, QStringList({"&File", "&Edit", "&IDE", "&Run", "&Timeout", "&Help"}));
    QCOMPARE(ide->mnuHelpControl->text(), QStringLiteral("&About Microsoft Script Control "));
    QVERIFY(!ide->mnuHelpScript->isVisible());  // no script56.chm here
    QCOMPARE(ide->mnuTimeoutVal[6]->text(), QStringLiteral("System &Detect Hangs"));
  }

  void typingEnablesStartAndMarksTheTitle() {
    ide->txtScript->setFocus();
    QTest::keyClicks(ide->txtScript, "x");
    QVERIFY(ide->mnuRunStart->isEnabled());
    QVERIFY(ide->mnuFileSaveAs->isEnabled());
    QVERIFY(!ide->mnuFileSave->isEnabled());
    QCOMPARE(ide->windowTitle(), QStringLiteral("Pallweave v. 2.7 - (new) *"));
  }

  void theCaretPaneFollowsKeysAndClicks() {
    setScript(QStringLiteral("ab\r\n\tcd\r\nefg"));
    ide->txtScript->setSelection(0, 0);
    QTest::keyClick(ide->txtScript, Qt::Key_Down);
    QTest::keyClick(ide->txtScript, Qt::Key_Right);
    QCOMPARE(ide->StatusBarNav->text(), QStringLiteral("Line: 2   Col: 2"));  // a tab is one column
    QTextCursor third(ide->txtScript->document()->findBlockByNumber(2));
    third.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 2);
    const QPoint at = ide->txtScript->cursorRect(third).center();
    QTest::mouseClick(ide->txtScript->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(ide->StatusBarNav->text(), QStringLiteral("Line: 3   Col: 3"));
  }

  void layoutTilesOnResizeAndSurvivesTinySizes() {
    ide->resize(700, 500);
    QTest::qWait(20);
    QWidget* client = ide->centralWidget();
    const int w = client->width(), h = client->height();
    QCOMPARE(ide->StatusBarSize->geometry().right(), w - 1);
    QCOMPARE(ide->StatusBarSize->geometry().bottom(), h - 1);
    QCOMPARE(ide->txtInput->geometry().bottom() + 1, ide->StatusBarMsg->geometry().top());
    QCOMPARE(ide->txtScript->geometry().bottom() + 1, ide->txtInput->geometry().top());
    QCOMPARE(ide->StatusBarNav->geometry().right() + 1, ide->StatusBarMsg->geometry().left());
    QCOMPARE(ide->StatusBarMsg->geometry().right() + 1, ide->StatusBarSize->geometry().left());
    QCOMPARE(ide->txtScript->width(), w);
    const int nav = ide->StatusBarNav->width(), grip = ide->StatusBarSize->width(), msg = ide->StatusBarMsg->width();
    ide->resize(900, 500);
    QTest::qWait(20);
    QCOMPARE(ide->StatusBarNav->width(), nav);
    QCOMPARE(ide->StatusBarSize->width(), grip);
    QCOMPARE(ide->StatusBarMsg->width(), msg + 200);
    ide->resize(20, 20);
    QTest::qWait(20);
    QVERIFY(ide->StatusBarMsg->width() >= 0);
    QVERIFY(ide->txtScript->height() >= 0);
  }

  void theSizeGripResizesFromTheBottomRightCorner() {
    // Offscreen has no system resize, so the grip's own drag is what runs here.
    const QSize before = ide->size();
    QTest::mousePress(ide->StatusBarSize, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(ide->StatusBarSize, QPoint(45, 35));
    QTest::mouseRelease(ide->StatusBarSize, Qt::LeftButton, {}, QPoint(45, 35));
    QTest::qWait(20);
    QCOMPARE(ide->size(), before + QSize(40, 30));
    QCOMPARE(ide->StatusBarSize->geometry().bottomRight(),
             QPoint(ide->centralWidget()->width() - 1, ide->centralWidget()->height() - 1));
  }

  void f5RunsAOneLineScriptInTheConsole() {
    setScript(QStringLiteral("WScript.Echo \"hello\", 1: WScript.Sleep 0"));
    ide->txtScript->setSelection(5, 0);
    ide->ScriptForeColor = 0x00FF0000u;  // blue console text against the editor's window text
    QString titleDuring, statusDuring;
    bool lockedDuring = false, menusDuring = true;
    uint32_t colourDuring = 0;
    when([] { return true; }, [&] {
      titleDuring = ide->windowTitle();
      statusDuring = status();
      lockedDuring = ide->txtScript->isReadOnly();
      menusDuring = anyMenuEnabled();
      colourDuring = ide->txtScript->foreColor();
    });
    QTest::keyClick(ide.get(), Qt::Key_F5);
    QCOMPARE(titleDuring, QStringLiteral("Pallweave v. 2.7 - (new) * [running]"));
    QCOMPARE(statusDuring, QStringLiteral("Script running.  Ctrl-C to abort."));
    QVERIFY(lockedDuring);
    QVERIFY(!menusDuring);
    QCOMPARE(colourDuring, 0x00FF0000u);

    QCOMPARE(ide->windowTitle(), QStringLiteral("Pallweave v. 2.7 - (new) *"));
    QVERIFY(QRegularExpression(kComplete).match(status()).hasMatch());
    QVERIFY(ide->StatusBarMsg->toolTip().isEmpty());
    QCOMPARE(console(), QStringLiteral("hello\r\n1\r\n"));
    QCOMPARE(ide->txtScript->toPlainText(), QStringLiteral("hello\n1\n"));
    QVERIFY(ide->txtScript->isReadOnly());
    QVERIFY(!anyMenuEnabled());
    QVERIFY(ide->runEngine().showingOutput());
    QCOMPARE(ide->beepCount(), 0);

    // F5 again does not start a second run: like any key it brings the script back.
    QTest::keyClick(ide->txtScript, Qt::Key_F5);
    QVERIFY(!ide->runEngine().showingOutput());
    QCOMPARE(ide->txtScript->text(), QStringLiteral("WScript.Echo \"hello\", 1: WScript.Sleep 0"));
    QCOMPARE(ide->txtScript->selStart(), 5);
    QCOMPARE(ide->txtScript->selLength(), 0);
    QCOMPARE(ide->txtScript->foreColor(), 0x80000008u);
    QVERIFY(!ide->txtScript->isReadOnly());
    QVERIFY(ide->txtScript->hasFocus());
    for (QMenu* m : topMenus()) QVERIFY(m->menuAction()->isEnabled());
    QVERIFY(status().isEmpty());
    QCOMPARE(ide->StatusBarNav->text(), QStringLiteral("Line: 1   Col: 6"));
    QCOMPARE(ide->windowTitle(), QStringLiteral("Pallweave v. 2.7 - (new) *"));
  }

  void anEmptyScriptCompletesAtOnce() {
    QTest::keyClicks(ide->txtScript, " ");
    ide->txtScript->setText(QString());
    run();
    QVERIFY(QRegularExpression(kComplete).match(status()).hasMatch());
    QVERIFY(console().isEmpty());
  }

  void readLineTakesTheInputLine() {
    watchdog();
    setScript(QStringLiteral("s = WScript.StdIn.ReadLine\r\nWScript.Echo \"got \" & s & \" \" & WScript.StdIn.Line"));
    const QColor rest = ide->txtInput->palette().color(QPalette::Base);
    bool enabled = false, focused = false;
    QColor waiting;
    QString statusWaiting;
    QSignalSpy returns(ide->txtInput, &QLineEdit::returnPressed);
    when([this] { return ide->runFlags().AwaitingInput; }, [&] {
      enabled = ide->txtInput->isEnabled();
      focused = ide->txtInput->hasFocus();
      waiting = ide->txtInput->palette().color(QPalette::Base);
      statusWaiting = status();
      QTest::keyClicks(ide->txtInput, "world");
      QTest::keyClick(ide->txtInput, Qt::Key_Return);
    });
    run();
    QVERIFY(enabled);
    QVERIFY(focused);
    QCOMPARE(waiting, QApplication::palette().color(QPalette::Active, QPalette::Base));
    QCOMPARE(statusWaiting, QStringLiteral("Awaiting input, Ctrl-C quits."));
    QCOMPARE(returns.count(), 0);  // Enter was swallowed by the window
    QCOMPARE(console(), QStringLiteral("world\r\ngot world 1\r\n"));
    QVERIFY(ide->txtInput->text().isEmpty());
    QVERIFY(!ide->txtInput->isEnabled());
    QCOMPARE(ide->txtInput->palette().color(QPalette::Base), rest);
    QVERIFY(QRegularExpression(kComplete).match(status()).hasMatch());
  }

  void ctrlCDuringReadLineStopsTheRun() {
    watchdog();
    setScript(QStringLiteral("WScript.Echo \"before\"\r\ns = WScript.StdIn.ReadLine\r\nWScript.Echo \"after\""));
    when([this] { return ide->runFlags().AwaitingInput; }, [&] {
      QTest::keyClicks(ide->txtInput, "typed");
      QTest::keyClick(ide->txtInput, Qt::Key_C, Qt::ControlModifier);
    });
    run();
    QCOMPARE(console(), QStringLiteral("before\r\n"));
    QVERIFY(ide->txtInput->text().isEmpty());
    QVERIFY(!ide->txtInput->isEnabled());
    QVERIFY(QRegularExpression(kComplete).match(status()).hasMatch());
    QCOMPARE(ide->beepCount(), 0);
    const RunFlags& f = ide->runFlags();
    QVERIFY(!f.AwaitingInput && !f.InputComplete && !f.InputCancelled);
  }

  void ctrlCStopsASleepLoop() {
    watchdog();
    setScript(QStringLiteral("n = 0\r\nDo\r\nn = n + 1\r\nWScript.Sleep 0\r\nLoop"));
    int passes = 0;
    QElapsedTimer sinceKey;
    when([&] { return ++passes > 20; }, [&] {
      QTest::keyClick(ide->txtScript, Qt::Key_C, Qt::ControlModifier);
      sinceKey.start();
    });
    run();
    QVERIFY(sinceKey.isValid());
    QVERIFY2(sinceKey.elapsed() < 100, qPrintable(QString::number(sinceKey.elapsed())));
    QVERIFY(QRegularExpression(kComplete).match(status()).hasMatch());
    QCOMPARE(ide->beepCount(), 0);
    QVERIFY(!ide->runFlags().AbortRequested);  // the member that acted cleared it
    // The script comes back and runs again.
    QTest::keyClick(ide->txtScript, Qt::Key_Escape);
    QCOMPARE(ide->txtScript->text(), QStringLiteral("n = 0\r\nDo\r\nn = n + 1\r\nWScript.Sleep 0\r\nLoop"));
    passes = 0;
    when([&] { return ++passes > 5; }, [&] { QTest::keyClick(ide->txtScript, Qt::Key_C, Qt::ControlModifier); });
    run();
    QVERIFY(QRegularExpression(kComplete).match(status()).hasMatch());
  }

  void ctrlCStopsAnEchoLoopAtAMessagePass() {
    watchdog();
    setScript(QStringLiteral("Do\r\nWScript.Echo \"x\"\r\nLoop"));
    when([] { return true; }, [&] { QTest::keyClick(ide->txtScript, Qt::Key_C, Qt::ControlModifier); });
    run();
    QVERIFY(QRegularExpression(kComplete).match(status()).hasMatch());
    QVERIFY(console().size() > 0);
  }

  void ctrlCStopsAWaitingHttpRequest() {
    // A listener that takes the connection into its backlog and never answers.
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    QVERIFY(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && ::listen(fd, 4) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0);
    watchdog(8000);
    setScript(QStringLiteral("Set h = CreateObject(\"MSXML2.ServerXMLHTTP\")\r\nh.open \"GET\", \"http://127.0.0.1:%1/\", False\r\n"
                             "WScript.Echo \"sending\"\r\nh.send\r\nWScript.Echo \"answered\"")
                  .arg(ntohs(a.sin_port)));
    QElapsedTimer sinceKey;
    QElapsedTimer started;
    started.start();
    // The request is under way once the first line shows and some time has passed.
    when([&] { return console().startsWith(QStringLiteral("sending")) && started.elapsed() > 300; }, [&] {
      QTest::keyClick(ide->txtScript, Qt::Key_C, Qt::ControlModifier);
      sinceKey.start();
    });
    run();
    ::close(fd);
    QVERIFY(!watchdogFired);
    QVERIFY(sinceKey.isValid());
    QVERIFY2(sinceKey.elapsed() < 2500, qPrintable(QString::number(sinceKey.elapsed())));
    QCOMPARE(console(), QStringLiteral("sending\r\n"));
    QVERIFY(QRegularExpression(kComplete).match(status()).hasMatch());
  }

  void enterBeforeReadLineEndsItsWait() {
    watchdog(3000);
    setScript(QStringLiteral(
        "For i = 1 To 10: WScript.Sleep 5: Next\r\ns = WScript.StdIn.ReadLine\r\nWScript.Echo \"[\" & s & \"]\""));
    when([] { return true; }, [&] { QTest::keyClick(ide->txtScript, Qt::Key_Return); });
    run();
    QCOMPARE(console(), QStringLiteral("\r\n[]\r\n"));  // the echo of the empty line, then the result
  }

  void quitEndsLikeACleanRun() {
    setScript(QStringLiteral("WScript.Echo \"a\"\r\nWScript.Quit 3\r\nWScript.Echo \"b\""));
    run();
    QCOMPARE(console(), QStringLiteral("a\r\n"));
    QVERIFY(QRegularExpression(kComplete).match(status()).hasMatch());
    QCOMPARE(ide->beepCount(), 0);
    QTest::keyClick(ide->txtScript, Qt::Key_Escape);
    setScript(QStringLiteral("On Error Resume Next\r\nWScript.Quit\r\nWScript.Echo Err.Number"));
    run();
    QCOMPARE(console(), QStringLiteral("51\r\n"));
  }

  void syntaxErrorInLine3IsSelected() {
    const QString script = QStringLiteral("a = 1\r\nb = 2\r\nc = 1 23 + 3\r\nd = 4");
    setScript(script);
    run();
    QCOMPARE(ide->beepCount(), 1);
    QCOMPARE(status(), QStringLiteral("Syntax error, line 3 column 7: Expected end of statement"));
    QCOMPARE(ide->StatusBarMsg->toolTip(), status());
    QVERIFY(!ide->runEngine().showingOutput());
    QCOMPARE(ide->txtScript->text(), script);
    QCOMPARE(ide->txtScript->selStart(), 20);
    QCOMPARE(ide->txtScript->selLength(), 2);
    QCOMPARE(ide->txtScript->textCursor().selectedText(), QStringLiteral("23"));
    QVERIFY(!ide->txtScript->isReadOnly());
    for (QMenu* m : topMenus()) QVERIFY(m->menuAction()->isEnabled());
    QCOMPARE(ide->windowTitle(), QStringLiteral("Pallweave v. 2.7 - (new) *"));
    QCOMPARE(ide->StatusBarNav->text(), QStringLiteral("Line: 3   Col: 7"));
    // The next key clears the report and its tooltip.
    QTest::keyClick(ide->txtScript, Qt::Key_Right);
    QVERIFY(status().isEmpty());
    QVERIFY(ide->StatusBarMsg->toolTip().isEmpty());
  }

  void runtimeErrorAtColumn0SelectsTheLine() {
    setScript(QStringLiteral("WScript.Echo \"one\"\r\nb = 1 / 0\r\nc = 3"));
    run();
    QCOMPARE(ide->beepCount(), 1);
    QCOMPARE(status(), QStringLiteral("Runtime error 11, line 2: Division by zero"));
    QCOMPARE(ide->txtScript->textCursor().selectedText(), QStringLiteral("b = 1 / 0"));
    QVERIFY(!ide->runEngine().showingOutput());
  }

  void theTimeoutStopsARunawayLoop() {
    ide->TimeoutMs = 300;
    ide->scScript().AllowUI(false);
    setScript(QStringLiteral("x = 0\r\nDo\r\nx = x + 1\r\nLoop"));
    QElapsedTimer t;
    t.start();
    run();
    QVERIFY(t.elapsed() >= 290);
    QVERIFY2(QRegularExpression(QStringLiteral(R"(^Runtime error -2147467260, line [2-4]: Script timed out$)"))
                 .match(status())
                 .hasMatch(),
             qPrintable(status()));
    QCOMPARE(ide->beepCount(), 1);
    QVERIFY(!ide->runEngine().showingOutput());
    QVERIFY(ide->txtScript->textCursor().hasSelection());
    QCOMPARE(ide->txtScript->text(), QStringLiteral("x = 0\r\nDo\r\nx = x + 1\r\nLoop"));  // the script is back

    // With UI allowed the user is asked first; No lets the script go on for another period.
    ide->scScript().AllowUI(true);
    int asked = 0;
    std::function<void()> answer = [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      box->button(++asked == 1 ? QMessageBox::No : QMessageBox::Yes)->click();
      if (asked == 1)
        when([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; }, answer);
    };
    when([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; }, answer);
    setScript(QStringLiteral("Do\r\nWScript.Echo 1\r\nLoop"));
    t.restart();
    run();
    QCOMPARE(asked, 2);
    QVERIFY(t.elapsed() >= 590);
    QVERIFY(status().endsWith(QStringLiteral("Script timed out")));
  }

  void hostErrorsReachTheReport() {
    setScript(QStringLiteral("x = WScript.ScriptName"));
    run();
    QCOMPARE(status(), QStringLiteral("Runtime error -2147191038, line 1: ScriptName invalid until script is saved"));
    setScript(QStringLiteral("WScript.StdOut.Write \"x\""));
    run();
    QVERIFY(status().startsWith(QStringLiteral("Runtime error 438, line 1: ")));
    // The console host's extra members and its own creation error are not the window's.
    for (const char* code : {"x = WScript.Timeout", "x = \"\" & WScript", "WScript.ConnectObject WScript, \"x_\""}) {
      setScript(QString::fromLatin1(code));
      run();
      QVERIFY2(status().startsWith(QStringLiteral("Runtime error 438, line 1: ")), code);
    }
    setScript(QStringLiteral("Set o = WScript.CreateObject(\"No.Such\")"));
    run();
    QVERIFY(status().startsWith(QStringLiteral("Runtime error 429, line 1: ")));
  }

  void nameIsTheProgramsOwn() {
    setScript(QStringLiteral("WScript.Echo WScript.Name"));
    run();
    QCOMPARE(console(), QFileInfo(QCoreApplication::applicationFilePath()).fileName() + QStringLiteral("\r\n"));
  }

  void streamsBehaveAsTheWindowsConsole() {
    setScript(QStringLiteral(
        "WScript.StdOut.WriteChars \"abc\" & Chr(12) & \"def\"\r\n"
        "WScript.StdOut.WriteBlankLines 0\r\nWScript.StdErr.WriteBlankLines -3\r\nWScript.StdOut.WriteBlankLines 2\r\n"
        "WScript.StdOut.WriteLine\r\n"
        "WScript.Echo WScript.StdErr Is WScript.StdOut, WScript.StdIn.Column, WScript.Version, WScript.BuildVersion\r\n"
        "Set a = WScript.Arguments: a.Add 1: WScript.Echo a.Count, WScript.Arguments.Count, TypeName(WScript)\r\n"
        "WScript.Echo\r\n"
        "WScript.StdOut.WriteChars \"gone\" & Chr(12)"));
    run();
    QVERIFY(console().isEmpty());  // the final form feed cleared it
    QTest::keyClick(ide->txtScript, Qt::Key_Escape);
    setScript(ide->txtScript->text().chopped(QStringLiteral("WScript.StdOut.WriteChars \"gone\" & Chr(12)").size()));
    run();
    QCOMPARE(console(), QStringLiteral("def\r\n\r\n\r\n\r\n\r\nTrue\r\n1\r\n5.6\r\n166\r\n1\r\n0\r\nWScriptSim\r\n\r\n"));
  }

  void msgBoxAndInputBoxAskInTheWindow() {
    watchdog();
    setScript(QStringLiteral("r = MsgBox(\"one\" & vbCrLf & \"two\", vbYesNo + vbQuestion + vbDefaultButton2, \"Ask\")\r\n"
                             "WScript.Echo r\r\nWScript.Echo InputBox(\"Name?\", \"T\", \"def\") & \"!\""));
    QString text, title;
    bool noIsDefault = false;
    when([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; }, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      text = box->text();
      title = box->windowTitle();
      noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
      box->button(QMessageBox::Yes)->click();
    });
    when([] { return qobject_cast<QInputDialog*>(QApplication::activeModalWidget()) != nullptr; }, [&] {
      auto* dlg = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      dlg->setTextValue(dlg->textValue() + QStringLiteral("ault"));
      dlg->accept();
    });
    run();
    QCOMPARE(text, QStringLiteral("one\ntwo"));
    QCOMPARE(title, QStringLiteral("Ask"));
    QVERIFY(noIsDefault);
    QCOMPARE(console(), QStringLiteral("6\r\ndefault!\r\n"));
  }

  void consoleIsTrimmedPast30000() {
    setScript(QStringLiteral("For i = 1 To 3500: WScript.StdOut.WriteChars Right(\"0000000\" & i, 8) & \"|\": Next"));
    run();
    QString expect;
    for (int i = 1; i <= 3500; ++i) {
      expect += QStringLiteral("%1|").arg(i, 8, 10, QLatin1Char('0'));
      if (expect.size() > 30000) expect = expect.right(25000);
    }
    QCOMPARE(console(), expect);
    QCOMPARE(ide->txtScript->toPlainText(), expect);
    QCOMPARE(ide->txtScript->textCursor().position(), expect.size());
  }

  void twoRunsInARowStartFromAnEmptyEngine() {
    setScript(QStringLiteral("Dim g: g = 5\r\nSub S: End Sub\r\nWScript.Echo g"));
    run();
    QCOMPARE(console(), QStringLiteral("5\r\n"));
    Object* first = ide->WScriptObject();
    const int count = ide->console().writeCount();
    QTest::keyClick(ide->txtScript, Qt::Key_Escape);
    setScript(QStringLiteral("WScript.Echo TypeName(g)\r\nS"));
    run();
    QCOMPARE(console(), QStringLiteral("Empty\r\n"));
    QCOMPARE(status(), QStringLiteral("Runtime error 35, line 2: Sub or Function not defined"));
    QCOMPARE(ide->WScriptObject(), first);
    QCOMPARE(ide->console().writeCount(), count + 1);  // the write count carries over
  }

  void aReadOnlyDocumentRunsInTheNormalColour() {
    setScript(QStringLiteral("WScript.Echo 1"));
    ide->IsReadOnly = true;
    ide->txtScript->setForeColor(0x80000011u);
    ide->txtScript->setReadOnly(true);
    uint32_t during = 0;
    setScript(QStringLiteral("WScript.Echo 1: WScript.Sleep 0"));
    when([] { return true; }, [&] { during = ide->txtScript->foreColor(); });
    run();
    QCOMPARE(during, 0x80000008u);
    QTest::keyClick(ide->txtScript, Qt::Key_Escape);
    QCOMPARE(ide->txtScript->foreColor(), 0x80000011u);
    QVERIFY(ide->txtScript->isReadOnly());
  }

  void theCurrentFolderIsRestored() {
    const QString before = QDir::currentPath();
    setScript(QStringLiteral("WScript.Echo 1"));
    when([] { return true; }, [] { QDir::setCurrent(QDir::tempPath()); });
    setScript(QStringLiteral("WScript.Sleep 0"));
    run();
    QCOMPARE(QDir::currentPath(), before);
  }

  void closingDuringARunStopsItAndKeepsTheScript() {
    watchdog();
    const QString script = QStringLiteral("Do\r\nWScript.Sleep 1\r\nLoop");
    setScript(script);
    when([] { return true; }, [this] { ide->close(); });
    answerUnsavedWithNo();
    run();
    QVERIFY(ide->runEngine().showingOutput() || !ide->isVisible());
    QTRY_VERIFY(!ide->isVisible());  // the close comes back once the run is over
    QCOMPARE(unsavedQuestions, 1);
    QCOMPARE(ide->txtScript->text(), script);
  }

  void closingDuringReadLineStopsTheWait() {
    watchdog();
    const QString script = QStringLiteral("s = WScript.StdIn.ReadLine\r\nWScript.Echo \"not reached\"");
    setScript(script);
    when([this] { return ide->runFlags().AwaitingInput; }, [this] { ide->close(); });
    answerUnsavedWithNo();
    run();
    QTRY_VERIFY(!ide->isVisible());
    QCOMPARE(ide->txtScript->text(), script);
    QVERIFY(!ide->txtInput->isEnabled());
  }

  // --- output while the script computes ---

 private:
  // Every paint of the console, with what it showed and when.
  struct PaintLog : QObject {
    QPlainTextEdit* view;
    QElapsedTimer clock;
    QList<QPair<qint64, QString>> paints;
    explicit PaintLog(QPlainTextEdit* v) : view(v) {
      clock.start();
      v->viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) paints.append({clock.elapsed(), view->toPlainText()});
      return false;
    }
    // When the console was first painted with text in it; -1 if never.
    qint64 firstShowing(const QString& text) const {
      for (const auto& p : paints)
        if (p.second.contains(text)) return p.first;
      return -1;
    }
  };

 private slots:
  void theLastWriteIsShownWhileTheScriptComputes() {
    watchdog();
    // Two writes in one frame, then no write for half a second: the second
    // must not wait for the end of the run.
    setScript(QStringLiteral("WScript.Echo \"step 1\" : WScript.Echo \"step 2\"\r\n"
                             "t = Timer\r\nDo While Timer - t < 0.5 And Timer >= t\r\nLoop\r\nWScript.Echo \"end\""));
    PaintLog log(ide->txtScript);
    run();
    const qint64 end = log.firstShowing(QStringLiteral("end"));
    const qint64 step2 = log.firstShowing(QStringLiteral("step 2"));
    QVERIFY(end > 0);
    QVERIFY2(step2 >= 0 && end - step2 > 300, qPrintable(QStringLiteral("step 2 painted at %1 ms, end at %2 ms").arg(step2).arg(end)));
    QCOMPARE(console(), QStringLiteral("step 1\r\nstep 2\r\nend\r\n"));
  }

  void theOutputIsShownBeforeEachDialog() {
    watchdog(20000);
    QStringList shown;
    auto record = [&](QDialog* dlg) {
      shown << ide->txtScript->toPlainText();
      if (auto* box = qobject_cast<QMessageBox*>(dlg))
        box->button(box->standardButtons() & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok)->click();
      else
        dlg->accept();
    };
    std::function<void()> answer = [&] {
      record(qobject_cast<QDialog*>(QApplication::activeModalWidget()));
      if (shown.size() < 3)
        when([] { return qobject_cast<QDialog*>(QApplication::activeModalWidget()) != nullptr; }, answer);
    };
    when([] { return qobject_cast<QDialog*>(QApplication::activeModalWidget()) != nullptr; }, answer);
    ide->TimeoutMs = 1500;
    ide->scScript().AllowUI(true);
    setScript(QStringLiteral("WScript.Echo \"a\" : WScript.Echo \"b\" : MsgBox \"m\"\r\n"
                             "WScript.Echo \"c\" : WScript.Echo \"d\" : x = InputBox(\"i\")\r\n"
                             "WScript.Echo \"e\" : WScript.Echo \"f\" : Do : Loop"));
    run();
    QCOMPARE(shown, QStringList({"a\nb\n", "a\nb\nc\nd\n", "a\nb\nc\nd\ne\nf\n"}));
  }

  // --- tabs ---

 private:
  // The x of the character at offset in the editor, from the line's start.
  qreal xOf(int docPos) {
    QTextCursor c(ide->txtScript->document());
    c.setPosition(docPos);
    const qreal x = ide->txtScript->cursorRect(c).x();
    c.movePosition(QTextCursor::StartOfBlock);
    return x - ide->txtScript->cursorRect(c).x();
  }

 private slots:

  void aTabReachesTheNextStopEvenFromAStop() {
    const qreal advance = QFontMetricsF(ide->txtScript->font()).horizontalAdvance(QLatin1Char('x'));
    struct Case {
      int tab;
      QString line;
      int column;  // where the character after the tab is drawn
    };
    for (const Case& c : {Case{0, "abcd\te", 8}, Case{0, "a\tb", 4}, Case{0, "abc\td", 4}, Case{0, "\t\tx", 8},
                          Case{1, "abcdefgh\te", 16}, Case{1, "abcd\te", 8}}) {
      ide->mnuIDETab[c.tab]->trigger();
      setScript(c.line);
      const qreal x = xOf(int(c.line.size()) - 1);
      QVERIFY2(qAbs(x - c.column * advance) < 1.0,
               qPrintable(QStringLiteral("%1: at %2 px, column %3 is %4 px").arg(c.line).arg(x).arg(c.column).arg(c.column * advance)));
    }
    // The console is the same view.
    ide->mnuIDETab[0]->trigger();
    setScript(QStringLiteral("WScript.Echo \"abcd\" & vbTab & \"e\""));
    run();
    QCOMPARE(ide->txtScript->toPlainText(), QStringLiteral("abcd\te\n"));
    QVERIFY(qAbs(xOf(5) - 8 * advance) < 1.0);
  }

  // --- closing ---

  void cancellingTheCloseAfterAStoppedReadLineLeavesNoStaleStatus() {
    watchdog();
    const QString script = QStringLiteral("s = WScript.StdIn.ReadLine");
    setScript(script);
    when([this] { return ide->runFlags().AwaitingInput; }, [this] { ide->close(); });
    when([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; }, [] {
      qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->button(QMessageBox::Cancel)->click();
    });
    run();
    QTRY_VERIFY(!ide->runEngine().showingOutput());
    QTest::qWait(50);
    QVERIFY(ide->isVisible());
    QCOMPARE(ide->txtScript->text(), script);
    QVERIFY2(!status().contains(QStringLiteral("Press ESC")), qPrintable(status()));
  }

  void closingWhileOutputIsShownPutsTheScriptBack() {
    setScript(QStringLiteral("WScript.Echo \"output\""));
    run();
    QVERIFY(ide->runEngine().showingOutput());
    answerUnsavedWithNo();
    ide->close();
    QVERIFY(!ide->isVisible());
    QCOMPARE(unsavedQuestions, 1);
    QCOMPARE(ide->txtScript->text(), QStringLiteral("WScript.Echo \"output\""));
  }
};

QTEST_MAIN(IdeTest)
#include "test_ide.moc"
