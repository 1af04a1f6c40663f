#pragma once
// Sets the active code page for one test and restores it afterwards.
#include "CodePage.h"

class ScopedCodePage {
 public:
  explicit ScopedCodePage(int codePage) : saved_(plat::ActiveCodePage()) {
    plat::SetActiveCodePage(codePage);
  }
  ~ScopedCodePage() { plat::SetActiveCodePage(saved_); }
  ScopedCodePage(const ScopedCodePage&) = delete;
  ScopedCodePage& operator=(const ScopedCodePage&) = delete;

 private:
  int saved_;
};
