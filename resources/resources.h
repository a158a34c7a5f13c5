// What the program carries inside itself: the help text and the program icon.
#pragma once

#include <QByteArray>
#include <QIcon>

namespace pw {

// The help text's bytes as stored: ASCII, CR LF line ends.
QByteArray helpTextBytes();
QIcon programIcon();

}  // namespace pw
