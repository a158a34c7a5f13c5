// ADODB.Stream: a byte buffer read and written as binary (Byte arrays) or as
// text in a named character set, loaded from and saved to files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "charsets.h"
#include "obj_net.h"

namespace pw {
namespace {

using objimpl::expectCall;
using objimpl::expectProp;
using objimpl::findMember;
using objimpl::isPut;

constexpr int32_t adTypeBinary = 1, adTypeText = 2;
constexpr int32_t adCR = 13, adCRLF = -1, adLF = 10;
constexpr int32_t adReadAll = -1, adReadLine = -2;

[[noreturn]] void adoError(int32_t number) { pw::adoError(number, u"ADODB.Stream"); }

bool readFile(const std::string& path, std::string& out) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    return false;
  }
  out.clear();
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return true;
}

// Writes a temporary file beside the target, then renames it over the target,
// so a failed save never leaves half a file.
bool saveAtomically(const std::string& path, const std::string& data) {
  size_t slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string tmp = (slash == std::string::npos ? std::string() : dir) + "." + name + ".XXXXXX";
  int fd = ::mkstemp(tmp.data());
  if (fd < 0) return false;
  struct stat st;
  mode_t mode;
  if (::stat(path.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  bool ok = ::fchmod(fd, mode) == 0;
  size_t done = 0;
  while (ok && done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else done += static_cast<size_t>(n);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) ::unlink(tmp.c_str());
  return ok;
}

class StreamObj : public Object {
 public:
  enum Id {
    kType = 1, kCharset, kOpen, kClose, kWrite, kWriteText, kRead, kReadText, kLoadFromFile, kSaveToFile,
    kPosition, kSize, kEOS, kLineSeparator, kSkipLine, kCopyTo, kSetEOS, kState, kMode, kFlush, kCancel,
  };

  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Type", kType}, {u"Charset", kCharset}, {u"Open", kOpen}, {u"Close", kClose},
                       {u"Write", kWrite}, {u"WriteText", kWriteText}, {u"Read", kRead}, {u"ReadText", kReadText},
                       {u"LoadFromFile", kLoadFromFile}, {u"SaveToFile", kSaveToFile}, {u"Position", kPosition},
                       {u"Size", kSize}, {u"EOS", kEOS}, {u"LineSeparator", kLineSeparator},
                       {u"SkipLine", kSkipLine}, {u"CopyTo", kCopyTo}, {u"SetEOS", kSetEOS}, {u"State", kState},
                       {u"Mode", kMode}, {u"Flush", kFlush}, {u"Cancel", kCancel}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    switch (id) {
      case kType:
        expectProp(kind, a);
        if (isPut(kind)) {
          int32_t t = toLong(a[0]);
          if (t != adTypeBinary && t != adTypeText) adoError(3001);
          if (open_ && pos_ != 0) adoError(3219);
          type_ = t;
          return Variant();
        }
        return Variant::lng(type_);
      case kCharset:
        expectProp(kind, a);
        if (isPut(kind)) {
          u16 name = toString(a[0]);
          Charset cs(toUtf8(name));
          if (!cs.valid()) adoError(3001);
          if (open_ && pos_ != 0) adoError(3219);
          charsetName_ = name;
          charset_ = std::move(cs);
          return Variant();
        }
        return Variant::str(charsetName_);
      case kOpen:
        expectCall(kind, a, 0, 5);
        if (open_) adoError(3705);
        // Only a new, empty stream: URLs and records as sources need OLE DB providers.
        if (!a.missing(0) && !a[0].isEmpty() && !(a[0].isString() && a[0].strView().empty())) adoError(3001);
        if (!a.missing(1)) mode_ = toLong(a[1]);
        open_ = true;
        data_.clear();
        pos_ = 0;
        return Variant();
      case kClose:
        expectCall(kind, a, 0, 0);
        needOpen();
        open_ = false;
        data_.clear();
        data_.shrink_to_fit();
        pos_ = 0;
        return Variant();
      case kWrite: {
        expectCall(kind, a, 1, 1);
        needOpen();
        if (type_ != adTypeBinary) adoError(3219);
        std::string bytes;
        if (!objimpl::byteArrayBytes(a[0], bytes)) adoError(3001);
        put(bytes);
        return Variant();
      }
      case kWriteText: {
        expectCall(kind, a, 1, 2);
        needOpen();
        if (type_ != adTypeText) adoError(3219);
        int32_t opt = objimpl::optLong(a, 1, 0);
        if (opt != 0 && opt != 1) adoError(3001);
        u16 text = toString(a[0]);
        if (opt == 1) text += separator();
        writeText(text);
        return Variant();
      }
      case kRead: {
        expectCall(kind, a, 0, 1);
        needOpen();
        if (type_ != adTypeBinary) adoError(3219);
        int32_t n = objimpl::optLong(a, 0, adReadAll);
        if (n < adReadAll) adoError(3001);
        if (pos_ >= data_.size()) return Variant::null();
        size_t take = n == adReadAll ? data_.size() - pos_ : std::min<size_t>(n, data_.size() - pos_);
        Variant out = objimpl::makeByteArray(std::string_view(data_).substr(pos_, take));
        pos_ += take;
        return out;
      }
      case kReadText: {
        expectCall(kind, a, 0, 1);
        needOpen();
        if (type_ != adTypeText) adoError(3219);
        int32_t n = objimpl::optLong(a, 0, adReadAll);
        if (n < adReadLine) adoError(3001);
        if (n == adReadLine) return Variant::str(readLine());
        return Variant::str(readText(n == adReadAll ? -1 : n));
      }
      case kSkipLine:
        expectCall(kind, a, 0, 0);
        needOpen();
        if (type_ != adTypeText) adoError(3219);
        readLine();
        return Variant();
      case kLoadFromFile: {
        expectCall(kind, a, 1, 1);
        needOpen();
        std::string bytes;
        if (!readFile(toUtf8(toString(a[0])), bytes)) adoError(3002);
        data_ = std::move(bytes);
        pos_ = 0;
        return Variant();
      }
      case kSaveToFile: {
        expectCall(kind, a, 1, 2);
        needOpen();
        std::string path = toUtf8(toString(a[0]));
        int32_t opt = objimpl::optLong(a, 1, 1);
        if (opt != 1 && opt != 2) adoError(3001);
        struct stat st;
        bool exists = ::stat(path.c_str(), &st) == 0;
        if (path.empty() || (exists && (opt == 1 || S_ISDIR(st.st_mode)))) adoError(3004);
        if (!saveAtomically(path, data_)) adoError(3004);
        return Variant();
      }
      case kPosition:
        expectProp(kind, a);
        needOpen();
        if (isPut(kind)) {
          double p = toDouble(a[0]);
          if (p < 0 || p > static_cast<double>(data_.size())) adoError(3001);
          pos_ = static_cast<size_t>(p);
          return Variant();
        }
        return sizeValue(pos_);
      case kSize:
        expectCall(kind, a, 0, 0);
        needOpen();
        return sizeValue(data_.size());
      case kEOS:
        expectCall(kind, a, 0, 0);
        needOpen();
        return Variant::boolean(pos_ >= data_.size());
      case kLineSeparator:
        expectProp(kind, a);
        if (isPut(kind)) {
          int32_t s = toLong(a[0]);
          if (s != adCRLF && s != adLF && s != adCR) adoError(3001);
          lineSep_ = s;
          return Variant();
        }
        return Variant::lng(lineSep_);
      case kCopyTo: {
        expectCall(kind, a, 1, 2);
        needOpen();
        auto* dest = a[0].isObject() ? dynamic_cast<StreamObj*>(a[0].o) : nullptr;
        if (!dest) adoError(3001);
        dest->needOpen();
        int32_t n = objimpl::optLong(a, 1, -1);
        if (n < -1) adoError(3001);
        if (type_ == adTypeText && dest->type_ == adTypeText) {
          // Text to text: characters, re-encoded in the destination's set.
          u16 chars = readText(n);
          dest->writeText(chars);
        } else {
          size_t left = data_.size() - std::min(pos_, data_.size());
          size_t take = n < 0 ? left : std::min<size_t>(n, left);
          std::string bytes = data_.substr(pos_, take);
          pos_ += take;
          dest->put(bytes);
        }
        return Variant();
      }
      case kSetEOS:
        expectCall(kind, a, 0, 0);
        needOpen();
        data_.resize(pos_);
        return Variant();
      case kState:
        expectCall(kind, a, 0, 0);
        return Variant::lng(open_ ? 1 : 0);
      case kMode:
        expectProp(kind, a);
        if (isPut(kind)) {
          if (open_) adoError(3705);
          mode_ = toLong(a[0]);
          return Variant();
        }
        return Variant::lng(mode_);
      case kFlush:
      case kCancel:
        expectCall(kind, a, 0, 0);
        return Variant();
    }
    raise(438);
  }

  u16 typeName() const override { return u"Stream"; }
  bool safeForScripting() const override { return false; }

 private:
  bool open_ = false;
  int32_t type_ = adTypeText;
  u16 charsetName_ = u"Unicode";
  Charset charset_{"unicode"};
  int32_t lineSep_ = adCRLF;
  int32_t mode_ = 0;
  std::string data_;
  size_t pos_ = 0;

  void needOpen() const {
    if (!open_) adoError(3704);
  }

  static Variant sizeValue(size_t n) {
    if (n <= 0x7fffffff) return Variant::lng(static_cast<int32_t>(n));
    return Variant::dbl(static_cast<double>(n));
  }

  u16v separator() const {
    switch (lineSep_) {
      case adLF: return u"\n";
      case adCR: return u"\r";
      default: return u"\r\n";
    }
  }

  // Writes over the bytes at the position, growing the stream as needed.
  void put(std::string_view bytes) {
    if (pos_ > data_.size()) pos_ = data_.size();
    size_t over = std::min(bytes.size(), data_.size() - pos_);
    data_.replace(pos_, over, bytes.substr(0, over));
    data_.append(bytes.substr(over));
    pos_ += bytes.size();
  }

  // Text written at the very start carries the set's byte order mark.
  void writeText(u16v text) {
    std::string bytes = charset_.encode(text);
    if (pos_ == 0) bytes.insert(0, charset_.bom());
    put(bytes);
  }

  // The bytes text is read from: a byte order mark at the start is skipped.
  void skipBom() {
    std::string_view bom = charset_.bom();
    if (pos_ == 0 && !bom.empty() && std::string_view(data_).starts_with(bom)) pos_ = bom.size();
  }

  u16 readText(long long n) {
    if (pos_ >= data_.size()) return u16();
    skipBom();
    size_t used = 0;
    u16 text = charset_.decode(std::string_view(data_).substr(pos_), n, &used);
    pos_ += used;
    return text;
  }

  // The next line without its separator; the separator is consumed.
  u16 readLine() {
    if (pos_ >= data_.size()) return u16();
    skipBom();
    std::string_view rest = std::string_view(data_).substr(pos_);
    u16v sep = separator();
    long long window = 1024;
    for (;;) {
      size_t used = 0;
      u16 text = charset_.decode(rest, window, &used);
      size_t at = text.find(sep);
      if (at != u16::npos) {
        charset_.decode(rest, static_cast<long long>(at + sep.size()), &used);
        pos_ += used;
        text.resize(at);
        return text;
      }
      if (used >= rest.size() || static_cast<long long>(text.size()) < window) {
        pos_ += used >= rest.size() ? rest.size() : used;
        return text;
      }
      window *= 4;
    }
  }
};

}  // namespace

void adoError(int32_t number, u16v source) {
  const char16_t* text;
  switch (number) {
    case 3001: text = u"Arguments are of the wrong type, are out of acceptable range, or are in conflict with one another."; break;
    case 3002: text = u"File could not be opened."; break;
    case 3004: text = u"Write to file failed."; break;
    case 3021: text = u"Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a current record."; break;
    case 3219: text = u"Operation is not allowed in this context."; break;
    case 3265: text = u"Item cannot be found in the collection corresponding to the requested name or ordinal."; break;
    case 3367: text = u"Object is already in collection. Cannot append."; break;
    case 3704: text = u"Operation is not allowed when the object is closed."; break;
    case 3705: text = u"Operation is not allowed when the object is open."; break;
    default: text = u"Unspecified error"; break;
  }
  raise(number, source, text);
}

Object* newAdoStream() { return new StreamObj; }

}  // namespace pw
