// WScript.Shell and its Exec, Environment and SpecialFolders objects, on
// POSIX processes: commands run through /bin/sh, the environment is the
// process environment, special folders are the XDG user folders.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <syslog.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <string>

#include "engine.h"
#include "objects.h"
#include "winpath.h"

extern char** environ;

namespace pw {
namespace {

using objimpl::expectCall;
using objimpl::expectProp;
using objimpl::findMember;
using objimpl::isPut;
using objimpl::optBool;
using objimpl::optLong;

// Windows has no signals; a killed child reports 128 + signal like a shell.
int exitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 0;
}

std::string envValue(const std::string& name) {
  if (const char* v = std::getenv(name.c_str())) return v;
  // Windows names are case-insensitive: fall back to a case-blind match.
  for (char** e = environ; e && *e; ++e) {
    const char* eq = std::strchr(*e, '=');
    if (!eq || size_t(eq - *e) != name.size()) continue;
    if (strncasecmp(*e, name.c_str(), name.size()) == 0) return eq + 1;
  }
  return {};
}

bool envDefined(const std::string& name) {
  if (std::getenv(name.c_str())) return true;
  for (char** e = environ; e && *e; ++e) {
    const char* eq = std::strchr(*e, '=');
    if (eq && size_t(eq - *e) == name.size() && strncasecmp(*e, name.c_str(), name.size()) == 0) return true;
  }
  return false;
}

// %NAME% is replaced when NAME is defined; anything else is kept as written.
u16 expandEnv(u16v s) {
  u16 out;
  size_t i = 0;
  while (i < s.size()) {
    size_t open = s.find(u'%', i);
    if (open == u16v::npos) break;
    size_t close = s.find(u'%', open + 1);
    if (close == u16v::npos) break;
    out.append(s.substr(i, open - i));
    std::string name = toUtf8(s.substr(open + 1, close - open - 1));
    if (!name.empty() && envDefined(name)) {
      out += fromUtf8(envValue(name));
      i = close + 1;
    } else {
      // The closing '%' may open the next reference.
      out.append(s.substr(open, close - open));
      i = close;
    }
  }
  out.append(s.substr(i));
  return out;
}

// Blocks SIGPIPE while writing to a child that may have gone, so that the
// write fails with EPIPE instead of ending the whole program.
bool writeNoSigpipe(int fd, const char* p, size_t n) {
  sigset_t pipeSet, old;
  sigemptyset(&pipeSet);
  sigaddset(&pipeSet, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeSet, &old);
  bool ok = true;
  while (n > 0) {
    ssize_t w = ::write(fd, p, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    p += w;
    n -= size_t(w);
  }
  if (!ok && errno == EPIPE) {
    timespec zero{0, 0};
    sigtimedwait(&pipeSet, nullptr, &zero);  // drop the SIGPIPE we caused
  }
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
  return ok;
}

struct Spawned {
  pid_t pid = -1;
  int in = -1, out = -1, err = -1;
};

// Children whose Exec object went away while they still ran; they are
// reaped at the next start of a process so that no zombies pile up.
std::mutex orphansLock;
std::vector<pid_t> orphans;

void adoptOrphan(pid_t pid) {
  std::lock_guard<std::mutex> g(orphansLock);
  orphans.push_back(pid);
}

void reapOrphans() {
  std::lock_guard<std::mutex> g(orphansLock);
  std::erase_if(orphans, [](pid_t p) {
    int st;
    pid_t r = ::waitpid(p, &st, WNOHANG);
    return r == p || (r < 0 && errno == ECHILD);
  });
}

// Starts argv[0] with the given arguments; pipes: connect stdin, stdout and
// stderr to new pipes (else they are the program's own).
Spawned spawn(const std::vector<std::string>& args, bool pipes) {
  reapOrphans();
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  int pin[2] = {-1, -1}, pout[2] = {-1, -1}, perr[2] = {-1, -1};
  auto closeAll = [&] {
    for (int fd : {pin[0], pin[1], pout[0], pout[1], perr[0], perr[1]})
      if (fd >= 0) ::close(fd);
  };
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  if (pipes) {
    if (pipe2(pin, O_CLOEXEC) || pipe2(pout, O_CLOEXEC) || pipe2(perr, O_CLOEXEC)) {
      closeAll();
      posix_spawn_file_actions_destroy(&fa);
      raise(67);
    }
    posix_spawn_file_actions_adddup2(&fa, pin[0], 0);
    posix_spawn_file_actions_adddup2(&fa, pout[1], 1);
    posix_spawn_file_actions_adddup2(&fa, perr[1], 2);
  }
  Spawned s;
  int rc = posix_spawn(&s.pid, argv[0], &fa, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&fa);
  if (rc != 0) {
    closeAll();
    raise(static_cast<int32_t>(0x80070002u), u"WshShell.Exec", u"The system cannot find the file specified.");
  }
  if (pipes) {
    ::close(pin[0]);
    ::close(pout[1]);
    ::close(perr[1]);
    s.in = pin[1];
    s.out = pout[0];
    s.err = perr[0];
  }
  return s;
}

// A running Exec: the child's output is read from both pipes together, so
// that a child blocked on a full stderr pipe cannot stall a StdOut read.
struct ExecState {
  Spawned proc;
  bool done = false;
  int exitCode = 0;
  std::string raw[2];  // bytes of an unfinished UTF-8 sequence
  u16 text[2];         // decoded output not yet read
  size_t pos[2] = {0, 0};
  bool eof[2] = {false, false};

  ~ExecState() {
    for (int fd : {proc.in, proc.out, proc.err})
      if (fd >= 0) ::close(fd);
    reap(false);
    if (!done && proc.pid > 0) adoptOrphan(proc.pid);
  }

  int fd(int k) const { return k == 0 ? proc.out : proc.err; }

  void reap(bool block) {
    if (done || proc.pid < 0) return;
    int st = 0;
    pid_t r;
    do r = ::waitpid(proc.pid, &st, block ? 0 : WNOHANG);
    while (r < 0 && errno == EINTR);
    if (r == proc.pid) {
      done = true;
      exitCode = exitCodeOf(st);
    } else if (r < 0) {
      done = true;  // not ours to wait for any more
    }
  }

  // Moves complete UTF-8 sequences of raw[k] into text[k]; at the end all.
  void decode(int k, bool all) {
    std::string& r = raw[k];
    size_t cut = r.size();
    if (!all) {
      // Keep back a lead byte whose sequence has not fully arrived.
      for (size_t back = 1; back <= 3 && back <= r.size(); ++back) {
        unsigned char c = static_cast<unsigned char>(r[r.size() - back]);
        if ((c & 0xC0) == 0x80) continue;
        size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (need > back) cut = r.size() - back;
        break;
      }
    }
    if (pos[k] > 65536 && pos[k] * 2 > text[k].size()) {
      text[k].erase(0, pos[k]);
      pos[k] = 0;
    }
    text[k] += fromUtf8(std::string_view(r).substr(0, cut));
    r.erase(0, cut);
  }

  // Reads what the pipes hold. With block, waits until stream `want` has
  // new text or has ended.
  void pump(int want, bool block) {
    for (;;) {
      pollfd fds[2];
      int map[2];
      int n = 0;
      for (int k = 0; k < 2; ++k)
        if (!eof[k]) {
          fds[n] = {fd(k), POLLIN, 0};
          map[n++] = k;
        }
      if (n == 0) return;
      bool waitFor = block && want >= 0 && !eof[want];
      int rc = ::poll(fds, nfds_t(n), waitFor ? -1 : 0);
      if (rc < 0) {
        if (errno == EINTR) continue;
        raise(57);
      }
      if (rc == 0) return;
      bool gotWanted = false;
      for (int i = 0; i < n; ++i) {
        if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        int k = map[i];
        char buf[65536];
        ssize_t r = ::read(fd(k), buf, sizeof buf);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
          eof[k] = true;
          decode(k, true);
        } else {
          raw[k].append(buf, size_t(r));
          decode(k, false);
        }
        if (k == want) gotWanted = true;
      }
      if (!block || gotWanted) return;
    }
  }

  size_t available(int k) const { return text[k].size() - pos[k]; }
};

// StdOut or StdErr of an Exec, read like a TextStream.
class ExecReader : public Object {
 public:
  ExecReader(std::shared_ptr<ExecState> st, int which) : st_(std::move(st)), k_(which) {}

  int32_t getIdOfName(u16v name) override {
    return findMember({{u"AtEndOfLine", 1}, {u"AtEndOfStream", 2}, {u"Column", 3}, {u"Line", 4},
                       {u"Close", 5}, {u"Read", 6}, {u"ReadAll", 7}, {u"ReadLine", 8},
                       {u"Skip", 9}, {u"SkipLine", 10}, {u"Write", 11}, {u"WriteBlankLines", 12},
                       {u"WriteLine", 13}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    ExecState& s = *st_;
    switch (id) {
      case 1:
      case 2:
        expectCall(kind, args, 0, 0);
        need(1);
        if (s.available(k_) == 0) return Variant::boolean(true);
        return Variant::boolean(id == 2 ? false : isBreak(s.text[k_][s.pos[k_]]));
      case 3:
        expectCall(kind, args, 0, 0);
        return Variant::lng(column_);
      case 4:
        expectCall(kind, args, 0, 0);
        return Variant::lng(line_);
      case 5:
        expectCall(kind, args, 0, 0);
        return Variant();
      case 6:
      case 9: {
        expectCall(kind, args, 1, 1);
        int32_t n = toLong(args[0]);
        if (n < 0) raise(5);
        need(size_t(n));
        if (n > 0 && s.available(k_) == 0) raise(62);
        u16 part = take(std::min(size_t(n), s.available(k_)));
        return id == 6 ? Variant::str(part) : Variant();
      }
      case 7:
        expectCall(kind, args, 0, 0);
        while (!s.eof[k_]) s.pump(k_, true);
        return Variant::str(take(s.available(k_)));
      case 8:
      case 10: {
        expectCall(kind, args, 0, 0);
        size_t eol;
        for (;;) {
          eol = s.text[k_].find_first_of(u"\r\n", s.pos[k_]);
          // A CR at the very end may be the first half of CR LF.
          bool crAtEnd = eol != u16::npos && s.text[k_][eol] == '\r' && eol + 1 == s.text[k_].size();
          if ((eol != u16::npos && !crAtEnd) || s.eof[k_]) break;
          s.pump(k_, true);
        }
        if (s.available(k_) == 0) raise(62);
        if (eol == u16::npos) eol = s.text[k_].size();
        u16 line = s.text[k_].substr(s.pos[k_], eol - s.pos[k_]);
        size_t after = eol;
        if (after < s.text[k_].size())
          after += s.text[k_][after] == '\r' && after + 1 < s.text[k_].size() && s.text[k_][after + 1] == '\n' ? 2 : 1;
        take(after - s.pos[k_]);
        return id == 8 ? Variant::str(line) : Variant();
      }
      case 11:
      case 12:
      case 13:
        raise(54);  // output of the child cannot be written
    }
    raise(438);
  }

  u16 typeName() const override { return u"TextStream"; }

 private:
  std::shared_ptr<ExecState> st_;
  int k_;
  int32_t line_ = 1, column_ = 1;
  bool lastCR_ = false;

  static bool isBreak(char16_t c) { return c == '\r' || c == '\n'; }

  void need(size_t n) {
    while (st_->available(k_) < n && !st_->eof[k_]) st_->pump(k_, true);
  }

  u16 take(size_t n) {
    ExecState& s = *st_;
    u16 r = s.text[k_].substr(s.pos[k_], n);
    s.pos[k_] += r.size();
    for (char16_t c : r) {
      if (c == '\r' || (c == '\n' && !lastCR_)) {
        ++line_;
        column_ = 1;
      } else if (c != '\n') {
        ++column_;
      }
      lastCR_ = c == '\r';
    }
    return r;
  }
};

// StdIn of an Exec: text written to the child, UTF-8 encoded.
class ExecWriter : public Object {
 public:
  explicit ExecWriter(std::shared_ptr<ExecState> st) : st_(std::move(st)) {}

  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Close", 5}, {u"Write", 11}, {u"WriteBlankLines", 12}, {u"WriteLine", 13},
                       {u"Column", 3}, {u"Line", 4}, {u"AtEndOfStream", 2}, {u"AtEndOfLine", 1},
                       {u"Read", 6}, {u"ReadAll", 7}, {u"ReadLine", 8}, {u"Skip", 9}, {u"SkipLine", 10}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 3:
      case 4:
        expectCall(kind, args, 0, 0);
        return Variant::lng(id == 3 ? column_ : line_);
      case 5:
        expectCall(kind, args, 0, 0);
        if (st_->proc.in >= 0) ::close(st_->proc.in);
        st_->proc.in = -1;
        return Variant();
      case 11:
        expectCall(kind, args, 1, 1);
        put(toString(args[0]));
        return Variant();
      case 12: {
        expectCall(kind, args, 1, 1);
        int32_t n = toLong(args[0]);
        if (n < 0) raise(5);
        u16 lines;
        for (int32_t i = 0; i < n; ++i) lines += u"\r\n";
        put(lines);
        return Variant();
      }
      case 13:
        expectCall(kind, args, 0, 1);
        put((args.missing(0) ? u16() : toString(args[0])) + u"\r\n");
        return Variant();
      case 1:
      case 2:
      case 6:
      case 7:
      case 8:
      case 9:
      case 10:
        raise(54);  // the child's input cannot be read
    }
    raise(438);
  }

  u16 typeName() const override { return u"TextStream"; }

 private:
  std::shared_ptr<ExecState> st_;
  int32_t line_ = 1, column_ = 1;

  void put(u16v s) {
    if (st_->proc.in < 0) raise(52);
    for (char16_t c : s) {
      if (c == '\n') {
        ++line_;
        column_ = 1;
      } else if (c != '\r') {
        ++column_;
      }
    }
    std::string bytes = toUtf8(s);
    if (!writeNoSigpipe(st_->proc.in, bytes.data(), bytes.size())) raise(57);
  }
};

class ExecObj : public Object {
 public:
  explicit ExecObj(Spawned p) : st_(std::make_shared<ExecState>()) {
    st_->proc = p;
    out_ = Ref<Object>(new ExecReader(st_, 0));
    err_ = Ref<Object>(new ExecReader(st_, 1));
    in_ = Ref<Object>(new ExecWriter(st_));
  }

  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Status", 1}, {u"StdIn", 2}, {u"StdOut", 3}, {u"StdErr", 4}, {u"ProcessID", 5},
                       {u"ExitCode", 6}, {u"Terminate", 7}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 1:
        expectCall(kind, args, 0, 0);
        st_->pump(-1, false);  // drain the pipes so a chatty child can finish
        st_->reap(false);
        return Variant::lng(st_->done ? 1 : 0);
      case 2:
        expectCall(kind, args, 0, 0);
        return Variant::object(in_.get());
      case 3:
        expectCall(kind, args, 0, 0);
        return Variant::object(out_.get());
      case 4:
        expectCall(kind, args, 0, 0);
        return Variant::object(err_.get());
      case 5:
        expectCall(kind, args, 0, 0);
        return Variant::lng(st_->proc.pid);
      case 6:
        expectCall(kind, args, 0, 0);
        st_->reap(false);
        return Variant::lng(st_->exitCode);
      case 7:
        expectCall(kind, args, 0, 0);
        st_->reap(false);
        if (!st_->done) ::kill(st_->proc.pid, SIGTERM);
        return Variant();
    }
    raise(438);
  }

  u16 typeName() const override { return u"WshExec"; }

 private:
  std::shared_ptr<ExecState> st_;
  Ref<Object> out_, err_, in_;
};

// Environment("Process"), ("System"), ("User"), ("Volatile"): all of them are
// the process environment here.
class EnvironmentObj : public Object {
 public:
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Item", 0}, {u"Count", 1}, {u"length", 2}, {u"Remove", 3}}, name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 0: {
        if (isPut(kind)) {
          if (args.size() != 2) raise(450);
          std::string name = toUtf8(toString(args[0]));
          if (name.empty() || name.find('=') != std::string::npos) raise(5);
          ::setenv(name.c_str(), toUtf8(toString(args[1])).c_str(), 1);
          return Variant();
        }
        if (args.size() != 1) raise(450);
        return Variant::str(fromUtf8(envValue(toUtf8(toString(args[0])))));
      }
      case 1:
      case 2: {
        expectCall(kind, args, 0, 0);
        int32_t n = 0;
        for (char** e = environ; e && *e; ++e) ++n;
        return Variant::lng(n);
      }
      case 3:
        expectCall(kind, args, 1, 1);
        ::unsetenv(toUtf8(toString(args[0])).c_str());
        return Variant();
    }
    raise(438);
  }

  u16 typeName() const override { return u"IWshEnvironment"; }

  Enumerator* newEnum() override {
    std::vector<Variant> items;
    for (char** e = environ; e && *e; ++e) items.push_back(Variant::str(fromUtf8(*e)));
    return new objimpl::ListEnum(std::move(items));
  }
};

std::string homeDir() {
  std::string h = envValue("HOME");
  return h.empty() ? std::string("/") : h;
}

// A folder from ~/.config/user-dirs.dirs (XDG_DESKTOP_DIR="$HOME/Desktop"),
// else $HOME/fallback.
std::string xdgUserDir(const char* key, const char* fallback) {
  std::string home = homeDir();
  std::string config = envValue("XDG_CONFIG_HOME");
  if (config.empty()) config = home + "/.config";
  std::ifstream in(config + "/user-dirs.dirs");
  std::string line, prefix = std::string(key) + "=\"";
  while (std::getline(in, line)) {
    if (line.compare(0, prefix.size(), prefix) != 0) continue;
    std::string v = line.substr(prefix.size());
    if (!v.empty() && v.back() == '"') v.pop_back();
    if (v.compare(0, 5, "$HOME") == 0) v = home + v.substr(5);
    return v;
  }
  return home + "/" + fallback;
}

std::string dataHome() {
  std::string d = envValue("XDG_DATA_HOME");
  return d.empty() ? homeDir() + "/.local/share" : d;
}

struct SpecialFolder {
  const char16_t* name;
  std::string (*path)();
};

const SpecialFolder kSpecialFolders[] = {
    {u"AllUsersDesktop", [] { return std::string(); }},
    {u"AllUsersStartMenu", [] { return std::string("/usr/share/applications"); }},
    {u"AllUsersPrograms", [] { return std::string("/usr/share/applications"); }},
    {u"AllUsersStartup", [] { return std::string("/etc/xdg/autostart"); }},
    {u"Desktop", [] { return xdgUserDir("XDG_DESKTOP_DIR", "Desktop"); }},
    {u"Favorites", [] { return std::string(); }},
    {u"Fonts", [] { return dataHome() + "/fonts"; }},
    {u"MyDocuments", [] { return xdgUserDir("XDG_DOCUMENTS_DIR", "Documents"); }},
    {u"NetHood", [] { return std::string(); }},
    {u"PrintHood", [] { return std::string(); }},
    {u"Programs", [] { return dataHome() + "/applications"; }},
    {u"Recent", [] { return dataHome() + "/recently-used.xbel"; }},
    {u"SendTo", [] { return std::string(); }},
    {u"StartMenu", [] { return dataHome() + "/applications"; }},
    {u"Startup", [] {
       std::string c = envValue("XDG_CONFIG_HOME");
       return (c.empty() ? homeDir() + "/.config" : c) + "/autostart";
     }},
    {u"Templates", [] { return xdgUserDir("XDG_TEMPLATES_DIR", "Templates"); }},
};

// SpecialFolders: Item(name) is the folder, "" for a name without one.
class SpecialFoldersObj : public Object {
 public:
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Item", 0}, {u"Count", 1}, {u"length", 2}}, name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 0: {
        expectCall(kind, args, 1, 1);
        if (!args[0].isString()) {
          int32_t i = toLong(args[0]);
          if (i < 0 || size_t(i) >= std::size(kSpecialFolders)) raise(9);
          return Variant::str(fromUtf8(kSpecialFolders[i].path()));
        }
        for (const SpecialFolder& f : kSpecialFolders)
          if (equalsNoCase(f.name, args[0].strView())) return Variant::str(fromUtf8(f.path()));
        return Variant::str(u"");
      }
      case 1:
      case 2:
        expectCall(kind, args, 0, 0);
        return Variant::lng(int32_t(std::size(kSpecialFolders)));
    }
    raise(438);
  }

  u16 typeName() const override { return u"IWshCollection"; }

  Enumerator* newEnum() override {
    std::vector<Variant> items;
    for (const SpecialFolder& f : kSpecialFolders) items.push_back(Variant::str(fromUtf8(f.path())));
    return new objimpl::ListEnum(std::move(items));
  }
};

// A command whose program is given as a Windows path (tools\job.sh,
// C:\bin\x) runs that file: the program part becomes its native path,
// quoted for the shell. Anything else goes to the shell as it is.
u16 nativeProgram(const u16& cmd) {
  size_t start = cmd.find_first_not_of(u" \t");
  if (start == u16::npos) return cmd;
  size_t end;
  u16v prog;
  if (cmd[start] == u'"') {
    end = cmd.find(u'"', start + 1);
    if (end == u16::npos) return cmd;
    prog = u16v(cmd).substr(start + 1, end - start - 1);
    ++end;
  } else {
    end = cmd.find_first_of(u" \t", start);
    if (end == u16::npos) end = cmd.size();
    prog = u16v(cmd).substr(start, end - start);
  }
  bool windowsForm = prog.find(u'\\') != u16v::npos || winpath::driveName(prog).size() == 2;
  if (!windowsForm) return cmd;
  std::string path = winpath::toNative(prog);
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return cmd;
  if (path.find('/') == std::string::npos) path = "./" + path;  // not a PATH search
  std::string quoted = "'";
  for (char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  quoted += '\'';
  return cmd.substr(0, start) + fromUtf8(quoted) + cmd.substr(end);
}

// Whether the program a native command line starts is surely missing: the
// shell would only answer "not found" (exit 127), where Windows refuses the
// call itself. Anything the shell itself reads (builtins, variables,
// redirections, globs) is left to it.
bool programMissing(const std::string& cmd) {
  size_t i = cmd.find_first_not_of(" \t");
  if (i == std::string::npos) return false;
  std::string word;
  if (cmd[i] == '\'' || cmd[i] == '"') {
    size_t e = cmd.find(cmd[i], i + 1);
    if (e == std::string::npos) return false;
    word = cmd.substr(i + 1, e - i - 1);
  } else {
    size_t e = cmd.find_first_of(" \t\n;|&<>()", i);
    word = cmd.substr(i, e == std::string::npos ? std::string::npos : e - i);
  }
  if (word.empty() || word.find_first_of("$`=\\*?[{}~'\"") != std::string::npos) return false;
  static const char* const kShellWords[] = {
      "!", ".", ":", "[", "alias", "break", "case", "cd", "command", "continue", "echo", "eval", "exec",
      "exit", "export", "false", "for", "getopts", "hash", "if", "kill", "local", "printf", "pwd", "read",
      "readonly", "return", "set", "shift", "source", "test", "times", "trap", "true", "type", "ulimit",
      "umask", "unalias", "unset", "until", "wait", "while"};
  for (const char* w : kShellWords)
    if (word == w) return false;
  auto runnable = [](const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
  };
  if (word.find('/') != std::string::npos) return !runnable(word);
  const char* path = ::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  size_t from = 0;
  while (from <= dirs.size()) {
    size_t to = dirs.find(':', from);
    if (to == std::string::npos) to = dirs.size();
    std::string dir = dirs.substr(from, to - from);
    if (runnable((dir.empty() ? std::string(".") : dir) + "/" + word)) return false;
    from = to + 1;
  }
  return true;
}

[[noreturn]] void raiseNotFound(const char16_t* source) {
  raise(static_cast<int32_t>(0x80070002u), source, u"The system cannot find the file specified.");
}

// CreateShortcut's objects. A .url file is the Internet shortcut Windows
// writes ([InternetShortcut] URL=...). A .lnk file is written as a desktop
// entry, which Linux desktops start once named .desktop; the X-Windows-* keys
// keep every property as the script set it, so the shortcut loads back exactly.
class ShortcutObj : public Object {
 public:
  ShortcutObj(std::string path, u16 shownPath, bool url)
      : path_(std::move(path)), fullName_(std::move(shownPath)), url_(url) {
    load();
  }

  int32_t getIdOfName(u16v name) override {
    if (url_) return findMember({{u"FullName", 0}, {u"TargetPath", 1}, {u"Load", 20}, {u"Save", 21}}, name);
    return findMember({{u"FullName", 0}, {u"TargetPath", 1}, {u"Arguments", 2}, {u"Description", 3},
                       {u"Hotkey", 4}, {u"IconLocation", 5}, {u"WorkingDirectory", 6},
                       {u"WindowStyle", 7}, {u"RelativePath", 8}, {u"Load", 20}, {u"Save", 21}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 0:
        expectCall(kind, args, 0, 0);
        return Variant::str(fullName_);
      case 1:
      case 2:
      case 3:
      case 4:
      case 5:
      case 6: {
        u16& field = text_[static_cast<size_t>(id - 1)];
        expectProp(kind, args);
        if (!isPut(kind)) return Variant::str(field);
        field = toString(args[0]);
        return Variant();
      }
      case 7:
        expectProp(kind, args);
        if (!isPut(kind)) return Variant::lng(windowStyle_);
        windowStyle_ = toLong(args[0]);
        return Variant();
      case 8:
        if (!isPut(kind)) raise(438);  // RelativePath can only be set
        expectProp(kind, args);
        toString(args[0]);
        return Variant();
      case 20:
        expectCall(kind, args, 1, 1);
        path_ = winpath::toNative(toString(args[0]));
        load();
        return Variant();
      case 21:
        expectCall(kind, args, 0, 0);
        save();
        return Variant();
    }
    raise(438);
  }

  u16 typeName() const override { return url_ ? u"IWshURLShortcut" : u"IWshShortcut"; }

 private:
  static constexpr const char* kKeys[] = {"X-Windows-TargetPath", "X-Windows-Arguments", "X-Windows-Description",
                                          "X-Windows-Hotkey", "X-Windows-IconLocation",
                                          "X-Windows-WorkingDirectory"};
  std::string path_;
  u16 fullName_;
  bool url_;
  // TargetPath, Arguments, Description, Hotkey, IconLocation, WorkingDirectory
  u16 text_[6] = {u"", u"", u"", u"", u",0", u""};
  int32_t windowStyle_ = 1;

  static std::string oneLine(const u16& s) {
    std::string out = toUtf8(s);
    for (char& c : out)
      if (c == '\r' || c == '\n') c = ' ';
    return out;
  }

  // A path for the desktop entry: native where it names this system's file.
  static std::string nativeOr(const u16& p) {
    if (p.empty()) return std::string();
    try {
      return winpath::toNative(p);
    } catch (const ScriptError&) {
      return toUtf8(p);
    }
  }

  void load() {
    std::ifstream in(path_, std::ios::binary);
    if (!in) return;  // a new shortcut
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      size_t eq = line.find('=');
      if (eq == std::string::npos) continue;
      std::string key = line.substr(0, eq);
      u16 value = fromUtf8(line.substr(eq + 1));
      if (url_) {
        if (equalsNoCase(fromUtf8(key), u"URL")) text_[0] = value;
        continue;
      }
      for (size_t k = 0; k < 6; ++k)
        if (key == kKeys[k]) text_[k] = value;
      if (key == "X-Windows-WindowStyle") windowStyle_ = std::atoi(toUtf8(value).c_str());
    }
  }

  void save() {
    std::string body;
    if (url_) {
      body = "[InternetShortcut]\r\nURL=" + oneLine(text_[0]) + "\r\n";
    } else {
      std::string name = path_.substr(path_.rfind('/') + 1);
      name = name.substr(0, name.size() - 4);
      std::string exec = nativeOr(text_[0]);
      if (exec.find_first_of(" \t\"'\\$`") != std::string::npos) {
        std::string quoted = "\"";
        for (char c : exec) {
          if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
          quoted += c;
        }
        exec = quoted + "\"";
      }
      if (!text_[1].empty()) exec += " " + oneLine(text_[1]);
      std::string icon = oneLine(text_[4]);
      icon = nativeOr(fromUtf8(icon.substr(0, icon.rfind(','))));
      body = "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + exec + "\n";
      if (!text_[5].empty()) body += "Path=" + nativeOr(text_[5]) + "\n";
      if (!text_[2].empty()) body += "Comment=" + oneLine(text_[2]) + "\n";
      if (!icon.empty()) body += "Icon=" + icon + "\n";
      for (size_t k = 0; k < 6; ++k) body += std::string(kKeys[k]) + "=" + oneLine(text_[k]) + "\n";
      body += "X-Windows-WindowStyle=" + std::to_string(windowStyle_) + "\n";
    }
    int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0755);
    if (fd < 0) raise(errno == ENOENT || errno == ENOTDIR ? 76 : 70);
    bool ok = writeNoSigpipe(fd, body.data(), body.size());
    if (::close(fd) != 0 || !ok) raise(57);
  }
};

class ShellObj : public Object {
 public:
  explicit ShellObj(Engine* e) : engine_(e) {}

  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Run", 1}, {u"Exec", 2}, {u"Environment", 3}, {u"ExpandEnvironmentStrings", 4},
                       {u"CurrentDirectory", 5}, {u"SpecialFolders", 6}, {u"Popup", 7}, {u"RegRead", 8},
                       {u"RegWrite", 9}, {u"RegDelete", 10}, {u"LogEvent", 11}, {u"CreateShortcut", 12},
                       {u"AppActivate", 13}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 1: return run(kind, args);
      case 2: {
        expectCall(kind, args, 1, 1);
        std::string cmd = toUtf8(nativeProgram(expandEnv(toString(args[0]))));
        if (programMissing(cmd)) raiseNotFound(u"WshShell.Exec");
        return Variant::object(new ExecObj(spawn({"/bin/sh", "-c", cmd}, true)));
      }
      case 3: {
        expectCall(kind, args, 0, 1);
        u16 type = args.missing(0) ? u16(u"System") : toString(args[0]);
        bool known = false;
        for (const char16_t* t : {u"System", u"User", u"Volatile", u"Process"}) known |= equalsNoCase(t, type);
        if (!known) raise(5);
        return Variant::object(new EnvironmentObj);
      }
      case 4:
        expectCall(kind, args, 1, 1);
        return Variant::str(expandEnv(toString(args[0])));
      case 5: {
        expectProp(kind, args);
        if (isPut(kind)) {
          std::string dir = winpath::toNative(toString(args[0]));
          if (dir.empty() || ::chdir(dir.c_str()) != 0) raise(errno == ENOENT || errno == ENOTDIR ? 76 : 70);
          return Variant();
        }
        char buf[PATH_MAX];
        if (!::getcwd(buf, sizeof buf)) raise(76);
        return Variant::str(fromUtf8(buf));
      }
      case 6:
        return objimpl::objectProp(kind, args, new SpecialFoldersObj);
      case 7: return popup(kind, args);
      case 8:
      case 9:
      case 10: {
        if (isPut(kind) || args.size() < 1) raise(450);
        static const char16_t* const kWhat[] = {u"RegRead", u"RegWrite", u"RegDelete"};
        u16 text = u"There is no registry on this system: \"" + toString(args[0]) + u"\" cannot be " +
                   (id == 8 ? u"read." : id == 9 ? u"written." : u"deleted.");
        raise(static_cast<int32_t>(0x80070002u), u16(u"WshShell.") + kWhat[id - 8], text);
      }
      case 11: return logEvent(kind, args);
      case 12: {
        expectCall(kind, args, 1, 1);
        u16 path = toString(args[0]);
        u16 ext = path.size() >= 4 ? toLowerCopy(u16v(path).substr(path.size() - 4)) : u16();
        if (ext != u".lnk" && ext != u".url")
          raise(5, u"WshShell.CreateShortcut", u"The shortcut pathname must end with .lnk or .url.");
        std::string native = winpath::toNative(path);
        if (native.empty()) raise(5);
        if (native[0] != '/') {
          char buf[PATH_MAX];
          if (::getcwd(buf, sizeof buf)) native = winpath::normalJoin(buf, native);
        }
        return Variant::object(new ShortcutObj(native, fromUtf8(native), ext == u".url"));
      }
      case 13:
        // No window of another program can be brought forward from here.
        expectCall(kind, args, 1, 2);
        toText(args[0]);
        return Variant::boolean(false);
    }
    raise(438);
  }

  u16 typeName() const override { return u"IWshShell3"; }
  bool safeForScripting() const override { return false; }

 private:
  Engine* engine_;

  // Run(command[, windowStyle[, wait]]): the exit code when waiting, else 0.
  Variant run(InvokeKind kind, Args args) {
    expectCall(kind, args, 1, 3);
    std::string cmd = toUtf8(nativeProgram(expandEnv(toString(args[0]))));
    if (!args.missing(1)) toLong(args[1]);  // window style: checked, then ignored
    bool wait = optBool(args, 2, false);
    if (programMissing(cmd)) raiseNotFound(u"WshShell.Run");
    if (engine_) engine_->hostCalled();
    // Not waiting: the shell puts the command in the background and exits at
    // once, so no child is left for us to reap.
    Spawned s = wait ? spawn({"/bin/sh", "-c", cmd}, false)
                     : spawn({"/bin/sh", "-c", "eval \"$1\" &", "sh", cmd}, false);
    int st = 0;
    pid_t r;
    do r = ::waitpid(s.pid, &st, 0);
    while (r < 0 && errno == EINTR);
    if (engine_) engine_->hostCalled();
    return Variant::lng(wait && r == s.pid ? exitCodeOf(st) : 0);
  }

  // LogEvent(type, message[, target]): the system log stands in for the
  // Application event log; the event types map to syslog's levels.
  Variant logEvent(InvokeKind kind, Args args) {
    expectCall(kind, args, 2, 3);
    int32_t type = toLong(args[0]);
    std::string text = toUtf8(toText(args[1]));
    if (!args.missing(2)) toString(args[2]);  // a target machine: this one is the only one
    int level;
    switch (type) {
      case 0: level = LOG_NOTICE; break;   // success
      case 1: level = LOG_ERR; break;
      case 2: level = LOG_WARNING; break;
      case 4: level = LOG_INFO; break;
      case 8:
      case 16: level = LOG_NOTICE; break;  // audit success, audit failure
      default: raise(5);
    }
    ::openlog("WSH", LOG_PID, LOG_USER);
    ::syslog(level, "%s", text.c_str());
    ::closelog();
    return Variant::boolean(true);
  }

  // Popup(text[, secondsToWait[, title[, type]]]) through the host's message
  // box; the host has no timed dialog, so secondsToWait is not honoured.
  Variant popup(InvokeKind kind, Args args) {
    expectCall(kind, args, 1, 4);
    u16 text = toText(args[0]);
    if (!args.missing(1)) toLong(args[1]);
    u16 title = args.missing(2) ? u16(u"Windows Script Host") : toText(args[2]);
    int type = optLong(args, 3, 0);
    if (!engine_) return Variant::lng(-1);  // no host to ask: as if it timed out
    if (!engine_->allowUI) raise(70);
    engine_->hostCalled();
    int r = engine_->host ? engine_->host->msgBox(text, type, title) : 1;
    return Variant::lng(r);
  }
};

}  // namespace

Object* newShell(Engine* engine) { return new ShellObj(engine); }

}  // namespace pw
