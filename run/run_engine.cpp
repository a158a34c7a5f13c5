#include "run_engine.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLocale>

#include "error_report.h"

namespace pw {

RunEngine::RunEngine(RunWindow& window, ScriptControl& control, Object* wscript, WindowConsole& console,
                     RunFlags& flags)
    : win_(window), sc_(control), wscript_(wscript), console_(console), flags_(flags) {
  sc_.OnError = [this] { onScriptError(); };
}

void RunEngine::start() {
  // The menus are disabled from here to the return, so this only guards
  // against a caller that bypasses them.
  if (running_ || showingOutput_) return;
  win_.enableMenus(false);
  running_ = true;
  savedScript_ = win_.editorText();
  savedSelStart_ = win_.editorSelStart();
  savedForeColor_ = win_.editorForeColor();

  win_.setEditorForeColor(win_.scriptForeColor());
  console_.clear();
  win_.setEditorLocked(true);
  flags_.InputComplete = false;
  flags_.InputCancelled = false;
  flags_.AbortRequested = false;
  win_.clearInputLine();
  win_.setStatus(QStringLiteral("Script running.  Ctrl-C to abort."), QString());
  win_.setNavStatus(QString());
  win_.showTitle(true);
  // Nothing else is painted until the script pumps messages.
  win_.repaintNow();

  sc_.AddObject(u"WScript", wscript_, false);
  sc_.Timeout(win_.timeoutMs());
  const QString folder = QDir::currentPath();

  // A monotonic clock: immune to midnight and to changes of the system time.
  QElapsedTimer clock;
  clock.start();
  sc_.AddCode(savedScript_.toStdU16String());  // its failure is read from Error()
  const double elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  console_.flush();

  const ScriptErrorInfo& e = sc_.Error();
  if (e.Number == 0) {
    win_.setStatus(QStringLiteral("Script complete. ") + QLocale().toString(elapsed, 'f', 4) +
                       QStringLiteral(" seconds elapsed.  Press ESC."),
                   QString());
    showingOutput_ = true;
  }
  QDir::setCurrent(folder);
  if (e.Line > 0) {
    returnToScriptAtError(e.Line, e.Column);
  } else if (e.Number != 0) {
    // No position to select: back to the script as after a clean run's key,
    // the report stays in the status bar.
    returnToScript();
  }
  sc_.Reset();
  running_ = false;
  win_.showTitle(false);

  if (closeRequested_) {
    closeRequested_ = false;
    win_.closeAfterRun();
  }
}

void RunEngine::onScriptError() {
  ScriptErrorInfo& e = sc_.Error();
  if (e.Number == kStopError) {
    e.Clear();  // Quit and Ctrl-C end the run like a clean end
    return;
  }
  win_.beep();
  const QString report = errorReport(e);
  win_.setStatus(report, report);  // the tooltip shows what the pane cannot
}

void RunEngine::returnToScriptAtError(int line, int column) {
  win_.setEditorText(savedScript_);
  win_.setEditorForeColor(savedForeColor_);
  const TextSelection sel = errorSelection(savedScript_, line, column);
  win_.setEditorSelection(sel.start, sel.length);
  win_.setEditorLocked(win_.isReadOnlyDocument());
  savedScript_.clear();
  win_.enableMenus(true);
  win_.updateCaretStatus();
}

void RunEngine::returnToScript() {
  win_.setEditorText(savedScript_);
  win_.setEditorForeColor(savedForeColor_);
  win_.setEditorSelection(savedSelStart_, 0);
  win_.setEditorLocked(win_.isReadOnlyDocument());
  win_.focusEditor();
  savedScript_.clear();
  showingOutput_ = false;
  win_.enableMenus(true);
  win_.updateCaretStatus();
}

void RunEngine::keyDown() {
  win_.setStatus(QString(), QString());
  // The script text is put back while ShowingOutput is still set, so the
  // document is not marked modified.
  if (showingOutput_) returnToScript();
}

bool RunEngine::keyPress(char16_t ch) {
  if (!running_) return false;
  if (ch == 13) {
    flags_.InputComplete = true;
    return true;
  }
  if (ch == 3) {
    if (flags_.AwaitingInput) {
      flags_.InputComplete = true;
      flags_.InputCancelled = true;
    } else {
      flags_.AbortRequested = true;
    }
  }
  return false;
}

bool RunEngine::prepareClose() {
  if (running_) {
    // Stopped at its next WScript call; the close comes back after the run.
    closeRequested_ = true;
    console_.stopAll();
    flags_.AbortRequested = true;
    if (flags_.AwaitingInput) {
      flags_.InputComplete = true;
      flags_.InputCancelled = true;
    }
    return false;
  }
  if (showingOutput_) {
    // As a key would: the output's "Press ESC." goes with the output.
    win_.setStatus(QString(), QString());
    returnToScript();
  }
  return true;
}

}  // namespace pw
