// pallweave-run: a console script host in the manner of cscript. Runs a
// VBScript file in the Pallweave engine with a WScript object whose streams
// are the process's standard streams and whose Arguments are the words after
// the script's name.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "script_control.h"
#include "std_console.h"
#include "textcodec.h"
#include "wscript_core.h"

namespace {

using pw::u16;
using pw::u16v;

// The engine asks the host this often whether to stop: SIGINT and the time
// limit are looked at between statements that often.
constexpr int32_t kSliceMs = 50;

const char kHelp[] =
    "usage: pallweave-run [options] FILE.vbs [arguments...]\n"
    "       pallweave-run --check FILE.vbs\n"
    "\n"
    "Runs a VBScript file as Windows' console script host does. The words after\n"
    "the script go to WScript.Arguments: /name and /name:value are named, the\n"
    "others unnamed. A first line starting with #! is skipped.\n"
    "\n"
    "Options (cscript's, in any case, also after the script):\n"
    "  //B            batch mode: message boxes and prompts are not shown\n"
    "  //I            interactive mode (the default)\n"
    "  //Logo         print the banner first\n"
    "  //NoLogo       no banner (the default)\n"
    "  //T:nn         stop the script after nn seconds (0: no limit)\n"
    "  //E:VBScript   the script language; VBScript is the only one\n"
    "  //?            this help\n"
    "Options of this program (before the script):\n"
    "  --timeout MS   stop the script after MS milliseconds (0: only when it hangs)\n"
    "  --drive C=DIR  paths on drive C: (C:\\Temp) are in the folder DIR; repeatable\n"
    "  --check FILE   parse FILE without running it: exit 0, or 1 with the error\n"
    "  --version      print the version\n"
    "  --help         this help\n"
    "\n"
    "Exit status: the one WScript.Quit gives; 0 at the end of the script; 1 after\n"
    "an error; 2 for a command-line mistake; 130 after Ctrl-C; 141 when the reader of\n"
    "the output has gone.\n";

struct Options {
  int32_t timeoutMs = -1;
  bool batch = false;
  bool logo = false;
  bool check = false;
  const char* file = nullptr;
  std::vector<u16> args;
};

[[noreturn]] void usageError(const std::string& what) {
  std::fprintf(stderr, "pallweave-run: %s\nTry 'pallweave-run --help'.\n", what.c_str());
  std::exit(2);
}

bool equalsNoCase(const std::string& a, const char* b) {
  return a.size() == std::strlen(b) && strncasecmp(a.c_str(), b, a.size()) == 0;
}

bool parseInt(const char* s, long lo, long hi, long& out) {
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(s, &end, 10);
  if (!*s || *end || errno || v < lo || v > hi) return false;
  out = v;
  return true;
}

// One of cscript's //options (arg without its two slashes).
void hostOption(const std::string& arg, Options& o) {
  std::string name = arg.substr(0, arg.find(':'));
  std::string value = arg.find(':') == std::string::npos ? std::string() : arg.substr(arg.find(':') + 1);
  bool hasValue = arg.find(':') != std::string::npos;
  if (!hasValue && equalsNoCase(name, "B")) {
    o.batch = true;
  } else if (!hasValue && equalsNoCase(name, "I")) {
    o.batch = false;
  } else if (!hasValue && equalsNoCase(name, "Logo")) {
    o.logo = true;
  } else if (!hasValue && equalsNoCase(name, "NoLogo")) {
    o.logo = false;
  } else if (!hasValue && name == "?") {
    std::fputs(kHelp, stdout);
    std::exit(0);
  } else if (equalsNoCase(name, "T")) {
    long s;
    if (!parseInt(value.c_str(), 0, 32767, s)) usageError("//T needs a number of seconds from 0 to 32767: //" + arg);
    o.timeoutMs = s == 0 ? -1 : static_cast<int32_t>(s * 1000);
  } else if (equalsNoCase(name, "E")) {
    if (!equalsNoCase(value, "VBScript") && !equalsNoCase(value, "VBS"))
      usageError("no script engine for '" + value + "' (VBScript is the only one)");
  } else {
    usageError("unknown option '//" + arg + "'");
  }
}

Options parseCommandLine(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a.rfind("//", 0) == 0) {
      // Host options are taken wherever they stand, as the console host does.
      hostOption(a.substr(2), o);
    } else if (o.file) {
      o.args.push_back(pw::fromUtf8(a));
    } else if (a == "--help") {
      std::fputs(kHelp, stdout);
      std::exit(0);
    } else if (a == "--version") {
      std::printf("pallweave-run %s (Pallweave VBScript engine, VBScript 5.8)\n", PALLWEAVE_VERSION);
      std::exit(0);
    } else if (a == "--timeout") {
      long v;
      if (i + 1 >= argc || !parseInt(argv[i + 1], -1, 0x7fffffffL, v))
        usageError("--timeout needs a number of milliseconds (-1 for no limit)");
      o.timeoutMs = static_cast<int32_t>(v);
      ++i;
    } else if (a == "--drive") {
      // Drive letters in the script's paths (C:\Temp) name these folders.
      std::string error;
      if (i + 1 >= argc) usageError("--drive needs LETTER=FOLDER");
      if (!pw::ScriptControl::MapDrive(argv[++i], error)) usageError("--drive: " + error);
    } else if (a == "--check") {
      if (i + 1 >= argc) usageError("--check needs a file");
      o.check = true;
      o.file = argv[++i];
      if (i + 1 < argc) usageError("--check takes one file and nothing after it");
    } else if (a == "--") {
      if (i + 1 >= argc) break;
      o.file = argv[++i];
    } else if (a.size() > 1 && a[0] == '-') {
      usageError("unknown option '" + a + "'");
    } else {
      o.file = argv[i];
    }
  }
  if (!o.file) usageError("no script file given");
  return o;
}

std::string exePath(const char* argv0) {
  std::error_code ec;
  auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(argv0) : p.string();
}

// The script's text; a first line starting with #! is blanked, so that
// line numbers stay those of the file.
u16 readScript(const char* file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "pallweave-run: cannot read %s: %s\n", file, std::strerror(errno));
    std::exit(2);
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::string raw = bytes.str();
  u16 text;
  // Saved as Unicode (UTF-16 with its byte-order mark): the script host reads those too.
  if (raw.size() >= 2 && ((raw[0] == '\xFF' && raw[1] == '\xFE') || (raw[0] == '\xFE' && raw[1] == '\xFF'))) {
    bool little = raw[0] == '\xFF';
    for (size_t i = 2; i + 1 < raw.size(); i += 2) {
      auto lo = static_cast<unsigned char>(raw[little ? i : i + 1]);
      auto hi = static_cast<unsigned char>(raw[little ? i + 1 : i]);
      text.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
  } else {
    text = pw::decodeText(raw);
  }
  if (text.rfind(u"#!", 0) == 0) text.erase(0, text.find_first_of(u"\r\n"));
  return text;
}

std::string errorReport(const pw::ScriptErrorInfo& e) {
  u16 trimmed = e.Text;
  while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t')) trimmed.pop_back();
  if (trimmed.find_first_not_of(u" \t") != u16::npos) {
    return "Syntax error, line " + std::to_string(e.Line) + " column " + std::to_string(e.Column + 1) + ": " +
           pw::toUtf8(e.Description);
  }
  return "Runtime error " + std::to_string(e.Number) + ", line " + std::to_string(e.Line) + ": " +
         pw::toUtf8(e.Description);
}

}  // namespace

int main(int argc, char** argv) {
  Options opt = parseCommandLine(argc, argv);
  u16 text = readScript(opt.file);

  if (opt.check) {
    pw::ScriptControl sc;
    if (sc.Check(text)) return 0;
    std::fprintf(stderr, "%s\n", errorReport(sc.Error()).c_str());
    return 1;
  }

  pw::StdConsole::installSignals();
  pw::StdConsole console({opt.file, exePath(argv[0]), std::move(opt.args), opt.batch});
  if (opt.logo) {
    console.write(pw::fromUtf8("Pallweave Script Host version " PALLWEAVE_VERSION
                               "\nVBScript 5.8 on the Pallweave engine.\n\n"),
                  false);
  }
  bool ok;
  {
    pw::ScriptControl sc;
    // The host is asked every slice (and, for --timeout 0, when the script
    // hangs): that is where SIGINT and the time limit stop the script.
    sc.Timeout(opt.timeoutMs == 0 ? 0 : kSliceMs);
    sc.AllowUI(true);
    sc.SetHost(&console);
    console.startClock(opt.timeoutMs);
    pw::Ref<pw::Object> ws(pw::newWScriptSim(console, sc));
    sc.AddObject(u"WScript", ws.get(), false);
    ok = sc.AddCode(text);
    console.flush();
    if (!ok && !console.quitStatus()) console.write(pw::fromUtf8(errorReport(sc.Error()) + "\n"), true);
    // Leaving this block ends the script's objects; their Class_Terminate may still write.
  }
  console.stopIfInterrupted();
  console.flush();
  if (console.quitStatus()) return *console.quitStatus();
  return ok ? 0 : 1;
}
