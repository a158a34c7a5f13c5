// The script-visible WScript object (WScriptSim), its arguments and its
// standard streams, free of any UI toolkit. A front end (the command-line
// runner, the main window) supplies the console through WScriptConsole.
#pragma once

#include <optional>
#include <vector>

#include "variant.h"

namespace pw {

class ScriptControl;

// Which host the object imitates. The WScript object is the same for both;
// the streams, Echo's text form and a few details follow the kind.
enum class ConsoleKind {
  // cscript's: StdIn, StdOut and StdErr are TextStreams over the process's
  // standard streams, Echo converts as the console host does (True is -1),
  // Arguments holds the script's command-line arguments.
  Stream,
  // Pallweave's window: StdErr is the StdOut object (WriteBlankLines writing at
  // least one line, WriteLine, WriteChars); StdIn has Column and Line (always 1)
  // and ReadLine, and every line read is echoed to the console.
  Window,
};

class WScriptConsole {
 public:
  virtual ~WScriptConsole() = default;
  virtual ConsoleKind kind() const { return ConsoleKind::Stream; }
  // Writes text to standard output or standard error. Every stream write and
  // every Echo is exactly one call.
  virtual void write(u16v text, bool toStdErr) = 0;
  // Window kind: one line of input without its line end, or nothing at end of input.
  virtual std::optional<u16> readLine() { return std::nullopt; }
  // Stream kind: appends the next piece of standard input to buf, waiting for
  // it if need be; false (buf unchanged) at end of input.
  virtual bool readInput(u16& buf) {
    (void)buf;
    return false;
  }
  virtual void sleep(int32_t ms) = 0;
  // WScript.Quit: ends the script (may not return, or raises the stop error).
  virtual void quit(int32_t status) = 0;
  virtual u16 lineEnd() const { return u"\r\n"; }
  // Facts of the program and the script; these may raise script errors.
  virtual u16 scriptName() = 0;
  virtual u16 scriptFullName() = 0;
  virtual u16 version() { return u"5.8"; }
  virtual u16 programPath() = 0;  // folder of the executable
  virtual u16 programName() = 0;  // file name of the executable
  // Stream kind: the words after the script's name on the command line.
  virtual std::vector<u16> arguments() { return {}; }
  // WScript.Interactive: false in batch mode (//B).
  virtual bool interactive() { return true; }
  virtual void setInteractive(bool on) { (void)on; }
  // WScript.Timeout in seconds, 0 for none; setting it starts the limit anew.
  virtual int32_t timeoutSeconds() { return 0; }
  virtual void setTimeoutSeconds(int32_t s) { (void)s; }
};

// Creates the WScript object (reference count 0). CreateObject calls go to the
// script control so that the safe-subset rule applies.
Object* newWScriptSim(WScriptConsole& console, ScriptControl& control);

// The text form the window's Echo writes for a value: Empty and Null as "",
// objects by their default value (438 when they have none).
u16 echoText(const Variant& v);
// The console host's: as the window's, but True and False are "-1" and "0"
// and Null is "null".
u16 consoleEchoText(const Variant& v);

// The stream objects behind WScript.StdIn, StdOut and StdErr, in the form the
// console's kind gives them (streams.cpp).
Object* newStdOut(WScriptConsole& console, bool toStdErr);
Object* newStdIn(WScriptConsole& console);

}  // namespace pw
