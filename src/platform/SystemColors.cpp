#include "SystemColors.h"

namespace plat {
namespace {

FixedSystemColors g_defaultColors;
SystemColorsPort* g_colors = nullptr;

}  // namespace

FixedSystemColors::FixedSystemColors() {
  Set(SystemColor::kWindow, MakeColor(255, 255, 255));
  Set(SystemColor::kWindowText, MakeColor(0, 0, 0));
  Set(SystemColor::kHighlight, MakeColor(48, 140, 198));
  Set(SystemColor::kHighlightText, MakeColor(255, 255, 255));
  Set(SystemColor::kButtonFace, MakeColor(239, 239, 239));
}

int FixedSystemColors::Slot(SystemColor which) {
  switch (which) {
    case SystemColor::kWindow:
      return 0;
    case SystemColor::kWindowText:
      return 1;
    case SystemColor::kHighlight:
      return 2;
    case SystemColor::kHighlightText:
      return 3;
    case SystemColor::kButtonFace:
      return 4;
  }
  return 0;
}

ColorValue FixedSystemColors::Color(SystemColor which) { return colors_[Slot(which)]; }

void FixedSystemColors::Set(SystemColor which, ColorValue value) { colors_[Slot(which)] = value; }

SystemColorsPort& SystemColors() { return g_colors ? *g_colors : g_defaultColors; }

SystemColorsPort* SetSystemColorsPort(SystemColorsPort* port) {
  SystemColorsPort* old = g_colors;
  g_colors = port;
  return old;
}

}  // namespace plat
