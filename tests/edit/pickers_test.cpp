// The relative check of the pickers over a small family made through the
// database calls: Tom and Ann Hale with their son Carl, who married Dora
// Ross and has a daughter Eve; Fay is unrelated.
#include <gtest/gtest.h>

#include "EditFixture.h"
#include "RelativeLink.h"

namespace {

class RelativeLinkTest : public EditFamilyFixture {
 protected:
  void SetUp() override {
    EditFamilyFixture::SetUp();
    tom = Add("Hale", "Tom", 'M', 1890);
    ann = Add("Hale", "Ann", 'F', 1892);
    carl = Add("Hale", "Carl", 'M', 1920);
    dora = Add("Ross", "Dora", 'F', 1922);
    eve = Add("Hale", "Eve", 'F', 1950);
    fay = Add("Lake", "Fay", 'F', 1921);
    AddChild(Marry(tom, ann), carl);
    AddChild(Marry(carl, dora), eve);
  }
  std::int32_t tom = 0, ann = 0, carl = 0, dora = 0, eve = 0, fay = 0;
};

TEST_F(RelativeLinkTest, RefusalsInOrder) {
  struct Case {
    const char* what;
    int rin, chosen;
    char sex;
    int answer;  // to the another-marriage question, 0 none asked
    int expected;
    bool answered;
  };
  const Case cases[] = {
      {"blank sex refuses anyone", carl, fay, ' ', 0, 3754, false},
      {"male required, female chosen", carl, fay, 'M', 0, 3755, false},
      {"female required, male chosen", carl, tom, 'F', 0, 3756, false},
      {"female required and chosen", carl, fay, 'F', 0, 0, false},
      {"sex test before the self test", carl, carl, 'F', 0, 3756, false},
      {"no individual", 0, fay, 0, 0, 0, false},
      {"itself", carl, carl, 0, 0, 7054, false},
      {"spouse, No", carl, dora, 0, plat::kIdNo, 3200, true},
      {"spouse, Yes", carl, dora, 0, plat::kIdYes, 0, false},
      {"child of a marriage", carl, eve, 0, 0, 3201, false},
      {"father", carl, tom, 0, 0, 3202, false},
      {"mother", carl, ann, 0, 0, 3203, false},
      {"unrelated", carl, fay, 0, 0, 0, false},
      {"grandchild is no direct relation", tom, eve, 0, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes.Clear();
    if (c.answer != 0) boxes.QueueAnswer(c.answer);
    bool answered = false;
    EXPECT_EQ(CheckRelativeLink(c.rin, c.chosen, c.sex, answered), c.expected);
    EXPECT_EQ(answered, c.answered);
    EXPECT_EQ(boxes.Calls().size(), c.answer != 0 ? 1u : 0u);
  }
}

TEST_F(RelativeLinkTest, AnotherMarriageQuestionNamesBoth) {
  boxes.QueueAnswer(plat::kIdNo);
  bool answered = false;
  EXPECT_EQ(CheckRelativeLink(dora, carl, 0, answered), 3200);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(LastMessage(),
            "Dora Ross is already in a marriage with Carl Hale.\n"
            "Do you want to create another marriage for them anyway?");
  EXPECT_EQ(boxes.Calls().back().flags & plat::kMbButtonMask, plat::kMbYesNo);
}

}  // namespace
