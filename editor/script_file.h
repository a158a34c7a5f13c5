// Script files as the user's bytes: a file is read into the editor's logical
// text (CR LF line breaks) and written back in the encoding and line-end style
// it was read with, so an unedited file comes back identical byte for byte.
#pragma once

#include <QByteArray>
#include <QString>

#include "textcodec.h"

namespace pw {

enum class LineEnds { CrLf, Lf, Cr, Mixed, None };

// How a file looked on disk; carried by the document from Open to Save.
struct ScriptFormat {
  TextEncoding encoding = TextEncoding::Utf8;
  bool bom = false;
  LineEnds lineEnds = LineEnds::None;  // as read
  LineEnds writeAs = LineEnds::CrLf;   // the style edited text is written with
  // What was read, so an unedited document is written back untouched even
  // when its line ends were mixed.
  QByteArray originalBytes;
  QString originalText;
};

// New documents: UTF-8 without byte-order mark, CR LF.
ScriptFormat newScriptFormat();

enum class FileError {
  None,
  NotFound,       // the file does not exist
  FolderMissing,  // the folder it should be written to does not exist
  IsFolder,       // the path names a folder
  AccessDenied,   // no permission to read or to create the file
  ReadOnly,       // the existing file may not be changed
  ReadFailed,
  WriteFailed,
};

struct ScriptReadResult {
  FileError error = FileError::None;
  QString message;  // for the user's message box; empty on success
  QString text;     // logical text, line breaks as CR LF
  ScriptFormat format;
  bool ok() const { return error == FileError::None; }
};

struct ScriptWriteResult {
  FileError error = FileError::None;
  QString message;
  ScriptFormat format;        // the format now on disk (valid on success)
  bool encodingChanged = false;  // Windows-1252 could not hold the text; written as UTF-8
  bool ok() const { return error == FileError::None; }
};

// Pure conversions.
LineEnds detectLineEnds(const QByteArray& bytes);
QString toLogicalLineEnds(const QString& text);  // every CR LF, CR or LF becomes CR LF
QString toFileLineEnds(const QString& logical, LineEnds style);
QString decodeScriptBytes(const QByteArray& bytes, ScriptFormat* format);
QByteArray encodeScriptText(const QString& logical, const ScriptFormat& format, bool* lossy = nullptr);

// True when the file cannot be written by us or carries no write permission
// at all (the Linux form of a read-only attribute, also for root).
bool isReadOnlyFile(const QString& path);

// The system calls a save goes through, each returning as its POSIX call does
// (-1 with errno set on failure). Tests stand in for a full disk or for a
// folder that even root may not write to.
class SaveOps {
 public:
  virtual ~SaveOps() = default;
  virtual int createTemp(char* pathTemplate);  // mkstemp
  virtual long writeAt(int fd, const char* data, size_t size, long long offset);  // pwrite
  virtual int resize(int fd, long long size);  // ftruncate
  virtual int sync(int fd);                    // fsync
};

ScriptReadResult readScriptFile(const QString& path);
// Writes through a temporary file in the same folder renamed over the target,
// so a failed save leaves the old file as it was. Where the folder may not
// be written to, an existing file is written in place instead: its old bytes
// are kept and put back on any failure. Messages name the system's cause.
ScriptWriteResult writeScriptFile(const QString& path, const QString& logicalText, const ScriptFormat& format,
                                  SaveOps* ops = nullptr);

}  // namespace pw
