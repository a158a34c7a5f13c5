// The main window's documents, editor view, settings and run options, driven
// through its menus and its real dialogs on the offscreen platform.
#include <QApplication>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>

#include "ide.h"
#include "main_layout.h"
#include "script_control.h"
#include "settings_file.h"

using namespace pw;

namespace {

// Acts on the next `times` modal widgets of type T, each once its own event
// loop runs (a dialog closed while it is still being shown would leave exec()
// waiting). One watcher answers boxes that follow each other.
template <typename T>
void onModal(std::function<void(T*, int)> act, int times = 1) {
  auto* timer = new QTimer;
  auto start = std::make_shared<QElapsedTimer>(), seen = std::make_shared<QElapsedTimer>();
  auto last = std::make_shared<QPointer<T>>();
  auto done = std::make_shared<int>(0);
  start->start();
  const int level = QThread::currentThread()->loopLevel();
  QObject::connect(timer, &QTimer::timeout, [=] {
    T* w = qobject_cast<T*>(QApplication::activeModalWidget());
    const bool ready = w && w != last->data() && w->isVisible() && QThread::currentThread()->loopLevel() > level;
    if (!ready) seen->invalidate();
    else if (!seen->isValid()) seen->start();
    if (ready && seen->elapsed() >= 30) {
      *last = w;
      start->restart();
      if (++*done == times) {
        timer->stop();
        timer->deleteLater();
      }
      act(w, *done - 1);
    } else if (start->elapsed() > 10000) {
      timer->stop();
      timer->deleteLater();
      if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();  // never hang
    }
  });
  timer->start(10);
}
template <typename T>
void onModal(std::function<void(T*)> act) {
  onModal<T>([act](T* w, int) { act(w); }, 1);
}

// What a message box showed (the first of several answered).
struct Asked {
  QString title, text, lastText;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  bool yesIsDefault = false;
  int count = 0;
};
void answer(QList<QMessageBox::StandardButton> buttons, Asked* asked = nullptr) {
  onModal<QMessageBox>(
      [=](QMessageBox* box, int n) {
        if (asked && n == 0) {
          asked->title = box->windowTitle();
          asked->text = box->text();
          asked->icon = box->icon();
          asked->yesIsDefault = box->defaultButton() && box->defaultButton() == box->button(QMessageBox::Yes);
        }
        if (asked) {
          asked->lastText = box->text();
          ++asked->count;
        }
        box->button(buttons[n])->click();
      },
      int(buttons.size()));
}
void answer(QMessageBox::StandardButton button, Asked* asked = nullptr) { answer(QList({button}), asked); }

// The file dialog: the path typed into the name box, then OK (or Cancel for an
// empty path). after runs once the dialog has accepted.
void choose(const QString& path, bool readOnlyBox = false, std::function<void()> after = {}) {
  onModal<QFileDialog>([=](QFileDialog* dlg) {
    if (path.isEmpty()) return dlg->reject();
    dlg->findChild<QLineEdit*>("fileNameEdit")->setText(path);
    if (auto* box = dlg->findChild<QCheckBox*>("readOnlyCheck")) box->setChecked(readOnlyBox);
    static_cast<QDialog*>(dlg)->accept();
    if (after) after();
  });
}

QByteArray bytesOf(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

const QString kTitle = QStringLiteral("Pallweave v. 2.7 - ");

}  // namespace

class DocumentsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> tmp;  // scripts and the settings file
  std::unique_ptr<IDE> ide;

  QString file(const QString& name) const { return tmp->filePath(name); }
  void start() {
    ide = std::make_unique<IDE>(tmp->path());
    QVERIFY(QTest::qWaitForWindowExposed(ide.get()));
    ide->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ide.get()));
  }
  void restart() {
    ide->close();
    QVERIFY(!ide->isVisible());
    ide.reset();
    start();
  }
  void open(const QString& path, bool readOnlyBox = false) {
    choose(path, readOnlyBox);
    ide->mnuFileOpen->trigger();
  }
  void type(const QString& text) { QTest::keyClicks(ide->txtScript, text); }
  QString title() const { return ide->windowTitle(); }
  QString status() const { return ide->StatusBarMsg->text(); }
  // Which items of a menu group carry the check mark.
  template <size_t N>
  QList<int> checked(QAction* const (&group)[N]) const {
    QList<int> on;
    for (size_t i = 0; i < N; ++i)
      if (group[i]->isChecked()) on << int(i);
    return on;
  }
  QString ini() const { return QString::fromUtf8(bytesOf(file("Pallweave.ini"))); }

 private slots:
  void init() {
    tmp = std::make_unique<QTemporaryDir>();
    start();
  }
  void cleanup() {
    ide.reset();
    tmp.reset();
  }

  void documentStatesAndTitles() {
    QCOMPARE(title(), kTitle + "(new)");
    QCOMPARE(status(), QString("New script"));
    QVERIFY(!ide->mnuFileSave->isEnabled() && !ide->mnuFileSaveAs->isEnabled() && !ide->mnuRunStart->isEnabled());
    type("x = 1");
    QCOMPARE(title(), kTitle + "(new) *");
    QVERIFY(!ide->mnuFileSave->isEnabled() && ide->mnuFileSaveAs->isEnabled() && ide->mnuRunStart->isEnabled());

    choose(file("first"));  // the default extension is added
    ide->mnuFileSaveAs->trigger();
    QCOMPARE(ide->Dialogs->DialogTitle, QString("Save Pallweave v. 2.7 Source File as..."));
    QCOMPARE(ide->Dialogs->InitDir, tmp->path() + "/");  // the default folder: beside the settings
    QCOMPARE(bytesOf(file("first.vbs")), QByteArray("x = 1"));
    QCOMPARE(title(), kTitle + "first.vbs");
    QCOMPARE(status(), QString("Script saved"));
    QCOMPARE(ide->CurrentScriptPath, file("first.vbs"));
    QCOMPARE(ide->FilesDir, tmp->path() + "/");
    QCOMPARE(QDir::currentPath(), tmp->path());
    QVERIFY(!ide->mnuFileSave->isEnabled() && !ide->mnuFileSaveAs->isEnabled() && ide->mnuRunStart->isEnabled());

    type("\b2");  // deleting and retyping still counts as a change
    QCOMPARE(title(), kTitle + "first.vbs *");
    QVERIFY(ide->mnuFileSave->isEnabled() && ide->mnuFileSaveAs->isEnabled());
    ide->mnuFileSave->trigger();
    QCOMPARE(bytesOf(file("first.vbs")), QByteArray("x = 2"));
    QCOMPARE(title(), kTitle + "first.vbs");

    ide->mnuFileNew->trigger();
    QCOMPARE(title(), kTitle + "(new)");
    QVERIFY(ide->txtScript->text().isEmpty() && !ide->HasFile && !ide->mnuRunStart->isEnabled());
    // The open dialog starts in the last folder with the last path in its name box.
    QString initial;
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      initial = dlg->selectedFiles().value(0);
      dlg->reject();
    });
    ide->mnuFileOpen->trigger();
    QCOMPARE(initial, file("first.vbs"));
    QCOMPARE(status(), QString("Open canceled."));
    QCOMPARE(ide->Dialogs->DialogTitle, QString("Load Pallweave v. 2.7 Source File"));

    // A run and its output leave the document unmarked.
    open(file("first.vbs"));
    QCOMPARE(status(), QString("Script loaded"));
    QCOMPARE(ide->txtScript->text(), QString("x = 2"));
    ide->mnuRunStart->trigger();
    QTest::keyClick(ide->txtScript, Qt::Key_Escape);
    QCOMPARE(title(), kTitle + "first.vbs");
    QVERIFY(!ide->Modified);
  }

  void roundTripsKeepEveryByte_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");    // as the editor holds it
    QTest::addColumn<QByteArray>("edited");  // after "\r\né" is added at the end
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << "a\r\nb\r\n" << QByteArray("a\r\nb\r\n\r\n\xC3\xA9");
    QTest::newRow("LF") << QByteArray("a\nb\n") << "a\r\nb\r\n" << QByteArray("a\nb\n\n\xC3\xA9");
    QTest::newRow("no final break") << QByteArray("a\r\nb") << "a\r\nb" << QByteArray("a\r\nb\r\n\xC3\xA9");
    QTest::newRow("UTF-8") << QByteArray("s = \"\xC3\xBC\xE2\x82\xAC\"") << QString::fromUtf8("s = \"ü€\"")
                           << QByteArray("s = \"\xC3\xBC\xE2\x82\xAC\"\r\n\xC3\xA9");
    QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBFx\n") << "x\r\n" << QByteArray("\xEF\xBB\xBFx\n\n\xC3\xA9");
    QTest::newRow("Windows-1252") << QByteArray("s = \"caf\xE9 \x80\"\r\n") << QString::fromUtf8("s = \"café €\"\r\n")
                                  << QByteArray("s = \"caf\xE9 \x80\"\r\n\r\n\xE9");
    // Lines the user did not touch keep their own line ends; new ones take the commonest.
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc\r\n") << "a\r\nb\r\nc\r\n"
                           << QByteArray("a\r\nb\nc\r\n\r\n\xC3\xA9");
    QTest::newRow("mixed with CR") << QByteArray("a\rb\nc\r\nd\n") << "a\r\nb\r\nc\r\nd\r\n"
                                   << QByteArray("a\rb\nc\r\nd\n\n\xC3\xA9");
    // U+2029 is a character of the line, not a line break.
    QTest::newRow("U+2029") << QByteArray("a\xE2\x80\xA9" "b\n") << QString::fromUtf8("a\u2029b\r\n")
                            << QByteArray("a\xE2\x80\xA9" "b\n\n\xC3\xA9");
  }
  void roundTripsKeepEveryByte() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QByteArray, edited);
    const QString path = file("t.vbs");
    writeBytes(path, bytes);
    open(path);
    QCOMPARE(ide->txtScript->text(), text);
    QCOMPARE(ide->txtScript->selStart(), 0);
    type("x\b");
    QCOMPARE(title(), kTitle + "t.vbs *");
    ide->mnuFileSave->trigger();
    QCOMPARE(bytesOf(path), bytes);
    ide->txtScript->setSelection(int(text.size()), 0);
    ide->txtScript->insertPlainText(QString::fromUtf8("\né"));
    ide->mnuFileSave->trigger();
    QCOMPARE(bytesOf(path), edited);
    open(path);
    QCOMPARE(ide->txtScript->text(), text + QString::fromUtf8("\r\né"));
  }

  // Files a script editor meets in the wild: each opens with its bytes kept
  // (or is refused with a message), and nothing is written unasked.
  void nulBinaryAndHugeFiles() {
    const QString nul = file("nul.vbs");
    const QByteArray nulBytes("x = 1\r\n\0\0y\0 = 2\r\n", 16);
    writeBytes(nul, nulBytes);
    open(nul);
    QCOMPARE(title(), kTitle + "nul.vbs");
    QVERIFY(ide->txtScript->text().startsWith("x = 1\r\n"));
    type("x\b");
    ide->mnuFileSave->trigger();
    QCOMPARE(bytesOf(nul), nulBytes);

    QByteArray binary;
    for (int i = 0; i < 4096; ++i) binary += char((i * 167 + 13) & 0xff);
    const QString bin = file("tool.exe");
    writeBytes(bin, binary);
    open(bin);
    QCOMPARE(title(), kTitle + "tool.exe");
    QVERIFY(!ide->Modified);
    QVERIFY(!ide->txtScript->text().isEmpty());
    ide->close();  // unchanged: no question, and the file stays as it was
    QVERIFY(!ide->isVisible());
    QCOMPARE(bytesOf(bin), binary);
    start();

    // 50 MB of script lines.
    const QString huge = file("huge.vbs");
    QByteArray line("WScript.Echo \"0123456789012345678901234567890123456789\"\r\n");
    QByteArray big;
    big.reserve(50 << 20);
    while (big.size() < (50 << 20)) big += line;
    writeBytes(huge, big);
    open(huge);
    QCOMPARE(title(), kTitle + "huge.vbs");
    QCOMPARE(ide->txtScript->text().size(), big.size());
    type("x\b");
    ide->mnuFileSave->trigger();
    QCOMPARE(bytesOf(huge), big);
  }

  void readOnlyDocuments() {
    const QString ro = file("ro.vbs"), rw = file("rw.vbs");
    writeBytes(ro, "a\r\nb");
    writeBytes(rw, "c");
    QVERIFY(QFile::setPermissions(ro, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    for (bool attribute : {true, false}) {
      open(attribute ? ro : rw, !attribute);  // the attribute, or the dialog's box
      QVERIFY(ide->IsReadOnly);
      QVERIFY(ide->txtScript->isReadOnly());
      QCOMPARE(ide->txtScript->foreColor(), 0x80000011u);
      QCOMPARE(title(), kTitle + (attribute ? "ro.vbs" : "rw.vbs") + " (read only)");
      QCOMPARE(status(), QString("Script loaded, read only"));
      QVERIFY(!ide->mnuFileSave->isEnabled() && !ide->mnuFileSaveAs->isEnabled() && ide->mnuRunStart->isEnabled());
    }
    open(ro);
    ide->mnuEditSelectAll->trigger();  // also on a locked editor
    QCOMPARE(ide->txtScript->selStart(), 0);
    QCOMPARE(ide->txtScript->selLength(), 4);  // the line break counts two
    ide->mnuFileNew->trigger();
    QVERIFY(!ide->txtScript->isReadOnly());
    QCOMPARE(ide->txtScript->foreColor(), ide->ScriptForeColor);
    ide->mnuEditSelectAll->trigger();
    QCOMPARE(ide->txtScript->selLength(), 0);
  }

  void theUnsavedChangesQuestion() {
    type("x");
    Asked asked;
    answer(QMessageBox::Cancel, &asked);
    ide->mnuFileNew->trigger();
    QCOMPARE(asked.title, QString("Unsaved changes"));
    QCOMPARE(asked.text, QString("You have unsaved changes.\nDo you wish to save them now?"));
    QCOMPARE(asked.icon, QMessageBox::Information);
    QVERIFY(asked.yesIsDefault);
    QCOMPARE(ide->txtScript->text(), QString("x"));
    QCOMPARE(title(), kTitle + "(new) *");

    // No, then a cancelled open dialog: the old text stays, still modified.
    answer(QMessageBox::No);
    open(QString());
    QCOMPARE(ide->txtScript->text(), QString("x"));
    QVERIFY(ide->Modified);
    QCOMPARE(status(), QString("Open canceled."));

    // Yes without a file asks for a name; cancelling that lets New go on.
    answer(QMessageBox::Yes);
    choose(QString());
    ide->mnuFileNew->trigger();
    QVERIFY(ide->txtScript->text().isEmpty());
    QCOMPARE(status(), QString("New script"));

    // Yes with a file saves it, Cancel keeps the window, No closes without writing.
    writeBytes(file("k.vbs"), "old");
    open(file("k.vbs"));
    type("new ");
    answer(QMessageBox::Yes);
    ide->mnuFileNew->trigger();
    QCOMPARE(bytesOf(file("k.vbs")), QByteArray("new old"));
    type("y");
    answer(QMessageBox::Cancel);
    ide->close();
    QVERIFY(ide->isVisible());
    QCOMPARE(ide->txtScript->text(), QString("y"));
    asked = {};
    answer(QMessageBox::No, &asked);
    ide->close();
    QVERIFY(!ide->isVisible());
    QCOMPARE(asked.count, 1);
    QCOMPARE(QDir(tmp->path()).entryList(QDir::Files), QStringList({"k.vbs", "Pallweave.ini"}));
  }

  void failuresLeaveTheDocumentAlone() {
    const QString path = file("w.vbs");
    writeBytes(path, "one");
    open(path);
    type("z");
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));  // made read-only behind the program's back
    Asked asked;
    answer(QMessageBox::Ok, &asked);
    ide->mnuFileSave->trigger();
    QCOMPARE(asked.icon, QMessageBox::Critical);
    QVERIFY2(asked.text.contains("read-only"), qPrintable(asked.text));
    QCOMPARE(bytesOf(path), QByteArray("one"));
    QVERIFY(ide->Modified && ide->mnuFileSave->isEnabled());
    QCOMPARE(title(), kTitle + "w.vbs *");
    // A failed save in the close question keeps the window and the text.
    answer({QMessageBox::Yes, QMessageBox::Ok});
    ide->close();
    QVERIFY(ide->isVisible());
    QCOMPARE(ide->txtScript->text(), QString("zone"));

    // A file gone between the dialog and the reading: nothing changes.
    writeBytes(file("gone.vbs"), "never read");
    asked = {};
    answer({QMessageBox::No, QMessageBox::Ok}, &asked);  // the question, then the report
    choose(file("gone.vbs"), false, [this] { QFile::remove(file("gone.vbs")); });
    ide->mnuFileOpen->trigger();
    QCOMPARE(asked.count, 2);
    QVERIFY2(asked.lastText.contains("does not exist"), qPrintable(asked.lastText));
    QCOMPARE(ide->txtScript->text(), QString("zone"));
    QCOMPARE(ide->CurrentScriptPath, path);

    // Save As into a folder removed meanwhile: names and flags stay.
    QVERIFY(QDir(tmp->path()).mkdir("sub"));
    choose(file("sub/s.vbs"), false, [this] { QDir(file("sub")).removeRecursively(); });
    answer(QMessageBox::Ok);
    ide->mnuFileSaveAs->trigger();
    QCOMPARE(ide->CurrentScriptName, QString("w.vbs"));
    QVERIFY(ide->Modified && ide->HasFile);
    QCOMPARE(ide->FilesDir, tmp->path() + "/");
  }

  void settingsSurviveARestart() {
    ide->mnuTimeoutVal[6]->trigger();
    ide->mnuIDEAllowUI[0]->trigger();
    ide->mnuIDESafeSubset[0]->trigger();
    ide->mnuIDETab[1]->trigger();
    ide->mnuIDEWSHVersion[2]->trigger();
    onModal<QFontDialog>([](QFontDialog* dlg) {
      QFont f("DejaVu Sans Mono", 12);
      f.setBold(true);
      dlg->setCurrentFont(f);
      auto* colors = dlg->findChild<QComboBox*>("colorCombo");
      colors->setCurrentIndex(colors->findText("Red"));
      dlg->accept();
    });
    ide->mnuIDEFont->trigger();
    QVERIFY(QDir(tmp->path()).mkdir("scripts"));
    writeBytes(file("scripts/v.vbs"), "WScript.Echo WScript.Version");
    open(file("scripts/v.vbs"));
    // The frame's rectangle is what the settings keep.
    ide->setGeometry(QRect(120, 90, 640, 480).marginsRemoved(frameMarginsOf(*ide)));
    QTest::qWait(20);
    QCOMPARE(ide->frameGeometry(), QRect(120, 90, 640, 480));
    QCOMPARE(ide->logicalDpiX(), 96);
    restart();

    const QStringList lines = ini().split("\r\n");
    QCOMPARE(lines.size(), 19);  // 18 records, each ended by CR LF
    QCOMPARE(lines.mid(0, 5),
             QStringList({"\"WindowState\",0", "\"Left\",1800", "\"Top\",1350", "\"Width\",9600", "\"Height\",7200"}));
    QCOMPARE(lines.mid(5, 13),
             QStringList({"\"TimeoutX\",6", "\"AllowUIX\",0", "\"SafeSubsetX\",0", "\"TabX\",1", "\"WSHVersionX\",2",
                          "\"FilesDir\",\"" + file("scripts") + "/\"", "\"Font.Bold\",#TRUE#", "\"Font.Charset\",0",
                          "\"Font.Color\",255", "\"Font.Italic\",#FALSE#", "\"Font.Name\",\"DejaVu Sans Mono\"",
                          "\"Font.Size\",12", "\"ScriptHelpFile\",\"script56.chm\""}));

    QTRY_COMPARE(ide->frameGeometry(), QRect(120, 90, 640, 480));
    QCOMPARE(checked(ide->mnuTimeoutVal), QList<int>({6}));
    QCOMPARE(checked(ide->mnuIDEAllowUI), QList<int>({0}));
    QCOMPARE(checked(ide->mnuIDESafeSubset), QList<int>({0}));
    QCOMPARE(checked(ide->mnuIDETab), QList<int>({1}));
    QCOMPARE(checked(ide->mnuIDEWSHVersion), QList<int>({2}));
    QCOMPARE(ide->TimeoutMs, 0);
    QVERIFY(!ide->scScript().AllowUI() && ide->scScript().UseSafeSubset());
    QCOMPARE(ide->FilesDir, file("scripts") + "/");
    for (QWidget* box : {static_cast<QWidget*>(ide->txtScript), static_cast<QWidget*>(ide->txtInput)}) {
      QCOMPARE(box->font().family(), QString("DejaVu Sans Mono"));
      QCOMPARE(box->font().pointSizeF(), 12.0);
      QVERIFY(box->font().bold() && !box->font().italic());
    }
    QCOMPARE(ide->ScriptForeColor, 0xFFu);
    QCOMPARE(ide->txtInput->palette().color(QPalette::Active, QPalette::Text), QColor(Qt::red));
    QCOMPARE(ide->txtScript->tabStopDistance(), 8 * QFontMetricsF(ide->txtScript->font()).horizontalAdvance(u'x'));
    open(file("scripts/v.vbs"));
    ide->mnuRunStart->trigger();
    QCOMPARE(ide->console().text(), QString("5.8\r\n"));
    QTest::keyClick(ide->txtScript, Qt::Key_Escape);

    // Maximised and minimised windows keep their normal bounds.
    ide->showMaximized();
    QTRY_VERIFY(ide->isMaximized());
    restart();
    QVERIFY(ini().startsWith("\"WindowState\",2\r\n\"Left\",1800\r\n\"Top\",1350\r\n\"Width\",9600\r\n"));
    QVERIFY(ide->isMaximized());
    ide->showMinimized();
    QTRY_VERIFY(ide->isMinimized());
    restart();
    QVERIFY(ini().startsWith("\"WindowState\",0\r\n\"Left\",1800\r\n\"Top\",1350\r\n\"Width\",9600\r\n\"Height\",7200\r\n"));
  }

  void handEditedAndEmptySettingsFiles() {
    ide->mnuIDEWSHVersion[2]->trigger();
    restart();
    QStringList lines = ini().toLower().split("\r\n", Qt::SkipEmptyParts);
    std::reverse(lines.begin(), lines.end());
    lines.replaceInStrings("\"tabx\",0", "\"tabx\",1");
    lines.replaceInStrings("\"wshversionx\",2", "\"wshversionx\",7");  // outside its group: the default
    lines << "\"Unknown\",1";
    ide.reset();
    writeBytes(file("Pallweave.ini"), lines.join("\n").toUtf8());
    start();
    QCOMPARE(checked(ide->mnuIDETab), QList<int>({1}));
    QCOMPARE(checked(ide->mnuIDEWSHVersion), QList<int>({0}));
    QCOMPARE(ide->txtScript->font().family(), QString("courier new"));
    restart();
    QVERIFY(!ini().contains("nknown"));

    ide.reset();
    writeBytes(file("Pallweave.ini"), "");
    start();
    const double dpi = ide->logicalDpiX();
    QCOMPARE(ide->frameGeometry().topLeft(), QPoint(0, 0));  // the frame stays on the screen
    // Width and Height are the window's as seen, frame included.
    QCOMPARE(ide->frameGeometry().size(), QSize(twipsToPixels(9000, dpi), twipsToPixels(6600, dpi)));
    QCOMPARE(checked(ide->mnuTimeoutVal), QList<int>({3}));
    QCOMPARE(checked(ide->mnuIDEAllowUI), QList<int>({1}));
    QCOMPARE(checked(ide->mnuIDESafeSubset), QList<int>({1}));
    QCOMPARE(checked(ide->mnuIDETab), QList<int>({0}));
    QCOMPARE(checked(ide->mnuIDEWSHVersion), QList<int>({0}));
    QCOMPARE(ide->TimeoutMs, 10000);
    QVERIFY(ide->scScript().AllowUI() && !ide->scScript().UseSafeSubset());
    QCOMPARE(ide->WshVersionText, QString("5.6"));
    QCOMPARE(ide->txtScript->font().family(), QString("Courier New"));
    QCOMPARE(ide->txtScript->font().pointSizeF(), 10.0);
    QCOMPARE(ide->ScriptForeColor, 0x80000008u);
    QCOMPARE(ide->txtScript->tabStopDistance(), 4 * QFontMetricsF(ide->txtScript->font()).horizontalAdvance(u'x'));
  }

  void aFileNamedAtStartUpIsOpened() {
    writeBytes(file("arg.vbs"), "WScript.Echo 1\n");
    ide->openAtStart(file("arg.vbs"));
    QCOMPARE(title(), kTitle + "arg.vbs");
    QCOMPARE(ide->CurrentScriptPath, file("arg.vbs"));
    QCOMPARE(ide->txtScript->text(), QString("WScript.Echo 1\r\n"));
    QVERIFY(ide->mnuRunStart->isEnabled());

    // A relative name is taken from the current folder; a missing file is
    // reported as Open reports it and leaves the new document.
    restart();
    QDir::setCurrent(tmp->path());
    ide->openAtStart("arg.vbs");
    QCOMPARE(ide->CurrentScriptPath, file("arg.vbs"));
    restart();
    Asked asked;
    answer(QMessageBox::Ok, &asked);
    ide->openAtStart(file("nowhere.vbs"));
    QVERIFY2(asked.text.contains("does not exist"), qPrintable(asked.text));
    QCOMPARE(asked.icon, QMessageBox::Critical);
    QCOMPARE(title(), kTitle + "(new)");
  }

  void theMenusShowTheDesktopsShortcutsAndRadioMarks() {
    QCOMPARE(ide->mnuFileNew->shortcut(), QKeySequence("Ctrl+N"));
    QCOMPARE(ide->mnuFileOpen->shortcut(), QKeySequence("Ctrl+O"));
    QCOMPARE(ide->mnuFileSave->shortcut(), QKeySequence("Ctrl+S"));
    QCOMPARE(ide->mnuFileSaveAs->shortcut(), QKeySequence("Ctrl+Shift+S"));
    QCOMPARE(ide->mnuFileExit->shortcut(), QKeySequence("Ctrl+Q"));
    // The keys work from the editor.
    type("x");
    choose(file("keys.vbs"));
    QTest::keyClick(ide->txtScript, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(title(), kTitle + "keys.vbs");
    ide->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ide.get()));
    type("y");
    QTest::keyClick(ide->txtScript, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(bytesOf(file("keys.vbs")), QByteArray("xy"));
    QTest::keyClick(ide->txtScript, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(title(), kTitle + "(new)");

    // Each one-of-several group is exclusive, which the menus draw as radio marks.
    for (QAction* const* group : {ide->mnuIDETab, ide->mnuIDEAllowUI, ide->mnuIDESafeSubset}) {
      QVERIFY(group[0]->actionGroup() && group[0]->actionGroup()->isExclusive());
      QCOMPARE(group[0]->actionGroup(), group[1]->actionGroup());
    }
    QVERIFY(ide->mnuIDEWSHVersion[2]->actionGroup() && ide->mnuIDEWSHVersion[2]->actionGroup()->isExclusive());
    QCOMPARE(ide->mnuTimeoutVal[6]->actionGroup()->actions().size(), 7);
    QVERIFY(ide->mnuTimeoutVal[0]->actionGroup() != ide->mnuIDETab[0]->actionGroup());
    ide->mnuIDESafeSubset[0]->trigger();
    QCOMPARE(checked(ide->mnuIDESafeSubset), QList<int>({0}));
    ide->mnuIDESafeSubset[0]->trigger();  // the checked item again stays checked
    QCOMPARE(checked(ide->mnuIDESafeSubset), QList<int>({0}));
    QVERIFY(ide->scScript().UseSafeSubset());
    answer(QMessageBox::No);
    ide->mnuTimeoutVal[5]->trigger();  // refused: the old choice keeps its mark
    QCOMPARE(checked(ide->mnuTimeoutVal), QList<int>({3}));
  }

  // Drive letters come from Drives.txt beside the settings file, read at
  // start-up; the settings file is not involved. The map is process-wide,
  // so a control of our own sees what the window loaded.
  void driveLettersFromDrivesTxt() {
    QVERIFY(QDir(tmp->path()).mkdir("kdrive"));
    ide.reset();
    writeBytes(file("Drives.txt"), "# for the test\r\nk=kdrive\r\nnot a mapping\r\n");
    start();
    ScriptControl sc;
    QVERIFY(sc.AddCode(u"CreateObject(\"Scripting.FileSystemObject\").CreateTextFile(\"K:\\Logs.TXT\").Close"));
    QVERIFY(QFile::exists(file("kdrive/Logs.TXT")));
    QVERIFY(!sc.AddCode(u"CreateObject(\"Scripting.FileSystemObject\").CreateTextFile(\"L:\\x.txt\")"));
    QCOMPARE(sc.Error().Number, 76);
    QVERIFY(QString::fromStdU16String(sc.Error().Description).contains("L:"));
    QVERIFY(!ini().contains("kdrive"));

    ide.reset();
    QVERIFY(QFile::remove(file("Drives.txt")));
    start();
    QVERIFY(!sc.AddCode(u"CreateObject(\"Scripting.FileSystemObject\").GetFile(\"K:\\Logs.TXT\")"));
    QCOMPARE(sc.Error().Number, 76);
  }

  void theTimeoutGroupAndItsQuestion() {
    Asked asked;
    answer(QMessageBox::No, &asked);
    ide->mnuTimeoutVal[5]->trigger();
    QCOMPARE(asked.title, QString("Infinite script timeout"));
    QCOMPARE(asked.text, QString("An infinite loop in your script may cause\na lock-up.  Do you really want to set "
                                 "this\nvalue?"));
    QCOMPARE(asked.icon, QMessageBox::Warning);
    QVERIFY(asked.yesIsDefault);
    QCOMPARE(checked(ide->mnuTimeoutVal), QList<int>({3}));
    QCOMPARE(ide->TimeoutMs, 10000);
    answer(QMessageBox::Yes);
    ide->mnuTimeoutVal[5]->trigger();
    QCOMPARE(checked(ide->mnuTimeoutVal), QList<int>({5}));
    QCOMPARE(ide->TimeoutMs, -1);
    answer(QMessageBox::No);
    ide->mnuTimeoutVal[5]->trigger();  // the checked item again: asked again, answered No
    QCOMPARE(checked(ide->mnuTimeoutVal), QList<int>({5}));
    for (int pass = 0; pass < 2; ++pass) ide->mnuIDEWSHVersion[1]->trigger();
    QCOMPARE(checked(ide->mnuIDEWSHVersion), QList<int>({1}));
    QCOMPARE(ide->WshVersionText, QString("5.7"));
    restart();  // the infinite time-out is not carried over, and nothing is asked
    QVERIFY(ini().contains("\"TimeoutX\",3\r\n"));
    QCOMPARE(checked(ide->mnuTimeoutVal), QList<int>({3}));
    ide->mnuTimeoutVal[6]->trigger();
    QCOMPARE(ide->TimeoutMs, 0);

    // A hand-written infinite time-out asks at start-up; No leaves no item checked.
    ide->close();
    ide.reset();
    writeBytes(file("Pallweave.ini"), "\"TimeoutX\",5\r\n");
    asked = {};
    answer(QMessageBox::No, &asked);
    start();
    QCOMPARE(asked.title, QString("Infinite script timeout"));
    QCOMPARE(checked(ide->mnuTimeoutVal), QList<int>());
    QCOMPARE(ide->TimeoutMs, 0);
  }

  void theFontCommand() {
    const QFont before = ide->txtScript->font();
    onModal<QFontDialog>([](QFontDialog* dlg) { dlg->reject(); });
    ide->mnuIDEFont->trigger();
    QCOMPARE(ide->txtScript->font(), before);
    QCOMPARE(ide->ScriptForeColor, 0x80000008u);
    QCOMPARE(ide->Dialogs->Flags, 0x7140);

    // With a read-only document the chosen colour shows at once; the grey comes back.
    writeBytes(file("r.vbs"), "\tx");
    open(file("r.vbs"), true);
    ide->mnuIDETab[1]->trigger();
    QFont chosen;
    onModal<QFontDialog>([&](QFontDialog* dlg) {
      dlg->setCurrentFont(QFont("DejaVu Sans Mono", 14));
      auto* colors = dlg->findChild<QComboBox*>("colorCombo");
      colors->setCurrentIndex(colors->findText("Green"));
      dlg->accept();
    });
    ide->mnuIDEFont->trigger();
    QCOMPARE(ide->Dialogs->Flags, 0x7141);
    QCOMPARE(ide->txtScript->foreColor(), 0x008000u);
    QCOMPARE(ide->ScriptForeColor, 0x008000u);
    QCOMPARE(ide->txtInput->font(), ide->txtScript->font());
    QCOMPARE(ide->txtScript->font().pointSizeF(), 14.25);  // 19 pixels at 96 dpi
    // Eight-character tabs stay eight characters of the new font.
    QCOMPARE(ide->txtScript->tabStopDistance(), 8 * QFontMetricsF(ide->txtScript->font()).horizontalAdvance(u'x'));
    // The grey of a read-only document is not what the next start takes.
    open(file("r.vbs"), true);
    QCOMPARE(ide->txtScript->foreColor(), 0x80000011u);
    restart();
    QVERIFY(ini().contains("\"Font.Color\",32768\r\n"));
    QCOMPARE(ide->txtScript->foreColor(), 0x008000u);
  }
};

QTEST_MAIN(DocumentsTest)
#include "test_documents.moc"
