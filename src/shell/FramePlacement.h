#pragma once
// The main window's placement and open file kept in the profile section
// "Start Up": written when the main window closes, read when it is placed at
// start-up.

#include <string>

#include "Ports.h"

namespace shell {

inline constexpr const char* kStartUpSection = "Start Up";

struct WindowRect {
  int x = 0, y = 0, cx = 0, cy = 0;
  bool operator==(const WindowRect&) const = default;
};

enum class WindowShow { kNormal, kMinimized, kMaximized };

struct FrameCloseState {
  WindowShow show = WindowShow::kNormal;
  WindowRect rect;         // the window's rectangle on the screen
  std::string familyFile;  // "" when no family file is open
  int viewType = 0;        // 0 none, 1 pedigree, 3 family
};

// Writes "Start Up" as the main window closes: a minimised window keeps the
// stored placement, a maximised one stores only "Maximized" = 1, a normal one
// "Maximized" = 0 and its rectangle; "FamilyFile" always; "ViewType" when not 0.
void SaveFrameCloseState(plat::ProfilePort& profile, const FrameCloseState& state);

struct StartPlacement {
  bool maximized = true;
  WindowRect rect;  // only when not maximized
};

// Where the main window opens: maximised when "Maximized" is missing or 1,
// else at the stored rectangle, each missing coordinate 0 and each missing
// size the screen's.
StartPlacement ReadStartPlacement(plat::ProfilePort& profile, int screenWidth, int screenHeight);

}  // namespace shell
