// The record trees: key order of individuals, sources, repositories and
// event types, inserts, removes and re-sorts against a model of the order,
// balance under sorted input, the walks, the find by name, the name-tree
// side file, the index files and the delete cascades.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "Ansel.h"
#include "AnselCompare.h"
#include "CodePage.h"
#include "DbCodes.h"
#include "EngineFixture.h"
#include "MemoryFile.h"
#include "ScopedCodePage.h"

using namespace orv;

namespace {

class TreeTest : public EngineTest {
 protected:
  ScopedCodePage page_{plat::kCodePageWestern};

  std::int32_t AddPerson(const std::string& surname, const std::string& given = "",
                         const std::string& given2 = "") {
    const std::int32_t s = engine->Strings().FindOrAddString(surname, 0);
    const std::int32_t g = engine->Strings().FindOrAddString(given, 0);
    const std::int32_t g2 = engine->Strings().FindOrAddString(given2, 0);
    const std::int32_t rin = engine->Records().NewRecord(RecordKind::Individual, true,
                                                         [&](std::int32_t, std::uint8_t* rec) {
                                                           PutI32(rec + 1, s);
                                                           PutI32(rec + 5, g);
                                                           PutI32(rec + 9, g2);
                                                         });
    EXPECT_EQ(engine->Trees().InsertInTree(RecordKind::Individual, rin), 1);
    return rin;
  }
  void Rename(std::int32_t rin, const std::string& surname, const std::string& given) {
    IndividualRec p;
    engine->Records().Read(rin, p);
    p.names[0] = engine->Strings().FindOrAddString(surname, 0);
    p.names[1] = engine->Strings().FindOrAddString(given, 0);
    std::uint8_t buf[IndividualRec::kSize];
    p.Encode(buf);
    engine->Trees().Resort(RecordKind::Individual, rin, buf);
    engine->Records().WriteRaw(RecordKind::Individual, rin, buf);  // as a record writer would
  }
  std::int32_t AddSource(const std::string& title) {
    const std::int32_t r = engine->Records().NewRecord(RecordKind::Source, false,
                                                       [&](std::int32_t, std::uint8_t* rec) {
                                                         SourceRec s;
                                                         s.Decode(rec);
                                                         SetFieldText(s.title, AnsiToAnsel(title));
                                                         s.Encode(rec);
                                                       });
    engine->Trees().InsertInTree(RecordKind::Source, r);
    return r;
  }
  std::int32_t AddRepository(const std::string& name) {
    const std::int32_t r = engine->Records().NewRecord(RecordKind::Repository, false,
                                                       [&](std::int32_t, std::uint8_t* rec) {
                                                         RepositoryRec rep;
                                                         rep.Decode(rec);
                                                         SetFieldText(rep.name, name);
                                                         rep.Encode(rec);
                                                       });
    engine->Trees().InsertInTree(RecordKind::Repository, r);
    return r;
  }
  std::int32_t AddEventType(const std::string& title) {
    const std::int32_t ref = engine->Strings().FindOrAddString(title, 4);
    const std::int32_t r = engine->Records().NewRecord(
        RecordKind::EventType, false, [&](std::int32_t, std::uint8_t* rec) { PutI32(rec, ref); });
    engine->Trees().InsertInTree(RecordKind::EventType, r);
    return r;
  }

  struct Links {
    std::int32_t lesser, greater, parent;
  };
  Links LinksOf(RecordKind kind, std::int32_t r) {
    const int off = kind == RecordKind::Individual   ? 242
                    : kind == RecordKind::Source     ? 463
                    : kind == RecordKind::Repository ? 287
                                                     : 12;
    std::vector<std::uint8_t> rec(LayoutOf(kind).size);
    engine->Records().ReadRaw(kind, r, rec.data());
    return {GetI32(rec.data() + off), GetI32(rec.data() + off + 4), GetI32(rec.data() + off + 8)};
  }

  // Checks every parent link, returns the in-order sequence by recursion on
  // the stored links (independent of the engine's walks) and the height.
  std::vector<std::int32_t> Structure(RecordKind kind, int* height = nullptr) {
    std::vector<std::int32_t> order;
    int h = 0;
    const std::int32_t root = engine->Trees().TreeRoot(kind);
    if (root != 0) {
      EXPECT_EQ(LinksOf(kind, root).parent, 0);
      h = Collect(kind, root, order, 1);
    }
    if (height) *height = h;
    return order;
  }
  int Collect(RecordKind kind, std::int32_t r, std::vector<std::int32_t>& order, int depth) {
    const Links l = LinksOf(kind, r);
    int h = depth;
    if (l.lesser != 0) {
      EXPECT_EQ(LinksOf(kind, l.lesser).parent, r);
      h = std::max(h, Collect(kind, l.lesser, order, depth + 1));
    }
    order.push_back(r);
    if (l.greater != 0) {
      EXPECT_EQ(LinksOf(kind, l.greater).parent, r);
      h = std::max(h, Collect(kind, l.greater, order, depth + 1));
    }
    return h;
  }
};

}  // namespace

TEST_F(TreeTest, IndividualsWalkInNameOrder) {
  // Inserted out of order; case-only differences and equal keys, accents,
  // empty surnames and given names.
  const std::int32_t smithJohn = AddPerson("Smith", "John");
  const std::int32_t muller = AddPerson("M\xFCller", "Hans");  // Müller
  const std::int32_t noName = AddPerson("", "");
  const std::int32_t smithLower = AddPerson("smith", "john");  // equal key to smithJohn
  const std::int32_t mueller = AddPerson("Mueller", "Hans");
  const std::int32_t onlyGiven = AddPerson("", "Adam");
  const std::int32_t mullerPlain = AddPerson("Muller", "Hans");
  const std::int32_t smithNoGiven = AddPerson("Smith");
  const std::int32_t smithJohnPaul = AddPerson("Smith", "John", "Paul");
  const std::int32_t smithJohnAgain = AddPerson("SMITH", "JOHN");  // equal again
  const std::int32_t adams = AddPerson("Adams", "Zed");

  const std::vector<std::int32_t> expected = {noName,      onlyGiven, adams,        mueller,
                                              mullerPlain, muller,    smithNoGiven, smithJohnAgain,
                                              smithLower,  smithJohn, smithJohnPaul};
  EXPECT_EQ(engine->Trees().TreeInOrder(RecordKind::Individual), expected);
  EXPECT_EQ(Structure(RecordKind::Individual), expected);
  // Backwards from the last record.
  std::vector<std::int32_t> back;
  for (std::int32_t r = engine->Trees().TreeEnd(RecordKind::Individual, RecordTrees::kBackward);
       r != 0; r = engine->Trees().TreeNext(RecordKind::Individual, r, RecordTrees::kBackward))
    back.push_back(r);
  std::reverse(back.begin(), back.end());
  EXPECT_EQ(back, expected);
  EXPECT_EQ(engine->Trees().GelAlphaName(smithJohnPaul, kBlockIndividuals), "Smith, John Paul");
  EXPECT_EQ(engine->Trees().GelAlphaName(noName, kBlockIndividuals), ",");
  EXPECT_TRUE(host->indexStale);

  // The same order after a reopen.
  ASSERT_EQ(Reopen(), 1);
  EXPECT_EQ(engine->Trees().TreeInOrder(RecordKind::Individual), expected);
}

TEST_F(TreeTest, EqualTitlesListInInsertionOrderForTheOtherTrees) {
  const std::int32_t s1 = AddSource("Parish Register");
  const std::int32_t s2 = AddSource("Census 1851");
  const std::int32_t s3 = AddSource("parish register");
  const std::int32_t s4 = AddSource("\xC9tat civil");  // État
  const std::int32_t s5 = AddSource("PARISH REGISTER");
  EXPECT_EQ(engine->Trees().TreeInOrder(RecordKind::Source),
            (std::vector<std::int32_t>{s2, s4, s1, s3, s5}));
  EXPECT_EQ(Structure(RecordKind::Source), engine->Trees().TreeInOrder(RecordKind::Source));
  EXPECT_EQ(engine->Trees().GelAlphaName(s4, kBlockSources), "\xC9tat civil");

  const std::int32_t r1 = AddRepository("Town Hall");
  const std::int32_t r2 = AddRepository("Archive");
  const std::int32_t r3 = AddRepository("town hall");
  EXPECT_EQ(engine->Trees().TreeInOrder(RecordKind::Repository),
            (std::vector<std::int32_t>{r2, r1, r3}));

  const std::int32_t e1 = AddEventType("Residence");
  const std::int32_t e2 = AddEventType("Occupation");
  const std::int32_t e3 = AddEventType("Residence");
  EXPECT_EQ(engine->Trees().TreeInOrder(RecordKind::EventType),
            (std::vector<std::int32_t>{e2, e1, e3}));
  EXPECT_EQ(engine->Trees().GelAlphaName(e2, kBlockEventTypes), "Occupation");
  EXPECT_EQ(FileI32(kHeadEventTypeRoot), engine->Trees().TreeRoot(RecordKind::EventType));
  EXPECT_EQ(FileI32(kHeadSourceRoot), engine->Trees().TreeRoot(RecordKind::Source));

  EXPECT_EQ(engine->Trees().GelAlphaName(1, 5), "");
  ASSERT_FALSE(boxes.Calls().empty());
  EXPECT_EQ(boxes.Calls().back().text, "Unknown type in GelAlphaName");
}

// Random inserts, re-sorts and deletes against a model of the order. Keys
// come from small sets whose collation order is written down here: case-only
// differences are equal keys, so ties are frequent.
// Outside a batch and inside one, where the links wait in memory and a
// descent uses what it keeps of each node.
TEST_F(TreeTest, InsertsRemovesAndResortsKeepTheModelOrder) {
  for (const bool batch : {false, true}) {
    SCOPED_TRACE(batch ? "in a batch" : "outside a batch");
    if (batch) {
      CreateFamilyFile();
      engine->Blocks().BeginBatch();
    }
    // Long names that begin alike are told apart past their first bytes.
    const std::vector<std::vector<std::string>> surnames = {{""},
                                                            {"Jones", "JONES"},
                                                            {"Jonesborough", "JONESBOROUGH"},
                                                            {"Jonesboroughs"},
                                                            {"Muller"},
                                                            {"M\xFCller", "m\xFCller"},
                                                            {"Smith", "smith"}};
    const std::vector<std::vector<std::string>> givens = {
        {""}, {"Ann", "ann"}, {"Annabelle", "ANNABELLE"}, {"Annabellen"}, {"Bob"}};
    struct Person {
      std::int32_t rin;
      int rank;
    };
    std::vector<Person> model;  // in expected order
    std::mt19937 rng(12345);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto place = [&](std::int32_t rin, int rank) {
      // Equal keys: the newer individual goes first.
      auto at =
          std::find_if(model.begin(), model.end(), [&](const Person& p) { return p.rank >= rank; });
      model.insert(at, Person{rin, rank});
    };
    auto expectOrder = [&](int step) {
      std::vector<std::int32_t> want;
      for (const Person& p : model) want.push_back(p.rin);
      ASSERT_EQ(engine->Trees().TreeInOrder(RecordKind::Individual), want) << "step " << step;
      ASSERT_EQ(Structure(RecordKind::Individual), want) << "step " << step;
    };
    for (int step = 0; step < 400; ++step) {
      const int action = model.size() < 5 ? 0 : pick(4);
      const int s = pick(static_cast<int>(surnames.size()));
      const int g = pick(static_cast<int>(givens.size()));
      const std::string& surname = surnames[s][pick(static_cast<int>(surnames[s].size()))];
      const std::string& given = givens[g][pick(static_cast<int>(givens[g].size()))];
      const int rank = s * 10 + g;
      if (action <= 1) {
        place(AddPerson(surname, given), rank);
      } else if (action == 2) {
        const std::size_t i = static_cast<std::size_t>(pick(static_cast<int>(model.size())));
        const std::int32_t rin = model[i].rin;
        model.erase(model.begin() + static_cast<std::ptrdiff_t>(i));
        Rename(rin, surname, given);
        place(rin, rank);
      } else {
        const std::size_t i = static_cast<std::size_t>(pick(static_cast<int>(model.size())));
        ASSERT_EQ(engine->Deletes().DeleteIndividual(model[i].rin), 1);
        model.erase(model.begin() + static_cast<std::ptrdiff_t>(i));
      }
      if (step % 20 == 19) expectOrder(step);
    }
    expectOrder(400);
    EXPECT_TRUE(boxes.Calls().empty());
    if (batch) {
      ASSERT_TRUE(engine->Blocks().EndBatch());
      ASSERT_EQ(Reopen(), 1);
      expectOrder(401);
    }
  }
}

// What an insert keeps of each node follows the stored texts: a name whose
// text is rewritten in place is weighed by what it says now.
TEST_F(TreeTest, NodesAreWeighedByTheirNamesAsTheyReadNow) {
  const std::int32_t kept = AddPerson("Mmmm");
  const std::int32_t rewritten = engine->Strings().FindOrAddString("Mmmm", 0);
  ASSERT_EQ(engine->Strings().ReplaceEntryText(rewritten, "Zzzz", true), 1);
  const std::int32_t added = AddPerson("Pppp");
  EXPECT_EQ(engine->Trees().TreeInOrder(RecordKind::Individual),
            (std::vector<std::int32_t>{added, kept}));
}

TEST_F(TreeTest, RemovingKeepsTheOrderOfTheRest) {
  std::vector<std::int32_t> sources;
  for (const char* t : {"M", "F", "T", "B", "H", "P", "W", "A", "C", "G", "K"})
    sources.push_back(AddSource(t));
  std::vector<std::int32_t> order = engine->Trees().TreeInOrder(RecordKind::Source);
  // Remove the root (two children), a leaf and a node with one child.
  for (int round = 0; round < 3; ++round) {
    const std::int32_t root = engine->Trees().TreeRoot(RecordKind::Source);
    ASSERT_EQ(engine->Deletes().DeleteSource(root), 1);
    order.erase(std::find(order.begin(), order.end(), root));
    EXPECT_EQ(engine->Trees().TreeInOrder(RecordKind::Source), order);
    EXPECT_EQ(Structure(RecordKind::Source), order);
    EXPECT_EQ(FileI32(kHeadSourceRoot), engine->Trees().TreeRoot(RecordKind::Source));
  }
  const std::int32_t leaf = order.front();
  engine->Trees().RemoveFromTree(RecordKind::Source, leaf);
  EXPECT_FALSE(engine->Trees().InTree(RecordKind::Source, leaf));
  EXPECT_EQ(LinksOf(RecordKind::Source, leaf).lesser, leaf);
  // A second remove of a record out of its tree changes nothing.
  EXPECT_EQ(engine->Trees().RemoveFromTree(RecordKind::Source, leaf), 1);
  order.erase(order.begin());
  EXPECT_EQ(Structure(RecordKind::Source), order);
  // Removing everything empties the tree.
  for (std::int32_t r : order) engine->Deletes().DeleteSource(r);
  EXPECT_EQ(engine->Trees().TreeRoot(RecordKind::Source), 0);
  EXPECT_TRUE(engine->Trees().TreeInOrder(RecordKind::Source).empty());
}

TEST_F(TreeTest, SortedInputStaysShallow) {
  // Names arriving in sorted order, as from a GEDCOM file sorted by surname.
  const int n = 1500;
  std::vector<std::int32_t> rins;
  engine->Blocks().BeginBatch();
  for (int i = 0; i < n; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "N%05d", i);
    rins.push_back(AddPerson(name, "Ann"));
  }
  ASSERT_TRUE(engine->Blocks().EndBatch());
  int height = 0;
  EXPECT_EQ(Structure(RecordKind::Individual, &height), rins);
  EXPECT_LE(height, static_cast<int>(4 * std::log2(n)));
  // Reverse order likewise.
  for (std::int32_t r : rins) engine->Deletes().DeleteIndividual(r);
  std::vector<std::int32_t> reversed;
  for (int i = n; i-- > 0;) {
    char name[16];
    std::snprintf(name, sizeof name, "N%05d", i);
    reversed.push_back(AddPerson(name));
  }
  std::reverse(reversed.begin(), reversed.end());
  EXPECT_EQ(Structure(RecordKind::Individual, &height), reversed);
  EXPECT_LE(height, static_cast<int>(4 * std::log2(n)));
}

TEST_F(TreeTest, NumberOrderWalk) {
  std::vector<std::int32_t> r;
  for (int i = 0; i < 6; ++i)
    r.push_back(AddPerson("P", std::string(1, static_cast<char>('a' + i))));
  engine->Deletes().DeleteIndividual(r[0]);  // 1
  engine->Deletes().DeleteIndividual(r[3]);  // 4
  engine->Deletes().DeleteIndividual(r[5]);  // 6
  struct Case {
    std::int32_t n;
    int mode;
    std::int32_t want;
  };
  const Case cases[] = {
      {0, db::kWalkNextOrSame, 2},
      {-3, db::kWalkNextOrSame, 2},
      {4, db::kWalkNextOrSame, 5},
      {5, db::kWalkNextOrSame, 5},
      {6, db::kWalkNextOrSame, 0},
      {99, db::kWalkPreviousOrSame, 5},
      {4, db::kWalkPreviousOrSame, 3},
      {1, db::kWalkPreviousOrSame, 0},
      {2, db::kWalkExact, 2},
      {4, db::kWalkExact, 0},
      {7, db::kWalkExact, 0},
      {2, db::kWalkNext, 3},
      {3, db::kWalkNext, 5},
      {5, db::kWalkNext, 0},
      {6, db::kWalkNext, 0},
      {-1, db::kWalkNext, 2},
      {6, db::kWalkPrevious, 5},
      {5, db::kWalkPrevious, 3},
      {99, db::kWalkPrevious, 5},
      {1, db::kWalkPrevious, 0},
      {3, db::kWalkPrevious, 2},
      {2, db::kWalkPrevious, 0},
      {3, 108, 0},  // 108 is no walk mode
  };
  for (const Case& c : cases)
    EXPECT_EQ(engine->Trees().WalkByNumber(RecordKind::Individual, c.n, c.mode), c.want)
        << c.n << " mode " << c.mode;
}

TEST_F(TreeTest, FindByNamePicksByMode) {
  const std::int32_t adams = AddPerson("Adams", "Ann");
  const std::int32_t brown = AddPerson("Brown", "Bob");
  const std::int32_t clark = AddPerson("Clark", "Cy");
  struct Case {
    const char* text;
    int mode;
    std::int32_t want;
  };
  const Case cases[] = {
      // exact
      {"brown, bob", db::kWalkExact, brown},
      {"Brown|Bob", db::kWalkNextOrSame, brown},
      {"Brown, Bob", db::kWalkPreviousOrSame, brown},
      {"Brown, Bob", db::kWalkNext, clark},
      {"Brown, Bob", db::kWalkPrevious, adams},
      // between Brown and Clark
      {"Brown, Zed", db::kWalkExact, 0},
      {"Brown, Zed", db::kWalkNextOrSame, clark},
      {"Brown, Zed", db::kWalkNext, clark},
      {"Brown, Zed", db::kWalkPreviousOrSame, brown},
      {"Brown, Zed", db::kWalkPrevious, brown},
      // before all, after all
      {"Aaron", db::kWalkNextOrSame, adams},
      {"Aaron", db::kWalkPreviousOrSame, 0},
      {"Zz", db::kWalkNextOrSame, 0},
      {"Zz", db::kWalkPreviousOrSame, clark},
      {"Zz", db::kWalkPrevious, clark},
  };
  for (const Case& c : cases)
    EXPECT_EQ(engine->Trees().FindByName(RecordKind::Individual, c.text, c.mode), c.want)
        << c.text << " mode " << c.mode;
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(engine->Trees().FindByName(RecordKind::Individual, "Brown", 108), 0);  // no mode
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Invalid Option");
  EXPECT_EQ(boxes.Calls()[0].caption, "Adjust Alpha Rin");

  const std::int32_t census = AddSource("Census");
  AddSource("Wills");
  EXPECT_EQ(engine->Trees().FindByName(RecordKind::Source, "census", db::kWalkExact), census);
  EXPECT_EQ(engine->Trees().FindByName(RecordKind::Source, "Deeds", db::kWalkNextOrSame),
            census + 1);
  EXPECT_EQ(engine->Trees().FindByName(RecordKind::Repository, "Deeds", db::kWalkNextOrSame),
            0);  // empty tree
}

TEST_F(TreeTest, SideFileMirrorsTheChildFields) {
  const std::string sidePath = dir.File("family.orx");
  ASSERT_EQ(host->nameLinks.Create(sidePath), 0);
  std::vector<std::int32_t> rins;
  for (const char* name : {"K", "C", "T", "A", "E", "R", "Z", "B"}) rins.push_back(AddPerson(name));
  engine->Deletes().DeleteIndividual(rins[1]);
  Rename(rins[0], "D", "");
  for (std::int32_t r = 1; r <= engine->Records().Highest(RecordKind::Individual); ++r) {
    std::uint8_t b[8] = {};
    host->nameLinks.ReadAt(8 * static_cast<std::uint64_t>(r), b, 8);
    const Links l = LinksOf(RecordKind::Individual, r);
    const bool live = engine->Records().IsLive(RecordKind::Individual, r) == 1;
    EXPECT_EQ(GetI32(b), live && l.lesser != r ? l.lesser : 0) << r;
    EXPECT_EQ(GetI32(b + 4), live && l.greater != r ? l.greater : 0) << r;
  }
}

TEST_F(TreeTest, IndexFilesOfSourcesListTheTreeOrder) {
  host->path = path;
  const std::int32_t w = AddSource("Wills");
  const std::int32_t c = AddSource("Census");
  const std::int32_t d = AddSource("Deeds");
  AlphaIndexFile* index = engine->Trees().AlphaIndex(RecordKind::Source);
  ASSERT_NE(index, nullptr);
  EXPECT_EQ(index->Entries(), 3);
  const auto bytes = [&](const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
  };
  std::vector<std::uint8_t> want(16, 0);
  PutI32(want.data(), c);
  PutI32(want.data() + 4, d);
  PutI32(want.data() + 8, w);
  EXPECT_EQ(bytes(dir.File("family.ors")), want);
  EXPECT_EQ(index->PositionOf(d), 2);
  EXPECT_EQ(index->PositionOf(99), 1);
  EXPECT_EQ(index->At(3), w);
  EXPECT_EQ(index->At(4), 0);

  // A change of the tree makes it stale; the next use rebuilds it.
  EXPECT_FALSE(index->IsStale());
  engine->Deletes().DeleteSource(d);
  EXPECT_TRUE(index->IsStale());
  index = engine->Trees().AlphaIndex(RecordKind::Source);
  EXPECT_EQ(index->Entries(), 2);
  EXPECT_EQ(index->At(2), w);

  const std::int32_t rep = AddRepository("Archive");
  ASSERT_NE(engine->Trees().AlphaIndex(RecordKind::Repository), nullptr);
  EXPECT_EQ(engine->Trees().AlphaIndex(RecordKind::Repository)->At(1), rep);
  EXPECT_TRUE(std::filesystem::exists(dir.File("family.orr")));
  EXPECT_EQ(engine->Trees().AlphaIndex(RecordKind::Individual), nullptr);
}

TEST_F(TreeTest, DeletesTakeRecordsOutOfTheirTrees) {
  const std::int32_t a = AddPerson("A");
  const std::int32_t b = AddPerson("B");
  const std::int32_t c = AddPerson("C");
  ASSERT_EQ(engine->Deletes().DeleteIndividual(b), 1);
  EXPECT_EQ(Structure(RecordKind::Individual), (std::vector<std::int32_t>{a, c}));

  const std::int32_t r1 = AddRepository("One");
  const std::int32_t r2 = AddRepository("Two");
  engine->Deletes().DeleteRepository(r1);
  EXPECT_EQ(Structure(RecordKind::Repository), std::vector<std::int32_t>{r2});

  const std::int32_t e1 = AddEventType("Alpha");
  const std::int32_t e2 = AddEventType("Beta");
  engine->Deletes().DeleteEventType(e2);
  EXPECT_EQ(Structure(RecordKind::EventType), std::vector<std::int32_t>{e1});
  // A deleted event type keeps only its delete-chain link.
  EventTypeRec rec;
  engine->Records().Read(e2, rec);
  EXPECT_EQ(rec.title, 0);
  // A reused number goes into the tree afresh.
  const std::int32_t again = AddPerson("Bb");
  EXPECT_EQ(again, b);
  EXPECT_EQ(Structure(RecordKind::Individual), (std::vector<std::int32_t>{a, b, c}));
}

TEST_F(TreeTest, BlockTypesMapToRecordTypes) {
  const int pairs[][2] = {{2, db::kIndividual}, {3, db::kMarriage},   {4, db::kNoteBlock},
                          {5, db::kFamilyLink}, {6, db::kCitation},   {7, db::kSource},
                          {8, db::kRepository}, {12, db::kUserEvent}, {13, db::kEventType},
                          {17, db::kContact}};
  for (const auto& p : pairs) EXPECT_EQ(RecordTrees::LoCodeToHiCode(p[0]), p[1]);
  EXPECT_TRUE(boxes.Calls().empty());
  EXPECT_EQ(RecordTrees::LoCodeToHiCode(1), 0);
  ASSERT_EQ(boxes.Calls().size(), 1u);
  EXPECT_EQ(boxes.Calls()[0].text, "Unknown type in LoCodeToHiCode");
  EXPECT_EQ(boxes.Calls()[0].caption, "Yo");
}

namespace {

// The family file, counting the writes that reach it.
class WriteCounter : public PassThroughFile {
 public:
  using PassThroughFile::PassThroughFile;
  long writes = 0;
  bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override {
    ++writes;
    return inner_.WriteAt(pos, data, len);
  }
};

}  // namespace

// In a batch the tree links wait in memory: the engine reads them back, the
// file has them when the batch ends, one write per block of records.
TEST_F(TreeTest, BatchHoldsTreeLinksUntilItEndsAndWritesThemABlockAtATime) {
  WriteCounter counter(host->file);
  host->io = &counter;
  engine->Blocks().BeginBatch();
  constexpr int kPeople = 100;  // in four blocks of individuals
  for (int i = 0; i < kPeople; ++i) AddPerson("Name" + std::to_string(i * 37 % kPeople));
  auto& trees = engine->Trees();
  ASSERT_TRUE(trees.TreeIsWhole(RecordKind::Individual));
  ASSERT_TRUE(trees.KeyOrderFaults(RecordKind::Individual).empty());
  const std::vector<std::int32_t> order = trees.TreeInOrder(RecordKind::Individual);
  ASSERT_EQ(order.size(), static_cast<std::size_t>(kPeople));
  // Each record on the file is still out of the tree, as it was numbered.
  for (std::int32_t r = 1; r <= kPeople; ++r)
    EXPECT_EQ(FileI32(engine->Records().LocateRecord(RecordKind::Individual, r) + 242), r);

  const long before = counter.writes;
  ASSERT_TRUE(engine->Blocks().EndBatch());
  EXPECT_LE(counter.writes - before, 4 + 1);  // the links, then the header
  host->io = nullptr;
  ASSERT_EQ(Reopen(), 1);
  EXPECT_TRUE(engine->Trees().TreeIsWhole(RecordKind::Individual));
  EXPECT_EQ(engine->Trees().TreeInOrder(RecordKind::Individual), order);
}

// A write over held bytes wins over them, whether it covers them whole or
// in part, and reads show the newest bytes throughout.
TEST_F(TreeTest, WritesOverHeldLinksKeepTheNewestBytes) {
  engine->Blocks().BeginBatch();
  AddPerson("Able");
  AddPerson("Baker");
  const std::int64_t first = engine->Records().LocateRecord(RecordKind::Individual, 1) + 242;
  const std::int64_t second = engine->Records().LocateRecord(RecordKind::Individual, 2) + 242;
  const std::vector<std::uint8_t> held(12, 0x11), part(4, 0x22), whole(16, 0x33);
  ASSERT_TRUE(engine->Blocks().PutLater(first, held.data(), held.size()));
  ASSERT_TRUE(engine->Blocks().PutLater(second, held.data(), held.size()));
  ASSERT_TRUE(engine->Blocks().Put(first + 4, part.data(), part.size()));
  ASSERT_TRUE(engine->Blocks().Put(second - 2, whole.data(), whole.size()));
  std::vector<std::uint8_t> merged = held;
  std::fill(merged.begin() + 4, merged.begin() + 8, 0x22);
  std::vector<std::uint8_t> read(12);
  ASSERT_TRUE(engine->Blocks().ReadAt(first, read.data(), read.size()));
  EXPECT_EQ(read, merged);
  ASSERT_TRUE(engine->Blocks().ReadAt(second, read.data(), read.size()));
  EXPECT_EQ(read, std::vector<std::uint8_t>(12, 0x33));

  ASSERT_TRUE(engine->Blocks().EndBatch());
  EXPECT_EQ(FileBytes(first, 12), merged);
  EXPECT_EQ(FileBytes(second - 2, 16), whole);
}

// Held writes, writes through them and reads at random places over three
// blocks, often across their borders, against a model of the bytes: reads in
// the batch and the file after it show the newest byte everywhere. Both ways
// of writing held writes out, and a hold that fills up and is written out
// midway.
TEST_F(TreeTest, HeldWritesReadAndLandAsTheNewestBytes) {
  class Cheapness : public PassThroughFile {
   public:
    Cheapness(plat::RandomAccessFile& inner, bool cheap) : PassThroughFile(inner), cheap_(cheap) {}
    bool SmallWritesAreCheap() const override { return cheap_; }

   private:
    bool cheap_;
  };
  constexpr std::int64_t kSpan = 3 * orv::kBlockSize;
  std::mt19937 rng(99);
  auto pick = [&](std::int64_t n) { return static_cast<std::int64_t>(rng() % n); };
  for (const bool oneByOne : {false, true}) {
    SCOPED_TRACE(oneByOne ? "one write each" : "one write per block");
    Cheapness disk(host->file, oneByOne);
    host->io = &disk;
    // Three blocks past the end of the file, block-aligned.
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path));
    const std::int64_t start =
        orv::kBlocksOffset +
        (size - orv::kBlocksOffset + orv::kBlockSize - 1) / orv::kBlockSize * orv::kBlockSize;
    std::vector<std::uint8_t> model(kSpan, 0);
    ASSERT_TRUE(engine->Blocks().Put(start, model.data(), model.size()));
    engine->Blocks().BeginBatch();
    for (int step = 0; step < 4000; ++step) {
      const int action = static_cast<int>(pick(10));
      const std::int64_t len = action < 6 ? 1 + pick(12) : action < 8 ? 1 + pick(40) : 1 + pick(60);
      // Near a border of the blocks a third of the time.
      std::int64_t at =
          pick(3) == 0 ? orv::kBlockSize * (1 + pick(2)) - 20 + pick(40) : pick(kSpan - len);
      at = std::clamp<std::int64_t>(at, 0, kSpan - len);
      if (action < 8) {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(len));
        for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
        const bool held = action < 6;
        ASSERT_TRUE(held ? engine->Blocks().PutLater(start + at, bytes.data(), bytes.size())
                         : engine->Blocks().Put(start + at, bytes.data(), bytes.size()));
        std::copy(bytes.begin(), bytes.end(), model.begin() + at);
      } else {
        std::vector<std::uint8_t> read(static_cast<std::size_t>(len));
        ASSERT_TRUE(engine->Blocks().ReadAt(start + at, read.data(), read.size()));
        ASSERT_TRUE(std::equal(read.begin(), read.end(), model.begin() + at))
            << "step " << step << " at " << at;
      }
      if (step == 2500) {
        ASSERT_TRUE(engine->Blocks().WriteHeldWrites());
      }
    }
    ASSERT_TRUE(engine->Blocks().EndBatch());
    host->io = nullptr;
    EXPECT_EQ(FileBytes(start, static_cast<std::size_t>(kSpan)), model);
  }
}

// When the held links cannot be written as the batch ends, the file keeps
// its batch mark: the next open rebuilds the trees instead of trusting links
// that never reached the file. Meanwhile the session reads them still. The
// same whether the links go one write per block or one write each (a file
// whose small writes cost no system call).
TEST_F(TreeTest, HeldLinksThatCannotBeWrittenLeaveTheBatchMark) {
  // A disk that takes the header but no block of records.
  class RecordsFail : public PassThroughFile {
   public:
    RecordsFail(plat::RandomAccessFile& inner, bool cheap)
        : PassThroughFile(inner), cheap_(cheap) {}
    bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override {
      return pos < orv::kBlocksOffset && inner_.WriteAt(pos, data, len);
    }
    bool SmallWritesAreCheap() const override { return cheap_; }

   private:
    bool cheap_;
  };
  for (const bool oneByOne : {false, true}) {
    SCOPED_TRACE(oneByOne ? "one write each" : "one write per block");
    engine->Blocks().BeginBatch();
    for (int i = 0; i < 60; ++i)
      AddPerson("Name" + std::to_string(i * 7 % 60) + (oneByOne ? "b" : "a"));
    const std::vector<std::int32_t> order = engine->Trees().TreeInOrder(RecordKind::Individual);
    RecordsFail disk(host->file, oneByOne);
    host->io = &disk;
    EXPECT_FALSE(engine->Blocks().EndBatch());
    EXPECT_NE(FileBytes(orv::kHeadBatchMark, 1)[0] & orv::kMarkBatch, 0);
    EXPECT_EQ(engine->Trees().TreeInOrder(RecordKind::Individual), order);
    host->io = nullptr;
    engine.reset();
    host = std::make_unique<EngineHost>();
    ASSERT_EQ(host->file.Open(path, plat::FileHandle::Access::ReadWrite), 0);
    engine = std::make_unique<ORV3>(host.get());
    ASSERT_EQ(engine->Open(false), 1);
    EXPECT_TRUE(engine->Trees().TreeIsWhole(RecordKind::Individual));
    EXPECT_EQ(engine->Trees().TreeInOrder(RecordKind::Individual), order);
  }
}
