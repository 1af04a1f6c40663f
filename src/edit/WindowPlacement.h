#pragma once
// Where an editing screen's window was left and how small it may become,
// kept in the profile's "Windows" section under the screen's name
// ("Individual left", "Marriage MinWidth", ...).

#include <string>

struct WindowRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const WindowRect&) const = default;
};

// The minimum size: the stored one when both values are set; otherwise the
// current size, which is then stored (so only a first opening writes it).
void LoadMinimumSize(const std::string& name, int width, int height, int& minWidth, int& minHeight);
// The stored rectangle when the window should move there: a stored width
// above 0 that differs from current.
bool LoadPlacement(const std::string& name, const WindowRect& current, WindowRect& stored);
// Stores the rectangle unless the window is minimised or maximised.
void SavePlacement(const std::string& name, const WindowRect& rect, bool minimisedOrMaximised);
