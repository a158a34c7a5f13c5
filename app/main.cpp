// Pallweave: the one-window editor and runner for VBScript scripts.
#include <QApplication>

#include "ide.h"
#include "pallweave_version.h"
#include "resources.h"

int main(int argc, char** argv) {
  // Qt takes its own platform options from argv; what is left may name a
  // script to open (a file manager's "Open with" passes one).
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral(PALLWEAVE_PRODUCT_NAME));
  QCoreApplication::setOrganizationName(QStringLiteral(PALLWEAVE_COMPANY_NAME));
  QCoreApplication::setApplicationVersion(QStringLiteral(PALLWEAVE_VERSION_TEXT));
  QGuiApplication::setDesktopFileName(QStringLiteral(PALLWEAVE_DESKTOP_ID));
  QApplication::setWindowIcon(pw::programIcon());
  pw::IDE ide;
  const QStringList args = QCoreApplication::arguments();
  if (args.size() > 1) ide.openAtStart(args.at(1));
  return app.exec();
}
