// The script-visible WScript object and its standard streams, free of any UI
// toolkit. A front end (the command-line runner, the main window) supplies the
// console through WScriptConsole.
#pragma once

#include <optional>

#include "variant.h"

namespace pw {

class ScriptControl;

class WScriptConsole {
 public:
  virtual ~WScriptConsole() = default;
  // Writes text to standard output or standard error.
  virtual void write(u16v text, bool toStdErr) = 0;
  // One line of input without its line end, or nothing at end of input.
  virtual std::optional<u16> readLine() = 0;
  // Everything left on the input.
  virtual u16 readAll() = 0;
  virtual bool atEndOfInput() = 0;
  virtual void sleep(int32_t ms) = 0;
  // WScript.Quit: ends the script (may not return).
  virtual void quit(int32_t status) = 0;
  virtual u16 lineEnd() const { return u"\r\n"; }
  // Facts of the program and the script.
  virtual u16 scriptName() = 0;
  virtual u16 scriptFullName() = 0;
  virtual u16 version() { return u"5.8"; }
  virtual u16 programPath() = 0;   // folder of the executable
  virtual u16 programName() = 0;   // file name of the executable
  // Whether StdErr is a stream of its own (else it is StdOut's object).
  virtual bool separateStdErr() const { return true; }
};

// Creates the WScript object (reference count 0). CreateObject calls go to the
// script control's engine so that the safe-subset rule applies.
Object* newWScriptObject(WScriptConsole& console, ScriptControl& control);

// The text form Echo writes for a value: Empty and Null as "", objects by their
// default value (438 when they have none).
u16 echoText(const Variant& v);

}  // namespace pw
