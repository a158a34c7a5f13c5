// Windows path forms for the built-in objects; see winpath.h.
#include "winpath.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <mutex>

#include "ops.h"
#include "script_control.h"

namespace pw::winpath {

namespace {

std::mutex mapLock;
std::map<char16_t, std::string>& driveMap() {
  static std::map<char16_t, std::string> m;
  return m;
}

bool isLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }
bool hasDrive(u16v p) { return p.size() >= 2 && isLetter(p[0]) && p[1] == u':'; }
bool isUnc(u16v p) { return p.size() >= 2 && isSep(p[0]) && isSep(p[1]); }

std::string currentDir() {
  std::string buf(256, '\0');
  while (!::getcwd(buf.data(), buf.size())) {
    if (errno != ERANGE) return "/";
    buf.resize(buf.size() * 2);
  }
  buf.resize(std::char_traits<char>::length(buf.c_str()));
  return buf;
}

std::string normalAbsolute(std::string_view p) {
  return normalJoin(!p.empty() && p[0] == '/' ? std::string() : currentDir(), p);
}

std::string joinNative(const std::string& dir, std::string_view name) {
  if (dir.empty()) return std::string(name);
  return dir.back() == '/' ? dir + std::string(name) : dir + "/" + std::string(name);
}

bool present(const std::string& p) {
  struct stat st;
  return ::lstat(p.c_str(), &st) == 0;
}

// Entries of dir whose names equal name ignoring case, sorted.
std::vector<std::string> caseMatches(const std::string& dir, std::string_view name) {
  std::vector<std::string> out;
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return out;
  u16 want = toLowerCopy(fromUtf8(name));
  while (dirent* e = ::readdir(d)) {
    std::string_view n = e->d_name;
    if (n == "." || n == "..") continue;
    if (toLowerCopy(fromUtf8(n)) == want) out.emplace_back(n);
  }
  ::closedir(d);
  std::sort(out.begin(), out.end());
  return out;
}

[[noreturn]] void ambiguous(const std::string& dir, const std::vector<std::string>& names) {
  u16 text = u"Path/File access error: \"" + fromUtf8(joinNative(dir, names[0])) + u"\" and \"" +
             fromUtf8(joinNative(dir, names[1])) + u"\" differ only in case; name one exactly";
  raise(75, kRuntimeSource, text);
}

// Walks a native path that does not exist as written, taking the unique
// case-insensitive match of each component while there is one.
std::string fixCase(const std::string& p) {
  if (p.empty() || present(p)) return p;
  bool trailing = p.size() > 1 && p.back() == '/';
  std::vector<std::string_view> parts;
  std::string_view rest = p;
  while (!rest.empty()) {
    size_t k = rest.find('/');
    std::string_view part = rest.substr(0, k);
    rest = k == std::string_view::npos ? std::string_view() : rest.substr(k + 1);
    if (!part.empty()) parts.push_back(part);
  }
  std::string done = p[0] == '/' ? "/" : "";
  size_t i = 0;
  for (; i < parts.size(); ++i) {
    std::string_view part = parts[i];
    std::string exact = joinNative(done, part);
    if (part == "." || part == ".." || present(exact)) {
      done = std::move(exact);
      continue;
    }
    std::vector<std::string> found = caseMatches(done, part);
    if (found.size() > 1) ambiguous(done.empty() ? "." : done, found);
    if (found.empty()) break;
    done = joinNative(done, found[0]);
  }
  for (; i < parts.size(); ++i) done = joinNative(done, parts[i]);
  if (trailing && !done.empty() && done.back() != '/') done += '/';
  return done;
}

[[noreturn]] void unmapped(char16_t letter) {
  u16 text = u"Path not found: drive ";
  text += upper(letter);
  text += u": is not mapped to a folder";
  raise(76, kRuntimeSource, text);
}

}  // namespace

void mapDrive(char16_t letter, std::string_view folder) {
  if (!isLetter(letter)) return;
  std::lock_guard<std::mutex> g(mapLock);
  if (folder.empty()) driveMap().erase(upper(letter));
  else driveMap()[upper(letter)] = normalAbsolute(folder);
}

void clearDrives() {
  std::lock_guard<std::mutex> g(mapLock);
  driveMap().clear();
}

std::vector<std::pair<char16_t, std::string>> drives() {
  std::lock_guard<std::mutex> g(mapLock);
  return {driveMap().begin(), driveMap().end()};
}

std::optional<std::string> driveRoot(char16_t letter) {
  std::lock_guard<std::mutex> g(mapLock);
  auto it = driveMap().find(upper(letter));
  if (it == driveMap().end()) return std::nullopt;
  return it->second;
}

bool parseDriveSpec(std::string_view spec, char16_t& letter, std::string& folder, std::string& error) {
  while (!spec.empty() && (spec.front() == ' ' || spec.front() == '\t')) spec.remove_prefix(1);
  while (!spec.empty() && (spec.back() == ' ' || spec.back() == '\t' || spec.back() == '\r')) spec.remove_suffix(1);
  size_t eq = spec.find('=');
  std::string_view name = eq == std::string_view::npos ? spec : spec.substr(0, eq);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  if (name.size() == 2 && name[1] == ':') name.remove_suffix(1);
  if (eq == std::string_view::npos || name.size() != 1 || !isLetter(static_cast<char16_t>(name[0]))) {
    error = "expected LETTER=FOLDER, as C=/srv/c: \"" + std::string(spec) + "\"";
    return false;
  }
  std::string_view value = spec.substr(eq + 1);
  while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
  if (value.empty()) {
    error = "no folder for drive " + std::string(1, name[0]) + ":";
    return false;
  }
  letter = upper(static_cast<char16_t>(name[0]));
  folder = std::string(value);
  const char* home = std::getenv("HOME");
  if ((folder == "~" || folder.starts_with("~/")) && home && *home) folder = home + folder.substr(1);
  return true;
}

size_t rootLength(u16v p) {
  if (hasDrive(p)) return p.size() >= 3 && isSep(p[2]) ? 3 : 2;
  if (isUnc(p)) {
    size_t i = 2;
    while (i < p.size() && !isSep(p[i])) ++i;  // server
    if (i < p.size()) ++i;
    while (i < p.size() && !isSep(p[i])) ++i;  // share
    return i;
  }
  return !p.empty() && isSep(p[0]) ? 1 : 0;
}

u16 driveName(u16v p) {
  if (hasDrive(p)) return u16(p.substr(0, 2));
  if (isUnc(p)) return u16(p.substr(0, rootLength(p)));
  return u16();
}

namespace {
// The part after the root with trailing separators removed.
u16v body(u16v p, size_t root) {
  u16v b = p.substr(root);
  while (!b.empty() && isSep(b.back())) b.remove_suffix(1);
  return b;
}
size_t lastSep(u16v s) {
  for (size_t i = s.size(); i-- > 0;)
    if (isSep(s[i])) return i;
  return u16v::npos;
}
}  // namespace

u16 fileName(u16v p) {
  u16v b = body(p, rootLength(p));
  size_t k = lastSep(b);
  return u16(k == u16v::npos ? b : b.substr(k + 1));
}

u16 parentFolderName(u16v p) {
  size_t root = rootLength(p);
  u16v b = body(p, root);
  if (b.empty()) return u16();
  size_t k = lastSep(b);
  if (k == u16v::npos) return u16(p.substr(0, root));
  size_t end = root + k;
  while (end > root && isSep(p[end - 1])) --end;
  return u16(p.substr(0, end));
}

u16 baseName(u16v p) {
  u16 name = fileName(p);
  size_t dot = name.rfind(u'.');
  return dot == u16::npos ? name : name.substr(0, dot);
}

u16 extensionName(u16v p) {
  u16 name = fileName(p);
  size_t dot = name.rfind(u'.');
  return dot == u16::npos ? u16() : name.substr(dot + 1);
}

u16 buildPath(u16v folder, u16v name) {
  if (folder.empty()) return u16(name);
  char16_t sep = u'/';
  if (folder.find(u'\\') != u16v::npos || hasDrive(folder)) sep = u'\\';
  else if (folder.find(u'/') == u16v::npos && name.find(u'\\') != u16v::npos) sep = u'\\';
  while (!name.empty() && isSep(name.front())) name.remove_prefix(1);
  // "C:" names the drive's current folder, so "C:" & "x" is drive-relative.
  if (isSep(folder.back()) || (folder.size() == 2 && hasDrive(folder))) return u16(folder) + u16(name);
  return u16(folder) + sep + u16(name);
}

std::string toNative(u16v path) {
  if (path.empty()) return {};
  if (isUnc(path) && (path[0] == u'\\' || path[1] == u'\\')) {
    u16 text = u"Path not found: the network path " + driveName(path) + u" cannot be reached from here";
    raise(76, kRuntimeSource, text);
  }
  u16 s(path);
  std::replace(s.begin(), s.end(), u'\\', u'/');
  if (!hasDrive(s)) return fixCase(toUtf8(s));
  std::optional<std::string> root = driveRoot(s[0]);
  if (!root) unmapped(s[0]);
  u16v rest = u16v(s).substr(2);
  std::string base = *root;
  if (rest.empty() || rest[0] != u'/') {
    // "C:name" is relative to the drive's current folder: ours when we are on it.
    std::string cwd = currentDir();
    if (cwd == base || (cwd.starts_with(base) && (base == "/" || cwd[base.size()] == '/'))) base = cwd;
  }
  bool trailing = !rest.empty() && rest.back() == u'/';
  while (!rest.empty() && rest.front() == u'/') rest.remove_prefix(1);
  std::string out = rest.empty() ? base : joinNative(base, toUtf8(rest));
  if (trailing && out.back() != '/') out += '/';
  return fixCase(out);
}

std::string toNativeIn(const std::string& folder, u16v name) {
  if (name.empty()) return folder;
  u16 s(name);
  std::replace(s.begin(), s.end(), u'\\', u'/');
  return fixCase(joinNative(folder, toUtf8(s)));
}

char16_t driveOfNative(std::string_view abs) {
  std::lock_guard<std::mutex> g(mapLock);
  char16_t best = 0;
  size_t bestLen = 0;
  for (const auto& [letter, root] : driveMap()) {
    bool inside = abs == root || (abs.starts_with(root) && (root == "/" || abs[root.size()] == '/'));
    if (inside && (best == 0 || root.size() > bestLen)) {
      best = letter;
      bestLen = root.size();
    }
  }
  return best;
}

std::string normalJoin(std::string_view base, std::string_view p) {
  std::string full = !p.empty() && p[0] == '/' ? std::string(p) : std::string(base) + "/" + std::string(p);
  std::vector<std::string_view> parts;
  std::string_view rest = full;
  while (!rest.empty()) {
    size_t k = rest.find('/');
    std::string_view part = rest.substr(0, k);
    rest = k == std::string_view::npos ? std::string_view() : rest.substr(k + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out;
  for (std::string_view part : parts) (out += '/') += part;
  return out.empty() ? "/" : out;
}

}  // namespace pw::winpath

namespace pw {

bool ScriptControl::MapDrive(std::string_view spec, std::string& error) {
  char16_t letter = 0;
  std::string folder;
  if (!winpath::parseDriveSpec(spec, letter, folder, error)) return false;
  winpath::mapDrive(letter, folder);
  return true;
}

void ScriptControl::ClearDrives() { winpath::clearDrives(); }

std::vector<std::string> ScriptControl::LoadDriveMap(std::string_view text, std::string_view base) {
  std::vector<std::string> errors;
  int number = 0;
  while (!text.empty()) {
    size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    ++number;
    size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos || line[first] == '#' || line[first] == ';') continue;
    char16_t letter = 0;
    std::string folder, error;
    if (!winpath::parseDriveSpec(line, letter, folder, error)) {
      errors.push_back("line " + std::to_string(number) + ": " + error);
      continue;
    }
    if (folder[0] != '/' && !base.empty()) folder = std::string(base) + "/" + folder;
    winpath::mapDrive(letter, folder);
  }
  return errors;
}

}  // namespace pw
