#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <QScopeGuard>

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
    QCOMPARE(bytesOf(mixed), QByteArray("a\nb\r\nc\nd!"));  // edited: untouched lines keep their breaks

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

  // Edits anywhere in a file with mixed line ends: every untouched line keeps
  // its bytes, new lines take the commonest break.
  void untouchedLinesKeepTheirBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("edited");  // the editor's text after the edit
    QTest::addColumn<QByteArray>("saved");
    const QByteArray file("one\r\ntwo\nthree\rfour\r\nfive\n");
    QTest::newRow("a line changed") << file << "one\r\ntwo\r\nTHREE\r\nfour\r\nfive\r\n"
                                    << QByteArray("one\r\ntwo\nTHREE\r\nfour\r\nfive\n");
    QTest::newRow("a line inserted") << file << "one\r\ntwo\r\nnew\r\nthree\r\nfour\r\nfive\r\n"
                                     << QByteArray("one\r\ntwo\nnew\r\nthree\rfour\r\nfive\n");
    QTest::newRow("a line removed") << file << "one\r\nthree\r\nfour\r\nfive\r\n"
                                    << QByteArray("one\r\nthree\rfour\r\nfive\n");
    QTest::newRow("edits at both ends") << file << "ONE\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix"
                                        << QByteArray("ONE\r\ntwo\nthree\rfour\r\nfive\nsix");
    QTest::newRow("lines swapped") << file << "two\r\none\r\nthree\r\nfour\r\nfive\r\n"
                                   << QByteArray("two\none\r\nthree\rfour\r\nfive\n");
    QTest::newRow("U+2029 kept") << QByteArray("a\xE2\x80\xA9" "b\r\nc\n") << QString::fromUtf8("a\u2029b\r\nc\r\nd")
                                 << QByteArray("a\xE2\x80\xA9" "b\r\nc\nd");
  }
  void untouchedLinesKeepTheirBytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, edited);
    const QString path = put("keep.vbs", bytes);
    ScriptReadResult in = readScriptFile(path);
    QVERIFY(in.ok());
    ScriptWriteResult out = writeScriptFile(path, edited, in.format);
    QVERIFY2(out.ok(), qPrintable(out.message));
    QTEST(bytesOf(path), "saved");
    // And again from what is now on disk.
    QVERIFY(writeScriptFile(path, edited + "\r\nz", out.format).ok());
    QFETCH(QByteArray, saved);
    QVERIFY(bytesOf(path).startsWith(saved));
  }

  // --- saving where the folder or the disk says no ---

 private:
  // Stands in for the system: a folder that refuses new files (as a folder
  // the user may not write to does, even for root here), and writes that
  // fail with a given error after some bytes.
  struct FakeOps : SaveOps {
    int tempError = 0;       // errno for creating the temporary file
    int writeError = 0;      // errno for writes once failAfter bytes are written
    long long failAfter = 0;
    int failures = 1;        // how many writes fail; later ones go through
    int syncError = 0;
    int createTemp(char* t) override {
      if (tempError) {
        errno = tempError;
        return -1;
      }
      return SaveOps::createTemp(t);
    }
    long writeAt(int fd, const char* data, size_t size, long long offset) override {
      if (writeError && failures > 0 && offset + (long long)size > failAfter) {
        if (offset < failAfter) return SaveOps::writeAt(fd, data, size_t(failAfter - offset), offset);
        --failures;
        errno = writeError;
        return -1;
      }
      return SaveOps::writeAt(fd, data, size, offset);
    }
    int sync(int fd) override {
      if (syncError) {
        errno = syncError;
        return -1;
      }
      return SaveOps::sync(fd);
    }
  };

 private slots:

  void aClosedFolderIsWrittenInPlace() {
    QString path = put("inplace.vbs", "old text\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    ScriptReadResult in = readScriptFile(path);
    FakeOps ops;
    ops.tempError = EACCES;
    ScriptWriteResult w = writeScriptFile(path, "new and longer text\r\n", in.format, &ops);
    QVERIFY2(w.ok(), qPrintable(w.message));
    QCOMPARE(bytesOf(path), QByteArray("new and longer text\n"));
    w = writeScriptFile(path, "short", w.format, &ops);  // the tail is cut off
    QVERIFY(w.ok());
    QCOMPARE(bytesOf(path), QByteArray("short"));
    QVERIFY(QFileInfo(path).permissions() & QFileDevice::ReadOther);  // the same file, not a new one
    QCOMPARE(QDir(tmp.path()).entryList(QDir::Hidden | QDir::Files).filter("inplace").size(), 1);

    // A new file cannot be made there at all.
    w = writeScriptFile(tmp.filePath("fresh.vbs"), "x", newScriptFormat(), &ops);
    QCOMPARE(int(w.error), int(FileError::AccessDenied));
    QVERIFY2(w.message.contains("permission to write to the folder \"" + tmp.path() + "\""), qPrintable(w.message));
  }

  void aFailedInPlaceWritePutsTheOldBytesBack() {
    const QByteArray old("line one\nline two\n");
    QString path = put("restore.vbs", old);
    ScriptReadResult in = readScriptFile(path);
    for (int error : {ENOSPC, EIO, EDQUOT}) {
      FakeOps ops;
      ops.tempError = EPERM;
      ops.writeError = error;
      ops.failAfter = 5;  // the old bytes are half overwritten when the disk fills
      ScriptWriteResult w = writeScriptFile(path, QString(200, u'x'), in.format, &ops);
      QVERIFY(!w.ok());
      QCOMPARE(int(w.error), int(FileError::WriteFailed));
      QCOMPARE(bytesOf(path), old);
      QVERIFY2(w.message.contains(QString::fromLocal8Bit(strerror(error))), qPrintable(w.message));
      QVERIFY2(w.message.contains("old content was put back"), qPrintable(w.message));
    }
    // The flush to disk fails: the same.
    FakeOps ops;
    ops.tempError = EACCES;
    ops.syncError = EIO;
    ScriptWriteResult w = writeScriptFile(path, "new", in.format, &ops);
    QVERIFY(!w.ok());
    QCOMPARE(bytesOf(path), old);
    // Even the old bytes cannot go back: the message says so, and the caller keeps the text.
    FakeOps worse;
    worse.tempError = EACCES;
    worse.writeError = ENOSPC;
    worse.failAfter = 3;
    worse.failures = 2;
    w = writeScriptFile(path, QString(100, u'y'), in.format, &worse);
    QVERIFY(!w.ok());
    QVERIFY2(w.message.contains("could not be put back: " + QString::fromLocal8Bit(strerror(ENOSPC))), qPrintable(w.message));
  }

  void failuresNameTheSystemsCause() {
    QString path = put("cause.vbs", "keep");
    ScriptReadResult in = readScriptFile(path);
    FakeOps full;
    full.writeError = ENOSPC;
    full.failAfter = 1;
    ScriptWriteResult w = writeScriptFile(path, "changed", in.format, &full);
    QCOMPARE(int(w.error), int(FileError::WriteFailed));
    QCOMPARE(w.message, "\"" + path + "\" could not be saved: " + QString::fromLocal8Bit(strerror(ENOSPC)) +
                            ". The file on disk was not changed.");
    QCOMPARE(bytesOf(path), QByteArray("keep"));
    QCOMPARE(QDir(tmp.path()).entryList(QDir::Hidden | QDir::Files).filter("cause").size(), 1);  // no temporary left
    FakeOps ro;
    ro.tempError = EROFS;
    w = writeScriptFile(path, "changed", in.format, &ro);
    QVERIFY2(w.message.contains(QString::fromLocal8Bit(strerror(EROFS))), qPrintable(w.message));
    QVERIFY(!w.message.contains("permission"));
    QCOMPARE(bytesOf(path), QByteArray("keep"));
  }

  // The real thing where this machine allows it: an immutable folder (which
  // even root cannot add files to), a full and a read-only file system.
  void realFullAndReadOnlyFileSystems() {
    if (geteuid() != 0) QSKIP("mounting a small file system needs root");
    QTemporaryDir mnt;
    const QByteArray dir = QFile::encodeName(mnt.path());
    if (std::system(("mount -t tmpfs -o size=64k pwtest " + dir + " 2>/dev/null").constData()) != 0)
      QSKIP("no tmpfs can be mounted here");
    auto unmount = qScopeGuard([&] { std::system(("umount " + dir).constData()); });
    const QString path = mnt.filePath("s.vbs");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    ScriptReadResult in = readScriptFile(path);
    // Fill the disk, leaving too little for the new text.
    QFile filler(mnt.filePath("filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(4096, 'f')) == 4096 && filler.flush()) {
    }
    filler.close();
    ScriptWriteResult w = writeScriptFile(path, QString(20000, u'x'), in.format);
    QVERIFY(!w.ok());
    QVERIFY2(w.message.contains(QString::fromLocal8Bit(strerror(ENOSPC))), qPrintable(w.message));
    QCOMPARE(bytesOf(path), QByteArray("old"));

    QVERIFY(QFile::remove(mnt.filePath("filler")));
    QVERIFY(std::system(("mount -o remount,ro " + dir).constData()) == 0);
    w = writeScriptFile(path, "new", in.format);
    QVERIFY(!w.ok());
    QVERIFY2(w.message.contains(QString::fromLocal8Bit(strerror(EROFS))), qPrintable(w.message));
    QVERIFY(!w.message.contains("permission"));
    QCOMPARE(bytesOf(path), QByteArray("old"));
  }

  void anImmutableFolderIsWrittenInPlace() {
    if (geteuid() != 0) QSKIP("chattr needs root");
    QTemporaryDir base;
    const QString folder = base.filePath("closed");
    QDir().mkpath(folder);
    const QString path = folder + "/s.vbs";
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("old\n");
    f.close();
    const QByteArray dir = QFile::encodeName(folder);
    if (std::system(("chattr +i " + dir + " 2>/dev/null").constData()) != 0)
      QSKIP("this file system keeps no immutable flag");
    auto open = qScopeGuard([&] { std::system(("chattr -i " + dir).constData()); });
    QVERIFY(!QFile(folder + "/probe").open(QIODevice::WriteOnly));  // the folder takes no new file
    ScriptReadResult in = readScriptFile(path);
    ScriptWriteResult w = writeScriptFile(path, "new\r\nmore\r\n", in.format);
    QVERIFY2(w.ok(), qPrintable(w.message));
    QCOMPARE(bytesOf(path), QByteArray("new\nmore\n"));
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
