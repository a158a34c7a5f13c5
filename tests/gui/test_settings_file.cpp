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

QByteArray readBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
void writeBytes(const QString& path, const QByteArray& b) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(b);
}

// A session that changed every value away from its default.
Settings session() {
  Settings s = defaultSettings(kDocs);
  s.windowState = 2;
  s.left = 1200;
  s.top = -45;
  s.width = 10005;
  s.height = 7200.5;
  s.timeoutX = 6;
  s.allowUIX = 0;
  s.safeSubsetX = 0;
  s.tabX = 1;
  s.wshVersionX = 2;
  s.filesDir = QString::fromUtf8("/home/u/scripts/é \"quoted\", folder/");
  s.fontBold = true;
  s.fontCharset = 204;
  s.fontColor = 0x00336699;
  s.fontItalic = true;
  s.fontName = "DejaVu Sans Mono";
  s.fontSize = 9.75f;
  s.scriptHelpFile = "/usr/share/doc/script56.chm";
  return s;
}

void compareSettings(const Settings& a, const Settings& b) {
  QCOMPARE(a.windowState, b.windowState);
  QCOMPARE(a.left, b.left);
  QCOMPARE(a.top, b.top);
  QCOMPARE(a.width, b.width);
  QCOMPARE(a.height, b.height);
  QCOMPARE(a.timeoutX, b.timeoutX);
  QCOMPARE(a.allowUIX, b.allowUIX);
  QCOMPARE(a.safeSubsetX, b.safeSubsetX);
  QCOMPARE(a.tabX, b.tabX);
  QCOMPARE(a.wshVersionX, b.wshVersionX);
  QCOMPARE(a.filesDir, b.filesDir);
  QCOMPARE(a.fontBold, b.fontBold);
  QCOMPARE(a.fontCharset, b.fontCharset);
  QCOMPARE(a.fontColor, b.fontColor);
  QCOMPARE(a.fontItalic, b.fontItalic);
  QCOMPARE(a.fontName, b.fontName);
  QCOMPARE(a.fontSize, b.fontSize);
  QCOMPARE(a.scriptHelpFile, b.scriptHelpFile);
}

QList<QByteArray> lines(const QByteArray& file) {
  QList<QByteArray> l = file.split('\n');
  if (!l.isEmpty() && l.last().isEmpty()) l.removeLast();
  return l;
}
}  // namespace

class SettingsFileTest : public QObject {
  Q_OBJECT
  QTemporaryDir tmp;

 private slots:
  void defaultsForNoFileAndEmptyFile() {
    Settings none = loadSettings(tmp.filePath("absent.ini"), kDocs);
    writeBytes(tmp.filePath("empty.ini"), "");
    Settings empty = loadSettings(tmp.filePath("empty.ini"), kDocs);
    for (const Settings& s : {none, empty}) {
      QCOMPARE(s.windowState, 0);
      QCOMPARE(s.left, 0.0);
      QCOMPARE(s.top, 0.0);
      QCOMPARE(s.width, 9000.0);
      QCOMPARE(s.height, 6600.0);
      QCOMPARE(s.timeoutX, 3);
      QCOMPARE(s.allowUIX, 1);
      QCOMPARE(s.safeSubsetX, 1);
      QCOMPARE(s.tabX, 0);
      QCOMPARE(s.wshVersionX, 0);
      QCOMPARE(s.filesDir, kDocs);
      QCOMPARE(s.fontName, QString("Courier New"));
      QCOMPARE(s.fontSize, 10.0f);
      QCOMPARE(s.fontColor, qint32(0x80000008u));
      QCOMPARE(s.scriptHelpFile, QString("script56.chm"));
    }
  }

  void writtenFormatAndOrder() {
    Settings s = defaultSettings("/d/");
    QByteArray expected =
        "\"WindowState\",0\r\n\"Left\",0\r\n\"Top\",0\r\n\"Width\",9000\r\n\"Height\",6600\r\n"
        "\"TimeoutX\",3\r\n\"AllowUIX\",1\r\n\"SafeSubsetX\",1\r\n\"TabX\",0\r\n\"WSHVersionX\",0\r\n"
        "\"FilesDir\",\"/d/\"\r\n\"Font.Bold\",#FALSE#\r\n\"Font.Charset\",0\r\n\"Font.Color\",-2147483640\r\n"
        "\"Font.Italic\",#FALSE#\r\n\"Font.Name\",\"Courier New\"\r\n\"Font.Size\",10\r\n"
        "\"ScriptHelpFile\",\"script56.chm\"\r\n";
    QCOMPARE(formatSettings(s), expected);
    s.fontSize = 9.75f;
    s.left = -1234.5;
    s.fontBold = true;
    QByteArray f = formatSettings(s);
    QVERIFY(f.contains("\"Font.Size\",9.75\r\n"));
    QVERIFY(f.contains("\"Left\",-1234.5\r\n"));
    QVERIFY(f.contains("\"Font.Bold\",#TRUE#\r\n"));
  }

  void sessionWrittenAndReadBack() {
    QString path = tmp.filePath("Pallweave.ini");
    Settings s = session();
    QVERIFY(saveSettings(path, s));
    compareSettings(loadSettings(path, kDocs), s);
  }

  void infiniteTimeoutIsSavedAsTenSeconds() {
    QString path = tmp.filePath("timeout.ini");
    Settings s = session();
    s.timeoutX = 5;
    QVERIFY(saveSettings(path, s));
    QVERIFY(readBytes(path).contains("\"TimeoutX\",3\r\n"));
    QCOMPARE(loadSettings(path, kDocs).timeoutX, 3);
  }

  void shuffledLinesAndOtherLetterCase() {
    QList<QByteArray> l = lines(formatSettings(session()));
    QCOMPARE(l.size(), 18);
    for (int round = 0; round < 5; ++round) {
      std::shuffle(l.begin(), l.end(), *QRandomGenerator::global());
      QByteArray shuffled = l.join('\n') + '\n';
      compareSettings(parseSettings(shuffled, kDocs), session());
    }
    compareSettings(parseSettings(formatSettings(session()).toLower().replace("#true#", "#TRUE#"), kDocs),
                    [] {
                      Settings s = session();  // lower-casing the file lowered the strings too
                      s.filesDir = s.filesDir.toLower();
                      s.fontName = s.fontName.toLower();
                      return s;
                    }());
    QCOMPARE(parseSettings("\"TABX\",1\r\n\"font.name\",\"Mono\"", kDocs).tabX, 1);
    QCOMPARE(parseSettings("\"TABX\",1\r\n\"font.name\",\"Mono\"", kDocs).fontName, QString("Mono"));
  }

  void unknownKeysAreIgnoredAndDropped() {
    QString path = tmp.filePath("unknown.ini");
    writeBytes(path, "\"Colour\",5\r\n\"TabX\",1\r\n\"Bogus\",\"x\"\r\n");
    Settings s = loadSettings(path, kDocs);
    QCOMPARE(s.tabX, 1);
    QVERIFY(saveSettings(path, s));
    QByteArray saved = readBytes(path);
    QVERIFY(!saved.contains("Colour"));
    QVERIFY(!saved.contains("Bogus"));
    QCOMPARE(lines(saved).size(), 18);
  }

  void duplicateKeyFirstInSearchOrderWins() {
    // TabX is read right after SafeSubsetX, so its search starts behind that
    // record and finds the second TabX first.
    QByteArray f = "\"TabX\",0\r\n\"SafeSubsetX\",0\r\n\"TabX\",1\r\n";
    Settings s = parseSettings(f, kDocs);
    QCOMPARE(s.safeSubsetX, 0);
    QCOMPARE(s.tabX, 1);
  }

  void malformedValuesFallBackToTheirDefaults() {
    QByteArray f =
        "\"WindowState\",7\r\n\"Left\",abc\r\n\"Top\",\"x\"\r\n\"Width\",-5\r\n\"Height\",1e400\r\n"
        "\"TimeoutX\",9\r\n\"AllowUIX\",-1\r\n\"SafeSubsetX\",0.5\r\n\"TabX\",2\r\n\"WSHVersionX\",3\r\n"
        "\"FilesDir\",\"\"\r\n\"Font.Bold\",maybe\r\n\"Font.Charset\",256\r\n\"Font.Color\",4294967296\r\n"
        "\"Font.Italic\"\r\n\"Font.Name\",\r\n\"Font.Size\",0\r\ngarbage line without comma\r\n\"\r\n";
    compareSettings(parseSettings(f, kDocs), defaultSettings(kDocs));
    QCOMPARE(parseSettings("\"WindowState\",1", kDocs).windowState, 0);  // never start minimised
  }

  void handEditedRecordsAreTolerated() {
    Settings s = parseSettings("TabX , 1\nFont.Name, Lucida Console \r\"Font.Color\",2147483656\n\n\"Font.Bold\",-1", kDocs);
    QCOMPARE(s.tabX, 1);
    QCOMPARE(s.fontName, QString("Lucida Console"));
    QCOMPARE(s.fontColor, qint32(0x80000008u));  // unsigned form of the same colour
    QCOMPARE(s.fontBold, true);
  }

  void windows1252FileIsRead() {
    QCOMPARE(parseSettings("\"FilesDir\",\"C:\\Scripts\\caf\xE9\\\"", kDocs).filesDir, QString::fromUtf8("C:\\Scripts\\café\\"));
  }

  void failedWriteIsReportedAndKeepsOldFile() {
    QString path = tmp.filePath("keep.ini");
    writeBytes(path, "\"TabX\",1\r\n");
    QVERIFY(!saveSettings(tmp.filePath("no/such/folder/x.ini"), session()));
    QVERIFY(!saveSettings(tmp.path(), session()));  // a folder is not a file
    QCOMPARE(readBytes(path), QByteArray("\"TabX\",1\r\n"));
  }

  void settingsPlace() {
    SettingsPlace p = chooseSettingsPlace("/usr/local/bin", "/usr/local", "/home/u/.local/share", "/home/u/Documents");
    QVERIFY(p.installed);
    QCOMPARE(p.file, QString("/home/u/.local/share/Fenmarch Systems/Pallweave/Pallweave.ini"));
    QCOMPARE(p.defaultFilesDir, QString("/home/u/Documents/"));

    p = chooseSettingsPlace("/home/u/build/app", "/usr/local", "/home/u/.local/share", "/home/u/Documents");
    QVERIFY(!p.installed);
    QCOMPARE(p.file, QString("/home/u/build/app/Pallweave.ini"));
    QCOMPARE(p.defaultFilesDir, QString("/home/u/build/app/"));

    QVERIFY(!chooseSettingsPlace("/opt/pw-dev/bin", "/opt/pw", "/d", "/e").installed);
    QVERIFY(chooseSettingsPlace("/opt/pw", "/opt/pw/", "/d", "/e").installed);
    QVERIFY(!chooseSettingsPlace("/OPT/PW/bin", "/opt/pw", "/d", "/e").installed);  // Linux paths keep their case
    QVERIFY(!chooseSettingsPlace("/usr/bin", "", "/d", "/e").installed);
  }

  void installedFolderIsCreatedAndUsed() {
    QString data = tmp.filePath("fresh/share");  // not there yet, not even its parent
    SettingsPlace p = chooseSettingsPlace("/usr/local/bin", "/usr/local", data, "/home/u/Documents");
    QVERIFY(createSettingsFolder(p));
    QVERIFY(QFileInfo(data + "/Fenmarch Systems/Pallweave").isDir());
    QVERIFY(createSettingsFolder(p));  // already there
    QVERIFY(saveSettings(p.file, session()));
    compareSettings(loadSettings(p.file, p.defaultFilesDir), session());
    // Running from elsewhere creates nothing.
    SettingsPlace local = chooseSettingsPlace(tmp.filePath("nowhere"), "/usr/local", data, "/x");
    QVERIFY(createSettingsFolder(local));
    QVERIFY(!QFileInfo::exists(tmp.filePath("nowhere")));
  }

  void twipConversions() {
    QCOMPARE(pixelsToTwips(80, 96), 1200.0);
    QCOMPARE(twipsToPixels(1200, 96), 80);
    QCOMPARE(twipsToPixels(9000, 96), 600);
    QCOMPARE(twipsToPixels(6600, 120), 550);
    QCOMPARE(twipsToPixels(-1500, 96), -100);
    QCOMPARE(twipsToPixels(pixelsToTwips(333, 144), 144), 333);
  }

  void windowPlacementMinimisedAndMaximised() {
    QWidget w;
    Settings in = defaultSettings(kDocs);
    in.left = 1500;
    in.top = 750;
    in.width = 9000;
    in.height = 6600;
    applyWindowPlacement(w, in);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Settings out;
    storeWindowPlacement(out, w);
    QCOMPARE(out.windowState, 0);
    QCOMPARE(out.left, 1500.0);
    QCOMPARE(out.top, 750.0);
    QCOMPARE(out.width, 9000.0);
    QCOMPARE(out.height, 6600.0);

    w.setWindowState(Qt::WindowMaximized);
    QTRY_VERIFY(w.isMaximized());
    storeWindowPlacement(out, w);
    QCOMPARE(out.windowState, 2);
    QCOMPARE(out.width, 9000.0);  // the normal bounds, not the maximised ones
    QCOMPARE(out.left, 1500.0);

    w.setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(w.isMinimized());
    storeWindowPlacement(out, w);
    QCOMPARE(out.windowState, 0);
    QCOMPARE(out.height, 6600.0);

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
