#pragma once
// Adds a user event of a new event type to an individual through the
// database calls, for fixtures of an open family file.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "RecordAccess.h"
#include "UserEventRecord.h"

// A new event type of a date kind (0 none, 1 single date, 2 range), and a
// user event of it for owner; fill sets the event's values before it is
// stored. Answers the event's number.
template <class Fill>
std::int32_t AddIndividualUserEvent(std::int32_t owner, const std::string& title, int dateKind,
                                    bool description, Fill fill) {
  CEventTypeRecord type;
  type.title = title;
  type.shortTitle = title;
  type.dateKind = static_cast<std::uint8_t>(dateKind);
  type.hasDescription = description ? 1 : 0;
  const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
  EXPECT_GT(typeNumber, 0) << title;
  CUserEventRecord event(owner, db::kOwnerIndividual, typeNumber, 0);
  fill(event);
  const auto number = static_cast<std::int32_t>(family::Add(event, 0));
  EXPECT_GT(number, 0) << title;
  EXPECT_GT(DbLinkRecord(number, db::kUserEvent, owner, db::kOwnerIndividual), 0);
  return number;
}
