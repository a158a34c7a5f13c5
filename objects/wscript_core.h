// The script-visible WScript object (WScriptSim) and its standard streams
// (StdOutSim, StdInSim), free of any UI toolkit. A front end (the command-line
// runner, the main window) supplies the console through WScriptConsole.
#pragma once

#include <optional>

#include "variant.h"

namespace pw {

class ScriptControl;

// Which host the streams imitate. The WScript object is the same for both;
// only the stream members and a few details follow the kind.
enum class ConsoleKind {
  // cscript's: StdOut and StdErr are separate TextStreams (Write, WriteLine,
  // WriteBlankLines, Close); StdIn has ReadLine, ReadAll, AtEndOfStream, Close.
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
  // One line of input without its line end, or nothing at end of input.
  virtual std::optional<u16> readLine() = 0;
  // Everything left on the input (Stream kind only).
  virtual u16 readAll() { return u16(); }
  virtual bool atEndOfInput() { return false; }
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
};

// Creates the WScript object (reference count 0). CreateObject calls go to the
// script control so that the safe-subset rule applies.
Object* newWScriptSim(WScriptConsole& console, ScriptControl& control);

// The text form Echo writes for a value: Empty and Null as "", objects by their
// default value (438 when they have none).
u16 echoText(const Variant& v);

}  // namespace pw
