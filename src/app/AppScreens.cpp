#include "AppScreens.h"

CAppScreens& AppScreens() {
  static CAppScreens screens;
  return screens;
}
