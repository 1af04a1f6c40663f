// The family view's context menus: which menu and sub-menu a pane opens,
// which commands it offers and which are greyed, from what the pane holds;
// and the facts read from a real family for the selected pane.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyViewMenus.h"
#include "FamilyViewModel.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "OpenFamilyFixture.h"
#include "RecordAccess.h"

namespace {

using namespace shell;
using namespace shell::famview;

std::vector<unsigned> Commands(const PaneMenu& menu) {
  std::vector<unsigned> ids;
  for (const MenuEntry& e : menu.entries) ids.push_back(e.command);
  return ids;
}

std::set<unsigned> Greyed(const PaneMenu& menu) {
  std::set<unsigned> ids;
  for (const MenuEntry& e : menu.entries)
    if (e.greyed) ids.insert(e.command);
  return ids;
}

bool Offers(const PaneMenu& menu, unsigned id) {
  const std::vector<unsigned> ids = Commands(menu);
  return std::ranges::find(ids, id) != ids.end();
}

// ---- the decision over panes and content ----

struct MenuCase {
  const char* what;
  PaneMenuFacts facts;
  int menu, subMenu;
  std::vector<unsigned> mustOffer;
  std::set<unsigned> greyed;
};

TEST(FamilyViewMenus, PaneAndContentChooseTheMenuAndGreyTheEntries) {
  // An individual with a photo, a marriage and parents greys nothing.
  const auto full = [](int pane) {
    PaneMenuFacts f;
    f.pane = pane;
    f.content = true;
    f.primary = true;
    f.individual = 7;
    f.defaultPhoto = true;
    f.marriages = 1;
    f.parentFamilies = 1;
    return f;
  };
  const auto bare = [&full](int pane) {
    PaneMenuFacts f = full(pane);
    f.defaultPhoto = false;
    f.marriages = 0;
    f.parentFamilies = 0;
    return f;
  };
  const auto empty = [](int pane, bool primary) {
    PaneMenuFacts f;
    f.pane = pane;
    f.primary = primary;
    return f;
  };
  PaneMenuFacts noPhoto = full(kPaneSpouse);
  noPhoto.defaultPhoto = false;
  PaneMenuFacts unmarried = full(kPaneChildren);
  unmarried.marriages = 0;
  PaneMenuFacts orphan = full(kPanePrimary);
  orphan.parentFamilies = 0;
  PaneMenuFacts loneMarriage;  // a marriage shown without a primary individual
  loneMarriage.pane = kPaneMarriage;
  loneMarriage.content = true;

  const std::set<unsigned> none;
  const std::set<unsigned> addRelatives = {kIdAddFather, kIdAddMother, kIdAddSpouse};
  const std::set<unsigned> allFour = {kIdEditPhoto, kIdEditMarriage, kIdEditParentsMarriage,
                                      kIdAddParents};
  const MenuCase cases[] = {
      {"primary, full",
       full(kPanePrimary),
       kMenuPaneContent,
       kSubMenuPrimary,
       {kIdEditIndividual, kIdEditPhoto, kIdAddFather, kIdAddParents, kIdEditParentsMarriage},
       none},
      {"primary, bare", bare(kPanePrimary), kMenuPaneContent, kSubMenuPrimary, {}, allFour},
      {"primary without parents",
       orphan,
       kMenuPaneContent,
       kSubMenuPrimary,
       {},
       {kIdEditParentsMarriage, kIdAddParents}},
      {"marriage pane, full",
       full(kPaneMarriage),
       kMenuPaneContent,
       kSubMenuMarriage,
       {kIdEditMarriage, kIdEditNotes, kIdAddChild},
       none},
      {"marriage pane, primary unmarried",
       bare(kPaneMarriage),
       kMenuPaneContent,
       kSubMenuMarriage,
       {kIdEditMarriage},
       {kIdEditMarriage}},
      {"lone marriage", loneMarriage, kMenuPaneContent, kSubMenuMarriage, {kIdEditMarriage}, none},
      {"spouse, no photo",
       noPhoto,
       kMenuPaneContent,
       kSubMenuOther,
       {kIdViewMoveToPrimary, kIdEditUnlinkIndividual},
       {kIdEditPhoto}},
      {"father, bare", bare(kPaneFather), kMenuPaneContent, kSubMenuOther, {}, allFour},
      {"mother, full", full(kPaneMother), kMenuPaneContent, kSubMenuOther, {kIdEditPhoto}, none},
      {"child unmarried", unmarried, kMenuPaneContent, kSubMenuOther, {}, {kIdEditMarriage}},
      {"empty primary",
       empty(kPanePrimary, false),
       kMenuEmptyPane,
       kPanePrimary,
       {kIdAddUnlinkedIndividual, kIdAddFather, kIdAddMother, kIdAddSpouse},
       addRelatives},
      {"empty marriage, primary",
       empty(kPaneMarriage, true),
       kMenuEmptyPane,
       kPaneMarriage,
       {kIdAddSpouse, kIdAddChild},
       none},
      {"empty spouse, primary",
       empty(kPaneSpouse, true),
       kMenuEmptyPane,
       kPaneSpouse,
       {kIdAddSpouse},
       none},
      {"empty spouse, lone marriage",
       empty(kPaneSpouse, false),
       kMenuEmptyPane,
       kPaneSpouse,
       {kIdAddSpouse},
       {kIdAddSpouse}},
      {"empty father, primary",
       empty(kPaneFather, true),
       kMenuEmptyPane,
       kPaneFather,
       {kIdAddFather},
       none},
      {"empty father, lone marriage",
       empty(kPaneFather, false),
       kMenuEmptyPane,
       kPaneFather,
       {kIdAddFather},
       {kIdAddFather}},
      {"empty mother, lone marriage",
       empty(kPaneMother, false),
       kMenuEmptyPane,
       kPaneMother,
       {kIdAddMother},
       {kIdAddMother}},
      {"empty children, lone marriage",
       empty(kPaneChildren, false),
       kMenuEmptyPane,
       kPaneChildren,
       {kIdAddChild},
       none},
  };
  for (const MenuCase& c : cases) {
    const PaneMenu menu = MenuForPane(c.facts);
    EXPECT_EQ(menu.menu, c.menu) << c.what;
    EXPECT_EQ(menu.subMenu, c.subMenu) << c.what;
    EXPECT_EQ(Greyed(menu), c.greyed) << c.what;
    for (unsigned id : c.mustOffer) EXPECT_TRUE(Offers(menu, id)) << c.what << ": " << id;
  }
}

TEST(FamilyViewMenus, EachPaneOffersOnlyItsOwnCommands) {
  PaneMenuFacts facts;
  facts.content = true;
  facts.primary = true;
  facts.individual = 3;
  // Move to Primary and Unlink mean nothing on the primary individual.
  facts.pane = kPanePrimary;
  PaneMenu menu = MenuForPane(facts);
  EXPECT_FALSE(Offers(menu, kIdViewMoveToPrimary));
  EXPECT_FALSE(Offers(menu, kIdEditUnlinkIndividual));
  // The marriage pane has no individual's commands.
  facts.pane = kPaneMarriage;
  menu = MenuForPane(facts);
  for (unsigned id : {kIdEditIndividual, kIdEditMultimedia, kIdEditPhoto, kIdEditDeleteIndividual,
                      kIdEditUnlinkIndividual})
    EXPECT_FALSE(Offers(menu, id)) << id;
  // An empty pane offers only adding; no command twice anywhere.
  for (int pane = 0; pane < kPaneCount; ++pane)
    for (bool content : {false, true}) {
      facts.pane = pane;
      facts.content = content;
      menu = MenuForPane(facts);
      const std::vector<unsigned> ids = Commands(menu);
      EXPECT_FALSE(ids.empty()) << pane;
      // Every entry has a text of its own.
      std::set<std::string> texts;
      for (unsigned id : ids) {
        EXPECT_STRNE(MenuText(id), "") << id;
        texts.insert(MenuText(id));
      }
      EXPECT_EQ(texts.size(), ids.size()) << pane;
      EXPECT_EQ(std::set<unsigned>(ids.begin(), ids.end()).size(), ids.size()) << pane;
      if (!content) {
        for (unsigned id : ids)
          EXPECT_TRUE(id == kIdAddUnlinkedIndividual || id == kIdAddFather || id == kIdAddMother ||
                      id == kIdAddSpouse || id == kIdAddChild)
              << pane << ": " << id;
      }
    }
}

TEST(FamilyViewMenus, NoMenuOnAReadOnlyFileOrOutsideThePanes) {
  for (int pane = 0; pane < kPaneCount; ++pane)
    for (bool content : {false, true}) {
      PaneMenuFacts facts;
      facts.pane = pane;
      facts.content = content;
      facts.primary = true;
      facts.readOnly = true;
      const PaneMenu menu = MenuForPane(facts);
      EXPECT_EQ(menu.menu, 0) << pane;
      EXPECT_TRUE(menu.entries.empty()) << pane;
    }
  PaneMenuFacts outside;
  outside.pane = kPaneCount;
  EXPECT_EQ(MenuForPane(outside).menu, 0);
  outside.pane = -1;
  EXPECT_EQ(MenuForPane(outside).menu, 0);
}

// ---- the facts of a shown family ----

class FamilyViewMenuFacts : public OpenFamilyFixture {
 protected:
  void SetUp() override {
    OpenFamilyFixture::SetUp();
    father = Add("Ahl", "Gustav", 'M');
    mother = Add("Berg", "Hanna", 'F');
    john = Add("Ahl", "John", 'M');
    ruth = Add("Dahl", "Ruth", 'F');
    child = Add("Ahl", "Ida", 'F');
    parents = DbSetRelation(father, mother, db::kRelHusband, 0);
    ASSERT_GT(DbSetRelation(john, 0, db::kRelParents, parents), 0);
    marriage = DbSetRelation(john, ruth, db::kRelHusband, 0);
    ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, marriage), 0);
    // Ruth has a default photo.
    auto photo = std::make_unique<CMultimediaItem>();
    photo->fileName = "ruth.jpg";
    photo->kind = CMultimediaItem::kPhoto;
    photo->flags |= CMultimediaItem::kFlagDefault;
    EXPECT_EQ(1, DbSaveMultimediaChain(ruth, photo.get(), db::kIndividual));
  }
  static std::int32_t Add(const char* surname, const char* given, char sex) {
    CIndividualRecord person;
    person.surname = surname;
    person.givenNames[0] = given;
    person.sex = sex;
    return static_cast<std::int32_t>(family::Add(person, 0));
  }
  PaneMenu At(int pane) {
    model.Click(pane, pane == kPaneChildren ? 0 : -1);
    return MenuForPane(SelectedPaneFacts(model, false));
  }

  std::int32_t father, mother, john, ruth, child, parents, marriage;
  std::vector<std::uint32_t> history;
  std::int32_t lastShown = 0;
  FamilyViewModel model{history, &lastShown};
};

TEST_F(FamilyViewMenuFacts, TheSelectedPanesIndividualDecidesTheGreying) {
  ASSERT_TRUE(model.ShowIndividual(john));
  model.Click(kPaneMarriage);
  const PaneMenuFacts marriagePane = SelectedPaneFacts(model, false);
  EXPECT_TRUE(marriagePane.content);
  EXPECT_EQ(marriagePane.individual, john);  // the primary stands for the marriage pane
  EXPECT_EQ(marriagePane.marriages, 1);
  EXPECT_EQ(marriagePane.parentFamilies, 1);

  // John: married, with parents, no photo.
  EXPECT_EQ(Greyed(At(kPanePrimary)), std::set<unsigned>{kIdEditPhoto});
  // Ruth: married, a photo, no parents.
  EXPECT_EQ(Greyed(At(kPaneSpouse)), (std::set<unsigned>{kIdEditParentsMarriage, kIdAddParents}));
  // Gustav: married, no parents, no photo.
  EXPECT_EQ(Greyed(At(kPaneFather)),
            (std::set<unsigned>{kIdEditPhoto, kIdEditParentsMarriage, kIdAddParents}));
  // Ida: unmarried with parents.
  const PaneMenu ida = At(kPaneChildren);
  EXPECT_EQ(ida.menu, kMenuPaneContent);
  EXPECT_EQ(ida.subMenu, kSubMenuOther);
  EXPECT_EQ(Greyed(ida), (std::set<unsigned>{kIdEditPhoto, kIdEditMarriage}));

  // Ida as primary: her marriage pane and spouse pane are empty, her
  // children pane too; a spouse or child may still be added to her.
  ASSERT_TRUE(model.ShowIndividual(child));
  for (int pane : {kPaneMarriage, kPaneSpouse, kPaneChildren}) {
    const PaneMenu menu = At(pane);
    EXPECT_EQ(menu.menu, kMenuEmptyPane) << pane;
    EXPECT_EQ(menu.subMenu, pane);
    EXPECT_TRUE(Greyed(menu).empty()) << pane;
  }
  EXPECT_EQ(MenuForPane(SelectedPaneFacts(model, true)).menu, 0);
}

TEST_F(FamilyViewMenuFacts, ALoneMarriageGreysAddingRelativesToNobody) {
  CMarriageRecord empty;
  const std::int32_t lone = DbAddRecord(db::kMarriage, 0, &empty);
  ASSERT_GT(lone, 0);
  ASSERT_GT(DbSetRelation(child, 0, db::kRelParents, lone), 0);
  ASSERT_TRUE(model.ShowMarriage(lone));
  ASSERT_EQ(model.Primary(), nullptr);

  const PaneMenu primary = At(kPanePrimary);
  EXPECT_EQ(primary.menu, kMenuEmptyPane);
  EXPECT_EQ(Greyed(primary), (std::set<unsigned>{kIdAddFather, kIdAddMother, kIdAddSpouse}));
  EXPECT_TRUE(Offers(primary, kIdAddUnlinkedIndividual));
  EXPECT_EQ(Greyed(At(kPaneFather)), std::set<unsigned>{kIdAddFather});
  // The lone marriage is the marriage pane's content.
  const PaneMenu marriagePane = At(kPaneMarriage);
  EXPECT_EQ(marriagePane.menu, kMenuPaneContent);
  EXPECT_EQ(marriagePane.subMenu, kSubMenuMarriage);
  EXPECT_TRUE(Greyed(marriagePane).empty());
}

}  // namespace
