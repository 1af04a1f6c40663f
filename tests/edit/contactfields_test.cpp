#include <gtest/gtest.h>

#include <string>

#include "ContactFields.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"

namespace {

using Rec = CIndividualRecord;

// An in-memory individual with a detail part and the given address lines.
CIndividualNode* Person(const std::string& line1, const std::string& line2) {
  CIndividualRecord record;
  record.numbers[Rec::kRin] = 7;
  record.contact[Rec::kContactName] = "Home";
  record.contact[Rec::kContactAddress1] = line1;
  record.contact[Rec::kContactAddress2] = line2;
  record.contact[Rec::kContactCity] = "Provo";
  record.contact[Rec::kContactHomePage] = "example.org";
  CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
  node->AddRef();
  return node;
}

std::string Get(const CIndividualNode& node, int field) {
  std::string out;
  node.GetContact(field, out);
  return out;
}

TEST(ContactFields, TheStreetLinesAreJoinedForTheScreenAndSplitBackOnOk) {
  struct Case {
    const char* line1;
    const char* line2;
    const char* shown;
    const char* typed;
    const char* stored1;
    const char* stored2;
  };
  const Case cases[] = {
      {"1 Main", "", "1 Main", "2 Elm", "2 Elm", ""},
      {"1 Main", "Apt 3", "1 Main\r\nApt 3", "1 Main\r\nApt 4", "1 Main", "Apt 4"},
      {"1 Main", "Apt 3", "1 Main\r\nApt 3", "\r\nApt 4", "\r\nApt 4", ""},
      {"", "", "", "a\r\nb\r\nc", "a", "b\r\nc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    CIndividualNode* node = Person(c.line1, c.line2);
    CContactFields fields(*node);
    EXPECT_EQ(fields.values[CContactFields::kStreet], c.shown);
    EXPECT_EQ(fields.values[CContactFields::kName], "Home");
    EXPECT_EQ(fields.values[CContactFields::kCity], "Provo");
    EXPECT_EQ(fields.values[CContactFields::kHomePage], "example.org");
    fields.values[CContactFields::kStreet] = c.typed;
    fields.values[CContactFields::kPhone] = "555";
    fields.values[CContactFields::kCity] = "";
    fields.ApplyTo(*node);
    EXPECT_EQ(Get(*node, Rec::kContactAddress1), c.stored1);
    EXPECT_EQ(Get(*node, Rec::kContactAddress2), c.stored2);
    EXPECT_EQ(Get(*node, Rec::kContactPhone), "555");
    EXPECT_EQ(Get(*node, Rec::kContactCity), "");
    EXPECT_EQ(Get(*node, Rec::kContactName), "Home");
    EXPECT_EQ(Get(*node, Rec::kContactHomePage), "example.org");
    node->Release();
  }
}

}  // namespace
