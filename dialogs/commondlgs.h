// CommonDlgs: the open, save and font dialogs behind one object with plain
// properties. Set properties, call ShowOpen/ShowSave/ShowFont, and when the
// call returns false read the results back. True means nothing was chosen
// (cancelled or failed), and then no property has changed.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

class QWidget;
class QPaintDevice;

namespace pw {

// Dialog flags keep their Windows values, so stored flags keep their meaning.
namespace ofn {
constexpr qint32 ReadOnly = 0x1, OverwritePrompt = 0x2, HideReadOnly = 0x4, NoValidate = 0x100,
                 AllowMultiSelect = 0x200, ExtensionDifferent = 0x400, PathMustExist = 0x800,
                 FileMustExist = 0x1000, Explorer = 0x80000, NoDereferenceLinks = 0x100000, LongNames = 0x200000;
}
namespace cf {
constexpr qint32 ScreenFonts = 0x1, PrinterFonts = 0x2, InitToLogFontStruct = 0x40, Effects = 0x100,
                 NoSimulations = 0x1000, LimitSize = 0x2000, FixedPitchOnly = 0x4000, ScalableOnly = 0x20000,
                 TrueTypeOnly = 0x40000;
}

// Raised before any dialog is shown: 5 for a FileName longer than MaxFileSize
// (or a negative MaxFileSize), 6 for a Charset outside 0 to 255.
struct CommonDlgsError : std::runtime_error {
  int number;
  CommonDlgsError(int n, const char* text) : std::runtime_error(text), number(n) {}
};

// --- Pure conversions -------------------------------------------------------

int roundHalfEven(double v);
// a * b / c rounded half away from zero in 64 bits; -1 when c is 0.
int mulDiv(int a, int b, int c);
// A size in points as a negative character height in pixels at dpi; the
// size is first rounded to whole points (ties to even).
int pointsToLogicalHeight(float points, int dpi);
// And back, unrounded: -13 at 96 dpi is 9.75 points.
float logicalHeightToPoints(int height, int dpi);
// The 32-byte face-name field: NUL-padded, no terminator at 32 bytes, never
// ending in a partial UTF-8 character.
QByteArray faceNameField(const QString& name);
QString faceNameFromField(const QByteArray& field);  // up to the first NUL

// "Desc|*.a|Desc2|*.b" -> "Desc\0*.a\0Desc2\0*.b\0\0" (two NULs end the list).
QString filterList(const QString& filter);
struct FilterPair {
  QString description, patterns;
};
QList<FilterPair> filterPairs(const QString& list);  // an unpaired description is dropped
// The Qt name filter: "*.*" matches every file and ';' separates patterns.
QString qtNameFilter(const FilterPair& pair);

// The file-name buffer: text padded with NULs to size characters.
QString fileBuffer(const QString& text, int size);
// What the dialog writes into a buffer of size characters: one full path, or
// with multi-select and several files the folder and the names separated by
// NULs; nullopt when that does not fit (with its terminators).
std::optional<QString> selectionBuffer(const QStringList& paths, bool multiSelect, int size);

struct FileResult {
  QString fileName, fileTitle;
  qint32 flags = 0;
};
// callerFlags decide how the buffers are read: the whole file buffer with
// multi-select, else up to the first NUL, and no title with no-validate.
FileResult readFileResult(const QString& fileBuf, const QString& titleBuf, qint32 callerFlags, qint32 returnedFlags);

// A colour value as the program stores it: 0x00BBGGRR, or with the high bit
// set a system colour by its index (8 window text, 17 grey text, ...).
QColor colorFromValue(qint32 value);

// --- The dialogs ------------------------------------------------------------

class CommonDlgs {
 public:
  CommonDlgs();

  // A null QString is "not set"; an empty one is set.
  qint32 Flags = 0;
  QString DefaultExt;
  QString DialogTitle;
  QString FileName;
  QString FileTitle;
  QString Filter;
  qint32 FilterIndex = 1;
  QString InitDir;
  qint32 MaxFileSize = 256;
  qint16 Charset = 0;
  qint32 Color = 0;
  bool FontBold = false;
  bool FontItalic = false;
  QString FontName;
  float FontSize = 0;
  bool FontStrikethru = false;
  bool FontUnderline = false;
  float Max = 0;
  float Min = 0;

  // hDC gives the vertical resolution; by default the owner's (or the screen's).
  bool ShowFont(QWidget* hWnd, QPaintDevice* hDC = nullptr);
  bool ShowOpen(QWidget* hWnd);
  bool ShowSave(QWidget* hWnd);

 private:
  struct LogFont {
    int lfHeight = 0, lfWidth = 0, lfWeight = 0;
    quint8 lfItalic = 0, lfUnderline = 0, lfStrikeOut = 0, lfCharSet = 0;
    QByteArray lfFaceName = QByteArray(32, '\0');
  };
  struct FontRecord {
    QWidget* owner = nullptr;
    int dpi = 96;
    int nSizeMin = 0, nSizeMax = 0;
    qint32 rgbColors = 0;
    qint32 flags = 0;
  };
  struct FileRecord {
    QWidget* owner = nullptr;
    QString filter;  // NUL-separated list
    int filterIndex = 0;
    QString file;  // the file-name buffer
    int maxFile = 0;
    QString fileTitle;
    int maxFileTitle = 256;
    QString initialDir, title, defExt;  // null when not set
    qint32 flags = 0;
  };

  void PrepareFontDialog(QWidget* hWnd, int dpi);
  void ReadFontDialogResult(int dpi);
  void PrepareFileDialog(QWidget* hWnd);
  void ReadFileDialogResult();
  bool RunFontDialog();  // false when cancelled, as the platform calls answer
  bool RunFileDialog(bool save);
  bool ShowFile(QWidget* hWnd, bool save);

  FontRecord cf_;
  LogFont lf_;
  FileRecord ofn_;
};

}  // namespace pw
