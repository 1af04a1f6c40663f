// A live baptism (a "Place if living" entered) beside the status Child or
// Infant is refused; without the place the rule passes.

#include <gtest/gtest.h>

#include "DateValue.h"
#include "EventValue.h"
#include "LiveBaptismRule.h"
#include "OrdinanceObject.h"
#include "PlaceEventObject.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

class Gate : public CPlaceIfLivingGate {
 public:
  int IsPlaceIfLivingEmpty() const override { return empty ? 1 : 0; }
  bool empty = true;
};

TEST(LiveBaptismRule, AChildOrInfantStatusWithAPlaceIfLivingFails) {
  struct Case {
    const char* baptism;
    bool placeEmpty;
    bool passes;
  };
  const Case cases[] = {
      {"infant", false, false}, {"INFANT", false, false},    {"Child", false, false},
      {"infant", true, true},   {"1 Jan 1900", false, true},
  };
  for (const Case& c : cases) {
    Gate gate;
    gate.empty = c.placeEmpty;
    COrdinanceObject baptism(nullptr, 'B');
    baptism.SetDateText(c.baptism, true, 1, false);
    CPlaceEventObject death;
    const CLiveBaptismRule rule(&gate, &baptism, &death, 0);
    std::string message;
    EXPECT_EQ(rule.Check(&baptism, message) == 1, c.passes) << c.baptism << " " << c.placeEmpty;
    if (!c.passes) {
      EXPECT_EQ(message, res::LoadString(res::kIdsLiveBaptismUnlikely));
    }
  }
}

TEST(LiveBaptismRule, TheOrderOfTheTwoDatesStillCounts) {
  Gate gate;
  gate.empty = false;
  COrdinanceObject baptism(nullptr, 'B');
  baptism.SetDateText("1 Jan 1950", true, 1, false);
  CPlaceEventObject death;
  death.date.Parse("1 Jan 1940");
  const CLiveBaptismRule rule(&gate, &baptism, &death, 0);
  std::string message;
  EXPECT_EQ(rule.Check(&baptism, message), 0);
  EXPECT_FALSE(message.empty());
  EXPECT_NE(message, res::LoadString(res::kIdsLiveBaptismUnlikely));
}

}  // namespace
