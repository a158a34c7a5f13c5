// libFuzzer target: any bytes as the settings file. Reading must not fail,
// and the written form of what was read must read back to itself (what one
// session saves, the next one loads unchanged).
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString dflt = QStringLiteral("/home/fuzz/Documents/");
  QByteArray in(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QByteArray once = pw::formatSettings(pw::parseSettings(in, dflt));
  QByteArray twice = pw::formatSettings(pw::parseSettings(once, dflt));
  if (once != twice) {
    std::fprintf(stderr, "settings changed on reload:\n--- first\n%s--- second\n%s", once.constData(),
                 twice.constData());
    std::abort();
  }
  return 0;
}
