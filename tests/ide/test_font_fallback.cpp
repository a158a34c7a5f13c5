// The font dialog on a machine that lacks the editor's face ("Courier New"):
// it opens on the stand-in face in the asked style, so OK without a change
// leaves the editor as it was. PW_FONT_SET=dejavu-mono narrows the machine's
// fonts to DejaVu Sans Mono alone, whose first style is an oblique one.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>

#include "commondlgs.h"
#include "ide.h"

using namespace pw;

namespace {

// Acts on the next font dialog once its own event loop runs.
void onFontDialog(std::function<void(QFontDialog*)> act) {
  auto* timer = new QTimer;
  auto start = std::make_shared<QElapsedTimer>();
  start->start();
  const int level = QThread::currentThread()->loopLevel();
  QObject::connect(timer, &QTimer::timeout, [=] {
    auto* dlg = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
    const bool ready = dlg && dlg->isVisible() && QThread::currentThread()->loopLevel() > level;
    if (!ready && start->elapsed() < 10000) return;
    timer->stop();
    timer->deleteLater();
    if (ready) act(dlg);
  });
  timer->start(20);
}

bool slanted(const QFont& f) { return f.style() != QFont::StyleNormal; }

}  // namespace

class FontFallbackTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (QFontDatabase::hasFamily(QStringLiteral("Courier New"))) QSKIP("this machine has Courier New");
  }

  void theDialogOpensOnTheStandInInTheAskedStyle_data() {
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::newRow("regular") << false << false;
    QTest::newRow("bold") << true << false;
    QTest::newRow("italic") << false << true;
    QTest::newRow("bold italic") << true << true;
  }
  void theDialogOpensOnTheStandInInTheAskedStyle() {
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    CommonDlgs d;
    d.Max = 14;
    d.Min = 8;
    d.FontName = QStringLiteral("Courier New");
    d.FontSize = 10;
    d.FontBold = bold;
    d.FontItalic = italic;
    d.Flags = cf::InitToLogFontStruct | cf::Effects | cf::NoSimulations | cf::LimitSize | cf::FixedPitchOnly;
    QFont shown;
    onFontDialog([&](QFontDialog* dlg) {
      shown = dlg->currentFont();
      dlg->accept();
    });
    QCOMPARE(d.ShowFont(nullptr), false);
    QVERIFY2(QFontDatabase::families().contains(shown.family()), qPrintable(shown.family()));
    QVERIFY2(slanted(shown) == italic && shown.bold() == bold,
             qPrintable(shown.family() + " " + shown.styleName()));
    QCOMPARE(d.FontItalic, italic);
    QCOMPARE(d.FontBold, bold);
    QCOMPARE(d.FontName, shown.family());
  }

  void okWithoutAChangeKeepsTheEditorUpright() {
    QTemporaryDir dir;
    auto ide = std::make_unique<IDE>(dir.path());
    QVERIFY(QTest::qWaitForWindowExposed(ide.get()));
    QCOMPARE(ide->txtScript->font().family(), QStringLiteral("Courier New"));  // the default asks for it
    for (int pass = 0; pass < 2; ++pass) {
      onFontDialog([](QFontDialog* dlg) { dlg->accept(); });
      ide->mnuIDEFont->trigger();
      QVERIFY(!slanted(ide->txtScript->font()));
      QVERIFY(!ide->txtScript->font().bold());
    }
    ide->close();
    QFile ini(dir.filePath(QStringLiteral("Pallweave.ini")));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray saved = ini.readAll();
    QVERIFY2(saved.contains("\"Font.Italic\",#FALSE#\r\n"), saved.constData());
    QVERIFY(saved.contains("\"Font.Bold\",#FALSE#\r\n"));
  }
};

int main(int argc, char** argv) {
  // Must be in place before the first font is looked at.
  QTemporaryDir fonts;
  if (qgetenv("PW_FONT_SET") == "dejavu-mono") {
    const QDir from(QStringLiteral("/usr/share/fonts/truetype/dejavu"));
    const QStringList faces = from.entryList({QStringLiteral("DejaVuSansMono*.ttf")}, QDir::Files);
    if (faces.isEmpty()) {
      std::fprintf(stderr, "test_font_fallback: no DejaVu Sans Mono files; the machine's fonts are used\n");
    } else {
      for (const QString& f : faces) QFile::link(from.filePath(f), fonts.filePath(f));
      QFile conf(fonts.filePath(QStringLiteral("fonts.conf")));
      if (conf.open(QIODevice::WriteOnly))
        conf.write(QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig><dir>%1</dir><cachedir>%1/cache</cachedir>"
                                  "<include ignore_missing=\"yes\">/etc/fonts/conf.d</include></fontconfig>\n")
                       .arg(fonts.path())
                       .toUtf8());
      conf.close();
      qputenv("FONTCONFIG_FILE", QFile::encodeName(conf.fileName()));
    }
  }
  QApplication app(argc, argv);
  FontFallbackTest t;
  return QTest::qExec(&t, argc, argv);
}

#include "test_font_fallback.moc"
