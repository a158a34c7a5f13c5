#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

#include "script_file.h"

using namespace pw;

class ScriptFileTest : public QObject {
  Q_OBJECT
  QTemporaryDir tmp;
  QString put(const QString& name, const QByteArray& bytes) {
    QFile f(tmp.filePath(name));
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    return f.fileName();
  }
  static QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
  }

 private slots:
  void roundTrip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("logical");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<int>("lineEnds");
    const int u8 = int(TextEncoding::Utf8), w1252 = int(TextEncoding::Windows1252);
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QString("a\r\nb\r\n") << u8 << int(LineEnds::CrLf);
    QTest::newRow("lf") << QByteArray("a\nb\n") << QString("a\r\nb\r\n") << u8 << int(LineEnds::Lf);
    QTest::newRow("cr, no final break") << QByteArray("a\rb") << QString("a\r\nb") << u8 << int(LineEnds::Cr);
    QTest::newRow("one line") << QByteArray("x = 1") << QString("x = 1") << u8 << int(LineEnds::None);
    QTest::newRow("empty") << QByteArray() << QString() << u8 << int(LineEnds::None);
    QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBF\xC3\xA9\xE2\x82\xAC\n") << QString::fromUtf8("é€\r\n") << u8
                               << int(LineEnds::Lf);
    QTest::newRow("windows-1252") << QByteArray("caf\xE9 \x80\x81\x9D\r\n") << QString::fromUtf16(u"caf\xE9 \x20AC\x81\x9D\r\n")
                                  << w1252 << int(LineEnds::CrLf);
    QTest::newRow("nul bytes") << QByteArray("a\0b\n\0", 5) << QString::fromUtf16(u"a\0b\r\n\0", 6) << u8 << int(LineEnds::Lf);
  }
  // Read, then save unedited and re-encode as if edited: the bytes must not move.
  void roundTrip() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, logical);
    QString path = put(QString("rt%1.vbs").arg(QTest::currentDataTag()), bytes);
    ScriptReadResult in = readScriptFile(path);
    QVERIFY2(in.ok(), qPrintable(in.message));
    QCOMPARE(in.text, logical);
    QTEST(int(in.format.encoding), "encoding");
    QTEST(int(in.format.lineEnds), "lineEnds");
    QVERIFY(writeScriptFile(path, in.text, in.format).ok());
    QCOMPARE(bytesOf(path), bytes);
    ScriptFormat edited = in.format;
    edited.originalText = "\x01";
    QCOMPARE(encodeScriptText(in.text, edited), bytes);
  }

  void editedTextKeepsTheFileStyle() {
    QString lf = put("lf.vbs", "a\nb");
    ScriptReadResult in = readScriptFile(lf);
    QVERIFY(writeScriptFile(lf, in.text + "\r\nc", in.format).ok());
    QCOMPARE(bytesOf(lf), QByteArray("a\nb\nc"));

    QString mixed = put("mixed.vbs", "a\nb\r\nc\nd");
    in = readScriptFile(mixed);
    QCOMPARE(int(in.format.lineEnds), int(LineEnds::Mixed));
    QVERIFY(writeScriptFile(mixed, in.text, in.format).ok());
    QCOMPARE(bytesOf(mixed), QByteArray("a\nb\r\nc\nd"));  // unedited: untouched
    QVERIFY(writeScriptFile(mixed, in.text + "!", in.format).ok());
    QCOMPARE(bytesOf(mixed), QByteArray("a\nb\nc\nd!"));  // edited: the more frequent LF

    // Windows-1252 stays so until a character it lacks is typed; then UTF-8 loses nothing.
    QString ansi = put("ansi.vbs", "caf\xE9");
    in = readScriptFile(ansi);
    ScriptWriteResult out = writeScriptFile(ansi, in.text + QString::fromUtf8("è"), in.format);
    QVERIFY(out.ok() && !out.encodingChanged);
    QCOMPARE(bytesOf(ansi), QByteArray("caf\xE9\xE8"));
    out = writeScriptFile(ansi, in.text + QString::fromUtf8(" Ω"), in.format);
    QVERIFY(out.ok() && out.encodingChanged);
    QCOMPARE(bytesOf(ansi), QByteArray("caf\xC3\xA9 \xCE\xA9"));
    QCOMPARE(encodeScriptText(in.text + QString::fromUtf8(" Ω"), out.format), bytesOf(ansi));

    QString fresh = tmp.filePath("new.vbs");
    QVERIFY(writeScriptFile(fresh, QString::fromUtf8("a\r\né"), newScriptFormat()).ok());
    QCOMPARE(bytesOf(fresh), QByteArray("a\r\n\xC3\xA9"));
  }

  void replacesInPlaceKeepingPermissionsAndLinks() {
    QTemporaryDir dir;
    QString real = dir.filePath("real.vbs"), link = dir.filePath("link.vbs");
    QFile::copy(put("old.vbs", "old"), real);
    QFile::setPermissions(real, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    QVERIFY(QFile::link(real, link));
    QVERIFY(writeScriptFile(link, "new", newScriptFormat()).ok());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(bytesOf(real), QByteArray("new"));
    QCOMPARE(int(QFile::permissions(real)) & 0x7077, int(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);  // no temporary left
  }

  void failuresAreReportedAndChangeNothing() {
    ScriptReadResult r = readScriptFile(tmp.filePath("missing.vbs"));
    QCOMPARE(int(r.error), int(FileError::NotFound));
    QVERIFY(r.message.contains("missing.vbs"));
    QCOMPARE(int(readScriptFile(tmp.path()).error), int(FileError::IsFolder));

    QString ro = put("ro.vbs", "keep");
    QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QVERIFY(isReadOnlyFile(ro));
    ScriptWriteResult w = writeScriptFile(ro, "changed", readScriptFile(ro).format);
    QCOMPARE(int(w.error), int(FileError::ReadOnly));
    QCOMPARE(bytesOf(ro), QByteArray("keep"));

    QDir().mkpath(tmp.filePath("gone"));
    QString doomed = put("gone/s.vbs", "a\n");
    ScriptReadResult in = readScriptFile(doomed);
    QVERIFY(QDir(tmp.filePath("gone")).removeRecursively());
    w = writeScriptFile(doomed, in.text + "b", in.format);
    QCOMPARE(int(w.error), int(FileError::FolderMissing));
    QVERIFY(w.message.contains(tmp.filePath("gone")));

    if (geteuid() == 0) QSKIP("root ignores read and write permissions");
    QString secret = put("secret.vbs", "x");
    QFile::setPermissions(secret, QFileDevice::WriteOwner);
    QCOMPARE(int(readScriptFile(secret).error), int(FileError::AccessDenied));
    QDir().mkpath(tmp.filePath("locked"));
    QString locked = put("locked/s.vbs", "old");
    QFile::setPermissions(tmp.filePath("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    w = writeScriptFile(locked, "new", newScriptFormat());
    QFile::setPermissions(tmp.filePath("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(int(w.error), int(FileError::AccessDenied));
    QCOMPARE(bytesOf(locked), QByteArray("old"));
  }
};

QTEST_GUILESS_MAIN(ScriptFileTest)
#include "test_script_file.moc"
