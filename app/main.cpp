// Pallweave: the one-window editor and runner for VBScript scripts.
#include <QApplication>

#include "ide.h"
#include "pallweave_version.h"
#include "resources.h"

int main(int argc, char** argv) {
  // Qt takes its own platform options from argv; the program reads no command line.
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral(PALLWEAVE_PRODUCT_NAME));
  QCoreApplication::setOrganizationName(QStringLiteral(PALLWEAVE_COMPANY_NAME));
  QCoreApplication::setApplicationVersion(QStringLiteral(PALLWEAVE_VERSION_TEXT));
  QGuiApplication::setDesktopFileName(QStringLiteral(PALLWEAVE_DESKTOP_ID));
  QApplication::setWindowIcon(pw::programIcon());
  pw::IDE ide;
  return app.exec();
}
