#include "WindowPlacement.h"

#include "Ports.h"

namespace {
const char kSection[] = "Windows";
}

void LoadMinimumSize(const std::string& name, int width, int height, int& minWidth,
                     int& minHeight) {
  plat::ProfilePort& profile = plat::Profile();
  minWidth = profile.GetInt(kSection, name + " MinWidth", 0);
  minHeight = profile.GetInt(kSection, name + " MinHeight", 0);
  if (minWidth != 0 && minHeight != 0) return;
  minWidth = width;
  minHeight = height;
  profile.SetInt(kSection, name + " MinWidth", width);
  profile.SetInt(kSection, name + " MinHeight", height);
}

bool LoadPlacement(const std::string& name, const WindowRect& current, WindowRect& stored) {
  plat::ProfilePort& profile = plat::Profile();
  stored.left = profile.GetInt(kSection, name + " left", 0);
  stored.top = profile.GetInt(kSection, name + " top", 0);
  stored.right = profile.GetInt(kSection, name + " right", 0);
  stored.bottom = profile.GetInt(kSection, name + " bottom", 0);
  return stored.Width() > 0 && !(stored == current);
}

void SavePlacement(const std::string& name, const WindowRect& rect, bool minimisedOrMaximised) {
  if (minimisedOrMaximised) return;
  plat::ProfilePort& profile = plat::Profile();
  profile.SetInt(kSection, name + " left", rect.left);
  profile.SetInt(kSection, name + " top", rect.top);
  profile.SetInt(kSection, name + " right", rect.right);
  profile.SetInt(kSection, name + " bottom", rect.bottom);
}
