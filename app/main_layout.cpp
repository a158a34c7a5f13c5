#include "main_layout.h"

#include <algorithm>
#include <cmath>

namespace pw {

int twipsToPixels(double twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

MainLayout layoutMain(double w, double h, const KeptSizes& k) {
  auto nonNeg = [](double v) { return std::max(v, 0.0); };
  MainLayout m;
  const double top = h - k.gripHeight;  // the status bar's top
  m.grip = {w - k.gripWidth, top, k.gripWidth, k.gripHeight};
  m.nav = {0, top, k.navWidth, k.gripHeight};
  m.msg = {k.navWidth, top, nonNeg(w - k.gripWidth - k.navWidth), k.gripHeight};
  m.input = {0, h - k.gripHeight - k.inputHeight, nonNeg(w), k.inputHeight};
  m.script = {0, 0, nonNeg(w), nonNeg(m.input.top)};
  return m;
}

}  // namespace pw
