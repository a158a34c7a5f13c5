#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>

#include "commondlgs.h"

using namespace pw;

namespace {

// Runs act on the next modal widget of type T once its own event loop runs:
// closing it while show() still handles events would leave exec() waiting
// forever, so the widget must have been visible for a while first.
template <typename T>
QPointer<QTimer> onModal(std::function<void(T*)> act) {
  auto* timer = new QTimer;
  auto start = std::make_shared<QElapsedTimer>(), seen = std::make_shared<QElapsedTimer>();
  start->start();
  const int level = QThread::currentThread()->loopLevel();
  QObject::connect(timer, &QTimer::timeout, [=] {
    T* w = qobject_cast<T*>(QApplication::activeModalWidget());
    bool ready = w && w->isVisible() && QThread::currentThread()->loopLevel() > level;
    if (ready && !seen->isValid()) seen->start();
    if ((ready && seen->elapsed() >= 60) || start->elapsed() > 10000) {
      timer->stop();
      timer->deleteLater();
      if (ready) act(w);
      else if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();  // never hang
    }
  });
  timer->start(10);
  return timer;
}
void accept(QDialog* d) { d->accept(); }
void type(QFileDialog* dlg, const QString& text) { dlg->findChild<QLineEdit*>("fileNameEdit")->setText(text); }

QImage device(int dpi) {
  QImage img(1, 1, QImage::Format_RGB32);
  img.setDotsPerMeterY(qRound(dpi / 0.0254));
  return img;
}
const QString kNul(1, QChar(0));
}  // namespace

class CommonDlgsTest : public QObject {
  Q_OBJECT
  QTemporaryDir tmp;

 private slots:
  void initTestCase() {
    for (const char* name : {"a.vbs", "b.vbs", "notes.txt"}) QFile(tmp.filePath(name)).open(QIODevice::WriteOnly);
  }

  void sizesAndHeights() {
    QCOMPARE(QList<int>({roundHalfEven(8.5), roundHalfEven(9.5), roundHalfEven(-2.5), roundHalfEven(9.75)}),
             QList<int>({8, 10, -2, 10}));
    QCOMPARE(QList<int>({mulDiv(10, 96, 72), mulDiv(3, 1, 2), mulDiv(-3, 1, 2), mulDiv(1, 2, 0), mulDiv(INT32_MAX, 4, 2)}),
             QList<int>({13, 2, -2, -1, -1}));
    QCOMPARE(pointsToLogicalHeight(10, 96), -13);
    QCOMPARE(pointsToLogicalHeight(8.5f, 96), pointsToLogicalHeight(8, 96));
    QCOMPARE(pointsToLogicalHeight(9.5f, 96), pointsToLogicalHeight(10, 96));
    QCOMPARE(logicalHeightToPoints(-13, 96), 9.75f);
    QCOMPARE(logicalHeightToPoints(-20, 120), 12.0f);
  }

  void faceNameCut() {
    QString n31(31, u'x'), n32(32, u'y');
    QCOMPARE(faceNameField("Courier New"), QByteArray("Courier New") + QByteArray(21, '\0'));
    QCOMPARE(faceNameField(n31), n31.toLatin1() + QByteArray(1, '\0'));
    QCOMPARE(faceNameField(n32), n32.toLatin1());  // no terminator
    QCOMPARE(faceNameField(n32 + "zzz"), n32.toLatin1());
    QCOMPARE(faceNameFromField(faceNameField(n32)), n32);
    // A two-byte character that would straddle byte 32 is left out whole.
    QCOMPARE(faceNameField(n31 + QString::fromUtf8("é")), n31.toLatin1() + QByteArray(1, '\0'));
  }

  void filtersAndResults() {
    QCOMPARE(filterList("All files (*.*)|*.*"), "All files (*.*)" + kNul + "*.*" + kNul + kNul);
    QVERIFY(filterList(QString()).isNull());
    QList<FilterPair> p = filterPairs(filterList("VBScript (.vbs)|*.vbs|All files (*.*)|*.*"));
    QCOMPARE(p.size(), 2);
    QCOMPARE(qtNameFilter(p[0]), QString("VBScript (.vbs) (*.vbs)"));
    QCOMPARE(qtNameFilter(p[1]), QString("All files (*.*) (*)"));  // "*.*" also matches names without a dot
    QCOMPARE(qtNameFilter({"Data", "*.txt; *.csv"}), QString("Data (*.txt *.csv)"));
    QCOMPARE(filterPairs(filterList("Text|*.txt|Lonely")).size(), 1);
    QCOMPARE(filterPairs(filterList("A|*.a||B|*.b")).size(), 1);  // an empty part ends the list

    QString multi = *selectionBuffer({"/s/a.vbs", "/s/b.vbs"}, true, 40);
    QCOMPARE(multi, "/s" + kNul + "a.vbs" + kNul + "b.vbs" + kNul + QString(25, QChar(0)));
    FileResult r = readFileResult(multi, fileBuffer("a.vbs", 256), ofn::AllowMultiSelect, 7);
    QCOMPARE(r.fileName, multi);  // the whole buffer, padding included
    QVERIFY(r.fileTitle.isEmpty() && !r.fileTitle.isNull());
    QCOMPARE(r.flags, 7);
    QString single = *selectionBuffer({"/s/a.vbs"}, false, 256);
    QCOMPARE(readFileResult(single, fileBuffer("a.vbs", 256), 0, 0).fileTitle, QString("a.vbs"));
    r = readFileResult(single, fileBuffer("a.vbs", 256), ofn::NoValidate, 0);
    QCOMPARE(r.fileName, QString("/s/a.vbs"));
    QCOMPARE(r.fileTitle, QString(""));
    QVERIFY(selectionBuffer({"/s/a.vbs"}, false, 9));  // 8 characters and the terminator
    QVERIFY(!selectionBuffer({"/s/a.vbs"}, false, 8));
  }

  void defaults() {
    CommonDlgs d;
    QCOMPARE(d.Filter, QString("All files (*.*)|*.*"));
    QCOMPARE(QList<int>({d.Flags, d.FilterIndex, d.MaxFileSize, d.Color, d.Charset}), QList<int>({0, 1, 256, 0, 0}));
    QVERIFY(d.FileName.isNull() && d.FileTitle.isNull() && d.DefaultExt.isNull() && d.DialogTitle.isNull());
    QCOMPARE(d.FontName, QFont().family());
    QCOMPARE(d.FontSize, float(QFont().pointSizeF()));
  }

  void openDialog() {
    CommonDlgs d;
    d.DefaultExt = ".vbs";
    d.DialogTitle = "Load Pallweave v. 2.7 Source File";
    d.Filter = "VBScript (.vbs)|*.vbs|All files (*.*)|*.*";
    d.Flags = 0x281800;
    d.InitDir = tmp.path() + "/";
    QString title, dir, shownFilter;
    bool boxTicked = true;
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      title = dlg->windowTitle();
      dir = dlg->directory().absolutePath();
      shownFilter = dlg->selectedNameFilter();
      auto* box = dlg->findChild<QCheckBox*>("readOnlyCheck");
      boxTicked = !box || box->isChecked();
      if (box) box->setChecked(true);
      dlg->selectNameFilter(dlg->nameFilters().value(1));  // the user switches filters
      type(dlg, tmp.filePath("a.vbs"));
      accept(dlg);
    });
    QCOMPARE(d.ShowOpen(nullptr), false);
    QCOMPARE(title, d.DialogTitle);
    QCOMPARE(QDir(dir), QDir(tmp.path()));
    QCOMPARE(shownFilter, QString("VBScript (.vbs)"));  // as the caller wrote it
    QVERIFY(!boxTicked);
    QCOMPARE(d.FileName, tmp.filePath("a.vbs"));
    QCOMPARE(d.FileTitle, QString("a.vbs"));
    QCOMPARE(d.Flags, 0x281800 | ofn::ReadOnly);
    QCOMPARE(d.FilterIndex, 1);  // not taken from the dialog

    // Cancel changes nothing, whatever was done in the dialog; no box with HideReadOnly.
    d.Flags = 0x281800 | ofn::HideReadOnly;
    bool hasBox = true;
    QString initial;
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      hasBox = dlg->findChild<QCheckBox*>("readOnlyCheck");
      initial = dlg->selectedFiles().value(0);
      type(dlg, tmp.filePath("b.vbs"));
      dlg->reject();
    });
    QCOMPARE(d.ShowOpen(nullptr), true);
    QVERIFY(!hasBox);
    QCOMPARE(initial, tmp.filePath("a.vbs"));  // the last choice comes back
    QCOMPARE(d.FileName, tmp.filePath("a.vbs"));
    QCOMPARE(d.FileTitle, QString("a.vbs"));
    QCOMPARE(d.Flags, 0x281800 | ofn::HideReadOnly);
  }

  void multiSelectNoValidateAndSmallBuffers() {
    CommonDlgs d;
    d.InitDir = tmp.path();
    d.Flags = ofn::AllowMultiSelect | ofn::Explorer | ofn::FileMustExist;
    onModal<QFileDialog>([](QFileDialog* dlg) {
      type(dlg, "\"a.vbs\" \"b.vbs\"");
      accept(dlg);
    });
    QCOMPARE(d.ShowOpen(nullptr), false);
    QString expected = QDir(tmp.path()).absolutePath() + kNul + "a.vbs" + kNul + "b.vbs" + kNul;
    QCOMPARE(d.FileName, expected + QString(256 - expected.size(), QChar(0)));
    QCOMPARE(d.FileTitle, QString(""));

    d.Flags = ofn::NoValidate;
    d.FileName = "";
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      type(dlg, tmp.filePath("notes.txt"));
      accept(dlg);
    });
    QCOMPARE(d.ShowOpen(nullptr), false);
    QCOMPARE(d.FileName, tmp.filePath("notes.txt"));
    QCOMPARE(d.FileTitle, QString(""));

    d.MaxFileSize = 10;  // the chosen path does not fit: a failure
    d.FileName = "";
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      type(dlg, tmp.filePath("a.vbs"));
      accept(dlg);
    });
    QCOMPARE(d.ShowOpen(nullptr), true);
    QCOMPARE(d.FileName, QString(""));
  }

  void saveDialog() {
    CommonDlgs d;
    d.DefaultExt = ".vbs";
    d.Filter = "VBScript (.vbs)|*.vbs|All files (*.*)|*.*";
    d.Flags = 0x280802;
    d.InitDir = tmp.path();
    bool hasBox = true;
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      hasBox = dlg->findChild<QCheckBox*>("readOnlyCheck");
      type(dlg, "fresh");
      accept(dlg);
    });
    QCOMPARE(d.ShowSave(nullptr), false);
    QVERIFY(!hasBox);
    QCOMPARE(d.FileName, tmp.filePath("fresh.vbs"));
    QCOMPARE(d.FileTitle, QString("fresh.vbs"));

    // An existing file: the dialog asks; No keeps it open, Yes takes the file.
    for (bool replace : {false, true}) {
      QString question;
      bool stillOpen = false;
      onModal<QFileDialog>([&](QFileDialog* dlg) {
        type(dlg, tmp.filePath("a.vbs"));
        onModal<QMessageBox>([&, dlg](QMessageBox* box) {
          question = box->text();
          box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
          if (!replace)
            QTimer::singleShot(50, dlg, [&, dlg] {
              stillOpen = dlg->isVisible();
              dlg->reject();
            });
        });
        QTimer::singleShot(0, dlg, [dlg] { accept(dlg); });
      });
      d.FileName = QString();
      QCOMPARE(d.ShowSave(nullptr), !replace);
      QVERIFY2(question.contains("a.vbs") && question.contains("already exists"), qPrintable(question));
      QCOMPARE(stillOpen, !replace);
      QCOMPARE(d.FileName, replace ? tmp.filePath("a.vbs") : QString());
    }

    d.Flags = 0x280800;  // without the overwrite flag nothing is asked
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      type(dlg, tmp.filePath("notes.txt"));
      accept(dlg);
    });
    QCOMPARE(d.ShowSave(nullptr), false);
    QCOMPARE(d.FileName, tmp.filePath("notes.txt"));
    QVERIFY(d.Flags & ofn::ExtensionDifferent);
  }

  void invalidArgumentsRaiseBeforeAnyDialog() {
    CommonDlgs d;
    QPointer<QTimer> guard = onModal<QDialog>([](QDialog* dlg) { dlg->reject(); });
    d.MaxFileSize = 4;
    d.FileName = "12345";
    int number = 0;
    try {
      d.ShowOpen(nullptr);
    } catch (const CommonDlgsError& e) {
      number = e.number;
    }
    QCOMPARE(number, 5);
    for (qint16 charset : {256, -1}) {
      d.Charset = charset;
      try {
        d.ShowFont(nullptr);
      } catch (const CommonDlgsError& e) {
        number = e.number;
      }
      QCOMPARE(number, 6);
      number = 0;
    }
    QVERIFY(guard);  // still waiting: no dialog was shown
    delete guard.data();
  }

  void fontDialogAsTheEditorUsesIt() {
    CommonDlgs d;
    d.Max = 14;
    d.Min = 8;
    d.Color = 0x008000;  // green
    d.FontName = "DejaVu Sans Mono";
    d.FontSize = 10;
    d.Flags = 0x7140;
    QImage dc = device(96);
    bool mono = false;
    QFont initial;
    QStringList sizes;
    QString color;
    onModal<QFontDialog>([&](QFontDialog* dlg) {
      mono = dlg->testOption(QFontDialog::MonospacedFonts);
      initial = dlg->currentFont();
      for (QListView* v : dlg->findChildren<QListView*>())
        if (v->model()->index(0, 0).data().toString().toInt())
          for (int r = 0; r < v->model()->rowCount(); ++r)
            if (!v->isRowHidden(r)) sizes << v->model()->index(r, 0).data().toString();
      auto* combo = dlg->findChild<QComboBox*>("colorCombo");
      color = combo ? combo->currentText() : QString();
      if (combo) combo->setCurrentIndex(combo->findText("Red"));
      QFont f("DejaVu Sans Mono", 12);
      f.setBold(true);
      dlg->setCurrentFont(f);
      accept(dlg);
    });
    QCOMPARE(d.ShowFont(nullptr, &dc), false);
    QVERIFY(mono);
    QCOMPARE(initial.family(), QString("DejaVu Sans Mono"));
    QCOMPARE(initial.pointSize(), 10);
    QVERIFY(!initial.italic() && !initial.bold());
    QCOMPARE(sizes, (QStringList{"8", "9", "10", "11", "12", "14"}));
    QCOMPARE(color, QString("Green"));
    QCOMPARE(d.FontName, QString("DejaVu Sans Mono"));
    QCOMPARE(d.FontSize, 12.0f);
    QVERIFY(d.FontBold && !d.FontItalic);
    QCOMPARE(d.Color, 0x0000FF);
    QCOMPARE(d.Flags, 0x7141);  // screen fonts added

    // The offered 10 points come back as 9.75; the style follows bold and italic.
    d.FontSize = 10;
    d.FontBold = false;
    d.FontItalic = true;
    onModal<QFontDialog>([](QFontDialog* dlg) { accept(dlg); });
    QCOMPARE(d.ShowFont(nullptr, &dc), false);
    QCOMPARE(d.FontSize, 9.75f);
    QVERIFY(!d.FontBold && d.FontItalic);

    // A face the machine lacks opens on its stand-in, upright as asked (not on
    // the stand-in's first style, which may be oblique).
    d.FontName = "No Such Face Anywhere";
    d.FontItalic = false;
    onModal<QFontDialog>([&](QFontDialog* dlg) {
      initial = dlg->currentFont();
      accept(dlg);
    });
    QCOMPARE(d.ShowFont(nullptr, &dc), false);
    QVERIFY(initial.style() == QFont::StyleNormal);
    QVERIFY(!d.FontBold && !d.FontItalic);
    QVERIFY(d.FontName != "No Such Face Anywhere");
  }

  void sizeOutsideTheLimitsIsRefused() {
    CommonDlgs d;
    d.FontName = "DejaVu Sans Mono";
    d.FontSize = 10;
    d.Min = 8;
    d.Max = 14;
    d.Flags = cf::InitToLogFontStruct | cf::LimitSize;
    QString warning;
    bool stillOpen = false;
    onModal<QFontDialog>([&](QFontDialog* dlg) {
      dlg->setCurrentFont(QFont("DejaVu Sans Mono", 20));
      onModal<QMessageBox>([&, dlg](QMessageBox* box) {
        warning = box->text();
        box->accept();
        QTimer::singleShot(50, dlg, [&, dlg] {
          stillOpen = dlg->isVisible();
          dlg->reject();
        });
      });
      QTimer::singleShot(0, dlg, [dlg] { accept(dlg); });
    });
    QCOMPARE(d.ShowFont(nullptr), true);
    QCOMPARE(warning, QString("Size must be between 8 and 14 points."));
    QVERIFY(stillOpen);
    QCOMPARE(d.FontSize, 10.0f);
    QCOMPARE(d.Flags, cf::InitToLogFontStruct | cf::LimitSize);
  }

  void plainFontDialog() {
    CommonDlgs d;
    d.FontName = "DejaVu Sans";
    d.FontSize = 12;
    bool mono = true, effects = true, colors = true;
    onModal<QFontDialog>([&](QFontDialog* dlg) {
      mono = dlg->testOption(QFontDialog::MonospacedFonts);
      for (QGroupBox* g : dlg->findChildren<QGroupBox*>())
        if (!g->findChildren<QCheckBox*>().isEmpty()) effects = g->isVisible();
      colors = dlg->findChild<QComboBox*>("colorCombo");
      dlg->setCurrentFont(QFont("DejaVu Sans", 12));
      accept(dlg);
    });
    QImage dc = device(96);
    QCOMPARE(d.ShowFont(nullptr, &dc), false);
    QVERIFY(!mono && !effects && !colors);
    QCOMPARE(d.Flags, cf::ScreenFonts);
    QCOMPARE(d.FontSize, 12.0f);

    d.FontName = "kept";
    onModal<QFontDialog>([](QFontDialog* dlg) { dlg->reject(); });
    QCOMPARE(d.ShowFont(nullptr, &dc), true);
    QCOMPARE(d.FontName, QString("kept"));
  }
};

QTEST_MAIN(CommonDlgsTest)
#include "test_commondlgs.moc"
