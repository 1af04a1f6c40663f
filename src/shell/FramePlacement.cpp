#include "FramePlacement.h"

namespace shell {

void SaveFrameCloseState(plat::ProfilePort& profile, const FrameCloseState& state) {
  const std::string section = kStartUpSection;
  if (state.show == WindowShow::kMaximized) {
    profile.SetInt(section, "Maximized", 1);
  } else if (state.show == WindowShow::kNormal) {
    profile.SetInt(section, "Maximized", 0);
    profile.SetInt(section, "Window x", state.rect.x);
    profile.SetInt(section, "Window y", state.rect.y);
    profile.SetInt(section, "Window cx", state.rect.cx);
    profile.SetInt(section, "Window cy", state.rect.cy);
  }
  profile.SetPath(section, "FamilyFile", state.familyFile);
  if (state.viewType != 0) profile.SetInt(section, "ViewType", state.viewType);
}

StartPlacement ReadStartPlacement(plat::ProfilePort& profile, int screenWidth, int screenHeight) {
  const std::string section = kStartUpSection;
  StartPlacement out;
  int maximized = profile.GetInt(section, "Maximized", -1);
  out.maximized = maximized == -1 || maximized == 1;
  if (out.maximized) return out;
  out.rect.x = profile.GetInt(section, "Window x", 0);
  out.rect.y = profile.GetInt(section, "Window y", 0);
  out.rect.cx = profile.GetInt(section, "Window cx", screenWidth);
  out.rect.cy = profile.GetInt(section, "Window cy", screenHeight);
  return out;
}

}  // namespace shell
