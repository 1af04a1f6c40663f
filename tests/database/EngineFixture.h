#pragma once
// A fresh family file made by the engine's own create path, with fake ports
// that record message boxes and message pumps, and helpers to reopen the file
// and look at its bytes directly.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "FakePorts.h"
#include "ORV3.h"
#include "TempDir.h"

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateFamilyFile(); }

  void CreateFamilyFile() {
    host = std::make_unique<EngineHost>();
    ASSERT_EQ(host->file.Create(path), 0);
    engine = std::make_unique<ORV3>(host.get());
    ASSERT_EQ(engine->Create(path), 1);
  }

  // Drops the engine without any closing write (as a crash would) and opens
  // the file again.
  int Reopen() {
    engine.reset();
    host = std::make_unique<EngineHost>();
    if (host->file.Open(path, plat::FileHandle::Access::ReadWrite) != 0) return -2;
    engine = std::make_unique<ORV3>(host.get());
    return engine->OpenStructures();
  }

  std::vector<std::uint8_t> FileBytes(std::int64_t pos, std::size_t len) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> out(len, 0);
    in.seekg(pos);
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(len));
    return out;
  }
  std::int32_t FileI32(std::int64_t pos) { return orv::GetI32(FileBytes(pos, 4).data()); }
  std::int16_t FileI16(std::int64_t pos) { return orv::GetI16(FileBytes(pos, 2).data()); }
  void PokeFile(std::int64_t pos, const std::vector<std::uint8_t>& bytes) {
    std::fstream io(path, std::ios::binary | std::ios::in | std::ios::out);
    io.seekp(pos);
    io.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  }
  static std::vector<std::uint8_t> I32Bytes(std::int32_t v) {
    std::vector<std::uint8_t> b(4);
    orv::PutI32(b.data(), v);
    return b;
  }
  static std::vector<std::uint8_t> I16Bytes(std::int16_t v) {
    std::vector<std::uint8_t> b(2);
    orv::PutI16(b.data(), v);
    return b;
  }

  // Checks that the DBMap in memory, the DBMap block, the mirror and the
  // header's used-position count all agree with the groups' type maps.
  void ExpectCountsAgreeWithTypeMaps() {
    const std::int32_t dbMapBlock = engine->Blocks().Head().I32(orv::kHeadDBMapBlock);
    const int groups = engine->Blocks().Head().I32(orv::kHeadGroups);
    ASSERT_EQ(engine->Blocks().GroupCount(), groups);
    for (int g = 0; g < groups; ++g) {
      const auto first = FileBytes(orv::FirstBlockOffset(g), orv::kBlockSize);
      ASSERT_EQ(first[0], orv::kBlockFirst);
      int counts[orv::kMapTypes + 1] = {};
      int used = 1;
      for (int k = 1; k < orv::kGroupPositions; ++k)
        if (first[k] != 0) {
          ++counts[first[k]];
          used = k + 1;
        }
      if (g == groups - 1) {
        EXPECT_EQ(engine->Blocks().Head().I32(orv::kHeadUsedPositions), used);
      }
      for (int t = 1; t <= orv::kMapTypes; ++t) {
        EXPECT_EQ(engine->Blocks().Map().Count(g, t), counts[t]) << "group " << g << " type " << t;
        EXPECT_EQ(FileI16(orv::BlockNumberOffset(dbMapBlock) + orv::DBMap::CountOffset(g, t)),
                  counts[t]);
        if (t <= orv::kMirrorTypes) {
          EXPECT_EQ(FileI16(orv::DBMap::MirrorOffset(g, t)), counts[t]);
        }
      }
    }
  }

  TempDir dir;
  std::string path = dir.File("family.orv");
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
  std::unique_ptr<EngineHost> host;
  std::unique_ptr<ORV3> engine;
};
