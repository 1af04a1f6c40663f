#pragma once
// For the sort tests: the system temporary folder pointed at a fresh test
// folder for one test (so the work files the sorts make can be counted),
// and the fake message box that their error messages go to.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "FakePorts.h"
#include "TempDir.h"

class SortFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TMPDIR");
    hadTmp_ = old != nullptr;
    if (old) oldTmp_ = old;
    ::setenv("TMPDIR", dir_.Path().c_str(), 1);
  }
  void TearDown() override {
    if (hadTmp_)
      ::setenv("TMPDIR", oldTmp_.c_str(), 1);
    else
      ::unsetenv("TMPDIR");
  }

  // The names of the files in the temporary folder.
  std::vector<std::string> WorkFiles() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.Path(), ec))
      names.push_back(entry.path().filename().string());
    return names;
  }

  TempDir dir_;
  plat::FakeMessageBox boxes_;
  plat::ScopedMessageBox scopedBoxes_{&boxes_};

 private:
  bool hadTmp_ = false;
  std::string oldTmp_;
};
