// The settings file Pallweave.ini: 18 records "Key",value, one per CR LF line,
// read once at start-up and written once at exit.
#pragma once

#include <QString>
#include <QMargins>
#include <QtGlobal>

#include "main_layout.h"  // pixelsToTwips, twipsToPixels

class QWidget;

namespace pw {

constexpr qint32 kSystemWindowText = qint32(0x80000008u);  // system colour: window text

struct Settings {
  int windowState = 0;  // 0 normal, 2 maximised
  double left = 0, top = 0, width = 9000, height = 6600;  // twips, the normal bounds
  int timeoutX = 3, allowUIX = 1, safeSubsetX = 1, tabX = 0, wshVersionX = 0;
  QString filesDir;  // the caller's default until loaded
  bool fontBold = false;
  int fontCharset = 0;
  qint32 fontColor = kSystemWindowText;
  bool fontItalic = false;
  QString fontName = QStringLiteral("Courier New");
  float fontSize = 10;
  QString scriptHelpFile = QStringLiteral("script56.chm");
};

// Every value falls back to its default when its record is missing, cannot be
// read or lies outside its menu group; filesDir's default is defaultFilesDir.
Settings defaultSettings(const QString& defaultFilesDir);
Settings parseSettings(const QByteArray& bytes, const QString& defaultFilesDir);
QByteArray formatSettings(const Settings& s);

// A missing or empty file gives the defaults.
Settings loadSettings(const QString& path, const QString& defaultFilesDir);
// Replaces the file in one step; a failure is told on standard error and
// returns false, leaving any old file as it was.
bool saveSettings(const QString& path, const Settings& s);

struct SettingsPlace {
  QString file;             // full path of Pallweave.ini
  QString defaultFilesDir;  // ends in '/'
  bool installed = false;
};

// Installed under the install prefix: the file lives in
// dataDir/Fenmarch Systems/Pallweave and scripts default to documentsDir;
// otherwise both are the executable's folder. Creates no folder.
SettingsPlace chooseSettingsPlace(const QString& exeDir, const QString& installPrefix, const QString& dataDir,
                                  const QString& documentsDir);
// The same for this process (QStandardPaths, the compiled-in prefix); creates
// the two settings folder levels when installed, reporting failures on stderr.
// The prefix the program was installed under: the one holding its desktop
// entry next to exeDir's folder, else the configured one.
QString installPrefixOf(const QString& exeDir, const QString& configuredPrefix);
SettingsPlace settingsPlace();
bool createSettingsFolder(const SettingsPlace& place);

// Window placement in twips at the window's logical resolution, for the
// window as the user sees it: Left and Top are the frame's corner, Width and
// Height include the frame. frame: the window frame's margins, as far as the
// window system has told them (none before the window is first shown).
// Minimised is stored as normal; the bounds stored are the normal ones.
void storeWindowPlacement(Settings& s, const QWidget& window, const QMargins& frame = {});
void applyWindowPlacement(QWidget& window, const Settings& s, const QMargins& frame = {});
// The frame's margins round the window's client area; none while the window
// system has not framed it.
QMargins frameMarginsOf(const QWidget& window);

}  // namespace pw
