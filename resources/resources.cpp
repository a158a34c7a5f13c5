#include "resources.h"

#include <QFile>

// The resource lives in a static library: nothing would pull its registration
// in, so it is registered on first use.
static void registerResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(pallweave);
    return true;
  }();
  (void)done;
}

namespace pw {

QByteArray helpTextBytes() {
  registerResources();
  QFile f(QStringLiteral(":/pallweave/help.txt"));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QIcon programIcon() {
  registerResources();
  return QIcon(QStringLiteral(":/pallweave/icon.png"));
}

}  // namespace pw
