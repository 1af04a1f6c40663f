#pragma once
// The desktop's current colours, as the options and the views ask for them.
// A colour value holds red in the low byte, then green, then blue (0x00BBGGRR),
// the form the options store. The framework installs the desktop's palette;
// without an installed port fixed light-theme colours answer.

#include <array>
#include <cstdint>

namespace plat {

// The system colours the program asks for, numbered as the desktop's colour
// indexes are known to callers.
enum class SystemColor : int {
  kWindow = 5,          // background of lists and edit fields
  kWindowText = 8,      // text on kWindow
  kHighlight = 13,      // background of a selected item
  kHighlightText = 14,  // text of a selected item
  kButtonFace = 15,     // face of buttons and dialogs
};

using ColorValue = std::uint32_t;

constexpr ColorValue MakeColor(int red, int green, int blue) {
  return static_cast<ColorValue>(red & 0xFF) | static_cast<ColorValue>(green & 0xFF) << 8 |
         static_cast<ColorValue>(blue & 0xFF) << 16;
}

class SystemColorsPort {
 public:
  virtual ~SystemColorsPort() = default;
  virtual ColorValue Color(SystemColor which) = 0;
};

// Colours that change only when told: the headless default, and the fake
// tests install to fix or change the desktop's colours.
class FixedSystemColors : public SystemColorsPort {
 public:
  FixedSystemColors();
  ColorValue Color(SystemColor which) override;
  void Set(SystemColor which, ColorValue value);

 private:
  static int Slot(SystemColor which);
  std::array<ColorValue, 5> colors_{};
};

SystemColorsPort& SystemColors();
// Installs a port (nullptr restores the headless default); returns the
// previous one. The caller keeps ownership.
SystemColorsPort* SetSystemColorsPort(SystemColorsPort* port);

// Shorthand: the current colour of which.
inline ColorValue GetSystemColor(SystemColor which) { return SystemColors().Color(which); }

}  // namespace plat
