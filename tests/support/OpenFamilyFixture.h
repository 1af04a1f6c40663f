#pragma once
// A new family file in a fresh temporary folder, opened as the current
// database, with fake message boxes and message pump that record what the
// code asked, at a fixed today. Closed and removed afterwards. The change
// log beside the file can be read back.

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "Clock.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "TempDir.h"
#include "TestHelpers.h"

class OpenFamilyFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::SetFixedTime(Today());
    ASSERT_EQ(DbCreate(family, CFamilyDatabase::kCurrentFormat), 1);
    ASSERT_EQ(DbOpen(family, CFamilyDatabase::kCurrentFormat), 1);
  }
  void TearDown() override {
    CurrentDatabase->host.logChanges = false;
    DbCloseCurrent();
    plat::SetFixedTime(0);
  }
  // The time the clock answers during the test.
  virtual std::time_t Today() const { return LocalTimeOf(2001, 7, 3, 9, 5); }

  std::string Log() const { return ReadAll(log); }
  // A change-log line stamped with the default today.
  static std::string Line(const std::string& rest) { return "7-3-2001 09:05 " + rest + "\r\n"; }

  TempDir dir;
  std::string family = dir.File("family.orv");
  std::string log = dir.File("family.orl");
  plat::FakeMessageBox boxes;
  plat::ScopedMessageBox scopedBoxes{&boxes};
  plat::FakeMessagePump pump;
  plat::ScopedMessagePump scopedPump{&pump};
};
