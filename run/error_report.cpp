#include "error_report.h"

#include <algorithm>

namespace pw {

namespace {
QString q(const u16& s) { return QString::fromStdU16String(s); }
const QString kCrLf = QStringLiteral("\r\n");
}  // namespace

QString errorReport(const ScriptErrorInfo& e) {
  // Only blanks count as empty, as VB's Trim sees it.
  const bool syntax = q(e.Text).count(QLatin1Char(' ')) != static_cast<qsizetype>(e.Text.size());
  if (syntax)
    return QStringLiteral("Syntax error, line %1 column %2: %3").arg(e.Line).arg(e.Column + 1).arg(q(e.Description));
  return QStringLiteral("Runtime error %1, line %2: %3").arg(e.Number).arg(e.Line).arg(q(e.Description));
}

int lineIndex(const QString& text, int n) {
  int start = 0;
  for (int i = 0; i < n; ++i) {
    qsizetype br = text.indexOf(kCrLf, start);
    if (br < 0) break;
    start = static_cast<int>(br) + 2;
  }
  return start;
}

TextSelection errorSelection(const QString& script, int line, int column) {
  const int lineStart = lineIndex(script, std::max(line, 1) - 1);
  qsizetype br = script.indexOf(kCrLf, lineStart);
  const int lineEnd = br < 0 ? static_cast<int>(script.size()) : static_cast<int>(br);
  const int col = std::max(column, 0);
  const int err = std::min(lineStart + col, lineEnd);
  int selEnd = lineEnd;
  if (col > 0) {
    qsizetype blank = script.indexOf(QLatin1Char(' '), err);
    if (blank >= 0 && blank < lineEnd) selEnd = static_cast<int>(blank);
  }
  return {err, selEnd - err};
}

}  // namespace pw
