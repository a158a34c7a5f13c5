#include "window_console.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <chrono>
#include <thread>

namespace pw {

namespace {

constexpr int32_t kStopError = 51;
constexpr int32_t kScriptFullNameError = static_cast<int32_t>(0x80047700u);
constexpr int32_t kScriptNameError = static_cast<int32_t>(0x80047702u);
const QString kNewScript = QStringLiteral("(new)");

u16 u(const QString& s) { return s.toStdU16String(); }
QString q(u16v s) { return QString::fromUtf16(s.data(), s.size()); }

// The view shows CR LF as a line break; a lone CR has no glyph of its own.
QString forView(QString s) {
  s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  s.remove(QLatin1Char('\r'));
  return s;
}

}  // namespace

void WindowConsole::clear() {
  text_.clear();
  shown_ = 0;
  replaced_ = true;
  dirty_ = true;
  stopAll_ = false;
  win_.consoleView()->clear();
  replaced_ = false;
}

void WindowConsole::flush() {
  if (!dirty_) return;
  QPlainTextEdit* view = win_.consoleView();
  if (replaced_) {
    view->setPlainText(forView(text_));
  } else if (shown_ < text_.size()) {
    QTextCursor end(view->document());
    end.movePosition(QTextCursor::End);
    end.insertText(forView(text_.mid(shown_)));
  }
  shown_ = text_.size();
  replaced_ = false;
  dirty_ = false;
  view->moveCursor(QTextCursor::End);
  view->repaint();
  lastPaint_.start();
}

void WindowConsole::showIfDue() {
  if (dirty_ && (!lastPaint_.isValid() || lastPaint_.elapsed() >= kFrameMs)) flush();
}

void WindowConsole::raiseStop() { raise(kStopError); }

void WindowConsole::serveWhileWaiting() {
  if (stopAll_) raiseStop();
  flush();
  QCoreApplication::processEvents();
  if (flags_.AbortRequested) {
    flags_.AbortRequested = false;
    raiseStop();
  }
}

// Every write ends here (WriteChars, WriteLine, WriteBlankLines, Echo, the echo
// of ReadLine).
void WindowConsole::write(u16v in, bool) {
  if (stopAll_) raiseStop();
  if (++writeCount_ > kPassEvery) {
    // The costly message pass only on every 101st write: that is where Ctrl-C
    // gets through to the key handling.
    QCoreApplication::processEvents();
    writeCount_ = 0;
    if (flags_.AbortRequested) {
      flags_.AbortRequested = false;
      raiseStop();
    }
  }
  u16v text = in;
  size_t ff = text.find(u'\f');
  if (ff != u16v::npos) {
    // Form feed clears the console; a later one in the same text is a plain character.
    text_.clear();
    replaced_ = true;
    text = text.substr(ff + 1);
  }
  text_.append(q(text));
  if (text_.size() > kConsoleLimit) {
    text_ = text_.right(kConsoleKeep);
    replaced_ = true;
  }
  dirty_ = true;
  showIfDue();
}

std::optional<u16> WindowConsole::readLine() {
  if (stopAll_) raiseStop();
  flush();
  QLineEdit* input = win_.inputLine();
  const QPalette rest = input->palette();
  QPalette waiting = rest;
  waiting.setColor(QPalette::Base, QApplication::palette().color(QPalette::Active, QPalette::Base));
  input->setPalette(waiting);
  input->setEnabled(true);
  input->setFocus();
  win_.showStatus(QStringLiteral("Awaiting input, Ctrl-C quits."));
  flags_.AwaitingInput = true;
  // Sleeps until a message arrives; an Enter typed before this call has
  // already set InputComplete and ends the wait at the first message.
  do {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  } while (!flags_.InputComplete);
  input->setPalette(rest);
  input->setEnabled(false);
  const bool cancelled = flags_.InputCancelled;
  flags_.AwaitingInput = false;
  flags_.InputComplete = false;
  if (cancelled) {
    input->clear();
    flags_.InputCancelled = false;
    raiseStop();
  }
  u16 line = u(input->text());
  input->clear();
  return line;
}

void WindowConsole::sleep(int32_t ms) {
  if (stopAll_) raiseStop();
  flush();
  QCoreApplication::processEvents();
  // The window is not serviced during the pause itself.
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  if (flags_.AbortRequested) {
    flags_.AbortRequested = false;
    raiseStop();
  }
}

void WindowConsole::quit(int32_t) { raiseStop(); }

u16 WindowConsole::scriptName() {
  QString name = win_.currentScriptName();
  if (name == kNewScript) raise(kScriptNameError, u"WScriptSim", u"ScriptName invalid until script is saved");
  return u(name);
}

u16 WindowConsole::scriptFullName() {
  QString path = win_.currentScriptPath();
  if (path == kNewScript)
    raise(kScriptFullNameError, u"WScriptSim", u"ScriptFullName invalid until script is saved");
  return u(path);
}

u16 WindowConsole::version() { return u(win_.wshVersionText()); }

u16 WindowConsole::programPath() { return u(QCoreApplication::applicationDirPath()); }

u16 WindowConsole::programName() { return u(QFileInfo(QCoreApplication::applicationFilePath()).fileName()); }

}  // namespace pw
