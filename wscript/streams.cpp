// WScript.StdIn, StdOut and StdErr. The window has its own small objects
// (StdOutSim, StdInSim); the console host has TextStreams over the process's
// standard streams. Both write through WScriptConsole::write, one call per
// member call, and take text in the same form.
#include "objects.h"
#include "ops.h"
#include "wscript_core.h"

namespace pw {

using objimpl::expectCall;
using objimpl::findMember;

namespace {

constexpr int32_t kBadFileMode = 54;
constexpr int32_t kPastEnd = 62;
constexpr int32_t kBadFile = 52;

// The window's StdOut (StdErr is the same object).
class StdOutSim final : public Object {
 public:
  explicit StdOutSim(WScriptConsole& c) : con_(c) {}
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"WriteBlankLines", 3}, {u"WriteLine", 2}, {u"WriteChars", 1}}, name);
  }
  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    switch (id) {
      case 1:
        expectCall(kind, a, 1, 1);
        con_.write(toString(a[0]), false);
        return Variant();
      case 2: {
        expectCall(kind, a, 0, 1);
        u16 t = a.missing(0) ? u16() : toString(a[0]);
        con_.write(t + con_.lineEnd(), false);
        return Variant();
      }
      case 3: {
        expectCall(kind, a, 1, 1);
        // The count is tested after the write: 1, 0 and negatives write one line.
        int16_t n = toInteger(a[0]);
        do con_.write(con_.lineEnd(), false);
        while (--n > 0);
        return Variant();
      }
    }
    raise(438);
  }
  u16 typeName() const override { return u"StdOutSim"; }

 private:
  WScriptConsole& con_;
};

// The window's StdIn: lines from the input line, echoed to the console.
class StdInSim final : public Object {
 public:
  explicit StdInSim(WScriptConsole& c) : con_(c) {}
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Column", 5}, {u"Line", 6}, {u"ReadLine", 1}}, name);
  }
  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    expectCall(kind, a, 0, 0);
    switch (id) {
      case 1: {
        std::optional<u16> line = con_.readLine();
        if (!line) raise(kPastEnd);
        con_.write(*line + con_.lineEnd(), false);
        return Variant::str(*line);
      }
      case 5:
      case 6:
        return Variant::lng(1);  // the window's input counts nothing
    }
    raise(438);
  }
  u16 typeName() const override { return u"StdInSim"; }

 private:
  WScriptConsole& con_;
};

enum TsMember {
  kLine = 1, kColumn, kAtEndOfStream, kAtEndOfLine, kRead, kReadLine, kReadAll, kWrite, kWriteLine,
  kWriteBlankLines, kSkip, kSkipLine, kClose,
};

// The console host's streams: one TextStream class, open for reading (StdIn)
// or writing (StdOut, StdErr); the other direction's members raise 54 "Bad
// file mode" as a file opened one way does.
class ConsoleStream final : public Object {
 public:
  enum Mode { In, Out, Err };
  ConsoleStream(WScriptConsole& c, Mode m) : con_(c), mode_(m) {}

  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Line", kLine}, {u"Column", kColumn}, {u"AtEndOfStream", kAtEndOfStream},
                       {u"AtEndOfLine", kAtEndOfLine}, {u"Read", kRead}, {u"ReadLine", kReadLine},
                       {u"ReadAll", kReadAll}, {u"Write", kWrite}, {u"WriteLine", kWriteLine},
                       {u"WriteBlankLines", kWriteBlankLines}, {u"Skip", kSkip}, {u"SkipLine", kSkipLine},
                       {u"Close", kClose}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    switch (id) {
      case kLine: expectCall(kind, a, 0, 0); return Variant::lng(line_);
      case kColumn: expectCall(kind, a, 0, 0); return Variant::lng(column_);
      case kClose:
        expectCall(kind, a, 0, 0);
        closed_ = true;
        return Variant();
      default: break;
    }
    if (id < kLine || id > kClose) raise(438);
    int lo = 0, hi = 0;
    if (id == kRead || id == kSkip || id == kWrite || id == kWriteBlankLines) lo = hi = 1;
    if (id == kWriteLine) hi = 1;
    expectCall(kind, a, lo, hi);
    const bool reading = (id >= kAtEndOfStream && id <= kReadAll) || id == kSkip || id == kSkipLine;
    if (closed_) raise(kBadFile);
    if (reading != (mode_ == In)) raise(kBadFileMode);
    switch (id) {
      case kAtEndOfStream: return Variant::boolean(!fill(1));
      case kAtEndOfLine: return Variant::boolean(!fill(1) || buf_[pos_] == u'\n' || buf_[pos_] == u'\r');
      case kRead:
      case kSkip: {
        int32_t n = toLong(a[0]);
        if (n < 0) raise(5);
        if (!fill(1)) raise(kPastEnd);
        fill(static_cast<size_t>(n));
        u16 part = take(std::min(static_cast<size_t>(n), buf_.size() - pos_));
        return id == kRead ? Variant::str(part) : Variant();
      }
      case kReadLine: return Variant::str(readLine());
      case kSkipLine: readLine(); return Variant();
      case kReadAll: {
        if (!fill(1)) raise(kPastEnd);
        while (more()) {
        }
        return Variant::str(take(buf_.size() - pos_));
      }
      case kWrite: put(toText(a[0])); return Variant();
      case kWriteLine: put((a.missing(0) ? u16() : toText(a[0])) + con_.lineEnd()); return Variant();
      case kWriteBlankLines: {
        int32_t n = toLong(a[0]);
        if (n < 0) raise(5);
        u16 t;
        for (int32_t i = 0; i < n; ++i) t += con_.lineEnd();
        put(t);
        return Variant();
      }
    }
    raise(438);
  }
  u16 typeName() const override { return u"TextStream"; }

 private:
  // Makes at least n characters available unless the input ends first; true
  // when there is at least one.
  bool fill(size_t n) {
    if (pos_ > 4096 && pos_ * 2 > buf_.size()) {
      buf_.erase(0, pos_);
      pos_ = 0;
    }
    while (buf_.size() - pos_ < n && !ended_) {
      if (!con_.readInput(buf_)) ended_ = true;
    }
    return pos_ < buf_.size();
  }
  u16 take(size_t n) {
    u16 s = buf_.substr(pos_, n);
    pos_ += n;
    count(s);
    return s;
  }
  bool more() {
    if (ended_ || !con_.readInput(buf_)) ended_ = true;
    return !ended_;
  }
  // A line ends at CR, LF or CR LF, as in a file's TextStream.
  u16 readLine() {
    if (!fill(1)) raise(kPastEnd);
    size_t from = pos_, eol;
    while ((eol = buf_.find_first_of(u"\r\n", from)) == u16::npos) {
      from = buf_.size();
      if (!more()) return take(buf_.size() - pos_);
    }
    u16 line = buf_.substr(pos_, eol - pos_);
    size_t after = eol + 1;
    if (buf_[eol] == u'\r' && (after < buf_.size() || more()) && after < buf_.size() && buf_[after] == u'\n') ++after;
    take(after - pos_);
    return line;
  }
  void put(u16v text) {
    con_.write(text, mode_ == Err);
    count(text);
  }
  // CR, LF and CR LF each count as one line break.
  void count(u16v text) {
    for (char16_t c : text) {
      if (c == u'\r' || (c == u'\n' && !lastCR_)) {
        ++line_;
        column_ = 1;
      } else if (c != u'\n') {
        ++column_;
      }
      lastCR_ = c == u'\r';
    }
  }

  WScriptConsole& con_;
  Mode mode_;
  u16 buf_;          // input read ahead
  size_t pos_ = 0;   // next character of buf_ the script gets
  bool ended_ = false;
  bool closed_ = false;
  bool lastCR_ = false;
  int32_t line_ = 1, column_ = 1;
};

}  // namespace

Object* newStdOut(WScriptConsole& console, bool toStdErr) {
  if (console.kind() == ConsoleKind::Window) return new StdOutSim(console);
  return new ConsoleStream(console, toStdErr ? ConsoleStream::Err : ConsoleStream::Out);
}

Object* newStdIn(WScriptConsole& console) {
  if (console.kind() == ConsoleKind::Window) return new StdInSim(console);
  return new ConsoleStream(console, ConsoleStream::In);
}

}  // namespace pw
