#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

#include "script_file.h"

using namespace pw;

namespace {
void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  QCOMPARE(f.write(bytes), bytes.size());
}
QByteArray readBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
  return f.readAll();
}
}  // namespace

class ScriptFileTest : public QObject {
  Q_OBJECT
  QTemporaryDir tmp;
  QString at(const QString& name) { return tmp.filePath(name); }

 private slots:
  void lineEndDetection_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("style");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << int(LineEnds::CrLf);
    QTest::newRow("lf") << QByteArray("a\nb") << int(LineEnds::Lf);
    QTest::newRow("cr") << QByteArray("a\rb\r") << int(LineEnds::Cr);
    QTest::newRow("none") << QByteArray("abc") << int(LineEnds::None);
    QTest::newRow("empty") << QByteArray() << int(LineEnds::None);
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc") << int(LineEnds::Mixed);
    QTest::newRow("cr then crlf") << QByteArray("a\r\r\n") << int(LineEnds::Mixed);
  }
  void lineEndDetection() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, style);
    QCOMPARE(int(detectLineEnds(bytes)), style);
  }

  void logicalTextUsesCrLf() {
    QCOMPARE(toLogicalLineEnds("a\nb\rc\r\nd"), QString("a\r\nb\r\nc\r\nd"));
    QCOMPARE(toFileLineEnds("a\r\nb\r\n", LineEnds::Lf), QString("a\nb\n"));
    QCOMPARE(toFileLineEnds("a\r\nb", LineEnds::Cr), QString("a\rb"));
    QCOMPARE(toFileLineEnds("a\r\n\r\nb", LineEnds::CrLf), QString("a\r\n\r\nb"));
  }

  // Each file is read, checked, edited (changed and changed back), and saved:
  // the bytes on disk must not move.
  void roundTrip_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("logical");
    QTest::addColumn<int>("encoding");
    QTest::newRow("crlf") << QByteArray("Dim a\r\nWScript.Echo a\r\n") << QString("Dim a\r\nWScript.Echo a\r\n")
                          << int(TextEncoding::Utf8);
    QTest::newRow("lf") << QByteArray("Dim a\nWScript.Echo a\n") << QString("Dim a\r\nWScript.Echo a\r\n")
                        << int(TextEncoding::Utf8);
    QTest::newRow("cr") << QByteArray("x = 1\ry = 2") << QString("x = 1\r\ny = 2") << int(TextEncoding::Utf8);
    QTest::newRow("no final break") << QByteArray("a\r\nb") << QString("a\r\nb") << int(TextEncoding::Utf8);
    QTest::newRow("utf-8") << QByteArray("s = \"caf\xC3\xA9 \xE2\x82\xAC\"\n") << QString::fromUtf8("s = \"café €\"\r\n")
                           << int(TextEncoding::Utf8);
    QTest::newRow("utf-8 bom") << QByteArray("\xEF\xBB\xBFx\r\n") << QString("x\r\n") << int(TextEncoding::Utf8);
    QTest::newRow("windows-1252") << QByteArray("s = \"caf\xE9 \x80\"\r\n") << QString::fromUtf8("s = \"café €\"\r\n")
                                  << int(TextEncoding::Windows1252);
    QTest::newRow("1252 unassigned bytes") << QByteArray("\x81\x8D\x8F\x90\x9D\xFF") << QString::fromUtf16(u"\x81\x8D\x8F\x90\x9D\xFF")
                                           << int(TextEncoding::Windows1252);
    QTest::newRow("nul bytes") << QByteArray("a\0b\r\n\0", 6) << QString::fromUtf16(u"a\0b\r\n\0", 6) << int(TextEncoding::Utf8);
    QTest::newRow("empty") << QByteArray() << QString() << int(TextEncoding::Utf8);
  }
  void roundTrip() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, logical);
    QFETCH(int, encoding);
    QString path = at(QString("rt_%1.vbs").arg(QTest::currentDataTag()).replace(' ', '_'));
    writeBytes(path, bytes);
    ScriptReadResult in = readScriptFile(path);
    QVERIFY2(in.ok(), qPrintable(in.message));
    QCOMPARE(in.text, logical);
    QCOMPARE(int(in.format.encoding), encoding);

    // Unedited save.
    ScriptWriteResult out = writeScriptFile(path, in.text, in.format);
    QVERIFY2(out.ok(), qPrintable(out.message));
    QCOMPARE(readBytes(path), bytes);
    // Edited, then edited back: the conversion itself must reproduce the bytes.
    ScriptFormat noShortcut = in.format;
    noShortcut.originalText = "\x01";
    QCOMPARE(encodeScriptText(in.text, noShortcut), bytes);
  }

  void editedFileKeepsItsStyle() {
    QString path = at("edit_lf.vbs");
    writeBytes(path, "a\nb");
    ScriptReadResult in = readScriptFile(path);
    QVERIFY(writeScriptFile(path, in.text + "\r\nc", in.format).ok());
    QCOMPARE(readBytes(path), QByteArray("a\nb\nc"));

    path = at("edit_1252.vbs");
    writeBytes(path, "\xE9\r\n");
    in = readScriptFile(path);
    ScriptWriteResult out = writeScriptFile(path, in.text + QString::fromUtf8("è"), in.format);
    QVERIFY(out.ok());
    QVERIFY(!out.encodingChanged);
    QCOMPARE(readBytes(path), QByteArray("\xE9\r\n\xE8"));
  }

  void mixedLineEnds() {
    QString path = at("mixed.vbs");
    QByteArray bytes("a\nb\r\nc\nd");
    writeBytes(path, bytes);
    ScriptReadResult in = readScriptFile(path);
    QCOMPARE(int(in.format.lineEnds), int(LineEnds::Mixed));
    QCOMPARE(in.text, QString("a\r\nb\r\nc\r\nd"));
    QVERIFY(writeScriptFile(path, in.text, in.format).ok());
    QCOMPARE(readBytes(path), bytes);  // untouched
    QVERIFY(writeScriptFile(path, in.text + "!", in.format).ok());
    QCOMPARE(readBytes(path), QByteArray("a\nb\nc\nd!"));  // edited: the more frequent LF
  }

  void unrepresentableCharacterSwitchesToUtf8() {
    QString path = at("omega.vbs");
    writeBytes(path, "caf\xE9");
    ScriptReadResult in = readScriptFile(path);
    QCOMPARE(int(in.format.encoding), int(TextEncoding::Windows1252));
    ScriptWriteResult out = writeScriptFile(path, in.text + QString::fromUtf8(" Ω"), in.format);
    QVERIFY(out.ok());
    QVERIFY(out.encodingChanged);
    QCOMPARE(int(out.format.encoding), int(TextEncoding::Utf8));
    QCOMPARE(readBytes(path), QByteArray("caf\xC3\xA9 \xCE\xA9"));
    QCOMPARE(readScriptFile(path).text, in.text + QString::fromUtf8(" Ω"));
  }

  void newDocumentIsUtf8CrLf() {
    QString path = at("new.vbs");
    ScriptWriteResult out = writeScriptFile(path, QString::fromUtf8("a\r\né"), newScriptFormat());
    QVERIFY(out.ok());
    QCOMPARE(readBytes(path), QByteArray("a\r\n\xC3\xA9"));
    // The returned format describes the file now on disk.
    QCOMPARE(encodeScriptText(QString::fromUtf8("a\r\né"), out.format), QByteArray("a\r\n\xC3\xA9"));
    QCOMPARE(int(out.format.lineEnds), int(LineEnds::CrLf));
  }

  void keepsPermissionsAndLeavesNoTemporaryFiles() {
    QTemporaryDir dir;
    QString path = dir.filePath("perm.vbs");
    writeBytes(path, "old");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    QVERIFY(writeScriptFile(path, "new", newScriptFormat()).ok());
    QCOMPARE(readBytes(path), QByteArray("new"));
    // Owner, group and other bits only (the "user" bits depend on who runs the test).
    QCOMPARE(int(QFile::permissions(path)) & 0x7077,
             int(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"perm.vbs"});
  }

  void writesThroughSymlinks() {
    QString real = at("real.vbs"), link = at("link.vbs");
    writeBytes(real, "old");
    QVERIFY(QFile::link(real, link));
    QVERIFY(writeScriptFile(link, "new", newScriptFormat()).ok());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(readBytes(real), QByteArray("new"));
  }

  void readFailures() {
    ScriptReadResult r = readScriptFile(at("missing.vbs"));
    QCOMPARE(int(r.error), int(FileError::NotFound));
    QVERIFY(r.message.contains("missing.vbs"));
    QVERIFY(r.text.isEmpty());

    r = readScriptFile(tmp.path());
    QCOMPARE(int(r.error), int(FileError::IsFolder));

    if (geteuid() == 0) QSKIP("root reads files without read permission");
    QString path = at("secret.vbs");
    writeBytes(path, "x");
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    r = readScriptFile(path);
    QCOMPARE(int(r.error), int(FileError::AccessDenied));
    QVERIFY(!r.message.isEmpty());
  }

  void readOnlyFileIsNeitherChangedNorReplaced() {
    QString path = at("ro.vbs");
    writeBytes(path, "keep\r\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QVERIFY(isReadOnlyFile(path));
    QVERIFY(!isReadOnlyFile(at("rt_crlf.vbs")));
    ScriptReadResult in = readScriptFile(path);
    QVERIFY(in.ok());
    ScriptWriteResult out = writeScriptFile(path, "changed", in.format);
    QCOMPARE(int(out.error), int(FileError::ReadOnly));
    QVERIFY(out.message.contains("read-only"));
    QCOMPARE(readBytes(path), QByteArray("keep\r\n"));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  }

  void folderThatDisappearsBeforeSave() {
    QString folder = at("gone");
    QVERIFY(QDir().mkpath(folder));
    QString path = folder + "/script.vbs";
    writeBytes(path, "a\n");
    ScriptReadResult in = readScriptFile(path);
    QVERIFY(in.ok());
    QVERIFY(QDir(folder).removeRecursively());
    ScriptWriteResult out = writeScriptFile(path, in.text + "b", in.format);
    QCOMPARE(int(out.error), int(FileError::FolderMissing));
    QVERIFY(out.message.contains(folder));
    QVERIFY(!QFileInfo::exists(folder));
  }

  void unwritableFolderKeepsOldFile() {
    if (geteuid() == 0) QSKIP("root writes into folders without write permission");
    QString folder = at("locked");
    QVERIFY(QDir().mkpath(folder));
    QString path = folder + "/script.vbs";
    writeBytes(path, "old");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ScriptWriteResult out = writeScriptFile(path, "new", newScriptFormat());
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(int(out.error), int(FileError::AccessDenied));
    QCOMPARE(readBytes(path), QByteArray("old"));
  }

  void folderAsTarget() {
    QString folder = at("adir.vbs");
    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(int(writeScriptFile(folder, "x", newScriptFormat()).error), int(FileError::IsFolder));
  }
};

QTEST_GUILESS_MAIN(ScriptFileTest)
#include "test_script_file.moc"
