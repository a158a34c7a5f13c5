// The main window's document commands (New, Open, Save, Save As and the
// unsaved-changes question) and its editor view commands (Font, tab width,
// Select All).
#include <QDir>
#include <QFileInfo>

#include "ide.h"

namespace pw {

namespace {

constexpr uint32_t kGrayText = 0x80000011u;
const QString kScriptFilter = QStringLiteral("VBScript (.vbs)|*.vbs|All files (*.*)|*.*");

// VBScript MsgBox styles and answers.
constexpr int vbOKOnly = 0, vbYesNoCancel = 3, vbCritical = 16, vbInformation = 64;
constexpr int vbYes = 6, vbNo = 7;

QString folderOf(const QString& path) { return path.left(path.lastIndexOf(u'/') + 1); }

}  // namespace

int IDE::msgBox(const QString& text, int style, const QString& title) {
  return host_.msgBox(text.toStdU16String(), style, title.toStdU16String());
}

// --- documents ---

void IDE::ApplyDocumentState() {
  mnuFileSave->setEnabled(HasFile && !IsReadOnly && Modified);
  txtScript->setReadOnly(IsReadOnly);
  txtScript->setForeColor(IsReadOnly ? kGrayText : ScriptForeColor);
  mnuFileSaveAs->setEnabled(Modified);
  mnuRunStart->setEnabled(CanRun);
}

void IDE::onScriptChanged() {
  if (!run_ || run_->showingOutput() || run_->running() || Modified) return;
  Modified = CanRun = true;
  ApplyDocumentState();
  showTitle(false);
}

bool IDE::AskToSaveChanges() {
  if (!Modified) return true;
  const int answer = msgBox(QStringLiteral("You have unsaved changes.\r\nDo you wish to save them now?"),
                            vbYesNoCancel + vbInformation, QStringLiteral("Unsaved changes"));
  if (answer == vbYes) {
    // A document opened read only is not written over: it gets a name of its own.
    const SaveResult saved = HasFile && !IsReadOnly ? fileSave() : fileSaveAs();
    // After a failed save the text stays where it is; the user was told why.
    return saved != SaveResult::Failed;
  }
  return answer == vbNo;
}

void IDE::fileNew() {
  if (!AskToSaveChanges()) return;
  txtScript->setText(QString());
  format_ = newScriptFormat();
  Modified = CanRun = HasFile = IsReadOnly = false;
  ApplyDocumentState();
  setStatus(QStringLiteral("New script"), QString());
  CurrentScriptName = CurrentScriptPath = QStringLiteral("(new)");
  UpdateCaretStatus();
  showTitle(false);
}

bool IDE::showFileDialog(bool save) {
  try {
    return save ? Dialogs->ShowSave(this) : Dialogs->ShowOpen(this);
  } catch (const CommonDlgsError& e) {
    msgBox(QString::fromUtf8(e.what()), vbOKOnly + vbCritical, ProgramTitle);
    return true;
  }
}

void IDE::fileOpen() {
  if (!AskToSaveChanges()) return;
  Dialogs->DefaultExt = QStringLiteral(".vbs");
  Dialogs->DialogTitle = QStringLiteral("Load ") + ProgramTitle + QStringLiteral(" Source File");
  Dialogs->Filter = kScriptFilter;
  Dialogs->FilterIndex = 1;
  Dialogs->Flags = ofn::PathMustExist | ofn::FileMustExist | ofn::Explorer | ofn::LongNames;
  Dialogs->InitDir = FilesDir;
  if (showFileDialog(false)) {
    setStatus(QStringLiteral("Open canceled."), QString());
    return;
  }
  loadDocument(Dialogs->FileName, Dialogs->FileTitle, Dialogs->Flags & ofn::ReadOnly);
}

void IDE::openAtStart(const QString& file) {
  const QString path = QFileInfo(file).absoluteFilePath();
  loadDocument(path, QFileInfo(path).fileName(), false);
}

bool IDE::loadDocument(const QString& path, const QString& title, bool readOnly) {
  // Read before anything changes, so a file that cannot be read leaves the
  // document as it was.
  ScriptReadResult file = readScriptFile(path);
  if (!file.ok()) {
    msgBox(file.message, vbOKOnly + vbCritical, ProgramTitle);
    return false;
  }
  CurrentScriptName = title;
  CurrentScriptPath = path;
  FilesDir = folderOf(path);
  QDir::setCurrent(FilesDir);
  IsReadOnly = isReadOnlyFile(path) || readOnly;
  txtScript->setText(file.text);
  format_ = std::move(file.format);
  txtScript->setSelection(0, 0);
  CanRun = HasFile = true;
  Modified = false;
  ApplyDocumentState();
  setStatus(IsReadOnly ? QStringLiteral("Script loaded, read only") : QStringLiteral("Script loaded"), QString());
  showTitle(false);
  return true;
}

bool IDE::writeDocument(const QString& path) {
  ScriptWriteResult r = writeScriptFile(path, txtScript->text(), format_);
  if (!r.ok()) {
    msgBox(r.message, vbOKOnly + vbCritical, ProgramTitle);
    return false;
  }
  format_ = std::move(r.format);
  if (r.encodingChanged)
    msgBox(QStringLiteral("The script holds characters that Windows-1252, the file's encoding, cannot store, "
                          "so \"%1\" was saved as UTF-8.")
               .arg(path),
           vbOKOnly + vbInformation, ProgramTitle);
  return true;
}

IDE::SaveResult IDE::fileSave() {
  if (!writeDocument(CurrentScriptPath)) return SaveResult::Failed;
  Modified = false;
  ApplyDocumentState();
  setStatus(QStringLiteral("Script saved"), QString());
  showTitle(false);
  return SaveResult::Saved;
}

IDE::SaveResult IDE::fileSaveAs() {
  Dialogs->DefaultExt = QStringLiteral(".vbs");
  Dialogs->DialogTitle = QStringLiteral("Save ") + ProgramTitle + QStringLiteral(" Source File as...");
  Dialogs->Filter = kScriptFilter;
  Dialogs->FilterIndex = 1;
  Dialogs->Flags = ofn::OverwritePrompt | ofn::PathMustExist | ofn::Explorer | ofn::LongNames;
  Dialogs->InitDir = FilesDir;
  if (showFileDialog(true)) {
    setStatus(QStringLiteral("Save As canceled."), QString());
    return SaveResult::Canceled;
  }
  // The new file replaces an old one in a single rename, so a failed write
  // leaves the old file and the document's names as they were.
  const QString path = Dialogs->FileName;
  if (!writeDocument(path)) return SaveResult::Failed;
  CurrentScriptName = Dialogs->FileTitle;
  CurrentScriptPath = path;
  FilesDir = folderOf(path);
  QDir::setCurrent(FilesDir);
  Modified = false;
  CanRun = HasFile = true;
  IsReadOnly = false;
  ApplyDocumentState();
  setStatus(QStringLiteral("Script saved"), QString());
  showTitle(false);
  return SaveResult::Saved;
}

// --- editor view ---

void IDE::editSelectAll() { txtScript->setSelection(0, int(txtScript->text().size())); }

void IDE::mnuIDETab_Click(int index) {
  if (index < 0 || index > 1) index = 0;
  mnuIDETab[(index + 1) % 2]->setChecked(false);
  mnuIDETab[index]->setChecked(true);
  TabX = index;
  txtScript->setTabChars((index + 1) * 4);
}

void IDE::ideFont() {
  const QFont now = txtScript->font();
  Dialogs->Max = 14;
  Dialogs->Min = 8;
  Dialogs->Charset = qint16(txtScript->charset());
  Dialogs->Color = qint32(txtScript->foreColor());
  Dialogs->FontName = now.family();
  Dialogs->FontSize = float(now.pointSizeF());
  Dialogs->FontBold = now.bold();
  Dialogs->FontItalic = now.italic();
  Dialogs->Flags = cf::InitToLogFontStruct | cf::Effects | cf::NoSimulations | cf::LimitSize | cf::FixedPitchOnly;
  try {
    if (Dialogs->ShowFont(this)) return;
  } catch (const CommonDlgsError& e) {
    msgBox(QString::fromUtf8(e.what()), vbOKOnly + vbCritical, ProgramTitle);
    return;
  }
  applyScriptFont(Dialogs->FontName, Dialogs->FontSize, Dialogs->FontBold, Dialogs->FontItalic,
                  Dialogs->Charset, uint32_t(Dialogs->Color));
}

void IDE::applyScriptFont(const QString& name, float size, bool bold, bool italic, int charset, uint32_t color) {
  QFont f(name);
  f.setStyleHint(QFont::TypeWriter);  // a fixed-pitch stand-in where the face is missing
  f.setPointSizeF(size > 0 ? size : 10);
  f.setBold(bold);
  f.setItalic(italic);
  txtScript->setCharset(charset);
  txtScript->setForeColor(color);
  txtScript->setFont(f);
  ScriptForeColor = color;
  // The input line always matches the editor.
  QPalette p = txtInput->palette();
  const QColor c = colorFromValue(color);
  p.setColor(QPalette::Active, QPalette::Text, c);
  p.setColor(QPalette::Inactive, QPalette::Text, c);
  txtInput->setPalette(p);
  txtInput->setFont(f);
}

}  // namespace pw
