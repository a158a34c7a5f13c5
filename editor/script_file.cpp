#include "script_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pw {

ScriptFormat newScriptFormat() { return ScriptFormat{}; }

LineEnds detectLineEnds(const QByteArray& bytes) {
  qsizetype crlf = 0, lf = 0, cr = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') { ++crlf; ++i; }
      else ++cr;
    } else if (bytes[i] == '\n') {
      ++lf;
    }
  }
  int kinds = (crlf > 0) + (lf > 0) + (cr > 0);
  if (kinds == 0) return LineEnds::None;
  if (kinds > 1) return LineEnds::Mixed;
  return crlf ? LineEnds::CrLf : lf ? LineEnds::Lf : LineEnds::Cr;
}

namespace {

// Edited text of a mixed file is written with its most frequent line end.
LineEnds majorityLineEnds(const QByteArray& bytes) {
  qsizetype crlf = 0, lf = 0, cr = 0;
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') { ++crlf; ++i; }
      else ++cr;
    } else if (bytes[i] == '\n') {
      ++lf;
    }
  }
  if (crlf >= lf && crlf >= cr) return LineEnds::CrLf;
  return lf >= cr ? LineEnds::Lf : LineEnds::Cr;
}

template <typename Emit>
void forEachLine(const QString& text, Emit sink) {
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    QChar c = text[i];
    if (c != u'\r' && c != u'\n') continue;
    sink(QStringView(text).mid(start, i - start), true);
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  sink(QStringView(text).mid(start), false);
}

QString convertLineEnds(const QString& text, QStringView brk) {
  QString out;
  out.reserve(text.size() + text.size() / 32);
  forEachLine(text, [&](QStringView line, bool broken) {
    out += line;
    if (broken) out += brk;
  });
  return out;
}

}  // namespace

QString toLogicalLineEnds(const QString& text) { return convertLineEnds(text, u"\r\n"); }

QString toFileLineEnds(const QString& logical, LineEnds style) {
  switch (style) {
    case LineEnds::Lf: return convertLineEnds(logical, u"\n");
    case LineEnds::Cr: return convertLineEnds(logical, u"\r");
    default: return convertLineEnds(logical, u"\r\n");
  }
}

QString decodeScriptBytes(const QByteArray& bytes, ScriptFormat* format) {
  ScriptFormat f;
  u16 decoded = decodeText(std::string_view(bytes.constData(), size_t(bytes.size())), &f.encoding, &f.bom);
  f.lineEnds = detectLineEnds(bytes);
  f.writeAs = f.lineEnds == LineEnds::Mixed  ? majorityLineEnds(bytes)
              : f.lineEnds == LineEnds::None ? LineEnds::CrLf
                                             : f.lineEnds;
  QString text = toLogicalLineEnds(QString::fromStdU16String(decoded));
  f.originalBytes = bytes;
  f.originalText = text;
  if (format) *format = std::move(f);
  return text;
}

namespace {

struct Line {
  QStringView text;
  QStringView brk;  // "\r\n", "\n", "\r" or empty for the last line
};

std::vector<Line> splitLines(const QString& text) {
  std::vector<Line> out;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != u'\r' && c != u'\n') continue;
    const qsizetype len = c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
    out.push_back({QStringView(text).mid(start, i - start), QStringView(text).mid(i, len)});
    i += len - 1;
    start = i + 1;
  }
  out.push_back({QStringView(text).mid(start), QStringView()});
  return out;
}

// For each new line, the old line it is an untouched copy of (or -1): the
// common head and tail, and between them the longest common subsequence
// where that is cheap enough to work out.
std::vector<qsizetype> matchLines(const std::vector<Line>& old, const std::vector<Line>& now) {
  const qsizetype n = qsizetype(old.size()), m = qsizetype(now.size());
  std::vector<qsizetype> match(size_t(m), -1);
  qsizetype head = 0;
  while (head < n && head < m && old[head].text == now[head].text) {
    match[size_t(head)] = head;
    ++head;
  }
  qsizetype tail = 0;
  while (tail < n - head && tail < m - head && old[n - 1 - tail].text == now[m - 1 - tail].text) {
    match[size_t(m - 1 - tail)] = n - 1 - tail;
    ++tail;
  }
  const qsizetype a = n - head - tail, b = m - head - tail;
  if (a == 0 || b == 0 || a * b > 4'000'000) return match;
  std::vector<int> len(size_t((a + 1) * (b + 1)), 0);
  auto at = [&](qsizetype i, qsizetype j) -> int& { return len[size_t(i * (b + 1) + j)]; };
  for (qsizetype i = a - 1; i >= 0; --i)
    for (qsizetype j = b - 1; j >= 0; --j)
      at(i, j) = old[head + i].text == now[head + j].text ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
  for (qsizetype i = 0, j = 0; i < a && j < b;) {
    if (old[head + i].text == now[head + j].text) {
      match[size_t(head + j)] = head + i;
      ++i;
      ++j;
    } else if (at(i + 1, j) >= at(i, j + 1)) {
      ++i;
    } else {
      ++j;
    }
  }
  return match;
}

// The edited text with the file's line ends: a line the user did not touch
// keeps the break it had, new and changed lines get the file's style.
QString toFileText(const QString& logical, const ScriptFormat& format) {
  if (format.originalBytes.isEmpty() || format.lineEnds != LineEnds::Mixed)
    return toFileLineEnds(logical, format.writeAs);
  const QString was = QString::fromStdU16String(
      decodeText(std::string_view(format.originalBytes.constData(), size_t(format.originalBytes.size()))));
  const std::vector<Line> old = splitLines(was), now = splitLines(logical);
  const std::vector<qsizetype> match = matchLines(old, now);
  const QString style = toFileLineEnds(QStringLiteral("\r\n"), format.writeAs);
  QString out;
  out.reserve(logical.size() + 16);
  for (size_t i = 0; i < now.size(); ++i) {
    out += now[i].text;
    if (now[i].brk.isEmpty()) continue;
    const qsizetype m = match[i];
    out += m >= 0 && !old[size_t(m)].brk.isEmpty() ? old[size_t(m)].brk : QStringView(style);
  }
  return out;
}

}  // namespace

QByteArray encodeScriptText(const QString& logical, const ScriptFormat& format, bool* lossy) {
  if (lossy) *lossy = false;
  if (logical == format.originalText) return format.originalBytes;
  QString fileText = toFileText(logical, format);
  std::string bytes = encodeText(u16v(reinterpret_cast<const char16_t*>(fileText.utf16()), size_t(fileText.size())),
                                 format.encoding, format.bom, lossy);
  return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

bool isReadOnlyFile(const QString& path) {
  QFileInfo fi(path);
  if (!fi.exists()) return false;
  constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
  return !fi.isWritable() || !(fi.permissions() & anyWrite);
}

int SaveOps::createTemp(char* pathTemplate) { return ::mkostemp(pathTemplate, O_CLOEXEC); }
long SaveOps::writeAt(int fd, const char* data, size_t size, long long offset) {
  return long(::pwrite(fd, data, size, off_t(offset)));
}
int SaveOps::resize(int fd, long long size) { return ::ftruncate(fd, off_t(size)); }
int SaveOps::sync(int fd) { return ::fsync(fd); }

namespace {

SaveOps defaultOps;

// What the system said, as strerror words it ("No space left on device").
QString systemText(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

// Every byte at offset 0, resuming short writes; 0 or an errno.
int writeAll(SaveOps& ops, int fd, const QByteArray& bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    long n = ops.writeAt(fd, bytes.constData() + done, size_t(bytes.size() - done), done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    done += n;
  }
  return 0;
}

int readAll(int fd, QByteArray* out) {
  out->clear();
  char buf[65536];
  for (;;) {
    ssize_t n = ::pread(fd, buf, sizeof buf, off_t(out->size()));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return 0;
    out->append(buf, n);
  }
}

// The new bytes over the old in the file itself, for a folder where no
// temporary file can be made. The old bytes are read first and put back on
// any failure. Returns the message for the user, or empty on success.
QString saveInPlace(const QByteArray& native, const QString& shown, const QByteArray& bytes, SaveOps& ops,
                    FileError* error) {
  const QString failed = u'"' + shown + QStringLiteral("\" could not be saved");
  *error = FileError::WriteFailed;
  int fd = ::open(native.constData(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    if (err == EACCES || err == EPERM) *error = FileError::AccessDenied;
    return failed + QStringLiteral(": ") + systemText(err) + QStringLiteral(". The file on disk was not changed.");
  }
  QByteArray old;
  if (int err = readAll(fd, &old)) {
    ::close(fd);
    return failed + QStringLiteral(", as its old content could not be read first: ") + systemText(err) +
           QStringLiteral(". The file on disk was not changed.");
  }
  int err = writeAll(ops, fd, bytes);
  if (!err && ops.resize(fd, bytes.size()) != 0) err = errno;
  if (!err && ops.sync(fd) != 0) err = errno;
  if (!err) {
    if (::close(fd) == 0) return QString();
    // A failed close may have lost data already counted as written.
    err = errno;
    fd = ::open(native.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
      return failed + QStringLiteral(": ") + systemText(err) +
             QStringLiteral(", and its old content could not be put back. The script is still in the editor.");
  }
  int back = writeAll(ops, fd, old);
  if (!back && ops.resize(fd, old.size()) != 0) back = errno;
  if (!back && ops.sync(fd) != 0) back = errno;
  if (::close(fd) != 0 && !back) back = errno;
  if (back)
    return failed + QStringLiteral(": ") + systemText(err) + QStringLiteral(", and its old content could not be put back: ") +
           systemText(back) + QStringLiteral(". The script is still in the editor.");
  return failed + QStringLiteral(": ") + systemText(err) + QStringLiteral(". Its old content was put back.");
}

// Writes bytes to path through a temporary file renamed over it. Returns the
// message for the user, or empty on success.
QString saveBytes(const QString& path, const QString& shown, const QByteArray& bytes, SaveOps& ops, FileError* error) {
  const QString failed = u'"' + shown + QStringLiteral("\" could not be saved: ");
  *error = FileError::WriteFailed;
  const QByteArray native = QFile::encodeName(path);
  struct stat old {};
  const bool exists = ::stat(native.constData(), &old) == 0;
  const QFileInfo fi(path);
  QByteArray temp = QFile::encodeName(fi.absolutePath() + QStringLiteral("/.") + fi.fileName()) + ".XXXXXX";
  int fd = ops.createTemp(temp.data());
  if (fd < 0) {
    const int err = errno;
    if (err == EACCES || err == EPERM) {
      // A folder the user may not write to can still hold a file they may.
      if (exists) return saveInPlace(native, shown, bytes, ops, error);
      *error = FileError::AccessDenied;
      return QStringLiteral("You do not have permission to write to the folder \"%1\".").arg(fi.absolutePath());
    }
    return failed + systemText(err) + (exists ? QStringLiteral(". The file on disk was not changed.") : QStringLiteral("."));
  }
  mode_t mode;
  if (exists) {
    mode = old.st_mode & 07777;
  } else {
    mode = ::umask(0);
    ::umask(mode);
    mode = 0666 & ~mode;
  }
  int err = ::fchmod(fd, mode) != 0 ? errno : 0;
  if (!err) err = writeAll(ops, fd, bytes);
  if (!err && ops.sync(fd) != 0) err = errno;
  if (::close(fd) != 0 && !err) err = errno;
  if (!err && ::rename(temp.constData(), native.constData()) != 0) err = errno;
  if (err) {
    ::unlink(temp.constData());
    return failed + systemText(err) + (exists ? QStringLiteral(". The file on disk was not changed.") : QStringLiteral("."));
  }
  return QString();
}

}  // namespace

ScriptReadResult readScriptFile(const QString& path) {
  ScriptReadResult r;
  QFileInfo fi(path);
  auto fail = [&](FileError e, const QString& msg) {
    r.error = e;
    r.message = msg;
    return r;
  };
  if (!fi.exists()) return fail(FileError::NotFound, QStringLiteral("The file \"%1\" does not exist.").arg(path));
  if (fi.isDir()) return fail(FileError::IsFolder, QStringLiteral("\"%1\" is a folder, not a script file.").arg(path));
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    if (f.error() == QFileDevice::PermissionsError || !fi.isReadable())
      return fail(FileError::AccessDenied, QStringLiteral("You do not have permission to read \"%1\".").arg(path));
    return fail(FileError::ReadFailed, QStringLiteral("\"%1\" could not be read: %2").arg(path, f.errorString()));
  }
  QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError)
    return fail(FileError::ReadFailed, QStringLiteral("\"%1\" could not be read: %2").arg(path, f.errorString()));
  r.text = decodeScriptBytes(bytes, &r.format);
  return r;
}

ScriptWriteResult writeScriptFile(const QString& requested, const QString& logicalText, const ScriptFormat& format,
                                  SaveOps* ops) {
  ScriptWriteResult r;
  auto fail = [&](FileError e, const QString& msg) {
    r.error = e;
    r.message = msg;
    return r;
  };
  QString path = requested;
  QFileInfo target(path);
  // Replace what a link points at, not the link itself.
  if (target.isSymLink()) {
    path = target.symLinkTarget();
    target = QFileInfo(path);
  }
  QString folder = target.absolutePath();
  if (!QFileInfo(folder).isDir())
    return fail(FileError::FolderMissing,
                QStringLiteral("The folder \"%1\" does not exist, so \"%2\" could not be saved.").arg(folder, requested));
  if (target.exists()) {
    if (target.isDir())
      return fail(FileError::IsFolder, QStringLiteral("\"%1\" is a folder, not a script file.").arg(requested));
    if (::access(QFile::encodeName(path).constData(), W_OK) != 0 && errno == EROFS)
      return fail(FileError::WriteFailed, QStringLiteral("\"%1\" could not be saved: %2.").arg(requested, systemText(EROFS)));
    if (isReadOnlyFile(path))
      return fail(FileError::ReadOnly, QStringLiteral("\"%1\" is read-only and was not changed.").arg(requested));
  }

  ScriptFormat written = format;
  bool lossy = false;
  QByteArray bytes = encodeScriptText(logicalText, format, &lossy);
  if (lossy) {
    // Windows-1252 cannot hold every character typed; UTF-8 loses none.
    written.encoding = TextEncoding::Utf8;
    written.originalText.clear();
    bytes = encodeScriptText(logicalText, written);
    r.encodingChanged = true;
  }

  FileError why = FileError::None;
  const QString failure = saveBytes(path, requested, bytes, ops ? *ops : defaultOps, &why);
  if (!failure.isEmpty()) return fail(why, failure);
  written.originalBytes = bytes;
  written.originalText = logicalText;
  written.lineEnds = detectLineEnds(bytes);
  r.format = std::move(written);
  return r;
}

}  // namespace pw
