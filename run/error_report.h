// Script error reports for the status bar and the selection of the error's
// position in the script text. Positions are offsets into the editor's text,
// where a CR LF line break counts as two characters.
#pragma once

#include <QString>

#include "script_control.h"

namespace pw {

// "Syntax error, line L column C+1: ..." when the error carries its source
// line, else "Runtime error N, line L: ...".
QString errorReport(const ScriptErrorInfo& e);

// Offset of the first character of 0-based line n; beyond the last line, the
// last line's start.
int lineIndex(const QString& text, int n);

struct TextSelection {
  int start = 0;
  int length = 0;
};

// From the faulty character up to the next blank on its line (blank excluded),
// to the line end when none follows, the whole line when the column is 0.
// line is 1-based, column 0-based; positions outside the text are clamped.
TextSelection errorSelection(const QString& script, int line, int column);

}  // namespace pw
