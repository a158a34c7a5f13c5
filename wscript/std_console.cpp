#include "std_console.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "engine.h"
#include "textcodec.h"

namespace pw {

namespace {

volatile sig_atomic_t gInterrupted = 0;

void onInterrupt(int) { gInterrupted = 1; }
// A handler, not SIG_IGN: writes to a closed pipe fail with EPIPE here, while
// programs the script starts get the default action back at exec.
void onBrokenPipe(int) {}

// How many bytes at the end of s belong to a UTF-8 sequence that is not complete yet.
size_t incompleteTail(const std::string& s) {
  for (size_t k = 1; k <= 3 && k <= s.size(); ++k) {
    unsigned char c = static_cast<unsigned char>(s[s.size() - k]);
    if ((c & 0xC0) == 0x80) continue;
    if (c < 0xC0) return 0;
    size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    return need > k ? k : 0;
  }
  return 0;
}

}  // namespace

StdConsole::StdConsole(Setup s) : setup_(std::move(s)) {}

void StdConsole::installSignals() {
  struct sigaction sa {};
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = 0;  // no SA_RESTART: a read waiting for input returns EINTR
  sa.sa_handler = onInterrupt;
  sigaction(SIGINT, &sa, nullptr);
  sa.sa_handler = onBrokenPipe;
  sigaction(SIGPIPE, &sa, nullptr);
}

void StdConsole::stopIfInterrupted() {
  if (gInterrupted) exit(kInterruptedStatus);
}

void StdConsole::exit(int status) {
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(status);
}

// A reader that went away ends the run quietly; any other failure is reported.
[[noreturn]] static void writeFailed(FILE* f, int err) {
  if (err == EPIPE) std::_Exit(kBrokenPipeStatus);
  if (f == stdout) std::fprintf(stderr, "pallweave-run: cannot write to standard output: %s\n", std::strerror(err));
  std::_Exit(1);
}

void StdConsole::flush() {
  if (std::fflush(stdout) != 0) writeFailed(stdout, errno);
}

void StdConsole::put(FILE* f, const std::string& bytes) {
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::ferror(f)) writeFailed(f, errno);
}

void StdConsole::startClock(int32_t limitMs) {
  limitMs_ = limitMs;
  deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs > 0 ? limitMs : 0);
}

void StdConsole::write(u16v text, bool toStdErr) {
  stopIfInterrupted();
  std::string s = toUtf8(text);
  // Console line ends are the platform's.
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
    out.push_back(s[i]);
  }
  if (toStdErr) {
    flush();  // what was written before comes first
    put(stderr, out);
  } else {
    put(stdout, out);
  }
}

bool StdConsole::readInput(u16& buf) {
  flush();  // a prompt is seen before the wait
  char chunk[65536];
  for (;;) {
    stopIfInterrupted();
    ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // End of input (or no input at all): a sequence cut short is decoded as it is.
      if (pending_.empty()) return false;
      buf += fromUtf8(pending_);
      pending_.clear();
      return true;
    }
    pending_.append(chunk, static_cast<size_t>(n));
    size_t tail = incompleteTail(pending_);
    if (tail == pending_.size()) continue;
    buf += fromUtf8(std::string_view(pending_).substr(0, pending_.size() - tail));
    pending_.erase(0, pending_.size() - tail);
    return true;
  }
}

void StdConsole::sleep(int32_t ms) {
  flush();
  if (ms <= 0) return stopIfInterrupted();
  timespec left{ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) stopIfInterrupted();
  stopIfInterrupted();
}

// Quit unwinds the script past every error handler, so that its objects end
// as at the end of the script (Class_Terminate runs, files are written out);
// the caller of AddCode then exits with quitStatus().
void StdConsole::quit(int32_t status) {
  if (!quitStatus_) quitStatus_ = status;
  throw ScriptAbort{};
}

void StdConsole::stopIfQuitting() {
  if (quitStatus_) throw ScriptAbort{};
}

u16 StdConsole::scriptName() { return fromUtf8(std::filesystem::path(setup_.script).filename().string()); }

u16 StdConsole::scriptFullName() {
  std::error_code ec;
  return fromUtf8(std::filesystem::absolute(setup_.script, ec).string());
}

u16 StdConsole::programPath() { return fromUtf8(std::filesystem::path(setup_.exe).parent_path().string()); }

u16 StdConsole::programName() { return fromUtf8(std::filesystem::path(setup_.exe).filename().string()); }

std::optional<std::string> StdConsole::askTerminal(const std::string& question) {
  put(stdout, question);
  flush();
  std::string line;
  for (;;) {
    char c;
    ssize_t n = ::read(STDIN_FILENO, &c, 1);  // byte by byte: StdIn keeps the rest
    if (n < 0 && errno == EINTR) {
      stopIfInterrupted();
      continue;
    }
    if (n <= 0) return line.empty() ? std::nullopt : std::optional<std::string>(line);
    if (c == '\n') break;
    line.push_back(c);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

namespace {

struct Choice {
  char key;
  const char* word;
  int result;  // vbOK = 1 ... vbNo = 7
};

const std::vector<Choice>& choicesOf(int buttons) {
  static const std::vector<Choice> sets[] = {
      {{'O', "OK", 1}},
      {{'O', "OK", 1}, {'C', "Cancel", 2}},
      {{'A', "Abort", 3}, {'R', "Retry", 4}, {'I', "Ignore", 5}},
      {{'Y', "Yes", 6}, {'N', "No", 7}, {'C', "Cancel", 2}},
      {{'Y', "Yes", 6}, {'N', "No", 7}},
      {{'R', "Retry", 4}, {'C', "Cancel", 2}},
  };
  int set = buttons & 7;
  return sets[set <= 5 ? set : 0];
}

}  // namespace

// A message box on a console: the prompt is written like Echo's text; a
// choice is asked on the terminal, and without one (a pipe, a file, //B)
// the default button answers.
int StdConsole::msgBox(u16v prompt, int buttons, u16v title) {
  (void)title;
  const std::vector<Choice>& choices = choicesOf(buttons);
  size_t def = static_cast<size_t>((buttons >> 8) & 3);
  if (def >= choices.size()) def = 0;
  if (setup_.batch) return choices[def].result;
  write(u16(prompt) + lineEnd(), false);
  if (choices.size() == 1 || !isatty(STDIN_FILENO)) return choices[def].result;
  std::string question;
  for (const Choice& c : choices) {
    if (!question.empty()) question += '/';
    question += '[';
    question += c.key;
    question += ']';
    question += c.word + 1;
  }
  question += std::string(" (") + choices[def].word + ")? ";
  for (;;) {
    std::optional<std::string> answer = askTerminal(question);
    if (!answer || answer->empty()) return choices[def].result;
    char k = static_cast<char>(std::toupper(static_cast<unsigned char>((*answer)[0])));
    for (const Choice& c : choices)
      if (c.key == k) return c.result;
  }
}

std::optional<u16> StdConsole::inputBox(u16v prompt, u16v title, u16v defaultText) {
  (void)title;
  if (setup_.batch) return u16(defaultText);
  write(u16(prompt) + lineEnd(), false);
  if (!isatty(STDIN_FILENO)) return u16(defaultText);
  std::optional<std::string> answer =
      askTerminal(defaultText.empty() ? std::string("> ") : "[" + toUtf8(defaultText) + "] ");
  if (!answer) return std::nullopt;  // end of input: as Cancel
  if (answer->empty()) return u16(defaultText);
  return fromUtf8(*answer);
}

bool StdConsole::askStopOnTimeout() {
  stopIfInterrupted();
  stopIfQuitting();
  // With a limit of 0 the engine asks only once the script has hung.
  if (limitMs_ == 0) return true;
  return limitMs_ > 0 && std::chrono::steady_clock::now() >= deadline_;
}

}  // namespace pw
