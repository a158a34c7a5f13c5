// Pallweave: the one-window editor and runner for VBScript scripts.
#include <QApplication>

#include "ide.h"

int main(int argc, char** argv) {
  // Qt takes its own platform options from argv; the program reads no command line.
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Pallweave"));
  QCoreApplication::setOrganizationName(QStringLiteral("Fenmarch Systems"));
  pw::IDE ide;
  return app.exec();
}
