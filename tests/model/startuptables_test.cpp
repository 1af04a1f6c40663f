#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "CatalogFixture.h"
#include "CustomEventTable.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "StartupTables.h"
#include "StringTable.h"
#include "TempDir.h"

namespace {

class StartupTablesTest : public CatalogFixture {
 protected:
  void TearDown() override {
    CatalogFixture::TearDown();
    FreeCustomEventTable();
    FreeStandardNoteTags();
    LoadNavigationKeys();  // back to the built-in letters
  }
};

TEST(TableRowReaderTest, FieldsAreTrimmedAsTheRowsExpect) {
  TableRowReader reader("  one |two  |\tthree||last ");
  EXPECT_EQ(reader.Next(), "one");
  EXPECT_EQ(reader.Next(), "two ");  // only one trailing character is dropped
  EXPECT_EQ(reader.Next(), "three");
  EXPECT_EQ(reader.Next(), "");
  EXPECT_EQ(reader.Next(), "last");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.Next(), "");
}

TEST_F(StartupTablesTest, BuiltInCustomEventKinds) {
  LoadCustomEventTable();
  EXPECT_TRUE(boxes_.Calls().empty());
  const CCustomEventTable& table = CustomEventTable();
  ASSERT_EQ(table.GetSize(), 58);

  const CEventTypeRecord& immigration = *table.GetAt(0);
  EXPECT_EQ(immigration.title, "Immigration");
  EXPECT_EQ(immigration.shortTitle, "Immigr");
  EXPECT_EQ(immigration.abbreviation, "IM");
  EXPECT_EQ(immigration.tag, "IMMI");
  EXPECT_EQ(immigration.hasTag, 1);
  EXPECT_EQ(immigration.verbPhrase, "immigrated");
  EXPECT_EQ(immigration.placePreposition, "to");
  EXPECT_EQ(immigration.dateKind, 1);
  EXPECT_EQ(immigration.hasDescription, 0);
  EXPECT_EQ(immigration.ownerKind, db::kOwnerIndividual);

  const CEventTypeRecord& circumcision = *table.GetAt(15);
  EXPECT_EQ(circumcision.title, "Circumcision");
  EXPECT_EQ(circumcision.tag, "");
  EXPECT_EQ(circumcision.hasTag, 0);

  const CEventTypeRecord& hospital = *table.GetAt(25);
  EXPECT_EQ(hospital.dateKind, 2);
  EXPECT_EQ(hospital.hasDescription, 1);

  EXPECT_EQ(table.GetAt(57)->title, "Marriage");
  EXPECT_EQ(table.GetAt(57)->ownerKind, db::kOwnerMarriage);
  EXPECT_EQ(table.GetAt(58), nullptr);
  EXPECT_EQ(table.GetAt(-1), nullptr);

  FreeCustomEventTable();
  EXPECT_EQ(CustomEventTable().GetSize(), 0);
}

TEST_F(StartupTablesTest, BadCustomEventRowsAreReportedAndKept) {
  LoadCatalog({
      "4300\tImmigration|Immigr|IM|IMMI|immigrated|to|1|0|IM",
      "4301\tCensus|Census|CS|CENS|was counted|in|12|0|M",
      "4302\tWill|Will|WL|WILL|signed a will|in|1|x|I",
      "4303\tMove|Move|MV||moved|to|2|1|M",
      "4305\tLost|Lost|LO||was lost|in|1|0|I",
  });
  LoadCustomEventTable();
  EXPECT_EQ(Messages(), (std::vector<std::string>{
                            "Invalid custom event string 0 in resource (field 8)",
                            "Invalid custom event string 1 in resource (field 6)",
                            "Invalid custom event string 2 in resource (field 7)",
                        }));
  const CCustomEventTable& table = CustomEventTable();
  ASSERT_EQ(table.GetSize(), 4);  // every row kept; loading stops at the missing 4304

  // The ninth field "IM" leaves the earlier fields in place.
  const CEventTypeRecord& immigration = *table.GetAt(0);
  EXPECT_EQ(immigration.title, "Immigration");
  EXPECT_EQ(immigration.tag, "IMMI");
  EXPECT_EQ(immigration.placePreposition, "to");
  EXPECT_EQ(immigration.dateKind, 1);
  EXPECT_EQ(immigration.hasDescription, 0);
  EXPECT_EQ(immigration.ownerKind, db::kOwnerIndividual);  // as constructed

  // A bad seventh field ends the row before the eighth and ninth.
  const CEventTypeRecord& census = *table.GetAt(1);
  EXPECT_EQ(census.verbPhrase, "was counted");
  EXPECT_EQ(census.ownerKind, db::kOwnerIndividual);

  const CEventTypeRecord& move = *table.GetAt(3);
  EXPECT_EQ(move.dateKind, 2);
  EXPECT_EQ(move.hasDescription, 1);
  EXPECT_EQ(move.ownerKind, db::kOwnerMarriage);
}

TEST_F(StartupTablesTest, AtMostAHundredCustomEventKinds) {
  std::vector<std::string> lines;
  for (int i = 0; i < 120; ++i)
    lines.push_back(std::to_string(4300 + i) + "\tKind " + std::to_string(i) + "|K|K|||in|1|0|I");
  LoadCatalog(lines);
  LoadCustomEventTable();
  ASSERT_EQ(CustomEventTable().GetSize(), kMaxCustomEvents);
  EXPECT_EQ(CustomEventTable().GetAt(99)->title, "Kind 99");
  EXPECT_TRUE(boxes_.Calls().empty());
}

TEST_F(StartupTablesTest, StandardNoteTags) {
  LoadStandardNoteTags();
  EXPECT_EQ(GetStandardNoteTags(),
            (std::vector<std::string>{
                "All", "BIOGRAPHY:", "BIRTH:", "CHRISTENING:", "DEATH:", "BURIAL:", "MARRIAGE:"}));
  FreeStandardNoteTags();
  EXPECT_TRUE(GetStandardNoteTags().empty());

  std::vector<std::string> lines;
  for (int i = 0; i < 60; ++i)
    lines.push_back(std::to_string(6346 + i) + "\tTAG" + std::to_string(i) + ":");
  LoadCatalog(lines);
  LoadStandardNoteTags();
  ASSERT_EQ(GetStandardNoteTags().size(), kMaxStandardNoteTags);
  EXPECT_EQ(GetStandardNoteTags().back(), "TAG47:");
}

TEST_F(StartupTablesTest, NavigationKeysMapTheLanguageLetters) {
  LoadNavigationKeys();
  for (char key : {'F', 'M', 'C', 'S', 'X', 'm'}) EXPECT_EQ(MapNavigationKey(key), key);

  // Letters of another language: father "M", mother "F" (swapped to catch
  // an identity mapping), child "K", spouse "M" again (the first match wins).
  LoadCatalog({"3520\tMadre", "3521\tFather", "3522\tKind", "3523\tMann"});
  LoadNavigationKeys();
  EXPECT_EQ(MapNavigationKey('F'), 'M');  // the mother letter
  EXPECT_EQ(MapNavigationKey('M'), 'F');
  EXPECT_EQ(MapNavigationKey('K'), 'C');
  EXPECT_EQ(MapNavigationKey('C'), 'C');  // not a language letter: unchanged
  EXPECT_EQ(MapNavigationKey('S'), 'S');
  EXPECT_EQ(MapNavigationKey('f'), 'f');  // exact match only
}

}  // namespace
