#include "commondlgs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace pw {

int roundHalfEven(double v) {
  double r = std::nearbyint(v);  // the default rounding mode sends ties to even
  if (!(r >= INT32_MIN && r <= INT32_MAX)) return v < 0 ? INT32_MIN : INT32_MAX;
  return int(r);
}

int mulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  qint64 p = qint64(a) * b;
  qint64 q = (std::llabs(p) + std::llabs(c) / 2) / std::llabs(c);
  if ((p < 0) != (c < 0)) q = -q;
  return q < INT32_MIN || q > INT32_MAX ? -1 : int(q);
}

int pointsToLogicalHeight(float points, int dpi) { return -mulDiv(roundHalfEven(points), dpi, 72); }

float logicalHeightToPoints(int height, int dpi) { return float(std::abs(double(height)) * (72.0 / dpi)); }

QByteArray faceNameField(const QString& name) {
  QByteArray bytes = (name + QString(32, QChar(0))).left(32).toUtf8();
  qsizetype cut = 32;
  // Stop before a character that does not fit whole.
  while (cut > 0 && cut < bytes.size() && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) --cut;
  QByteArray field = bytes.left(cut);
  field.append(32 - cut, '\0');
  return field;
}

QString faceNameFromField(const QByteArray& field) {
  qsizetype end = field.indexOf('\0');
  return QString::fromUtf8(end < 0 ? field : field.left(end));
}

QString filterList(const QString& filter) {
  if (filter.isNull()) return QString();
  QString list = filter;
  list.replace(u'|', QChar(0));
  list.append(QChar(0));
  list.append(QChar(0));  // the terminator the platform string would carry
  return list;
}

QList<FilterPair> filterPairs(const QString& list) {
  QList<FilterPair> pairs;
  QStringList parts;
  qsizetype start = 0;
  while (start < list.size()) {
    qsizetype end = list.indexOf(QChar(0), start);
    if (end < 0) end = list.size();
    if (end == start) break;  // two NULs in a row end the list
    parts << list.mid(start, end - start);
    start = end + 1;
  }
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) pairs.append({parts[i], parts[i + 1]});
  return pairs;
}

QString qtNameFilter(const FilterPair& pair) {
  QStringList patterns;
  for (const QString& p : pair.patterns.split(u';', Qt::SkipEmptyParts)) {
    QString t = p.trimmed();
    if (t.isEmpty()) continue;
    patterns << (t == QLatin1String("*.*") ? QStringLiteral("*") : t);
  }
  if (patterns.isEmpty()) patterns << QStringLiteral("*");
  return pair.description + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

QString fileBuffer(const QString& text, int size) {
  return text + QString(qMax<qsizetype>(0, size - text.size()), QChar(0));
}

std::optional<QString> selectionBuffer(const QStringList& paths, bool multiSelect, int size) {
  if (paths.isEmpty()) return std::nullopt;
  QString s;
  if (multiSelect && paths.size() > 1) {
    s = QFileInfo(paths.first()).absolutePath();
    for (const QString& p : paths) s += QChar(0) + QFileInfo(p).fileName();
  } else {
    s = paths.first();
  }
  if (multiSelect) s += QChar(0);   // a multi-select list ends in two NULs
  if (s.size() + 1 > size) return std::nullopt;  // room for the terminator
  return fileBuffer(s, size);
}

static QString beforeNul(const QString& s) {
  qsizetype end = s.indexOf(QChar(0));
  return end < 0 ? s : s.left(end);
}

FileResult readFileResult(const QString& fileBuf, const QString& titleBuf, qint32 callerFlags, qint32 returnedFlags) {
  FileResult r;
  r.fileName = fileBuf;
  r.fileTitle = QStringLiteral("");
  if (!(callerFlags & ofn::AllowMultiSelect)) {
    r.fileName = beforeNul(fileBuf);
    if (!(callerFlags & ofn::NoValidate)) r.fileTitle = beforeNul(titleBuf);
  }
  r.flags = returnedFlags;
  return r;
}

QColor colorFromValue(qint32 value) {
  quint32 v = quint32(value);
  if (v & 0x80000000u) {
    QPalette pal = QGuiApplication::palette();
    switch (v & 0xFF) {
      case 5: return pal.color(QPalette::Base);
      case 13: return pal.color(QPalette::Highlight);
      case 14: return pal.color(QPalette::HighlightedText);
      case 15: return pal.color(QPalette::Button);
      case 17: return pal.color(QPalette::Disabled, QPalette::Text);
      case 18: return pal.color(QPalette::ButtonText);
      default: return pal.color(QPalette::Text);
    }
  }
  return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

// --- CommonDlgs ---------------------------------------------------------------

CommonDlgs::CommonDlgs() {
  QFont defaults;  // the platform's default font
  Charset = 0;
  Color = 0;
  FontName = defaults.family();
  FontSize = float(defaults.pointSizeF());
  Filter = QStringLiteral("All files (*.*)|*.*");
  FilterIndex = 1;
  MaxFileSize = 256;
}

static int resolution(QWidget* hWnd, QPaintDevice* hDC) {
  int dpi = hDC ? hDC->logicalDpiY() : hWnd ? hWnd->logicalDpiY() : 0;
  if (dpi <= 0 && QGuiApplication::primaryScreen()) dpi = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
  return dpi > 0 ? dpi : 96;
}

bool CommonDlgs::ShowFont(QWidget* hWnd, QPaintDevice* hDC) {
  if (Charset < 0 || Charset > 255) throw CommonDlgsError(6, "Overflow");
  PrepareFontDialog(hWnd, resolution(hWnd, hDC));
  if (!RunFontDialog()) return true;
  ReadFontDialogResult(resolution(hWnd, hDC));
  return false;
}

bool CommonDlgs::ShowOpen(QWidget* hWnd) { return ShowFile(hWnd, false); }
bool CommonDlgs::ShowSave(QWidget* hWnd) { return ShowFile(hWnd, true); }

bool CommonDlgs::ShowFile(QWidget* hWnd, bool save) {
  if (MaxFileSize < 0 || FileName.size() > MaxFileSize) throw CommonDlgsError(5, "Invalid procedure call or argument");
  PrepareFileDialog(hWnd);
  if (!RunFileDialog(save)) return true;
  ReadFileDialogResult();
  return false;
}

void CommonDlgs::PrepareFontDialog(QWidget* hWnd, int dpi) {
  lf_.lfHeight = pointsToLogicalHeight(FontSize, dpi);
  lf_.lfWidth = 0;
  lf_.lfWeight = FontBold ? 700 : 400;
  lf_.lfItalic = FontItalic ? 1 : 0;
  lf_.lfUnderline = FontUnderline ? 1 : 0;
  lf_.lfStrikeOut = FontStrikethru ? 1 : 0;
  lf_.lfCharSet = quint8(Charset);
  lf_.lfFaceName = faceNameField(FontName);
  cf_.owner = hWnd;
  cf_.dpi = dpi;
  cf_.nSizeMax = roundHalfEven(Max);
  cf_.nSizeMin = roundHalfEven(Min);
  cf_.rgbColors = Color;
  cf_.flags = Flags;
  if (!(cf_.flags & (cf::ScreenFonts | cf::PrinterFonts))) cf_.flags |= cf::ScreenFonts;
}

void CommonDlgs::ReadFontDialogResult(int dpi) {
  FontSize = logicalHeightToPoints(lf_.lfHeight, dpi);
  FontBold = lf_.lfWeight >= 600;
  FontItalic = lf_.lfItalic != 0;
  FontUnderline = lf_.lfUnderline != 0;
  FontStrikethru = lf_.lfStrikeOut != 0;
  Charset = lf_.lfCharSet;
  FontName = faceNameFromField(lf_.lfFaceName);
  Color = cf_.rgbColors;
  Flags = cf_.flags;
}

void CommonDlgs::PrepareFileDialog(QWidget* hWnd) {
  ofn_.owner = hWnd;
  ofn_.filter = filterList(Filter);
  ofn_.filterIndex = FilterIndex;
  ofn_.file = fileBuffer(FileName, MaxFileSize);
  ofn_.maxFile = MaxFileSize;
  ofn_.fileTitle = QString(256, QChar(0));
  ofn_.maxFileTitle = 256;
  ofn_.initialDir = InitDir;
  ofn_.title = DialogTitle;
  ofn_.flags = Flags;
  ofn_.defExt = DefaultExt;
}

void CommonDlgs::ReadFileDialogResult() {
  FileResult r = readFileResult(ofn_.file, ofn_.fileTitle, Flags, ofn_.flags);
  FileName = r.fileName;
  FileTitle = r.fileTitle;
  Flags = r.flags;
  // FilterIndex stays as the caller set it.
}

// --- The Qt dialogs -----------------------------------------------------------

bool CommonDlgs::RunFileDialog(bool save) {
  if (ofn_.maxFile <= 0) return false;  // no buffer to answer in
  const qint32 flags = ofn_.flags;
  const bool multi = flags & ofn::AllowMultiSelect;
  QFileDialog dlg(ofn_.owner);
  dlg.setOption(QFileDialog::DontUseNativeDialog);  // the read-only box needs Qt's own dialog
  dlg.setOption(QFileDialog::HideNameFilterDetails);  // show the descriptions as given
  dlg.setOption(QFileDialog::DontResolveSymlinks, flags & ofn::NoDereferenceLinks);
  dlg.setOption(QFileDialog::DontConfirmOverwrite, !(flags & ofn::OverwritePrompt));
  dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (save) dlg.setFileMode(QFileDialog::AnyFile);
  else if (multi) dlg.setFileMode(QFileDialog::ExistingFiles);
  else if (flags & ofn::FileMustExist) dlg.setFileMode(QFileDialog::ExistingFile);
  else dlg.setFileMode(QFileDialog::AnyFile);
  if (!ofn_.title.isNull()) dlg.setWindowTitle(ofn_.title);

  QStringList names;
  for (const FilterPair& p : filterPairs(ofn_.filter)) names << qtNameFilter(p);
  if (!names.isEmpty()) {
    dlg.setNameFilters(names);
    int i = ofn_.filterIndex >= 1 && ofn_.filterIndex <= names.size() ? ofn_.filterIndex - 1 : 0;
    dlg.selectNameFilter(names[i]);
  }
  if (!ofn_.defExt.isNull()) dlg.setDefaultSuffix(ofn_.defExt);
  if (!ofn_.initialDir.isEmpty()) dlg.setDirectory(ofn_.initialDir);
  QString initial = beforeNul(ofn_.file);
  if (!initial.isEmpty()) dlg.selectFile(initial);  // a folder in the name wins over the initial folder

  QCheckBox* readOnly = nullptr;
  if (!save && !(flags & ofn::HideReadOnly)) {
    readOnly = new QCheckBox(QFileDialog::tr("Open as &read-only"), &dlg);
    readOnly->setObjectName(QStringLiteral("readOnlyCheck"));
    readOnly->setChecked(flags & ofn::ReadOnly);
    if (auto* grid = qobject_cast<QGridLayout*>(dlg.layout()))
      grid->addWidget(readOnly, grid->rowCount(), 0, 1, grid->columnCount());
  }

  if (dlg.exec() != QDialog::Accepted) return false;
  QStringList chosen = dlg.selectedFiles();
  std::optional<QString> buffer = selectionBuffer(chosen, multi, ofn_.maxFile);
  if (!buffer) return false;  // the platform fails when the names do not fit
  ofn_.file = *buffer;
  ofn_.fileTitle = fileBuffer(QFileInfo(chosen.first()).fileName().left(ofn_.maxFileTitle - 1), ofn_.maxFileTitle);
  qint32 out = flags;
  if (readOnly) out = readOnly->isChecked() ? (out | ofn::ReadOnly) : (out & ~ofn::ReadOnly);
  out &= ~ofn::ExtensionDifferent;
  QString ext = ofn_.defExt;
  while (ext.startsWith(u'.')) ext.remove(0, 1);
  if (!ext.isEmpty() && QFileInfo(chosen.first()).suffix().compare(ext, Qt::CaseInsensitive) != 0)
    out |= ofn::ExtensionDifferent;
  ofn_.flags = out;
  return true;
}

namespace {

// QFontDialog with the size limits enforced on OK, as the platform dialog does.
class LimitedFontDialog : public QFontDialog {
 public:
  using QFontDialog::QFontDialog;
  bool limited = false;
  int minSize = 0, maxSize = 0;

 protected:
  void done(int result) override {
    if (result == QDialog::Accepted && limited) {
      double size = currentFont().pointSizeF();
      if (size < minSize || size > maxSize) {
        QMessageBox::warning(this, windowTitle(),
                             QFontDialog::tr("Size must be between %1 and %2 points.").arg(minSize).arg(maxSize));
        return;
      }
    }
    QFontDialog::done(result);
  }
};

struct NamedColor {
  const char* name;
  qint32 value;  // 0x00BBGGRR
};
constexpr NamedColor kColors[] = {
    {"Black", 0x000000}, {"Maroon", 0x000080}, {"Green", 0x008000},  {"Olive", 0x008080},
    {"Navy", 0x800000},  {"Purple", 0x800080}, {"Teal", 0x808000},   {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},   {"Lime", 0x00FF00},   {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},  {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00}, {"White", 0xFFFFFF},
};

QIcon swatch(qint32 value) {
  QPixmap pm(24, 12);
  pm.fill(colorFromValue(value));
  QPainter p(&pm);
  p.setPen(Qt::black);
  p.drawRect(0, 0, pm.width() - 1, pm.height() - 1);
  return QIcon(pm);
}

// The widgets of QFontDialog have no names; find them by what they hold.
QListView* sizeList(QFontDialog& dlg) {
  for (QListView* v : dlg.findChildren<QListView*>()) {
    QAbstractItemModel* m = v->model();
    if (!m || m->rowCount() == 0) continue;
    bool numeric = true;
    for (int r = 0; r < m->rowCount() && numeric; ++r) m->index(r, 0).data().toString().toInt(&numeric);
    if (numeric) return v;
  }
  return nullptr;
}

QGroupBox* effectsGroup(QFontDialog& dlg) {
  for (QGroupBox* g : dlg.findChildren<QGroupBox*>())
    if (!g->findChildren<QCheckBox*>().isEmpty()) return g;
  return nullptr;
}

}  // namespace

bool CommonDlgs::RunFontDialog() {
  const qint32 flags = cf_.flags;
  LimitedFontDialog dlg(cf_.owner);
  dlg.setOption(QFontDialog::DontUseNativeDialog);  // for the size limits and the colour list
  dlg.setOption(QFontDialog::MonospacedFonts, flags & cf::FixedPitchOnly);
  dlg.setOption(QFontDialog::ScalableFonts, flags & (cf::ScalableOnly | cf::TrueTypeOnly));

  QFont initial;
  if (flags & cf::InitToLogFontStruct) {
    QString family = faceNameFromField(lf_.lfFaceName);
    if (!family.isEmpty()) initial.setFamily(family);
    if (lf_.lfHeight != 0) initial.setPointSize(qMax(1, mulDiv(std::abs(lf_.lfHeight), 72, cf_.dpi)));
    initial.setWeight(QFont::Weight(qBound(100, lf_.lfWeight ? lf_.lfWeight : 400, 900)));
    initial.setItalic(lf_.lfItalic);
    initial.setUnderline(lf_.lfUnderline);
    initial.setStrikeOut(lf_.lfStrikeOut);
  }
  // Without a style name the dialog takes the family's first style, which
  // may well be an oblique one; choose the style nearest to what was asked.
  // A face this machine lacks (Courier New, often) is shown as the family
  // that stands in for it, so the styles are that family's.
  if (!QFontDatabase::hasFamily(initial.family())) {
    QFont probe = initial;
    if (flags & cf::FixedPitchOnly) {
      probe.setStyleHint(QFont::TypeWriter);
      probe.setFixedPitch(true);
    }
    initial.setFamily(QFontInfo(probe).family());
  }
  // The style nearest to the asked weight and slant; a slant never stands in
  // for upright, nor upright for a slant.
  auto nearestStyle = [](const QString& family, int weight, bool italic) {
    QString style;
    int distance = INT_MAX;
    for (const QString& st : QFontDatabase::styles(family)) {
      QFont candidate = QFontDatabase::font(family, st, 10);
      bool slanted = candidate.style() != QFont::StyleNormal;  // italic() misses oblique styles
      int d = std::abs(int(candidate.weight()) - int(weight)) + (slanted != italic ? 1000 : 0);
      if (d < distance) {
        distance = d;
        style = st;
      }
    }
    return style;
  };
  const bool slant = initial.italic();
  QString style = nearestStyle(initial.family(), initial.weight(), slant);
  if (!style.isEmpty()) initial.setStyleName(style);
  dlg.setCurrentFont(initial);
  // The dialog matches the family by its own rules and falls back to a
  // family's first style when it cannot place the asked one: check what it
  // shows, and ask again for that family's nearest style.
  const QFont shown = dlg.currentFont();
  if ((shown.style() != QFont::StyleNormal) != slant || shown.bold() != initial.bold()) {
    style = nearestStyle(shown.family(), initial.weight(), slant);
    if (!style.isEmpty()) {
      QFont again = initial;
      again.setFamily(shown.family());
      again.setStyleName(style);
      dlg.setCurrentFont(again);
    }
  }

  if ((flags & cf::LimitSize) && cf_.nSizeMax >= cf_.nSizeMin && cf_.nSizeMax > 0) {
    dlg.limited = true;
    dlg.minSize = cf_.nSizeMin;
    dlg.maxSize = cf_.nSizeMax;
    if (QListView* list = sizeList(dlg)) {
      auto hideOutside = [list, lo = cf_.nSizeMin, hi = cf_.nSizeMax] {
        QAbstractItemModel* m = list->model();
        for (int r = 0; r < m->rowCount(); ++r) {
          int size = m->index(r, 0).data().toString().toInt();
          list->setRowHidden(r, size < lo || size > hi);
        }
      };
      // The dialog refills the list for every family and style.
      QObject::connect(list->model(), &QAbstractItemModel::modelReset, list, hideOutside);
      hideOutside();
    }
  }

  QComboBox* colors = nullptr;
  if (QGroupBox* effects = effectsGroup(dlg)) {
    if (!(flags & cf::Effects)) {
      effects->hide();
    } else if (effects->layout()) {
      colors = new QComboBox(effects);
      colors->setObjectName(QStringLiteral("colorCombo"));
      int current = -1;
      for (const NamedColor& c : kColors) {
        colors->addItem(swatch(c.value), QFontDialog::tr(c.name), c.value);
        if (c.value == cf_.rgbColors) current = colors->count() - 1;
      }
      if (current < 0) {
        colors->addItem(swatch(cf_.rgbColors), QFontDialog::tr("Custom"), cf_.rgbColors);
        current = colors->count() - 1;
      }
      colors->setCurrentIndex(current);
      auto* row = new QHBoxLayout;
      auto* label = new QLabel(QFontDialog::tr("&Color:"), effects);
      label->setBuddy(colors);
      row->addWidget(label);
      row->addWidget(colors, 1);
      if (auto* box = qobject_cast<QBoxLayout*>(effects->layout())) box->addLayout(row);
    }
  }

  if (dlg.exec() != QDialog::Accepted) return false;
  QFont chosen = dlg.selectedFont();
  double points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : initial.pointSizeF();
  lf_.lfHeight = -int(std::lround(points * cf_.dpi / 72.0));
  lf_.lfWidth = 0;
  lf_.lfWeight = chosen.weight();
  lf_.lfItalic = chosen.italic();
  lf_.lfUnderline = chosen.underline();
  lf_.lfStrikeOut = chosen.strikeOut();
  // Linux family names may be longer than the 32-byte field; keep them whole.
  lf_.lfFaceName = chosen.family().toUtf8();
  if (colors) cf_.rgbColors = colors->currentData().toInt();
  return true;
}

}  // namespace pw
