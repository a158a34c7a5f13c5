#include "settings_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "textcodec.h"

#ifndef PALLWEAVE_INSTALL_PREFIX
#error "PALLWEAVE_INSTALL_PREFIX must name the install prefix"
#endif

namespace pw {

namespace {

constexpr auto kCompany = "Fenmarch Systems";
constexpr auto kTitle = "Pallweave";

struct Field {
  bool quoted = false;
  QString text;
};

struct Record {
  QString name;  // lower case
  std::optional<Field> value;
};

// Records as the writer makes them ("Key",value), tolerating blanks around
// the comma, unquoted keys, blank lines and LF or CR line ends.
std::vector<Record> parseRecords(const QString& t) {
  std::vector<Record> out;
  qsizetype i = 0, n = t.size();
  auto isBreak = [&](qsizetype k) { return k < n && (t[k] == u'\r' || t[k] == u'\n'); };
  auto skipBlanks = [&] {
    while (i < n && (t[i] == u' ' || t[i] == u'\t')) ++i;
  };
  auto readField = [&]() -> Field {
    Field f;
    skipBlanks();
    if (i < n && t[i] == u'"') {
      f.quoted = true;
      ++i;
      while (i < n) {
        if (t[i] == u'"') {
          if (i + 1 < n && t[i + 1] == u'"') {  // a quote inside a value is doubled
            f.text += u'"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        f.text += t[i++];
      }
    } else {
      qsizetype start = i;
      while (i < n && t[i] != u',' && !isBreak(i)) ++i;
      f.text = t.mid(start, i - start).trimmed();
    }
    skipBlanks();
    return f;
  };
  while (i < n) {
    if (isBreak(i) || t[i] == u' ' || t[i] == u'\t') {
      ++i;
      continue;
    }
    Record r;
    r.name = readField().text.toLower();
    if (i < n && t[i] == u',') {
      ++i;
      r.value = readField();
    }
    while (i < n && !isBreak(i)) ++i;  // anything after the value is ignored
    out.push_back(std::move(r));
  }
  return out;
}

// Looks keys up starting where the previous look-up stopped and wrapping
// round once, so reading in written order touches one record per key.
class CircularReader {
 public:
  explicit CircularReader(std::vector<Record> records) : records_(std::move(records)) {}
  // nullptr when the key is absent; a record without a value gives an empty optional.
  const Record* find(const QString& key) {
    QString k = key.toLower();
    size_t n = records_.size();
    for (size_t step = 0; step < n; ++step) {
      size_t at = (pos_ + step) % n;
      if (records_[at].name == k) {
        pos_ = at + 1;
        return &records_[at];
      }
    }
    return nullptr;
  }

 private:
  std::vector<Record> records_;
  size_t pos_ = 0;
};

std::optional<double> toNumber(const Field& f) {
  bool ok = false;
  double v = f.text.trimmed().toDouble(&ok);  // always the C locale
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<qint64> toInteger(const Field& f) {
  auto v = toNumber(f);
  if (!v || *v != std::floor(*v) || std::fabs(*v) > 9e15) return std::nullopt;
  return qint64(*v);
}

std::optional<bool> toBool(const Field& f) {
  if (!f.quoted) {
    if (f.text.compare(u"#TRUE#", Qt::CaseInsensitive) == 0) return true;
    if (f.text.compare(u"#FALSE#", Qt::CaseInsensitive) == 0) return false;
  }
  if (auto v = toNumber(f)) return *v != 0;
  return std::nullopt;
}

QString quoted(const QString& s) {
  QString q = s;
  q.replace(u'"', QStringLiteral("\"\""));
  return u'"' + q + u'"';
}

QString number(double v) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, float(v));
  return QString::fromLatin1(buf, res.ptr - buf);
}

}  // namespace

Settings defaultSettings(const QString& defaultFilesDir) {
  Settings s;
  s.filesDir = defaultFilesDir;
  return s;
}

Settings parseSettings(const QByteArray& bytes, const QString& defaultFilesDir) {
  Settings s = defaultSettings(defaultFilesDir);
  if (bytes.isEmpty()) return s;
  QString text = QString::fromStdU16String(decodeText(std::string_view(bytes.constData(), size_t(bytes.size()))));
  CircularReader in(parseRecords(text));
  auto field = [&](const char* key) -> std::optional<Field> {
    const Record* r = in.find(QString::fromLatin1(key));
    return r ? r->value : std::nullopt;
  };
  auto index = [&](const char* key, int& target, int lo, int hi) {
    auto f = field(key);
    auto v = f ? toInteger(*f) : std::nullopt;
    if (v && *v >= lo && *v <= hi) target = int(*v);
  };
  auto twips = [&](const char* key, double& target, bool positive) {
    auto f = field(key);
    auto v = f ? toNumber(*f) : std::nullopt;
    if (v && std::fabs(*v) <= 1e8 && (!positive || *v > 0)) target = *v;
  };
  auto flag = [&](const char* key, bool& target) {
    auto f = field(key);
    auto v = f ? toBool(*f) : std::nullopt;
    if (v) target = *v;
  };

  int state = s.windowState;
  index("WindowState", state, 0, 2);
  if (state != 1) s.windowState = state;  // a hand-written "minimised" starts normal
  twips("Left", s.left, false);
  twips("Top", s.top, false);
  twips("Width", s.width, true);
  twips("Height", s.height, true);
  index("TimeoutX", s.timeoutX, 0, 6);
  index("AllowUIX", s.allowUIX, 0, 1);
  index("SafeSubsetX", s.safeSubsetX, 0, 1);
  index("TabX", s.tabX, 0, 1);
  index("WSHVersionX", s.wshVersionX, 0, 2);
  if (auto f = field("FilesDir"); f && !f->text.isEmpty()) s.filesDir = f->text;
  flag("Font.Bold", s.fontBold);
  index("Font.Charset", s.fontCharset, 0, 255);
  if (auto f = field("Font.Color")) {
    auto v = toInteger(*f);
    if (v && *v >= INT32_MIN && *v <= qint64(UINT32_MAX)) s.fontColor = qint32(quint32(*v));
  }
  flag("Font.Italic", s.fontItalic);
  if (auto f = field("Font.Name"); f && !f->text.isEmpty()) s.fontName = f->text;
  if (auto f = field("Font.Size")) {
    auto v = toNumber(*f);
    if (v && *v > 0 && *v <= 1638) s.fontSize = float(*v);
  }
  if (auto f = field("ScriptHelpFile")) s.scriptHelpFile = f->text;
  return s;
}

QByteArray formatSettings(const Settings& s) {
  QString out;
  auto put = [&](const char* key, const QString& value) {
    out += u'"' + QString::fromLatin1(key) + QStringLiteral("\",") + value + QStringLiteral("\r\n");
  };
  auto integer = [](qint64 v) { return QString::number(v); };
  auto boolean = [](bool v) { return QString::fromLatin1(v ? "#TRUE#" : "#FALSE#"); };
  put("WindowState", integer(s.windowState == 2 ? 2 : 0));
  put("Left", number(s.left));
  put("Top", number(s.top));
  put("Width", number(s.width));
  put("Height", number(s.height));
  put("TimeoutX", integer(s.timeoutX == 5 ? 3 : s.timeoutX));  // never start with the infinite time-out
  put("AllowUIX", integer(s.allowUIX));
  put("SafeSubsetX", integer(s.safeSubsetX));
  put("TabX", integer(s.tabX));
  put("WSHVersionX", integer(s.wshVersionX));
  put("FilesDir", quoted(s.filesDir));
  put("Font.Bold", boolean(s.fontBold));
  put("Font.Charset", integer(s.fontCharset));
  put("Font.Color", integer(s.fontColor));
  put("Font.Italic", boolean(s.fontItalic));
  put("Font.Name", quoted(s.fontName));
  put("Font.Size", number(s.fontSize));
  put("ScriptHelpFile", quoted(s.scriptHelpFile));
  return out.toUtf8();
}

Settings loadSettings(const QString& path, const QString& defaultFilesDir) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return defaultSettings(defaultFilesDir);
  return parseSettings(f.readAll(), defaultFilesDir);
}

bool saveSettings(const QString& path, const Settings& s) {
  QSaveFile f(path);
  QByteArray bytes = formatSettings(s);
  if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit()) return true;
  std::fprintf(stderr, "Pallweave: the settings could not be saved to %s: %s\n", qPrintable(path),
               qPrintable(f.errorString()));
  return false;
}

SettingsPlace chooseSettingsPlace(const QString& exeDir, const QString& installPrefix, const QString& dataDir,
                                  const QString& documentsDir) {
  QString exe = QDir::cleanPath(exeDir), prefix = QDir::cleanPath(installPrefix);
  SettingsPlace p;
  // A whole-folder prefix test: /opt/pallweave does not contain /opt/pallweave-dev.
  p.installed = !installPrefix.isEmpty() &&
                (exe == prefix || exe.startsWith(prefix.endsWith(u'/') ? prefix : prefix + u'/'));
  if (p.installed) {
    p.file = QDir::cleanPath(dataDir) + u'/' + kCompany + u'/' + kTitle + u'/' + kTitle + QStringLiteral(".ini");
    p.defaultFilesDir = QDir::cleanPath(documentsDir) + u'/';
  } else {
    p.file = exe + u'/' + kTitle + QStringLiteral(".ini");
    p.defaultFilesDir = exe + u'/';
  }
  if (p.defaultFilesDir == QStringLiteral("//")) p.defaultFilesDir = QStringLiteral("/");
  return p;
}

bool createSettingsFolder(const SettingsPlace& place) {
  if (!place.installed) return true;
  QString folder = QFileInfo(place.file).absolutePath();
  if (QDir().mkpath(folder)) return true;
  std::fprintf(stderr, "Pallweave: the settings folder %s could not be created\n", qPrintable(folder));
  return false;
}

QString installPrefixOf(const QString& exeDir, const QString& configuredPrefix) {
  // cmake --install --prefix may name another prefix than the build was
  // configured with; the desktop entry it puts beside bin/ marks that one.
  const QString parent = QDir::cleanPath(exeDir + QStringLiteral("/.."));
  if (QFileInfo::exists(parent + QStringLiteral("/share/applications/Fenmarch.Systems.Pallweave.desktop")))
    return parent;
  return configuredPrefix;
}

SettingsPlace settingsPlace() {
  const QString exeDir = QCoreApplication::applicationDirPath();
  SettingsPlace p = chooseSettingsPlace(exeDir, installPrefixOf(exeDir, QString::fromUtf8(PALLWEAVE_INSTALL_PREFIX)),
                                        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                                        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  createSettingsFolder(p);
  return p;
}

QMargins frameMarginsOf(const QWidget& window) {
  const QRect f = window.frameGeometry(), g = window.geometry();
  return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
}

void storeWindowPlacement(Settings& s, const QWidget& window, const QMargins& frame) {
  Qt::WindowStates st = window.windowState();
  s.windowState = (st & Qt::WindowMinimized) ? 0 : (st & Qt::WindowMaximized) ? 2 : 0;
  QRect r = window.normalGeometry();
  if (!r.isValid()) r = window.geometry();
  r = r.marginsAdded(frame);
  const QScreen* screen = window.screen();
  double dx = screen ? screen->logicalDotsPerInchX() : 96, dy = screen ? screen->logicalDotsPerInchY() : 96;
  s.left = pixelsToTwips(r.x(), dx);
  s.top = pixelsToTwips(r.y(), dy);
  s.width = pixelsToTwips(r.width(), dx);
  s.height = pixelsToTwips(r.height(), dy);
}

void applyWindowPlacement(QWidget& window, const Settings& s, const QMargins& frame) {
  const QScreen* screen = window.screen();
  double dx = screen ? screen->logicalDotsPerInchX() : 96, dy = screen ? screen->logicalDotsPerInchY() : 96;
  window.resize(std::max(1, twipsToPixels(s.width, dx) - frame.left() - frame.right()),
                std::max(1, twipsToPixels(s.height, dy) - frame.top() - frame.bottom()));
  // move() places the frame, where setGeometry() would place the client area
  // and push the title bar off the top of the screen.
  window.move(twipsToPixels(s.left, dx), twipsToPixels(s.top, dy));
  if (s.windowState == 2) window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

}  // namespace pw
