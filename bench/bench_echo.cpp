// Times a script that writes 100,000 lines with WScript.Echo in the main
// window and counts the console's repaints. Fails (exit 1) past 3 seconds,
// with more repaints than one per 16 ms, or with the wrong console text.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <cstdio>

#include "ide.h"

namespace {

class PaintCounter final : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  pw::IDE ide;
  const int lines = argc > 1 ? std::atoi(argv[1]) : 100000;
  ide.txtScript->setText(QStringLiteral("For i = 1 To %1\r\nWScript.Echo \"Line \" & i\r\nNext").arg(lines));
  PaintCounter counter;
  ide.txtScript->viewport()->installEventFilter(&counter);

  QElapsedTimer t;
  t.start();
  ide.mnuRunStart->trigger();
  const qint64 ms = t.elapsed();

  QString tail;
  for (int i = lines; tail.size() <= 30000; --i) tail.prepend(QStringLiteral("Line %1\r\n").arg(i));
  const QString& console = ide.console().text();
  const bool textOk = console.size() <= 30000 && console.size() >= 25000 && tail.endsWith(console);
  const int allowed = static_cast<int>(ms / 16) + 3;  // one per frame, the start and the end
  std::printf("%d Echo lines: %lld ms, %d console repaints (at most %d), console %lld characters%s\n", lines,
              static_cast<long long>(ms), counter.paints, allowed, static_cast<long long>(console.size()),
              textOk ? "" : ", WRONG TEXT");
  return ms <= 3000 && counter.paints <= allowed && textOk ? 0 : 1;
}
