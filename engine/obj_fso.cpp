// Scripting.FileSystemObject and its File, Folder, Drive, collection and
// TextStream objects. Scripts' paths may be in Windows form (winpath.h);
// inside, paths are native ("/" separated), and so are the paths that come
// back from the file system.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <random>

#include "engine.h"
#include "objects.h"
#include "winpath.h"

namespace pw {
namespace {

using objimpl::expectCall;
using objimpl::expectProp;
using objimpl::findMember;
using objimpl::isPut;
using objimpl::optBool;
using objimpl::optLong;

using Path = std::string;  // native, UTF-8

constexpr int ForReading = 1, ForWriting = 2, ForAppending = 8;
constexpr int TristateTrue = -1, TristateUseDefault = -2;

Path native(u16v p) { return winpath::toNative(p); }
u16 wide(std::string_view p) { return fromUtf8(p); }

// For the Exists tests: a path on an unmapped drive or an unreachable
// network share is simply not there (the caller's next step tells why).
Path nativeIfReachable(u16v p) {
  try {
    return native(p);
  } catch (const ScriptError& e) {
    if (e.number == 76) return Path();
    throw;
  }
}

// errno in VBScript's terms; inFolder tells that a missing entry is a folder.
[[noreturn]] void ioError(int err, bool inFolder = false) {
  switch (err) {
    case ENOENT: raise(inFolder ? 76 : 53);
    case ENOTDIR: raise(76);
    case EEXIST:
    case ENOTEMPTY: raise(58);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EBUSY:
    case ETXTBSY:
    case EINVAL: raise(70);
    case ENOSPC:
    case EDQUOT: raise(61);
    case EXDEV: raise(74);
    case ENAMETOOLONG: raise(52);
    case EMFILE:
    case ENFILE: raise(67);
    case ENOMEM: raise(7);
    default: raise(57);
  }
}

struct Fd {
  int fd;
  explicit Fd(int f) : fd(f) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

// --- paths ---

bool endsWithSep(std::string_view p) { return !p.empty() && p.back() == '/'; }

Path trimSeps(Path p) {
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

Path currentDir() {
  std::string buf(256, '\0');
  while (!::getcwd(buf.data(), buf.size())) {
    if (errno != ERANGE) ioError(errno, true);
    buf.resize(buf.size() * 2);
  }
  buf.resize(std::char_traits<char>::length(buf.c_str()));
  return buf;
}

// Absolute and lexically normal: no ".", "..", empty or trailing components.
Path absolute(std::string_view p) {
  return winpath::normalJoin(!p.empty() && p[0] == '/' ? Path() : currentDir(), p);
}

// For an absolute normal path; "" for the root.
Path parentOf(const Path& abs) {
  if (abs == "/") return "";
  size_t k = abs.rfind('/');
  return k == 0 ? "/" : abs.substr(0, k);
}

Path nameOf(const Path& p) {
  Path t = trimSeps(p);
  if (t == "/") return "";
  size_t k = t.rfind('/');
  return k == Path::npos ? t : t.substr(k + 1);
}

Path join(const Path& dir, std::string_view name) {
  if (dir.empty()) return Path(name);
  return endsWithSep(dir) ? dir + Path(name) : dir + "/" + Path(name);
}

// Where a path's containing folder is, as given (relative stays relative).
Path dirOf(const Path& p) {
  Path t = trimSeps(p);
  size_t k = t.rfind('/');
  if (k == Path::npos) return ".";
  return k == 0 ? "/" : t.substr(0, k);
}

bool statOk(const Path& p, struct stat& st) { return ::stat(p.c_str(), &st) == 0; }
bool isDir(const Path& p) {
  struct stat st;
  return statOk(p, st) && S_ISDIR(st.st_mode);
}
bool isFile(const Path& p) {
  struct stat st;
  return statOk(p, st) && !S_ISDIR(st.st_mode);
}
bool exists(const Path& p) {
  struct stat st;
  return ::lstat(p.c_str(), &st) == 0;
}
bool readOnly(const struct stat& st) { return !S_ISLNK(st.st_mode) && !(st.st_mode & S_IWUSR); }

// A missing file is 53, unless its folder is missing too (76).
[[noreturn]] void fileMissing(const Path& p) { raise(isDir(dirOf(p)) ? 53 : 76); }

bool within(const Path& inner, const Path& outer) {
  Path a = absolute(inner), b = absolute(outer);
  return a == b || (a.size() > b.size() && a.compare(0, b.size(), b) == 0 && (b == "/" || a[b.size()] == '/'));
}

// Entry names of a folder, sorted case-insensitively for a stable order.
std::vector<Path> listDir(const Path& dir) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) ioError(errno, true);
  std::vector<Path> names;
  while (dirent* e = ::readdir(d)) {
    std::string_view n = e->d_name;
    if (n != "." && n != "..") names.emplace_back(n);
  }
  ::closedir(d);
  std::vector<std::pair<u16, Path>> keyed;
  keyed.reserve(names.size());
  for (Path& n : names) keyed.emplace_back(toLowerCopy(wide(n)), std::move(n));
  std::sort(keyed.begin(), keyed.end());
  names.clear();
  for (auto& k : keyed) names.push_back(std::move(k.second));
  return names;
}

bool hasWild(std::string_view name) { return name.find_first_of("*?") != std::string_view::npos; }

bool wildMatch(u16v pat, u16v name) {
  size_t p = 0, n = 0, star = u16v::npos, mark = 0;
  while (n < name.size()) {
    if (p < pat.size() && (pat[p] == '?' || pat[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pat.size() && pat[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != u16v::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pat.size() && pat[p] == '*') ++p;
  return p == pat.size();
}

// As on the platform, "x.*" also matches "x" and "*.*" matches every name.
// Names match case-insensitively, as on Windows.
bool nameMatches(u16v patText, u16v nameText) {
  u16 patLower = toLowerCopy(patText), nameLower = toLowerCopy(nameText);
  u16v pat = patLower, name = nameLower;
  if (wildMatch(pat, name)) return true;
  return pat.size() >= 2 && pat.substr(pat.size() - 2) == u".*" &&
         wildMatch(pat.substr(0, pat.size() - 2), name);
}

// The files (or folders) a path names; wildcards are allowed in its
// last component only. Nothing matching is 53 for files, 76 for folders.
std::vector<Path> matchEntries(u16v what, bool folders, bool& wild) {
  Path p = trimSeps(native(what));
  Path last = nameOf(p);
  wild = hasWild(last);
  if (!wild) {
    if (folders ? !isDir(p) : !isFile(p)) {
      if (folders) raise(76);
      fileMissing(p);
    }
    return {p};
  }
  Path dir = dirOf(p);
  if (!isDir(dir)) raise(76);
  u16 pat = wide(last);
  std::vector<Path> out;
  for (const Path& n : listDir(dir)) {
    Path full = join(dir, n);
    if (isDir(full) == folders && nameMatches(pat, wide(n))) out.push_back(full);
  }
  if (out.empty()) raise(folders ? 76 : 53);
  return out;
}

// --- file operations ---

void writeAll(int fd, const char* data, size_t n) {
  while (n > 0) {
    ssize_t w = ::write(fd, data, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      ioError(errno);
    }
    data += w;
    n -= static_cast<size_t>(w);
  }
}

void copyFileData(const Path& from, const Path& to, bool overwrite) {
  struct stat src, dst;
  if (!statOk(from, src)) ioError(errno);
  if (S_ISDIR(src.st_mode)) raise(53);
  if (statOk(to, dst)) {
    if (!overwrite) raise(58);
    if (S_ISDIR(dst.st_mode) || readOnly(dst)) raise(70);
    if (dst.st_dev == src.st_dev && dst.st_ino == src.st_ino) raise(70);
  }
  Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.fd < 0) ioError(errno);
  Fd out(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, src.st_mode & 07777));
  if (out.fd < 0) ioError(errno, true);
  std::vector<char> buf(1 << 16);
  for (;;) {
    ssize_t r = ::read(in.fd, buf.data(), buf.size());
    if (r < 0) {
      if (errno == EINTR) continue;
      ioError(errno);
    }
    if (r == 0) break;
    writeAll(out.fd, buf.data(), static_cast<size_t>(r));
  }
  struct timespec times[2] = {src.st_atim, src.st_mtim};  // a copy keeps its modification date
  ::futimens(out.fd, times);
  int fd = out.fd;
  out.fd = -1;
  if (::close(fd) != 0) ioError(errno);
}

void copyTree(const Path& from, const Path& to, bool overwrite) {
  if (within(to, from)) raise(70);
  struct stat st;
  if (::lstat(to.c_str(), &st) == 0) {
    if (!S_ISDIR(st.st_mode)) raise(58);
  } else {
    struct stat src;
    if (!statOk(from, src)) ioError(errno, true);
    if (::mkdir(to.c_str(), src.st_mode & 07777) != 0) ioError(errno, true);
  }
  for (const Path& n : listDir(from)) {
    Path a = join(from, n), b = join(to, n);
    if (::lstat(a.c_str(), &st) != 0) ioError(errno);
    if (S_ISDIR(st.st_mode)) {
      copyTree(a, b, overwrite);
    } else if (S_ISLNK(st.st_mode)) {
      std::string target(PATH_MAX, '\0');
      ssize_t len = ::readlink(a.c_str(), target.data(), target.size());
      if (len < 0) ioError(errno);
      target.resize(static_cast<size_t>(len));
      if (exists(b)) {
        if (!overwrite) raise(58);
        if (isDir(b) || ::unlink(b.c_str()) != 0) raise(70);
      }
      if (::symlink(target.c_str(), b.c_str()) != 0) ioError(errno, true);
    } else {
      copyFileData(a, b, overwrite);
    }
  }
}

// Deletes a folder and everything in it; read-only files stop it unless force.
void removeTree(const Path& p, bool force) {
  if (absolute(p) == "/") raise(70);
  struct stat st;
  if (::lstat(p.c_str(), &st) != 0) ioError(errno, true);
  if (S_ISDIR(st.st_mode)) {
    for (const Path& n : listDir(p)) {
      Path c = join(p, n);
      struct stat cs;
      if (::lstat(c.c_str(), &cs) != 0) ioError(errno);
      if (S_ISDIR(cs.st_mode)) {
        removeTree(c, force);
        continue;
      }
      if (!force && readOnly(cs)) raise(70);
      if (::unlink(c.c_str()) != 0) ioError(errno);
    }
    if (::rmdir(p.c_str()) != 0) ioError(errno, true);
  } else if (::unlink(p.c_str()) != 0) {
    ioError(errno, true);
  }
}

void deleteFile(const Path& p, bool force) {
  struct stat st;
  if (::lstat(p.c_str(), &st) != 0) ioError(errno);
  if (!force && readOnly(st)) raise(70);
  if (::unlink(p.c_str()) != 0) ioError(errno);
}

// Rename, or copy and delete when the target is on another file system.
void moveEntry(const Path& from, const Path& to, bool folder) {
  if (exists(to)) raise(58);
  if (folder && within(to, from)) raise(70);
  if (::rename(from.c_str(), to.c_str()) == 0) return;
  if (errno != EXDEV) ioError(errno, true);
  if (folder) {
    copyTree(from, to, false);
    removeTree(from, true);
  } else {
    copyFileData(from, to, false);
    deleteFile(from, true);
  }
}

// The target of copying or moving one entry: "dst/" (or a wildcard source)
// means into that existing folder, otherwise dst is the new name.
Path targetFor(const Path& src, const Path& dst, bool into) {
  return into ? join(trimSeps(dst), nameOf(src)) : dst;
}

bool intoFolder(const Path& dst, bool wild) {
  bool into = wild || endsWithSep(dst);
  if (into && !isDir(trimSeps(dst))) raise(76);
  return into;
}

void copyFiles(u16v what, u16v dest, bool overwrite) {
  bool wild;
  std::vector<Path> sources = matchEntries(what, false, wild);
  Path dst = native(dest);
  bool into = intoFolder(dst, wild);
  for (const Path& s : sources) copyFileData(s, targetFor(s, dst, into), overwrite);
}

void moveFiles(u16v what, u16v dest) {
  bool wild;
  std::vector<Path> sources = matchEntries(what, false, wild);
  Path dst = native(dest);
  bool into = intoFolder(dst, wild);
  for (const Path& s : sources) moveEntry(s, targetFor(s, dst, into), false);
}

void copyFolders(u16v what, u16v dest, bool overwrite) {
  bool wild;
  std::vector<Path> sources = matchEntries(what, true, wild);
  Path dst = native(dest);
  bool into = intoFolder(dst, wild);
  for (const Path& s : sources) copyTree(s, trimSeps(targetFor(s, dst, into)), overwrite);
}

void moveFolders(u16v what, u16v dest) {
  bool wild;
  std::vector<Path> sources = matchEntries(what, true, wild);
  Path dst = native(dest);
  bool into = intoFolder(dst, wild);
  for (const Path& s : sources) moveEntry(s, trimSeps(targetFor(s, dst, into)), true);
}

// --- dates and sizes ---

int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

// Local time as an OLE Automation date (days since 30 December 1899).
double oleDate(time_t t) {
  struct tm lt;
  if (!::localtime_r(&t, &lt)) return 0;
  int64_t days = daysFromCivil(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday) + 25569;
  return static_cast<double>(days) + (lt.tm_hour * 3600 + lt.tm_min * 60 + lt.tm_sec) / 86400.0;
}

Variant sizeValue(uint64_t n) {
  if (n <= static_cast<uint64_t>(INT32_MAX)) return Variant::lng(static_cast<int32_t>(n));
  return Variant::dbl(static_cast<double>(n));
}

uint64_t treeSize(const Path& p) {
  uint64_t total = 0;
  for (const Path& n : listDir(p)) {
    Path c = join(p, n);
    struct stat st;
    if (::lstat(c.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) total += treeSize(c);
    else if (S_ISREG(st.st_mode)) total += static_cast<uint64_t>(st.st_size);
  }
  return total;
}

u16 typeForFile(const Path& name) {
  size_t dot = name.rfind('.');
  if (dot == Path::npos || dot == 0 || dot + 1 == name.size()) return u"File";
  u16 ext = toLowerCopy(wide(name.substr(dot + 1)));
  static const struct {
    const char16_t* ext;
    const char16_t* type;
  } kTypes[] = {
      {u"txt", u"Text Document"},        {u"log", u"Text Document"},
      {u"vbs", u"VBScript Script File"}, {u"js", u"JScript Script File"},
      {u"wsf", u"Windows Script File"},  {u"xml", u"XML Document"},
      {u"bat", u"Windows Batch File"},   {u"ini", u"Configuration settings"},
      {u"exe", u"Application"},          {u"zip", u"Compressed (zipped) Folder"},
  };
  for (const auto& t : kTypes)
    if (ext == t.ext) return t.type;
  return toUpperCopy(ext) + u" File";
}

// --- text encodings ---

bool validUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int extra;
    uint32_t cp;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + extra >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      unsigned char d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp < 0xE000))) ||
        (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
      return false;
    i += extra + 1;
  }
  return true;
}

u16 fromWindows1252(std::string_view s) {
  static const char16_t k80[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  u16 out;
  out.reserve(s.size());
  for (char ch : s) {
    unsigned char c = static_cast<unsigned char>(ch);
    out += c >= 0x80 && c < 0xA0 ? k80[c - 0x80] : static_cast<char16_t>(c);
  }
  return out;
}

u16 fromUtf16le(std::string_view s) {
  if (s.size() >= 2 && s[0] == '\xFF' && s[1] == '\xFE') s.remove_prefix(2);
  u16 out;
  out.reserve(s.size() / 2);
  for (size_t i = 0; i + 1 < s.size(); i += 2)
    out += static_cast<char16_t>(static_cast<unsigned char>(s[i]) | static_cast<unsigned char>(s[i + 1]) << 8);
  return out;
}

// Unicode files are UTF-16LE; "ASCII" files are UTF-8 when they are valid
// UTF-8 and Windows-1252 otherwise, so files from either world read well.
u16 decodeText(std::string_view bytes, int format) {
  bool bomLE = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
  if (format == TristateTrue || (format == TristateUseDefault && bomLE)) return fromUtf16le(bytes);
  if (validUtf8(bytes)) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return fromUtf8(bytes);
  }
  return fromWindows1252(bytes);
}

// --- objects ---

class FolderObj;
Variant folderValue(const Path& abs);
Variant fileValue(const Path& abs);

class TextStreamObj : public Object {
 public:
  static TextStreamObj* reader(u16 text) {
    auto* t = new TextStreamObj;
    t->text_ = std::move(text);
    return t;
  }
  static TextStreamObj* writer(int fd, bool unicode, bool bom) {
    auto* t = new TextStreamObj;
    t->writing_ = true;
    t->fd_ = fd;
    t->unicode_ = unicode;
    if (bom) t->out_ = "\xFF\xFE";
    return t;
  }

  ~TextStreamObj() override {
    if (fd_ >= 0) {
      try {
        flush(false);
      } catch (const ScriptError&) {
        // nobody is left to tell
      }
      ::close(fd_);
    }
  }

  int32_t getIdOfName(u16v name) override {
    return findMember({{u"AtEndOfLine", 1}, {u"AtEndOfStream", 2}, {u"Column", 3}, {u"Line", 4},
                       {u"Close", 5}, {u"Read", 6}, {u"ReadAll", 7}, {u"ReadLine", 8},
                       {u"Skip", 9}, {u"SkipLine", 10}, {u"Write", 11}, {u"WriteBlankLines", 12},
                       {u"WriteLine", 13}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 1:
        expectCall(kind, args, 0, 0);
        needRead();
        return Variant::boolean(pos_ >= text_.size() || text_[pos_] == '\r' || text_[pos_] == '\n');
      case 2:
        expectCall(kind, args, 0, 0);
        needRead();
        return Variant::boolean(pos_ >= text_.size());
      case 3:
        expectCall(kind, args, 0, 0);
        return Variant::lng(column_);
      case 4:
        expectCall(kind, args, 0, 0);
        return Variant::lng(line_);
      case 5:
        expectCall(kind, args, 0, 0);
        close();
        return Variant();
      case 6:
      case 9: {
        expectCall(kind, args, 1, 1);
        int32_t n = toLong(args[0]);
        needRead();
        if (n < 0) raise(5);
        if (pos_ >= text_.size()) raise(62);
        u16 part = take(static_cast<size_t>(n));
        return id == 6 ? Variant::str(part) : Variant();
      }
      case 7:
        expectCall(kind, args, 0, 0);
        needRead();
        if (pos_ >= text_.size()) raise(62);
        return Variant::str(take(text_.size() - pos_));
      case 8:
      case 10: {
        expectCall(kind, args, 0, 0);
        needRead();
        if (pos_ >= text_.size()) raise(62);
        size_t eol = text_.find_first_of(u"\r\n", pos_);
        if (eol == u16::npos) eol = text_.size();
        u16 lineText = text_.substr(pos_, eol - pos_);
        size_t after = eol;
        if (after < text_.size()) after += text_[after] == '\r' && after + 1 < text_.size() && text_[after + 1] == '\n' ? 2 : 1;
        take(after - pos_);
        return id == 8 ? Variant::str(lineText) : Variant();
      }
      case 11:
        expectCall(kind, args, 1, 1);
        put(toString(args[0]));
        return Variant();
      case 12: {
        expectCall(kind, args, 1, 1);
        int32_t n = toLong(args[0]);
        if (n < 0) raise(5);
        u16 lines;
        for (int32_t k = 0; k < n; ++k) lines += u"\r\n";
        put(lines);
        return Variant();
      }
      case 13: {
        expectCall(kind, args, 0, 1);
        u16 s = args.missing(0) ? u16() : toString(args[0]);
        put(s + u"\r\n");
        return Variant();
      }
    }
    raise(438);
  }

  u16 typeName() const override { return u"TextStream"; }

 private:
  bool writing_ = false, unicode_ = false, closed_ = false;
  int fd_ = -1;
  u16 text_;  // a reading stream holds the whole decoded file
  size_t pos_ = 0;
  std::string out_;  // encoded, not yet written
  char16_t pendingHigh_ = 0;
  int32_t line_ = 1, column_ = 1;
  bool lastCR_ = false;

  void needRead() {
    if (closed_) raise(52);
    if (writing_) raise(54);
  }
  void needWrite() {
    if (closed_) raise(52);
    if (!writing_) raise(54);
  }

  // CR, LF and CR LF each count as one line break.
  void track(u16v s) {
    for (char16_t c : s) {
      if (c == '\r' || (c == '\n' && !lastCR_)) {
        ++line_;
        column_ = 1;
      } else if (c != '\n') {
        ++column_;
      }
      lastCR_ = c == '\r';
    }
  }

  u16 take(size_t n) {
    u16 r = text_.substr(pos_, n);
    pos_ += r.size();
    track(r);
    return r;
  }

  void put(u16v s) {
    needWrite();
    track(s);
    if (unicode_) {
      for (char16_t c : s) {
        out_ += static_cast<char>(c & 0xFF);
        out_ += static_cast<char>(c >> 8);
      }
    } else {
      // A surrogate pair may arrive split over two calls.
      u16 chunk;
      if (pendingHigh_) chunk += pendingHigh_;
      chunk.append(s);
      pendingHigh_ = 0;
      if (!chunk.empty() && chunk.back() >= 0xD800 && chunk.back() < 0xDC00) {
        pendingHigh_ = chunk.back();
        chunk.pop_back();
      }
      out_ += toUtf8(chunk);
    }
    if (out_.size() >= (1u << 16)) flush(false);
  }

  // final: a high surrogate still waiting for its pair is written as U+FFFD.
  void flush(bool final) {
    if (pendingHigh_ && final) {
      out_ += toUtf8(u16v(&pendingHigh_, 1));
      pendingHigh_ = 0;
    }
    std::string data;
    data.swap(out_);
    writeAll(fd_, data.data(), data.size());
  }

  void close() {
    if (closed_) return;
    closed_ = true;
    u16().swap(text_);
    if (fd_ < 0) return;
    ScriptError failure;
    bool failed = false;
    try {
      flush(true);
    } catch (const ScriptError& e) {
      failure = e;
      failed = true;
    }
    int rc = ::close(fd_);
    fd_ = -1;
    if (failed) throw failure;
    if (rc != 0) ioError(errno);
  }
};

// Opens a text file. create: make it when missing; exclusive: fail with 58
// when it exists (CreateTextFile without overwrite).
Object* openText(const Path& p, int mode, bool create, int format, bool exclusive = false) {
  if (mode != ForReading && mode != ForWriting && mode != ForAppending) raise(5);
  if (format != 0 && format != TristateTrue && format != TristateUseDefault) raise(5);
  if (p.empty()) raise(52);
  if (mode == ForReading) {
    if (create && !exists(p)) {
      int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
      if (fd < 0) {
        if (errno == ENOENT) raise(76);
        ioError(errno);
      }
      ::close(fd);
    }
    Fd in(::open(p.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.fd < 0) {
      if (errno == ENOENT) fileMissing(p);
      ioError(errno);
    }
    struct stat st;
    if (::fstat(in.fd, &st) == 0 && S_ISDIR(st.st_mode)) raise(70);
    std::string bytes;
    char buf[1 << 16];
    for (;;) {
      ssize_t r = ::read(in.fd, buf, sizeof buf);
      if (r < 0) {
        if (errno == EINTR) continue;
        ioError(errno);
      }
      if (r == 0) break;
      bytes.append(buf, static_cast<size_t>(r));
    }
    return TextStreamObj::reader(decodeText(bytes, format));
  }
  // A read-only file refuses writing even to root, as DeleteFile refuses it.
  struct stat existing;
  if (::stat(p.c_str(), &existing) == 0 && !S_ISDIR(existing.st_mode) && readOnly(existing)) {
    if (exclusive) raise(58);
    raise(70);
  }
  int flags = O_WRONLY | O_CLOEXEC | (mode == ForWriting ? O_TRUNC : O_APPEND);
  if (create) flags |= O_CREAT;
  if (exclusive) flags |= O_EXCL;
  int fd = ::open(p.c_str(), flags, 0666);
  if (fd < 0) {
    if (errno == ENOENT) fileMissing(p);
    ioError(errno);
  }
  bool unicode = format == TristateTrue;
  bool bom = false;
  if (unicode) {
    struct stat st;
    bom = mode == ForWriting || (::fstat(fd, &st) == 0 && st.st_size == 0);
  }
  return TextStreamObj::writer(fd, unicode, bom);
}

Object* createText(const Path& p, bool overwrite, bool unicode) {
  return openText(p, ForWriting, true, unicode ? TristateTrue : 0, !overwrite);
}

// A drive: a mapped letter (C: is a folder of this system) or a mounted file system.
struct DriveInfo {
  char16_t letter = 0;
  Path root;
};

bool insideOf(std::string_view p, const Path& root) {
  return p == root || (p.starts_with(root) && (root == "/" || p[root.size()] == '/'));
}

// /proc/self/mounts escapes blanks and the like as \ooo.
Path unescapeMount(std::string_view s) {
  Path out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '3') {
      out += static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
      i += 3;
    } else {
      out += s[i];
    }
  }
  return out;
}

// The mount points of file systems that hold files; the kernel's own views
// (proc, sysfs, cgroup, devices, ...) are left out. "/" comes first.
std::vector<Path> mountPoints() {
  std::vector<Path> out{"/"};
  int fd = ::open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return out;
  std::string text;
  char buf[4096];
  for (ssize_t r; (r = ::read(fd, buf, sizeof buf)) > 0;) text.append(buf, static_cast<size_t>(r));
  ::close(fd);
  static const std::string_view kPseudo[] = {
      "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "mqueue", "debugfs", "tracefs",
      "securityfs", "pstore", "bpf", "autofs", "hugetlbfs", "fusectl", "configfs", "binfmt_misc",
      "nsfs", "efivarfs", "rpc_pipefs", "squashfs", "ramfs"};
  std::string_view rest = text;
  while (!rest.empty()) {
    size_t nl = rest.find('\n');
    std::string_view line = rest.substr(0, nl);
    rest = nl == std::string_view::npos ? std::string_view() : rest.substr(nl + 1);
    size_t a = line.find(' ');
    if (a == std::string_view::npos) continue;
    size_t b = line.find(' ', a + 1);
    if (b == std::string_view::npos) continue;
    size_t c = line.find(' ', b + 1);
    Path point = unescapeMount(line.substr(a + 1, b - a - 1));
    std::string_view type = line.substr(b + 1, c == std::string_view::npos ? c : c - b - 1);
    if (std::find(std::begin(kPseudo), std::end(kPseudo), type) != std::end(kPseudo)) continue;
    if (insideOf(point, "/proc") || insideOf(point, "/sys") || insideOf(point, "/dev")) continue;
    if (std::find(out.begin(), out.end(), point) == out.end()) out.push_back(point);
  }
  return out;
}

std::vector<DriveInfo> allDrives() {
  std::vector<DriveInfo> out;
  for (auto& [letter, root] : winpath::drives()) out.push_back({letter, root});
  for (Path& m : mountPoints()) out.push_back({0, std::move(m)});
  return out;
}

// The drive a spec names: "C", "C:", "C:\" or a mount point ("" is "/").
std::optional<DriveInfo> findDrive(u16v spec) {
  bool letterForm = (spec.size() == 1 || (spec.size() >= 2 && spec[1] == u':' &&
                                          (spec.size() == 2 || (spec.size() == 3 && winpath::isSep(spec[2]))))) &&
                    ((spec[0] >= u'A' && spec[0] <= u'Z') || (spec[0] >= u'a' && spec[0] <= u'z'));
  if (letterForm) {
    std::optional<Path> root = winpath::driveRoot(spec[0]);
    if (!root) return std::nullopt;
    return DriveInfo{static_cast<char16_t>(spec[0] & ~0x20), *root};
  }
  if (spec.empty()) return DriveInfo{0, "/"};
  if (spec[0] != u'/') return std::nullopt;
  Path p = absolute(toUtf8(spec));
  for (Path& m : mountPoints())
    if (m == p) return DriveInfo{0, std::move(m)};
  return std::nullopt;
}

[[noreturn]] void noDrive(u16v spec) {
  u16 drive = winpath::driveName(spec);
  if (drive.size() == 2 || (spec.size() == 1 && spec[0] != u'/'))
    raise(68, kRuntimeSource, u"Device unavailable: drive " + toUpperCopy(spec.substr(0, 1)) + u": is not mapped to a folder");
  raise(68, kRuntimeSource, u"Device unavailable: \"" + u16(spec) + u"\" is not a mounted file system");
}

// The drive holding an absolute path: its mapped letter, else its mount.
DriveInfo driveOf(const Path& abs) {
  if (char16_t letter = winpath::driveOfNative(abs)) return {letter, *winpath::driveRoot(letter)};
  Path best = "/";
  for (Path& m : mountPoints())
    if (insideOf(abs, m) && m.size() > best.size()) best = std::move(m);
  return {0, best};
}

bool isDriveRoot(const Path& abs) {
  char16_t letter = winpath::driveOfNative(abs);
  return letter && winpath::driveRoot(letter) == abs;
}

class DriveObj : public Object {
 public:
  explicit DriveObj(DriveInfo d) : d_(std::move(d)) {}

  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Path", 0}, {u"AvailableSpace", 1}, {u"DriveLetter", 2}, {u"DriveType", 3},
                       {u"FileSystem", 4}, {u"FreeSpace", 5}, {u"IsReady", 6}, {u"RootFolder", 7},
                       {u"SerialNumber", 8}, {u"ShareName", 9}, {u"TotalSize", 10},
                       {u"VolumeName", 11}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    if (id < 0 || id > 11) raise(438);
    if (id == 11 && isPut(kind)) raise(70);  // no volume labels to change
    expectCall(kind, args, 0, 0);
    struct statvfs vs {};
    if ((id == 1 || id == 5 || id == 8 || id == 10) && ::statvfs(d_.root.c_str(), &vs) != 0) ioError(errno, true);
    switch (id) {
      case 0: return Variant::str(d_.letter ? u16{d_.letter, u':'} : wide(d_.root));
      case 1: return Variant::dbl(static_cast<double>(vs.f_bavail) * vs.f_frsize);
      case 2: return Variant::str(d_.letter ? u16(1, d_.letter) : u16());
      case 3: return Variant::lng(2);  // fixed disk
      case 4: return Variant::str(fileSystemName());
      case 5: return Variant::dbl(static_cast<double>(vs.f_bfree) * vs.f_frsize);
      case 6: return Variant::boolean(isDir(d_.root));
      case 7:
        if (!isDir(d_.root)) raise(71);  // Disk not ready
        return folderValue(d_.root);
      case 8: return Variant::lng(static_cast<int32_t>(static_cast<uint32_t>(vs.f_fsid)));
      case 9: return Variant::str(u"");
      case 10: return Variant::dbl(static_cast<double>(vs.f_blocks) * vs.f_frsize);
      default: return Variant::str(u"");
    }
  }

  u16 typeName() const override { return u"IDrive"; }

 private:
  DriveInfo d_;

  u16 fileSystemName() const {
    struct statfs fs;
    if (::statfs(d_.root.c_str(), &fs) != 0) return u"";
    switch (static_cast<unsigned long>(fs.f_type)) {
      case 0xEF53: return u"ext4";
      case 0x9123683E: return u"btrfs";
      case 0x58465342: return u"xfs";
      case 0x01021994: return u"tmpfs";
      case 0x794C7630: return u"overlay";
      case 0x2FC12FC1: return u"zfs";
      case 0xF2F52010: return u"f2fs";
      case 0x4d44: return u"FAT";
      case 0x5346544e: return u"NTFS";
      default: return u"unknown";
    }
  }
};

// The mapped drives, then the mounted file systems, as they are now.
class DrivesObj : public Object {
 public:
  int32_t getIdOfName(u16v name) override { return findMember({{u"Item", 0}, {u"Count", 1}}, name); }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 0: {
        expectCall(kind, args, 1, 1);
        u16 key = toString(args[0]);
        std::optional<DriveInfo> d = key.empty() ? std::nullopt : findDrive(key);
        if (!d) noDrive(key);
        return Variant::object(new DriveObj(std::move(*d)));
      }
      case 1:
        expectCall(kind, args, 0, 0);
        return Variant::lng(static_cast<int32_t>(allDrives().size()));
    }
    raise(438);
  }

  u16 typeName() const override { return u"IDriveCollection"; }

  Enumerator* newEnum() override {
    std::vector<Variant> items;
    for (DriveInfo& d : allDrives()) items.push_back(Variant::object(new DriveObj(std::move(d))));
    return new objimpl::ListEnum(std::move(items));
  }
};

// What File and Folder share; both hold an absolute normal path.
class EntryObj : public Object {
 public:
  explicit EntryObj(Path abs) : path_(std::move(abs)) {}

  int32_t getIdOfName(u16v name) override {
    int32_t id = findMember({{u"Path", 0}, {u"Name", 1}, {u"ShortName", 2}, {u"ShortPath", 3},
                             {u"ParentFolder", 4}, {u"Size", 5}, {u"DateCreated", 6},
                             {u"DateLastModified", 7}, {u"DateLastAccessed", 8}, {u"Attributes", 9},
                             {u"Type", 10}, {u"Drive", 11}, {u"Copy", 12}, {u"Move", 13},
                             {u"Delete", 14}},
                            name);
    return id != DISPID_UNKNOWN ? id : ownId(name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 1:
        expectProp(kind, args);
        if (isPut(kind)) {
          rename(toString(args[0]));
          return Variant();
        }
        return Variant::str(wide(nameOf(path_)));
      case 9:
        expectProp(kind, args);
        if (isPut(kind)) {
          setAttributes(toLong(args[0]));
          return Variant();
        }
        return Variant::lng(attributes());
      case 12:
        expectCall(kind, args, 1, 2);
        copyTo(toString(args[0]), optBool(args, 1, true));
        return Variant();
      case 13: {
        expectCall(kind, args, 1, 1);
        Path dst = native(toString(args[0]));
        Path target = trimSeps(targetFor(path_, dst, intoFolder(dst, false)));
        moveEntry(path_, target, folder());
        path_ = absolute(target);
        return Variant();
      }
      case 14:
        expectCall(kind, args, 0, 1);
        if (folder()) removeTree(path_, optBool(args, 0, false));
        else deleteFile(path_, optBool(args, 0, false));
        return Variant();
    }
    if (id >= 15) return ownInvoke(id, kind, args);
    if (id < 0 || id > 11) raise(438);
    expectCall(kind, args, 0, 0);
    switch (id) {
      case 0:
      case 3:
        return Variant::str(wide(path_));
      case 2:
        return Variant::str(wide(nameOf(path_)));
      case 4: {
        Path parent = isDriveRoot(path_) ? Path() : parentOf(path_);  // a drive's root has none
        return parent.empty() ? Variant::object(nullptr) : folderValue(parent);
      }
      case 5: {
        struct stat st = info();
        return sizeValue(folder() ? treeSize(path_) : static_cast<uint64_t>(st.st_size));
      }
      case 6:
      case 7:
      case 8:
        return Variant::date(date(id));
      case 10:
        return Variant::str(folder() ? u16(u"File folder") : typeForFile(nameOf(path_)));
      default:
        return Variant::object(new DriveObj(driveOf(path_)));
    }
  }

 protected:
  Path path_;

  virtual bool folder() const = 0;
  virtual int32_t ownId(u16v name) = 0;
  virtual Variant ownInvoke(int32_t id, InvokeKind kind, Args args) = 0;

  struct stat info() const {
    struct stat st;
    if (::stat(path_.c_str(), &st) != 0) ioError(errno, folder());
    return st;
  }
  void requireExists() const { info(); }

 private:
  void copyTo(u16v dest, bool overwrite) {
    Path dst = native(dest);
    Path target = targetFor(path_, dst, intoFolder(dst, false));
    if (folder()) copyTree(path_, trimSeps(target), overwrite);
    else copyFileData(path_, target, overwrite);
  }

  void rename(u16v name) {
    if (name.empty() || name.find_first_of(u"/\\") != u16v::npos) raise(52);
    requireExists();
    Path target = join(parentOf(path_), toUtf8(name));
    if (target == path_) return;
    if (exists(target)) raise(58);
    if (::rename(path_.c_str(), target.c_str()) != 0) ioError(errno, folder());
    path_ = target;
  }

  int32_t attributes() const {
    struct stat st = info();
    int32_t a = 0;
    if (!(st.st_mode & S_IWUSR)) a |= 1;  // ReadOnly
    if (nameOf(path_).starts_with('.')) a |= 2;  // Hidden
    a |= S_ISDIR(st.st_mode) ? 16 : 32;  // Directory, or Archive as new files have
    struct stat ls;
    if (::lstat(path_.c_str(), &ls) == 0 && S_ISLNK(ls.st_mode)) a |= 1024;  // Alias
    return a;
  }

  // Only ReadOnly is writable here; the rest are derived from the file system.
  void setAttributes(int32_t a) {
    struct stat st = info();
    mode_t mode = st.st_mode & 07777;
    mode = (a & 1) ? mode & ~static_cast<mode_t>(0222) : mode | S_IWUSR;
    if (::chmod(path_.c_str(), mode) != 0) ioError(errno, folder());
  }

  double date(int32_t which) const {
    struct statx sx;
    if (::statx(AT_FDCWD, path_.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0)
      ioError(errno, folder());
    const struct statx_timestamp& ts = which == 6 && (sx.stx_mask & STATX_BTIME) ? sx.stx_btime
                                       : which == 8                              ? sx.stx_atime
                                                                                 : sx.stx_mtime;
    return oleDate(static_cast<time_t>(ts.tv_sec));
  }
};

class FileObj : public EntryObj {
 public:
  using EntryObj::EntryObj;
  u16 typeName() const override { return u"File"; }

 protected:
  bool folder() const override { return false; }
  int32_t ownId(u16v name) override { return findMember({{u"OpenAsTextStream", 15}}, name); }
  Variant ownInvoke(int32_t id, InvokeKind kind, Args args) override {
    if (id != 15) raise(438);
    expectCall(kind, args, 0, 2);
    int mode = optLong(args, 0, ForReading);
    int format = optLong(args, 1, 0);
    return Variant::object(openText(path_, mode, false, format));
  }
};

// The files or the subfolders of a folder, read afresh on every use.
class EntriesObj : public Object {
 public:
  EntriesObj(Path dir, bool folders) : dir_(std::move(dir)), folders_(folders) {}

  int32_t getIdOfName(u16v name) override {
    if (folders_ && equalsNoCase(name, u"Add")) return 2;
    return findMember({{u"Item", 0}, {u"Count", 1}}, name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 0: {
        expectCall(kind, args, 1, 1);
        Path p = winpath::toNativeIn(dir_, toString(args[0]));
        if (folders_ ? !isDir(p) : !isFile(p)) raise(folders_ ? 76 : 53);
        return folders_ ? folderValue(p) : fileValue(p);
      }
      case 1:
        expectCall(kind, args, 0, 0);
        return Variant::lng(static_cast<int32_t>(entries().size()));
      case 2: {
        if (!folders_) break;
        expectCall(kind, args, 1, 1);
        u16 name = toString(args[0]);
        if (name.empty() || name.find_first_of(u"/\\") != u16::npos) raise(52);
        Path p = join(dir_, toUtf8(name));
        if (::mkdir(p.c_str(), 0777) != 0) ioError(errno, true);
        return folderValue(p);
      }
    }
    raise(438);
  }

  u16 typeName() const override { return folders_ ? u"Folders" : u"Files"; }

  Enumerator* newEnum() override {
    std::vector<Variant> items;
    for (const Path& p : entries()) items.push_back(folders_ ? folderValue(p) : fileValue(p));
    return new objimpl::ListEnum(std::move(items));
  }

 private:
  Path dir_;
  bool folders_;

  std::vector<Path> entries() const {
    std::vector<Path> out;
    for (const Path& n : listDir(dir_)) {
      Path p = join(dir_, n);
      if (isDir(p) == folders_) out.push_back(p);
    }
    return out;
  }
};

class FolderObj : public EntryObj {
 public:
  using EntryObj::EntryObj;
  u16 typeName() const override { return u"Folder"; }

 protected:
  bool folder() const override { return true; }
  int32_t ownId(u16v name) override {
    return findMember({{u"CreateTextFile", 15}, {u"Files", 16}, {u"SubFolders", 17}, {u"IsRootFolder", 18}},
                      name);
  }
  Variant ownInvoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 15:
        expectCall(kind, args, 1, 3);
        return Variant::object(createText(winpath::toNativeIn(path_, toString(args[0])), optBool(args, 1, true),
                                          optBool(args, 2, false)));
      case 16:
      case 17:
        requireExists();
        return objimpl::objectProp(kind, args, new EntriesObj(path_, id == 17));
      case 18:
        expectCall(kind, args, 0, 0);
        return Variant::boolean(path_ == "/" || isDriveRoot(path_));
    }
    raise(438);
  }
};

Variant folderValue(const Path& p) { return Variant::object(new FolderObj(absolute(p))); }
Variant fileValue(const Path& p) { return Variant::object(new FileObj(absolute(p))); }

// GetAbsolutePathName: a drive or network path stays in Windows form; any
// other path is completed from the current directory, "/" separated.
u16 absoluteName(u16v p) {
  size_t root = winpath::rootLength(p);
  if (root < 2) {
    u16 s(p);
    std::replace(s.begin(), s.end(), u'\\', u'/');
    return wide(absolute(toUtf8(s)));
  }
  std::vector<u16v> parts;
  u16v rest = p.substr(root);
  while (!rest.empty()) {
    size_t k = 0;
    while (k < rest.size() && !winpath::isSep(rest[k])) ++k;
    u16v part = rest.substr(0, k);
    rest = k < rest.size() ? rest.substr(k + 1) : u16v();
    if (part.empty() || part == u".") continue;
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  u16 out(p.substr(0, root));
  std::replace(out.begin(), out.end(), u'/', u'\\');
  if (out.size() == 2 && out[1] == u':') out += u'\\';
  for (size_t i = 0; i < parts.size(); ++i) {
    if (out.back() != u'\\') out += u'\\';
    out += parts[i];
  }
  return out;
}

uint32_t seed() {
  try {
    return std::random_device{}();
  } catch (const std::exception&) {  // no entropy source: time and pid will do
    return static_cast<uint32_t>(::time(nullptr)) ^ static_cast<uint32_t>(::getpid());
  }
}

u16 tempName() {
  static std::mt19937 gen{seed()};
  static const char16_t digits[] = u"0123456789ABCDEF";
  u16 s = u"rad";
  for (int k = 0; k < 5; ++k) s += digits[gen() % 16];
  return s + u".tmp";
}

Path specialFolder(int32_t which) {
  switch (which) {
    case 0: return "/";
    case 1: return "/usr/bin";
    case 2: {
      const char* t = std::getenv("TMPDIR");
      return t && *t && isDir(t) ? trimSeps(Path(t)) : "/tmp";
    }
    default: raise(5);
  }
}

enum FsoMember : int32_t {
  kBuildPath = 1, kCopyFile, kCopyFolder, kCreateFolder, kCreateTextFile, kDeleteFile,
  kDeleteFolder, kDriveExists, kFileExists, kFolderExists, kGetAbsolutePathName, kGetBaseName,
  kGetDrive, kGetDriveName, kGetExtensionName, kGetFile, kGetFileName, kGetFolder,
  kGetParentFolderName, kGetSpecialFolder, kGetTempName, kMoveFile, kMoveFolder, kOpenTextFile,
  kDrives, kGetFileVersion, kGetStandardStream,
};

class FileSystemObj : public Object {
 public:
  int32_t getIdOfName(u16v name) override {
    return findMember(
        {{u"BuildPath", kBuildPath}, {u"CopyFile", kCopyFile}, {u"CopyFolder", kCopyFolder},
         {u"CreateFolder", kCreateFolder}, {u"CreateTextFile", kCreateTextFile},
         {u"DeleteFile", kDeleteFile}, {u"DeleteFolder", kDeleteFolder},
         {u"DriveExists", kDriveExists}, {u"FileExists", kFileExists},
         {u"FolderExists", kFolderExists}, {u"GetAbsolutePathName", kGetAbsolutePathName},
         {u"GetBaseName", kGetBaseName}, {u"GetDrive", kGetDrive}, {u"GetDriveName", kGetDriveName},
         {u"GetExtensionName", kGetExtensionName}, {u"GetFile", kGetFile},
         {u"GetFileName", kGetFileName}, {u"GetFolder", kGetFolder},
         {u"GetParentFolderName", kGetParentFolderName}, {u"GetSpecialFolder", kGetSpecialFolder},
         {u"GetTempName", kGetTempName}, {u"MoveFile", kMoveFile}, {u"MoveFolder", kMoveFolder},
         {u"OpenTextFile", kOpenTextFile}, {u"Drives", kDrives}, {u"GetFileVersion", kGetFileVersion},
         {u"GetStandardStream", kGetStandardStream}},
        name);
  }

  explicit FileSystemObj(Engine* engine) : engine_(engine) {}

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case kBuildPath: {
        expectCall(kind, args, 2, 2);
        u16 a = toString(args[0]), b = toString(args[1]);
        return Variant::str(winpath::buildPath(a, b));
      }
      case kCopyFile:
        expectCall(kind, args, 2, 3);
        copyFiles(toString(args[0]), toString(args[1]), optBool(args, 2, true));
        return Variant();
      case kCopyFolder:
        expectCall(kind, args, 2, 3);
        copyFolders(toString(args[0]), toString(args[1]), optBool(args, 2, true));
        return Variant();
      case kCreateFolder: {
        expectCall(kind, args, 1, 1);
        Path p = trimSeps(native(toString(args[0])));
        if (::mkdir(p.c_str(), 0777) != 0) ioError(errno, true);
        return folderValue(p);
      }
      case kCreateTextFile:
        expectCall(kind, args, 1, 3);
        return Variant::object(
            createText(native(toString(args[0])), optBool(args, 1, true), optBool(args, 2, false)));
      case kDeleteFile: {
        expectCall(kind, args, 1, 2);
        bool force = optBool(args, 1, false), wild;
        for (const Path& p : matchEntries(toString(args[0]), false, wild)) deleteFile(p, force);
        return Variant();
      }
      case kDeleteFolder: {
        expectCall(kind, args, 1, 2);
        bool force = optBool(args, 1, false), wild;
        for (const Path& p : matchEntries(toString(args[0]), true, wild)) removeTree(p, force);
        return Variant();
      }
      case kDriveExists: {
        expectCall(kind, args, 1, 1);
        u16 spec = toString(args[0]);
        // A path on a drive says whether that drive is there.
        u16 drive = winpath::driveName(spec);
        return Variant::boolean(!spec.empty() && findDrive(drive.size() == 2 ? u16v(drive) : u16v(spec)).has_value());
      }
      case kFileExists:
        expectCall(kind, args, 1, 1);
        return Variant::boolean(isFile(nativeIfReachable(toString(args[0]))));
      case kFolderExists:
        expectCall(kind, args, 1, 1);
        return Variant::boolean(isDir(nativeIfReachable(toString(args[0]))));
      case kGetAbsolutePathName:
        expectCall(kind, args, 1, 1);
        return Variant::str(absoluteName(toString(args[0])));
      case kGetBaseName:
      case kGetExtensionName: {
        expectCall(kind, args, 1, 1);
        u16 path = toString(args[0]);
        return Variant::str(id == kGetBaseName ? winpath::baseName(path) : winpath::extensionName(path));
      }
      case kGetDrive: {
        expectCall(kind, args, 1, 1);
        u16 what = toString(args[0]);
        // "" too, so that GetDrive(GetDriveName(path)) works for native paths.
        std::optional<DriveInfo> d = findDrive(what);
        if (!d) noDrive(what);
        return Variant::object(new DriveObj(std::move(*d)));
      }
      case kGetDriveName:
        expectCall(kind, args, 1, 1);
        return Variant::str(winpath::driveName(toString(args[0])));
      case kGetFile: {
        expectCall(kind, args, 1, 1);
        Path p = native(toString(args[0]));
        if (!isFile(p)) raise(53);
        return fileValue(p);
      }
      case kGetFileName: {
        expectCall(kind, args, 1, 1);
        return Variant::str(winpath::fileName(toString(args[0])));
      }
      case kGetFolder: {
        expectCall(kind, args, 1, 1);
        Path p = native(toString(args[0]));
        if (!isDir(p)) raise(76);
        return folderValue(p);
      }
      case kGetParentFolderName: {
        expectCall(kind, args, 1, 1);
        return Variant::str(winpath::parentFolderName(toString(args[0])));
      }
      case kGetSpecialFolder:
        expectCall(kind, args, 1, 1);
        return folderValue(specialFolder(toLong(args[0])));
      case kGetTempName:
        expectCall(kind, args, 0, 0);
        return Variant::str(tempName());
      case kMoveFile:
        expectCall(kind, args, 2, 2);
        moveFiles(toString(args[0]), toString(args[1]));
        return Variant();
      case kMoveFolder:
        expectCall(kind, args, 2, 2);
        moveFolders(toString(args[0]), toString(args[1]));
        return Variant();
      case kOpenTextFile:
        expectCall(kind, args, 1, 4);
        return Variant::object(openText(native(toString(args[0])), optLong(args, 1, ForReading),
                                        optBool(args, 2, false), optLong(args, 3, 0)));
      case kDrives:
        return objimpl::objectProp(kind, args, new DrivesObj);
      case kGetFileVersion: {
        expectCall(kind, args, 1, 1);
        if (!isFile(native(toString(args[0])))) raise(53);
        return Variant::str(u"");  // no version resources on this platform
      }
      case kGetStandardStream:
        expectCall(kind, args, 1, 2);
        return standardStream(toLong(args[0]));
    }
    raise(438);
  }

  u16 typeName() const override { return u"FileSystemObject"; }
  bool safeForScripting() const override { return false; }

 private:
  // The process's streams are the ones the host hands out as WScript.StdIn,
  // StdOut and StdErr; without such a host there is no console to give.
  Variant standardStream(int32_t which) {
    static constexpr const char16_t* kNames[] = {u"StdIn", u"StdOut", u"StdErr"};
    constexpr int32_t kBadFileName = 52;
    if (which < 0 || which > 2) raise(5);
    int32_t g = engine_ ? engine_->findGlobal(u"WScript") : -1;
    if (g < 0) raise(kBadFileName);
    Variant host = engine_->global(g).value;
    if (host.vt != vtObject || !host.o) raise(kBadFileName);
    int32_t id = host.o->getIdOfName(kNames[which]);
    if (id == DISPID_UNKNOWN) raise(kBadFileName);
    return host.o->invoke(id, InvokeKind::Get, Args());
  }

  Engine* engine_;
};

}  // namespace

Object* newFileSystemObject(Engine* engine) { return new FileSystemObj(engine); }

}  // namespace pw
