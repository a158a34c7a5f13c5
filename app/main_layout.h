// The main window's layout, worked out in twips (1/1440 inch): the status
// panes along the bottom, the input line above them, the editor above that.
#pragma once

namespace pw {

struct TwipRect {
  double left = 0, top = 0, width = 0, height = 0;
};

// The sizes the layout keeps from the controls' current ones.
struct KeptSizes {
  double gripWidth = 315, gripHeight = 315;
  double navWidth = 2445;
  double inputHeight = 360;
};

struct MainLayout {
  TwipRect script, input, nav, msg, grip;
};

// Client width and height in twips. Too small a client area gives zero
// widths and heights, never negative ones.
MainLayout layoutMain(double clientWidth, double clientHeight, const KeptSizes& kept = {});

// Twips against pixels at a logical resolution in dots per inch.
inline double pixelsToTwips(int px, double dpi) { return px * 1440.0 / dpi; }
int twipsToPixels(double twips, double dpi);

}  // namespace pw
