// The main window's settings (read at start-up, written at exit) and the run
// option groups of the IDE and Timeout menus.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include "ide.h"
#include "script_control.h"
#include "settings_file.h"

namespace pw {

namespace {

constexpr int vbYesNo = 4, vbExclamation = 48, vbYes = 6;

// Each group of radio items: a handed index outside the group means the
// group's default (only a hand-edited settings file can hand one over).
int inGroup(int index, int count, int fallback) { return index >= 0 && index < count ? index : fallback; }

// Drive letters in scripts' paths (C:\Temp\log.txt) name the folders listed
// in Drives.txt beside the settings file, one "C=/srv/c" a line; without the
// file no letter is mapped. It is read here only, not written.
void loadDriveMap(const QString& folder) {
  ScriptControl::ClearDrives();
  const QString path = folder + QStringLiteral("/Drives.txt");
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return;
  const QByteArray text = file.readAll();
  const QByteArray base = QFile::encodeName(folder);
  for (const std::string& e : ScriptControl::LoadDriveMap(std::string_view(text.constData(), size_t(text.size())),
                                                          std::string_view(base.constData(), size_t(base.size()))))
    std::fprintf(stderr, "Pallweave: %s, %s\n", qPrintable(path), e.c_str());
}

}  // namespace

void IDE::LoadSettings() {
  SettingsPlace place;
  if (settingsFolder_.isEmpty()) {
    place = settingsPlace();  // creates the folders when installed
  } else {
    place.file = QDir(settingsFolder_).filePath(QStringLiteral("Pallweave.ini"));
    place.defaultFilesDir = QDir(settingsFolder_).absolutePath() + u'/';
  }
  SettingsPath = place.file;
  DefaultFilesDir = place.defaultFilesDir;
  const Settings s = loadSettings(SettingsPath, DefaultFilesDir);
  loadDriveMap(QFileInfo(SettingsPath).absolutePath());

  placement_ = s;
  applyWindowPlacement(*this, s);
  TimeoutX = s.timeoutX;
  AllowUIX = s.allowUIX;
  SafeSubsetX = s.safeSubsetX;
  TabX = s.tabX;
  WSHVersionX = s.wshVersionX;
  FilesDir = s.filesDir;
  applyScriptFont(s.fontName, s.fontSize, s.fontBold, s.fontItalic, s.fontCharset, uint32_t(s.fontColor));
  ScriptHelpFile = s.scriptHelpFile;
}

void IDE::SaveSettings() {
  Settings s = defaultSettings(DefaultFilesDir);
  // Minimised counts as normal; the normal bounds, frame included.
  if (isVisible() && !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized))) fitFrame();
  storeWindowPlacement(s, *this, frame_);
  if (frame_.isNull() && normalGeometry() == startNormal_) {
    // Never shown framed in the normal state: the bounds are still those read.
    s.left = placement_.left;
    s.top = placement_.top;
    s.width = placement_.width;
    s.height = placement_.height;
  }
  s.timeoutX = TimeoutX;           // the infinite time-out is written as 10 seconds
  s.allowUIX = AllowUIX;
  s.safeSubsetX = SafeSubsetX;
  s.tabX = TabX;
  s.wshVersionX = WSHVersionX;
  s.filesDir = FilesDir;
  const QFont f = txtScript->font();
  s.fontBold = f.bold();
  s.fontCharset = txtScript->charset();
  // A read-only document shows grey text; the next start should not take
  // the grey for the editor's colour.
  s.fontColor = qint32(IsReadOnly ? ScriptForeColor : txtScript->foreColor());
  s.fontItalic = f.italic();
  s.fontName = f.family();
  s.fontSize = float(f.pointSizeF());
  s.scriptHelpFile = ScriptHelpFile;
  saveSettings(SettingsPath, s);  // a failure is told on standard error
}

void IDE::mnuTimeoutVal_Click(int index) {
  static constexpr int32_t kMs[7] = {500, 1000, 5000, 10000, 25000, -1, 0};
  index = inGroup(index, 7, 3);
  if (index == 5 && msgBox(QStringLiteral("An infinite loop in your script may cause\r\n"
                                          "a lock-up.  Do you really want to set this\r\n"
                                          "value?"),
                           vbYesNo + vbExclamation, QStringLiteral("Infinite script timeout")) != vbYes)
    return;
  TimeoutMs = kMs[index];
  mnuTimeoutVal[inGroup(TimeoutX, 7, 3)]->setChecked(false);
  mnuTimeoutVal[index]->setChecked(true);
  TimeoutX = index;
}

void IDE::mnuIDEAllowUI_Click(int index) {
  index = inGroup(index, 2, 1);
  scScript_.AllowUI(index == 1);
  mnuIDEAllowUI[(index + 1) % 2]->setChecked(false);
  mnuIDEAllowUI[index]->setChecked(true);
  AllowUIX = index;
}

void IDE::mnuIDESafeSubset_Click(int index) {
  index = inGroup(index, 2, 1);
  scScript_.UseSafeSubset(index == 0);
  mnuIDESafeSubset[(index + 1) % 2]->setChecked(false);
  mnuIDESafeSubset[index]->setChecked(true);
  SafeSubsetX = index;
}

void IDE::mnuIDEWSHVersion_Click(int index) {
  static const char* const kVersions[3] = {"5.6", "5.7", "5.8"};
  index = inGroup(index, 3, 0);
  WshVersionText = QString::fromLatin1(kVersions[index]);
  mnuIDEWSHVersion[(index + 1) % 3]->setChecked(false);
  mnuIDEWSHVersion[(index + 2) % 3]->setChecked(false);
  mnuIDEWSHVersion[index]->setChecked(true);
  WSHVersionX = index;
}

}  // namespace pw
