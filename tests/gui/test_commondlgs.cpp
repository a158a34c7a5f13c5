#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QPointer>
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
  auto start = std::make_shared<QElapsedTimer>();
  auto seen = std::make_shared<QElapsedTimer>();
  start->start();
  const int level = QThread::currentThread()->loopLevel();
  QObject::connect(timer, &QTimer::timeout, [timer, act, start, seen, level] {
    T* w = qobject_cast<T*>(QApplication::activeModalWidget());
    bool ready = w && w->isVisible() && QThread::currentThread()->loopLevel() > level;
    if (ready && !seen->isValid()) seen->start();
    if (ready && seen->elapsed() >= 60) {
      timer->stop();
      timer->deleteLater();
      act(w);
    } else if (start->elapsed() > 10000) {  // never hang the suite
      timer->stop();
      timer->deleteLater();
      if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
    }
  });
  timer->start(10);
  return timer;
}

QImage device(int dpi) {
  QImage img(1, 1, QImage::Format_RGB32);
  img.setDotsPerMeterY(qRound(dpi / 0.0254));
  img.setDotsPerMeterX(qRound(dpi / 0.0254));
  return img;
}

const QString kNul(1, QChar(0));

// As the user types into the file-name box.
void type(QFileDialog* dlg, const QString& text) { dlg->findChild<QLineEdit*>("fileNameEdit")->setText(text); }

}  // namespace

class CommonDlgsTest : public QObject {
  Q_OBJECT
  QTemporaryDir tmp;

  void touch(const QString& name) {
    QFile f(tmp.filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
  }

 private slots:
  void initTestCase() {
    touch("a.vbs");
    touch("b.vbs");
    touch("notes.txt");
  }

  // --- conversions ---

  void sizeRounding() {
    QCOMPARE(roundHalfEven(8.5), 8);
    QCOMPARE(roundHalfEven(9.5), 10);
    QCOMPARE(roundHalfEven(10.5), 10);
    QCOMPARE(roundHalfEven(-2.5), -2);
    QCOMPARE(roundHalfEven(9.75), 10);
    QCOMPARE(roundHalfEven(8.49), 8);
    QCOMPARE(mulDiv(10, 96, 72), 13);
    QCOMPARE(mulDiv(3, 1, 2), 2);  // halves away from zero
    QCOMPARE(mulDiv(-3, 1, 2), -2);
    QCOMPARE(mulDiv(3, -1, 2), -2);
    QCOMPARE(mulDiv(1, 2, 0), -1);
    QCOMPARE(mulDiv(INT32_MAX, 4, 2), -1);
  }

  void pointsAndHeights() {
    QCOMPARE(pointsToLogicalHeight(10, 96), -13);
    QCOMPARE(pointsToLogicalHeight(8.5f, 96), pointsToLogicalHeight(8, 96));
    QCOMPARE(pointsToLogicalHeight(9.5f, 96), pointsToLogicalHeight(10, 96));
    QCOMPARE(pointsToLogicalHeight(12, 120), -20);
    QCOMPARE(logicalHeightToPoints(-13, 96), 9.75f);
    QCOMPARE(logicalHeightToPoints(13, 96), 9.75f);
    QCOMPARE(logicalHeightToPoints(-20, 120), 12.0f);
    // Once through the dialog a size settles: 10 -> 9.75 -> 9.75.
    QCOMPARE(logicalHeightToPoints(pointsToLogicalHeight(9.75f, 96), 96), 9.75f);
  }

  void faceNameCut() {
    QByteArray f = faceNameField("Courier New");
    QCOMPARE(f.size(), 32);
    QCOMPARE(f.left(12), QByteArray("Courier New\0", 12));
    QCOMPARE(f.count('\0'), 32 - 11);
    QString n31(31, u'x'), n32(32, u'y'), n40(40, u'z');
    QCOMPARE(faceNameField(n31).at(31), '\0');
    QCOMPARE(faceNameField(n32), n32.toLatin1());
    QCOMPARE(faceNameField(n40), QByteArray(32, 'z'));
    QCOMPARE(faceNameFromField(faceNameField(n31)), n31);
    QCOMPARE(faceNameFromField(faceNameField(n32)), n32);
    QCOMPARE(faceNameFromField(faceNameField(QString())), QString());
    // A two-byte character that would straddle byte 32 is left out whole.
    QString accented = n31 + QString::fromUtf8("é");
    QCOMPARE(faceNameField(accented), n31.toLatin1() + QByteArray(1, '\0'));
    QCOMPARE(faceNameFromField(faceNameField(QString::fromUtf8("Bitstream Véra"))), QString::fromUtf8("Bitstream Véra"));
  }

  void filterLists() {
    QCOMPARE(filterList("All files (*.*)|*.*"), QString("All files (*.*)") + kNul + "*.*" + kNul + kNul);
    QVERIFY(filterList(QString()).isNull());
    QCOMPARE(filterList(""), kNul + kNul);
    QList<FilterPair> p = filterPairs(filterList("VBScript (.vbs)|*.vbs|All files (*.*)|*.*"));
    QCOMPARE(p.size(), 2);
    QCOMPARE(p[0].description, QString("VBScript (.vbs)"));
    QCOMPARE(p[0].patterns, QString("*.vbs"));
    QCOMPARE(p[1].patterns, QString("*.*"));
    QCOMPARE(filterPairs(filterList("Text|*.txt|Lonely")).size(), 1);
    QCOMPARE(filterPairs(filterList("|*.txt|A|*.a")).size(), 0);  // an empty part ends the list
    QCOMPARE(filterPairs(filterList("A|*.a||B|*.b")).size(), 1);
    QCOMPARE(qtNameFilter({"VBScript (.vbs)", "*.vbs"}), QString("VBScript (.vbs) (*.vbs)"));
    QCOMPARE(qtNameFilter({"All files (*.*)", "*.*"}), QString("All files (*.*) (*)"));
    QCOMPARE(qtNameFilter({"Data", "*.txt; *.csv"}), QString("Data (*.txt *.csv)"));
  }

  void fileResults() {
    QString single = *selectionBuffer({"/s/a.vbs"}, false, 256);
    QCOMPARE(single.size(), 256);
    QVERIFY(single.startsWith("/s/a.vbs" + kNul));
    FileResult r = readFileResult(single, fileBuffer("a.vbs", 256), ofn::Explorer, ofn::Explorer | ofn::ReadOnly);
    QCOMPARE(r.fileName, QString("/s/a.vbs"));
    QCOMPARE(r.fileTitle, QString("a.vbs"));
    QCOMPARE(r.flags, ofn::Explorer | ofn::ReadOnly);

    QString multi = *selectionBuffer({"/s/a.vbs", "/s/b.vbs"}, true, 40);
    QCOMPARE(multi, "/s" + kNul + "a.vbs" + kNul + "b.vbs" + kNul + QString(40 - 15, QChar(0)));
    r = readFileResult(multi, fileBuffer("a.vbs", 256), ofn::AllowMultiSelect, ofn::AllowMultiSelect);
    QCOMPARE(r.fileName, multi);  // the whole buffer, padding included
    QCOMPARE(r.fileTitle, QString(""));
    QVERIFY(!r.fileTitle.isNull());

    r = readFileResult(single, fileBuffer("a.vbs", 256), ofn::NoValidate, 0);
    QCOMPARE(r.fileName, QString("/s/a.vbs"));
    QCOMPARE(r.fileTitle, QString(""));

    QVERIFY(selectionBuffer({"/s/a.vbs"}, false, 9));  // 8 characters and the terminator
    QVERIFY(!selectionBuffer({"/s/a.vbs"}, false, 8));
    QVERIFY(!selectionBuffer({}, false, 256));
    QCOMPARE(fileBuffer("abc", 5), "abc" + kNul + kNul);
    QCOMPARE(fileBuffer("abc", 2), QString("abc"));
  }

  void colorValues() {
    QCOMPARE(colorFromValue(0x0000FF), QColor(255, 0, 0));
    QCOMPARE(colorFromValue(0x336699), QColor(0x99, 0x66, 0x33));
    QCOMPARE(colorFromValue(qint32(0x80000008u)), QGuiApplication::palette().color(QPalette::Text));
    QCOMPARE(colorFromValue(qint32(0x80000011u)), QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text));
  }

  void defaults() {
    CommonDlgs d;
    QCOMPARE(d.Flags, 0);
    QCOMPARE(d.Filter, QString("All files (*.*)|*.*"));
    QCOMPARE(d.FilterIndex, 1);
    QCOMPARE(d.MaxFileSize, 256);
    QCOMPARE(d.Color, 0);
    QCOMPARE(d.Charset, qint16(0));
    QVERIFY(d.FileName.isNull() && d.FileTitle.isNull() && d.DefaultExt.isNull() && d.DialogTitle.isNull() &&
            d.InitDir.isNull());
    QCOMPARE(d.FontName, QFont().family());
    QCOMPARE(d.FontSize, float(QFont().pointSizeF()));
    QVERIFY(!d.FontBold && !d.FontItalic && !d.FontUnderline && !d.FontStrikethru);
    QCOMPARE(d.Max, 0.0f);
    QCOMPARE(d.Min, 0.0f);
  }

  // --- the file dialogs ---

  void openWithReadOnlyBox() {
    CommonDlgs d;
    d.DefaultExt = ".vbs";
    d.DialogTitle = "Load Pallweave v. 2.7 Source File";
    d.Filter = "VBScript (.vbs)|*.vbs|All files (*.*)|*.*";
    d.FilterIndex = 1;
    d.Flags = 0x281800;
    d.InitDir = tmp.path() + "/";
    QString title, dir, filter;
    QStringList filters;
    bool hasBox = false, boxTicked = true;
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      title = dlg->windowTitle();
      dir = dlg->directory().absolutePath();
      filters = dlg->nameFilters();
      filter = dlg->selectedNameFilter();
      if (auto* box = dlg->findChild<QCheckBox*>("readOnlyCheck")) {
        hasBox = true;
        boxTicked = box->isChecked();
        box->setChecked(true);
      }
      dlg->selectNameFilter(filters.value(1));  // the user switches filters
      type(dlg, tmp.filePath("a.vbs"));
      static_cast<QDialog*>(dlg)->accept();
    });
    QCOMPARE(d.ShowOpen(nullptr), false);
    QCOMPARE(title, QString("Load Pallweave v. 2.7 Source File"));
    QCOMPARE(QDir(dir), QDir(tmp.path()));
    QCOMPARE(filters, (QStringList{"VBScript (.vbs) (*.vbs)", "All files (*.*) (*)"}));
    QCOMPARE(filter, QString("VBScript (.vbs)"));  // shown as the caller wrote it
    QVERIFY(hasBox);
    QVERIFY(!boxTicked);
    QCOMPARE(d.FileName, tmp.filePath("a.vbs"));
    QCOMPARE(d.FileTitle, QString("a.vbs"));
    QCOMPARE(d.Flags, 0x281800 | ofn::ReadOnly);
    QCOMPARE(d.FilterIndex, 1);  // not taken from the dialog

    // The next dialog starts with the last chosen file, and the box follows Flags.
    d.Flags = 0x281800 | ofn::HideReadOnly;
    QString initial;
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      hasBox = dlg->findChild<QCheckBox*>("readOnlyCheck") != nullptr;
      initial = dlg->selectedFiles().value(0);
      static_cast<QDialog*>(dlg)->accept();
    });
    QCOMPARE(d.ShowOpen(nullptr), false);
    QVERIFY(!hasBox);
    QCOMPARE(initial, tmp.filePath("a.vbs"));
    QCOMPARE(d.Flags & ofn::ReadOnly, 0);
  }

  void cancelChangesNothing() {
    CommonDlgs d;
    d.FileName = tmp.filePath("b.vbs");
    d.FileTitle = "kept";
    d.FilterIndex = 2;
    d.Flags = 0x281800;
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      type(dlg, tmp.filePath("a.vbs"));
      if (auto* box = dlg->findChild<QCheckBox*>("readOnlyCheck")) box->setChecked(true);
      dlg->reject();
    });
    QCOMPARE(d.ShowOpen(nullptr), true);
    QCOMPARE(d.FileName, tmp.filePath("b.vbs"));
    QCOMPARE(d.FileTitle, QString("kept"));
    QCOMPARE(d.FilterIndex, 2);
    QCOMPARE(d.Flags, 0x281800);
  }

  void multiSelect() {
    CommonDlgs d;
    d.InitDir = tmp.path();
    d.Flags = ofn::AllowMultiSelect | ofn::Explorer | ofn::FileMustExist;
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      type(dlg, "\"a.vbs\" \"b.vbs\"");
      static_cast<QDialog*>(dlg)->accept();
    });
    QCOMPARE(d.ShowOpen(nullptr), false);
    QString expected = QDir(tmp.path()).absolutePath() + kNul + "a.vbs" + kNul + "b.vbs" + kNul;
    QCOMPARE(d.FileName.size(), 256);
    QCOMPARE(d.FileName.left(expected.size()), expected);
    QCOMPARE(d.FileName.mid(expected.size()), QString(256 - expected.size(), QChar(0)));
    QCOMPARE(d.FileTitle, QString(""));
  }

  void choiceThatDoesNotFitFails() {
    CommonDlgs d;
    d.MaxFileSize = 10;
    d.InitDir = tmp.path();
    d.FileName = "";
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      type(dlg, tmp.filePath("a.vbs"));
      static_cast<QDialog*>(dlg)->accept();
    });
    QCOMPARE(d.ShowOpen(nullptr), true);
    QCOMPARE(d.FileName, QString(""));
    QVERIFY(d.FileTitle.isNull());
  }

  void noValidateLeavesNoTitle() {
    CommonDlgs d;
    d.InitDir = tmp.path();
    d.Flags = ofn::NoValidate;
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      type(dlg, tmp.filePath("notes.txt"));
      static_cast<QDialog*>(dlg)->accept();
    });
    QCOMPARE(d.ShowOpen(nullptr), false);
    QCOMPARE(d.FileName, tmp.filePath("notes.txt"));
    QCOMPARE(d.FileTitle, QString(""));
  }

  void saveAddsExtensionAndAsksBeforeReplacing() {
    CommonDlgs d;
    d.DefaultExt = ".vbs";
    d.Filter = "VBScript (.vbs)|*.vbs|All files (*.*)|*.*";
    d.Flags = 0x280802;
    d.InitDir = tmp.path();
    bool hasBox = true;
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      hasBox = dlg->findChild<QCheckBox*>("readOnlyCheck") != nullptr;
      type(dlg, "fresh");
      static_cast<QDialog*>(dlg)->accept();
    });
    QCOMPARE(d.ShowSave(nullptr), false);
    QVERIFY(!hasBox);
    QCOMPARE(d.FileName, tmp.filePath("fresh.vbs"));
    QCOMPARE(d.FileTitle, QString("fresh.vbs"));
    QCOMPARE(d.Flags & ofn::ExtensionDifferent, 0);

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
        QTimer::singleShot(0, dlg, [dlg] { static_cast<QDialog*>(dlg)->accept(); });
      });
      d.FileName = QString();
      QCOMPARE(d.ShowSave(nullptr), !replace);
      QVERIFY2(question.contains("a.vbs") && question.contains("already exists"), qPrintable(question));
      if (!replace) QVERIFY(stillOpen);
      QCOMPARE(d.FileName, replace ? tmp.filePath("a.vbs") : QString());
    }

    // Without the overwrite flag nothing is asked.
    d.Flags = 0x280800;
    onModal<QFileDialog>([&](QFileDialog* dlg) {
      type(dlg, tmp.filePath("notes.txt"));
      static_cast<QDialog*>(dlg)->accept();
    });
    QCOMPARE(d.ShowSave(nullptr), false);
    QCOMPARE(d.FileName, tmp.filePath("notes.txt"));
    QVERIFY(d.Flags & ofn::ExtensionDifferent);
  }

  void invalidArgumentsRaiseBeforeAnyDialog() {
    CommonDlgs d;
    d.MaxFileSize = 4;
    d.FileName = "12345";
    QPointer<QTimer> guard = onModal<QDialog>([](QDialog* dlg) { dlg->reject(); });  // catches a wrongly shown dialog
    bool shown = false;
    try {
      d.ShowOpen(nullptr);
      shown = true;
    } catch (const CommonDlgsError& e) {
      QCOMPARE(e.number, 5);
    }
    QVERIFY(!shown);
    QCOMPARE(d.FileName, QString("12345"));
    d.Charset = 256;
    try {
      d.ShowFont(nullptr);
      shown = true;
    } catch (const CommonDlgsError& e) {
      QCOMPARE(e.number, 6);
    }
    QVERIFY(!shown);
    d.Charset = -1;
    QVERIFY_THROWS_EXCEPTION(CommonDlgsError, d.ShowFont(nullptr));
    QVERIFY(guard);  // still waiting: no dialog was shown
    delete guard.data();
  }

  // --- the font dialog ---

  void fontDialogAsTheEditorUsesIt() {
    CommonDlgs d;
    d.Max = 14;
    d.Min = 8;
    d.Charset = 0;
    d.Color = 0x008000;  // green
    d.FontName = "DejaVu Sans Mono";
    d.FontSize = 10;
    d.FontBold = false;
    d.FontItalic = false;
    d.Flags = 0x7140;
    QImage dc = device(96);
    bool mono = false;
    QFont initial;
    QStringList visibleSizes;
    QString color;
    onModal<QFontDialog>([&](QFontDialog* dlg) {
      mono = dlg->testOption(QFontDialog::MonospacedFonts);
      initial = dlg->currentFont();
      for (QListView* v : dlg->findChildren<QListView*>())
        if (v->model()->rowCount() && v->model()->index(0, 0).data().toString().toInt())
          for (int r = 0; r < v->model()->rowCount(); ++r)
            if (!v->isRowHidden(r)) visibleSizes << v->model()->index(r, 0).data().toString();
      auto* combo = dlg->findChild<QComboBox*>("colorCombo");
      color = combo ? combo->currentText() : QString();
      if (combo) combo->setCurrentIndex(combo->findText("Red"));
      QFont f("DejaVu Sans Mono", 12);
      f.setBold(true);
      dlg->setCurrentFont(f);
      static_cast<QDialog*>(dlg)->accept();
    });
    QCOMPARE(d.ShowFont(nullptr, &dc), false);
    QVERIFY(mono);
    QCOMPARE(initial.family(), QString("DejaVu Sans Mono"));
    QCOMPARE(initial.pointSize(), 10);
    QVERIFY(!initial.italic());
    QVERIFY(!initial.bold());
    QCOMPARE(visibleSizes, (QStringList{"8", "9", "10", "11", "12", "14"}));
    QCOMPARE(color, QString("Green"));
    QCOMPARE(d.FontName, QString("DejaVu Sans Mono"));
    QCOMPARE(d.FontSize, 12.0f);
    QVERIFY(d.FontBold);
    QVERIFY(!d.FontItalic);
    QCOMPARE(d.Color, 0x0000FF);
    QCOMPARE(d.Flags, 0x7141);  // screen fonts added

    // Taking the offered 10 points back gives the classic 9.75.
    d.FontSize = 10;
    onModal<QFontDialog>([](QFontDialog* dlg) { static_cast<QDialog*>(dlg)->accept(); });
    QCOMPARE(d.ShowFont(nullptr, &dc), false);
    QCOMPARE(d.FontSize, 9.75f);
    QVERIFY(d.FontBold);  // the bold style was offered again
    QVERIFY(!d.FontItalic);

    d.FontBold = false;
    d.FontItalic = true;
    onModal<QFontDialog>([](QFontDialog* dlg) { static_cast<QDialog*>(dlg)->accept(); });
    QCOMPARE(d.ShowFont(nullptr, &dc), false);
    QVERIFY(!d.FontBold);
    QVERIFY(d.FontItalic);
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
      QTimer::singleShot(0, dlg, [dlg] { static_cast<QDialog*>(dlg)->accept(); });
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
    d.FontUnderline = true;
    d.Flags = 0;
    bool mono = true, effectsShown = true, hasColors = true;
    onModal<QFontDialog>([&](QFontDialog* dlg) {
      mono = dlg->testOption(QFontDialog::MonospacedFonts);
      for (QGroupBox* g : dlg->findChildren<QGroupBox*>())
        if (!g->findChildren<QCheckBox*>().isEmpty()) effectsShown = g->isVisible();
      hasColors = dlg->findChild<QComboBox*>("colorCombo") != nullptr;
      dlg->setCurrentFont(QFont("DejaVu Sans", 12));
      static_cast<QDialog*>(dlg)->accept();
    });
    QImage dc = device(96);
    QCOMPARE(d.ShowFont(nullptr, &dc), false);
    QVERIFY(!mono);
    QVERIFY(!effectsShown);
    QVERIFY(!hasColors);
    QCOMPARE(d.Flags, cf::ScreenFonts);
    QCOMPARE(d.FontSize, 12.0f);

    onModal<QFontDialog>([](QFontDialog* dlg) { dlg->reject(); });
    d.FontName = "kept";
    QCOMPARE(d.ShowFont(nullptr, &dc), true);
    QCOMPARE(d.FontName, QString("kept"));
    QCOMPARE(d.Flags, cf::ScreenFonts);
  }
};

QTEST_MAIN(CommonDlgsTest)
#include "test_commondlgs.moc"
