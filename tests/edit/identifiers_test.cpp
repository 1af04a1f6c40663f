// The custom ID and the SBN typed in Edit Individual are what every reader
// of them shows, and the nickname and also-known-as name typed beside them
// are never shown in their place.
#include <gtest/gtest.h>

#include <string>

#include "DetailPane.h"
#include "EditFixture.h"
#include "EditSessions.h"
#include "FakeFieldList.h"
#include "FieldListRow.h"
#include "StringIds.h"

namespace {

class IdentifierFieldsTest : public EditFamilyFixture {
 protected:
  void TearDown() override {
    SetNodeOptions(savedNodeOptions_);
    EditFamilyFixture::TearDown();
  }
  static int Type(CEditModel& model, CFieldListCtrl& list, int labelId, const std::string& text) {
    const int line = list.FindRowIndexById(labelId);
    EXPECT_GE(line, 0) << labelId;
    CFieldCell* cell = list.GetCell(1, line);
    cell->SetText(text);
    return list.GetRowObject(line)->Commit(&model, &list, cell);
  }
  static void AppendToNames(int kind) {
    NodeOptions options = GetNodeOptions();
    options.appendVal = kind;
    SetNodeOptions(options);
  }

  NodeOptions savedNodeOptions_ = GetNodeOptions();
};

TEST_F(IdentifierFieldsTest, EveryReaderShowsTheIdAndSbnEditIndividualStored) {
  EditEnvironment().options.allowSbnEdit = true;
  std::int32_t rin = 0;
  {
    CIndividualEditSession session(nullptr, nullptr, 1);
    rin = session.GetReservedRin();
    ASSERT_GT(rin, 0);
    FakeList f;
    CEditModel& m = session.Model();
    m.FillList(f.list);
    EXPECT_EQ(Type(m, f.list, res::kIdsGivenName, "Anders"), 1);
    EXPECT_EQ(Type(m, f.list, res::kIdsSurname, "Berg"), 1);
    EXPECT_EQ(Type(m, f.list, res::kIdsSex, "Male"), 1);
    EXPECT_EQ(Type(m, f.list, res::kIdsNickname, "Ante"), 1);
    EXPECT_EQ(Type(m, f.list, res::kIdsAlsoKnownAs, "Anders the Elder"), 1);
    EXPECT_EQ(Type(m, f.list, res::kIdsCustomId, "K-17"), 1);
    EXPECT_EQ(Type(m, f.list, res::kIdsStirpbankNumber, "SB-4411"), 1);
    EditSessionHooks granted;
    ASSERT_EQ(session.Save(granted), editsession::kIdOk);
  }

  CIndividualRecord stored;
  ASSERT_EQ(DbGetIndividualRecord(rin, stored, 7), 1);
  CIndividualNode* node = Node(rin);
  CIndividualEditModel reopened;
  reopened.LoadFromIndividual(node);
  const CDetailPaneTexts pane = ReadDetailPane(rin, nullptr, false);
  const auto listName = [&](int kind) {
    return CIndividualNode(stored, 0, kind, 1000, nullptr).GetDisplayName();
  };
  const auto paneName = [&](int kind) {
    AppendToNames(kind);
    return ReadDetailPane(rin, nullptr, false).name;
  };

  struct Case {
    const char* reader;
    std::string shown;
    std::string expected;
  } cases[] = {
      {"Edit Individual's custom ID", reopened.GetCustomId(), "K-17"},
      {"Edit Individual's SBN", reopened.GetSBN(), "SB-4411"},
      {"Edit Individual's nickname", reopened.GetNickname(), "Ante"},
      {"Edit Individual's also known as", reopened.GetAlsoKnownAs(), "Anders the Elder"},
      {"detail pane ID No", pane.id, "K-17"},
      {"detail pane SBN", pane.sbn, "SB-4411"},
      {"detail pane name with the custom ID", paneName(2), "Anders Berg-K-17"},
      {"detail pane name with the SBN", paneName(3), "Anders Berg-SB-4411"},
      {"list name with the custom ID", listName(2), "Anders Berg-K-17"},
      {"list name with the SBN", listName(3), "Anders Berg-SB-4411"},
      {"report name with the custom ID", stored.GetName(2, false, 1, false), "Anders Berg-K-17"},
      {"report name with the SBN", stored.GetName(3, false, 1, false), "Anders Berg-SB-4411"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.shown, c.expected) << c.reader;

  // A name refreshed after Edit Individual saved new identifiers.
  CIndividualEditValues values = reopened.GetValues();
  values.detailTexts[0] = "K-18";
  values.detailTexts[2] = "SB-4412";
  node->SetFromScreen(values);
  node->UpdateDisplayName(2, 1000, nullptr);
  EXPECT_EQ(node->GetDisplayName(), "Anders Berg-K-18");
  node->UpdateDisplayName(3, 1000, nullptr);
  EXPECT_EQ(node->GetDisplayName(), "Anders Berg-SB-4412");
  node->Release();
}

}  // namespace
