#pragma once
// A test that loads a language catalog of its own lines and records the
// message boxes shown meanwhile; the built-in string table returns afterwards.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "FakePorts.h"
#include "StringTable.h"
#include "TempDir.h"

class CatalogFixture : public ::testing::Test {
 protected:
  void TearDown() override { res::UnloadCatalog(); }

  // Loads a catalog of the given lines ("id\ttext").
  void LoadCatalog(const std::vector<std::string>& lines) {
    const std::string path = dir_.File("korvaneXX.res");
    {
      std::ofstream out(path, std::ios::binary);
      for (const std::string& line : lines) out << line << "\n";
    }
    ASSERT_TRUE(res::LoadCatalogFile(path));
  }
  // The texts of the message boxes shown so far.
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& call : boxes_.Calls()) texts.push_back(call.text);
    return texts;
  }

  TempDir dir_;
  plat::FakeMessageBox boxes_;
  plat::ScopedMessageBox scopedBoxes_{&boxes_};
};
