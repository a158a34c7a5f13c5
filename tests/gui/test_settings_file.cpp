#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <algorithm>

#include "settings_file.h"

using namespace pw;

namespace {
const QString kDocs = "/home/u/Documents/";

// A session that moved every value away from its default.
Settings session() {
  return Settings{.windowState = 2, .left = 1200, .top = -45, .width = 10005, .height = 7200.5,
                  .timeoutX = 6, .allowUIX = 0, .safeSubsetX = 0, .tabX = 1, .wshVersionX = 2,
                  .filesDir = QString::fromUtf8("/home/u/é \"quoted\", folder/"), .fontBold = true,
                  .fontCharset = 204, .fontColor = 0x336699, .fontItalic = true, .fontName = "DejaVu Sans Mono",
                  .fontSize = 9.75f, .scriptHelpFile = "/usr/share/doc/script56.chm"};
}
// Every field shows in the written form, so equal files mean equal settings.
#define COMPARE_SETTINGS(a, b) QCOMPARE(formatSettings(a), formatSettings(b))

QByteArray bytesOf(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
}  // namespace

class SettingsFileTest : public QObject {
  Q_OBJECT
  QTemporaryDir tmp;

 private slots:
  void firstStartAndEmptyFileGiveTheDefaults() {
    QFile(tmp.filePath("empty.ini")).open(QIODevice::WriteOnly);
    for (const char* name : {"absent.ini", "empty.ini"}) {
      QByteArray f = formatSettings(loadSettings(tmp.filePath(name), "/d/"));
      QCOMPARE(f, QByteArray(
          "\"WindowState\",0\r\n\"Left\",0\r\n\"Top\",0\r\n\"Width\",9000\r\n\"Height\",6600\r\n"
          "\"TimeoutX\",3\r\n\"AllowUIX\",1\r\n\"SafeSubsetX\",1\r\n\"TabX\",0\r\n\"WSHVersionX\",0\r\n"
          "\"FilesDir\",\"/d/\"\r\n\"Font.Bold\",#FALSE#\r\n\"Font.Charset\",0\r\n\"Font.Color\",-2147483640\r\n"
          "\"Font.Italic\",#FALSE#\r\n\"Font.Name\",\"Courier New\"\r\n\"Font.Size\",10\r\n"
          "\"ScriptHelpFile\",\"script56.chm\"\r\n"));
    }
  }

  void sessionWrittenAndReadBack() {
    QString path = tmp.filePath("Pallweave.ini");
    QVERIFY(saveSettings(path, session()));
    QByteArray written = bytesOf(path);
    QVERIFY(written.contains("\"Font.Size\",9.75\r\n\"ScriptHelpFile\""));
    QVERIFY(written.contains("\"Height\",7200.5\r\n"));
    QVERIFY(written.contains("\"Font.Bold\",#TRUE#\r\n"));
    COMPARE_SETTINGS(loadSettings(path, kDocs), session());
    QCOMPARE(loadSettings(path, kDocs).filesDir, session().filesDir);

    Settings infinite = session();
    infinite.timeoutX = 5;  // never carried into the next run
    QVERIFY(saveSettings(path, infinite));
    QVERIFY(bytesOf(path).contains("\"TimeoutX\",3\r\n"));
    QCOMPARE(loadSettings(path, kDocs).timeoutX, 3);
  }

  void handEditedFilesReadTheSame() {
    QList<QByteArray> lines = formatSettings(session()).split('\n');
    lines.removeLast();
    for (int round = 0; round < 5; ++round) {
      std::shuffle(lines.begin(), lines.end(), *QRandomGenerator::global());
      COMPARE_SETTINGS(parseSettings(lines.join('\n'), kDocs), session());
    }
    Settings lower = session();
    lower.filesDir = lower.filesDir.toLower();
    lower.fontName = lower.fontName.toLower();
    COMPARE_SETTINGS(parseSettings(formatSettings(session()).toLower(), kDocs), lower);

    Settings s = parseSettings("\"Colour\",5\r\nTabX , 1\nFont.Name, Lucida Console \r\"Font.Color\",2147483656\n\n"
                               "\"Font.Bold\",-1\r\n\"FilesDir\",\"C:\\caf\xE9\\\"",
                               kDocs);
    QCOMPARE(s.tabX, 1);
    QCOMPARE(s.fontName, QString("Lucida Console"));
    QCOMPARE(s.fontColor, kSystemWindowText);  // its unsigned form
    QVERIFY(s.fontBold);
    QCOMPARE(s.filesDir, QString::fromUtf8("C:\\café\\"));  // not UTF-8: Windows-1252
    QVERIFY(!formatSettings(s).contains("Colour"));  // unknown keys are dropped

    // TabX is looked up after SafeSubsetX, so the search starts behind it.
    QCOMPARE(parseSettings("\"TabX\",0\r\n\"SafeSubsetX\",0\r\n\"TabX\",1\r\n", kDocs).tabX, 1);
  }

  void malformedValuesFallBackToTheirDefaults() {
    QByteArray f =
        "\"WindowState\",1\r\n\"Left\",abc\r\n\"Top\",\"x\"\r\n\"Width\",-5\r\n\"Height\",1e400\r\n"
        "\"TimeoutX\",9\r\n\"AllowUIX\",-1\r\n\"SafeSubsetX\",0.5\r\n\"TabX\",2\r\n\"WSHVersionX\",3\r\n"
        "\"FilesDir\",\"\"\r\n\"Font.Bold\",maybe\r\n\"Font.Charset\",256\r\n\"Font.Color\",4294967296\r\n"
        "\"Font.Italic\"\r\n\"Font.Name\",\r\n\"Font.Size\",0\r\ngarbage\r\n\"\r\n";
    COMPARE_SETTINGS(parseSettings(f, kDocs), defaultSettings(kDocs));
  }

  void failedWriteIsReportedAndKeepsTheOldFile() {
    QString path = tmp.filePath("keep.ini");
    QVERIFY(saveSettings(path, session()));
    QVERIFY(!saveSettings(tmp.filePath("no/such/folder/x.ini"), defaultSettings(kDocs)));
    QVERIFY(!saveSettings(tmp.path(), defaultSettings(kDocs)));
    COMPARE_SETTINGS(loadSettings(path, kDocs), session());
  }

  void settingsPlaceAndFolders() {
    QString data = tmp.filePath("fresh/share");  // not there yet, nor its parent
    SettingsPlace p = chooseSettingsPlace("/usr/local/bin", "/usr/local", data, "/home/u/Documents");
    QVERIFY(p.installed);
    QCOMPARE(p.file, data + "/Fenmarch Systems/Pallweave/Pallweave.ini");
    QCOMPARE(p.defaultFilesDir, QString("/home/u/Documents/"));
    QVERIFY(createSettingsFolder(p));
    QVERIFY(saveSettings(p.file, session()));
    COMPARE_SETTINGS(loadSettings(p.file, p.defaultFilesDir), session());

    p = chooseSettingsPlace(tmp.filePath("build/app"), "/usr/local", data, "/x");
    QVERIFY(!p.installed);
    QCOMPARE(p.file, tmp.filePath("build/app/Pallweave.ini"));
    QCOMPARE(p.defaultFilesDir, tmp.filePath("build/app/"));
    QVERIFY(createSettingsFolder(p));
    QVERIFY(!QFileInfo::exists(tmp.filePath("build")));  // nothing created beside an executable

    QVERIFY(!chooseSettingsPlace("/opt/pw-dev/bin", "/opt/pw", "/d", "/e").installed);  // whole folder names
    QVERIFY(chooseSettingsPlace("/opt/pw", "/opt/pw/", "/d", "/e").installed);
    QVERIFY(!chooseSettingsPlace("/OPT/PW/bin", "/opt/pw", "/d", "/e").installed);

    // Installed under another prefix than configured: found by its desktop entry.
    const QString prefix = tmp.filePath("home/.local");
    QVERIFY(QDir().mkpath(prefix + "/bin") && QDir().mkpath(prefix + "/share/applications"));
    QCOMPARE(installPrefixOf(prefix + "/bin", "/usr/local"), QString("/usr/local"));
    QFile entry(prefix + "/share/applications/Fenmarch.Systems.Pallweave.desktop");
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.close();
    QCOMPARE(installPrefixOf(prefix + "/bin", "/usr/local"), prefix);
    QVERIFY(chooseSettingsPlace(prefix + "/bin", installPrefixOf(prefix + "/bin", "/usr/local"), "/d", "/e").installed);
  }

  void windowPlacementInTwips() {
    QCOMPARE(pixelsToTwips(80, 96), 1200.0);
    QCOMPARE(twipsToPixels(6600, 120), 550);
    QCOMPARE(twipsToPixels(-1500, 96), -100);

    QWidget w;
    Settings in = defaultSettings(kDocs);
    in.left = 1500;
    in.top = 750;
    applyWindowPlacement(w, in);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Left, Top, Width and Height are the frame's: once its margins are
    // known, the placement is applied again with them.
    const QMargins frame = frameMarginsOf(w);
    applyWindowPlacement(w, in, frame);
    QTRY_COMPARE(w.frameGeometry(), QRect(100, 50, 600, 440));
    Settings out;
    for (Qt::WindowState state : {Qt::WindowNoState, Qt::WindowMaximized, Qt::WindowMinimized}) {
      w.setWindowState(state);
      QTRY_COMPARE(w.windowState(), state);
      storeWindowPlacement(out, w, frame);
      QCOMPARE(out.windowState, state == Qt::WindowMaximized ? 2 : 0);
      // Always the normal bounds.
      QCOMPARE(QList<double>({out.left, out.top, out.width, out.height}), QList<double>({1500, 750, 9000, 6600}));
    }
    QWidget m;
    in.windowState = 2;
    applyWindowPlacement(m, in);
    m.show();
    QVERIFY(m.isMaximized());
    QCOMPARE(pixelsToTwips(m.normalGeometry().width(), m.screen()->logicalDotsPerInchX()), 9000.0);
  }
};

QTEST_MAIN(SettingsFileTest)
#include "test_settings_file.moc"
