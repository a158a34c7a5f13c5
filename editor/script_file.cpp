#include "script_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

QByteArray encodeScriptText(const QString& logical, const ScriptFormat& format, bool* lossy) {
  if (lossy) *lossy = false;
  if (logical == format.originalText) return format.originalBytes;
  QString fileText = toFileLineEnds(logical, format.writeAs);
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

ScriptWriteResult writeScriptFile(const QString& requested, const QString& logicalText, const ScriptFormat& format) {
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

  QSaveFile out(path);
  out.setDirectWriteFallback(false);
  if (!out.open(QIODevice::WriteOnly)) {
    if (!QFileInfo(folder).isWritable())
      return fail(FileError::AccessDenied,
                  QStringLiteral("You do not have permission to write to the folder \"%1\".").arg(folder));
    return fail(FileError::WriteFailed,
                QStringLiteral("\"%1\" could not be saved: %2").arg(requested, out.errorString()));
  }
  if (target.exists()) out.setPermissions(target.permissions());
  if (out.write(bytes) != bytes.size() || !out.commit())
    return fail(FileError::WriteFailed, QStringLiteral("\"%1\" could not be saved: %2. The file on disk was not changed.")
                                            .arg(requested, out.errorString()));
  written.originalBytes = bytes;
  written.originalText = logicalText;
  written.lineEnds = detectLineEnds(bytes);
  r.format = std::move(written);
  return r;
}

}  // namespace pw
