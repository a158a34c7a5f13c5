// pallweave-run: runs a VBScript file in the Pallweave engine, with a WScript
// object whose streams are the process's standard streams.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include "script_control.h"
#include "textcodec.h"
#include "wscript_core.h"

namespace {

using pw::u16;
using pw::u16v;

class StdConsole final : public pw::WScriptConsole {
 public:
  StdConsole(std::string script, std::string exe) : script_(std::move(script)), exe_(std::move(exe)) {}

  void write(u16v text, bool toStdErr) override {
    std::string s = pw::toUtf8(text);
    // Console line ends are the platform's.
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
      if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
      out.push_back(s[i]);
    }
    if (toStdErr) {
      std::fflush(stdout);
      std::fwrite(out.data(), 1, out.size(), stderr);
    } else {
      std::fwrite(out.data(), 1, out.size(), stdout);
    }
  }
  std::optional<u16> readLine() override {
    std::fflush(stdout);
    std::string line;
    if (!std::getline(std::cin, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return pw::fromUtf8(line);
  }
  u16 readAll() override {
    std::ostringstream ss;
    ss << std::cin.rdbuf();
    return pw::fromUtf8(ss.str());
  }
  bool atEndOfInput() override { return std::cin.peek() == std::char_traits<char>::eof(); }
  void sleep(int32_t ms) override {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
  void quit(int32_t status) override {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
  }
  u16 scriptName() override { return pw::fromUtf8(std::filesystem::path(script_).filename().string()); }
  u16 scriptFullName() override {
    std::error_code ec;
    return pw::fromUtf8(std::filesystem::absolute(script_, ec).string());
  }
  u16 programPath() override { return pw::fromUtf8(std::filesystem::path(exe_).parent_path().string()); }
  u16 programName() override { return pw::fromUtf8(std::filesystem::path(exe_).filename().string()); }

 private:
  std::string script_, exe_;
};

std::string exePath(const char* argv0) {
  std::error_code ec;
  auto p = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(argv0) : p.string();
}

int usage() {
  std::fprintf(stderr, "usage: pallweave-run [--timeout MS] [--drive C=FOLDER]... FILE.vbs\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  int32_t timeout = -1;
  const char* file = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--timeout") == 0 && i + 1 < argc) {
      char* end = nullptr;
      long v = std::strtol(argv[++i], &end, 10);
      if (!end || *end || v < -1 || v > 0x7fffffffL) return usage();
      timeout = static_cast<int32_t>(v);
    } else if (std::strcmp(argv[i], "--drive") == 0 && i + 1 < argc) {
      // Drive letters in the script's paths (C:\Temp) name these folders.
      std::string error;
      if (!pw::ScriptControl::MapDrive(argv[++i], error)) {
        std::fprintf(stderr, "pallweave-run: --drive: %s\n", error.c_str());
        return 2;
      }
    } else if (argv[i][0] == '-' && argv[i][1] != 0) {
      return usage();
    } else if (!file) {
      file = argv[i];
    } else {
      return usage();
    }
  }
  if (!file) return usage();

  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "pallweave-run: cannot read %s: %s\n", file, std::strerror(errno));
    return 2;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  u16 text = pw::decodeText(bytes.str());

  StdConsole console(file, exePath(argv[0]));
  pw::ScriptControl sc;
  sc.Timeout(timeout);
  sc.AllowUI(false);
  pw::Ref<pw::Object> ws(pw::newWScriptSim(console, sc));
  sc.AddObject(u"WScript", ws.get(), false);
  bool ok = sc.AddCode(text);
  std::fflush(stdout);
  if (ok) return 0;
  const pw::ScriptErrorInfo& e = sc.Error();
  std::string report;
  u16 trimmed = e.Text;
  while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t')) trimmed.pop_back();
  size_t lead = trimmed.find_first_not_of(u" \t");
  if (lead != u16::npos) {
    report = "Syntax error, line " + std::to_string(e.Line) + " column " + std::to_string(e.Column + 1) + ": " +
             pw::toUtf8(e.Description);
  } else {
    report = "Runtime error " + std::to_string(e.Number) + ", line " + std::to_string(e.Line) + ": " +
             pw::toUtf8(e.Description);
  }
  std::fprintf(stderr, "%s\n", report.c_str());
  return 1;
}
