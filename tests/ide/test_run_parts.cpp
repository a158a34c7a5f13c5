// The arithmetic behind the window: the layout in twips, the error reports
// and their selections, and the editor's CR LF offsets.
#include <QApplication>
#include <QTest>

#include "error_report.h"
#include "main_layout.h"
#include "script_edit.h"

using namespace pw;

class RunParts : public QObject {
  Q_OBJECT

 private slots:
  void layoutTilesTheClientArea() {
    const MainLayout m = layoutMain(9000, 6000);
    QCOMPARE(m.grip.left, 9000 - 315.0);
    QCOMPARE(m.grip.top, 6000 - 315.0);
    QCOMPARE(m.nav.left, 0.0);
    QCOMPARE(m.nav.width, 2445.0);
    QCOMPARE(m.msg.left, 2445.0);
    QCOMPARE(m.msg.width, 9000 - 315.0 - 2445.0);
    QCOMPARE(m.input.top, 6000 - 315.0 - 360.0);
    QCOMPARE(m.input.width, 9000.0);
    QCOMPARE(m.script.top, 0.0);
    QCOMPARE(m.script.height, m.input.top);
    // Widening grows only the message pane among the status panes.
    const MainLayout wide = layoutMain(12000, 6000);
    QCOMPARE(wide.msg.width - m.msg.width, 3000.0);
    QCOMPARE(wide.nav.width, m.nav.width);
    QCOMPARE(wide.grip.width, m.grip.width);
  }

  void layoutKeepsCurrentSizes() {
    KeptSizes k;
    k.gripWidth = 400;
    k.gripHeight = 300;
    k.navWidth = 1000;
    k.inputHeight = 500;
    const MainLayout m = layoutMain(5000, 4000, k);
    QCOMPARE(m.msg.left, 1000.0);
    QCOMPARE(m.msg.width, 5000 - 400.0 - 1000.0);
    QCOMPARE(m.input.top, 4000 - 300.0 - 500.0);
    QCOMPARE(m.input.height, 500.0);
  }

  void tinyClientAreasGiveNoNegativeSizes() {
    for (double w : {0.0, 100.0, 2759.0})
      for (double h : {0.0, 300.0, 674.0}) {
        const MainLayout m = layoutMain(w, h);
        for (const TwipRect& r : {m.script, m.input, m.nav, m.msg, m.grip}) {
          QVERIFY(r.width >= 0);
          QVERIFY(r.height >= 0);
        }
      }
  }

  void twipsRoundTripAtCommonResolutions() {
    for (double dpi : {96.0, 120.0, 144.0})
      for (int px : {0, 1, 7, 599, 1920}) QCOMPARE(twipsToPixels(pixelsToTwips(px, dpi), dpi), px);
    QCOMPARE(twipsToPixels(1440, 96), 96);
    QCOMPARE(twipsToPixels(315, 96), 21);
  }

  void reportsTellSyntaxFromRuntimeErrors() {
    ScriptErrorInfo e;
    e.Number = 1025;
    e.Line = 3;
    e.Column = 8;
    e.Text = u"z = 1 2";
    e.Description = u"Expected end of statement";
    QCOMPARE(errorReport(e), QStringLiteral("Syntax error, line 3 column 9: Expected end of statement"));
    e.Text = u"   ";  // blanks only: a run-time report
    e.Number = 13;
    e.Line = 7;
    e.Description = u"Type mismatch";
    QCOMPARE(errorReport(e), QStringLiteral("Runtime error 13, line 7: Type mismatch"));
    e.Number = static_cast<int32_t>(0x80047702u);
    e.Text.clear();
    QCOMPARE(errorReport(e), QStringLiteral("Runtime error -2147191038, line 7: Type mismatch"));
  }

  void lineIndexCountsCrLfAsTwo() {
    const QString t = QStringLiteral("ab\r\ncde\r\n\r\nf");
    QCOMPARE(lineIndex(t, 0), 0);
    QCOMPARE(lineIndex(t, 1), 4);
    QCOMPARE(lineIndex(t, 2), 9);
    QCOMPARE(lineIndex(t, 3), 11);
    QCOMPARE(lineIndex(t, 9), 11);  // beyond the last line: its start
  }

  void errorSelection_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("selected");
    const QString s = QStringLiteral("x = 1\r\nabcd efghij klm\r\nlast word");
    QTest::newRow("to the next blank") << s << 2 << 5 << QStringLiteral("efghij");
    QTest::newRow("column 4 to blank at 10") << QStringLiteral("0123456789 x") << 1 << 4 << QStringLiteral("456789");
    QTest::newRow("column 0 selects the line") << s << 2 << 0 << QStringLiteral("abcd efghij klm");
    QTest::newRow("last word to line end") << s << 2 << 12 << QStringLiteral("klm");
    QTest::newRow("last line without break") << s << 3 << 5 << QStringLiteral("word");
    QTest::newRow("tabs count one") << QStringLiteral("\t\tx = 1 2 3") << 1 << 8 << QStringLiteral("2");
    QTest::newRow("column past the line end") << s << 1 << 40 << QString();
    QTest::newRow("line past the end") << s << 9 << 0 << QStringLiteral("last word");
  }

  void errorSelection() {
    QFETCH(QString, script);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QString, selected);
    const TextSelection sel = pw::errorSelection(script, line, column);
    QVERIFY(sel.start >= 0 && sel.start + sel.length <= script.size());
    QCOMPARE(script.mid(sel.start, sel.length), selected);
  }

  void editorOffsetsCountCrLfAsTwo() {
    ScriptEdit e;
    const QString t = QStringLiteral("ab\r\ncde\r\n\r\nf\u00a0g");
    e.setText(t);
    QCOMPARE(e.text(), t);  // non-breaking space kept, CR LF back
    e.setSelection(5, 4);   // "de" CR LF
    QCOMPARE(e.selStart(), 5);
    QCOMPARE(e.selLength(), 4);
    QCOMPARE(e.textCursor().selectedText().size(), 3);  // the document's own break is one character
    QCOMPARE(e.caretLine(), 1);
    e.setSelection(11, 0);
    QCOMPARE(e.caretLine(), 3);
    QCOMPARE(e.lineStartOffset(3), 11);
    for (int off : {0, 2, 4, 7, 9, 11, 14}) QCOMPARE(e.toOffset(e.toDocPos(off)), off);
    QCOMPARE(e.toOffset(e.toDocPos(3)), 2);  // between CR and LF: the line end
    e.setText(QStringLiteral("a\rb\nc"));
    QCOMPARE(e.text(), QStringLiteral("a\r\nb\r\nc"));
  }
};

QTEST_MAIN(RunParts)
#include "test_run_parts.moc"
