// Every local link of every site kind resolves, and every page passes tidy,
// on generated families of 2,000 people: founders and their lines over ten
// generations, cousin marriages that join the lines, second marriages,
// fathers alone with their children, a child in two families, living
// people, notes, citations and pictures; the second family also has people
// who share their names, people without a name, more second marriages, and
// citations of deaths, marriages and people from sources they share.
#include "WebSiteFixture.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "SelectedSitePlan.h"

namespace {
namespace fs = std::filesystem;
using namespace webtest;

// A small deterministic generator, the same on every platform.
class Dice {
 public:
  unsigned Roll(unsigned sides) {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) % sides;
  }
  bool Chance(unsigned percent) { return Roll(100) < percent; }

 private:
  std::uint32_t state_ = 20010703u;
};

// What a generated family holds beyond its lines; the defaults make the
// first family.
struct Traits {
  bool commonNames = false;      // given names from a short list, so names repeat
  unsigned namelessPercent = 0;  // people with neither given name nor surname
  unsigned secondMarriage = 10;  // percent of the married who marry again
  bool manyCitations = false;    // deaths, marriages and people cited, three sources
};

class WebSiteLinksTest : public WebSiteTest {
 protected:
  struct Generated {
    std::vector<std::int32_t> people;
    std::int32_t founder = 0;   // the founder with the most descendants
    std::int32_t youngest = 0;  // the person with the most ancestors
  };

  struct Couple {
    std::int32_t mrin, husband, wife;
    int born;  // the parents' year of birth
  };

  // The family, built through the database calls.
  Generated Generate(std::size_t size, const Traits& traits = {}) {
    const std::string picture = base.Path() + "portrait.jpg";
    fs::copy_file(std::string(KORVANE_WEB_ICONS) + "/home.jpg", picture);
    std::vector<std::int32_t> sources;
    for (const char* title : {"Parish Register", "Census", "Family Bible"}) {
      CSourceRecord record;
      record.title = title;
      sources.push_back(DbAddRecord(db::kSource, 0, &record));
    }
    const std::int32_t source = sources.front();
    // The second family's extras roll their own dice, so that the first
    // family stays as it was.
    Dice extra;
    auto anySource = [&] { return sources[extra.Roll(3)]; };
    static const char* const kGiven[] = {"John", "Mary", "William", "Ann", "James"};
    // Surnames that test the index: none, one with a blank, an apostrophe,
    // an ampersand, and two that differ only in letter case.
    static const char* const kSurnames[] = {"Ashdown", "",     "van Dyke",    "O'Brien",
                                            "Lane",    "lane", "Bell & Hart", "Grant",
                                            "Evans",   "Moss"};
    Generated g;
    auto add = [&](const std::string& surname, char sex, int born) {
      const int n = static_cast<int>(g.people.size()) + 1;
      // Born from 1930 on: living when the dice say so.
      const bool living = born >= 1930 && dice_.Chance(60);
      std::string given =
          traits.commonNames ? kGiven[extra.Roll(std::size(kGiven))] : "P" + std::to_string(n);
      const bool nameless = traits.namelessPercent > 0 && extra.Chance(traits.namelessPercent);
      const std::int32_t rin = Person(nameless ? "" : given, nameless ? "" : surname, sex, born,
                                      living ? 0 : born + 40 + dice_.Roll(50));
      g.people.push_back(rin);
      if (n % 7 == 0) AddNotes(rin);
      if (n % 5 == 0) Cite(source, db::kOwnerBirth, rin, "folio " + std::to_string(n));
      if (traits.manyCitations) {
        if (!living && n % 3 == 0) Cite(anySource(), db::kOwnerDeath, rin, "entry " + given);
        if (n % 4 == 0) Cite(anySource(), db::kOwnerIndividual, rin, "page " + given);
      }
      if (n % 45 == 0) {
        CMultimediaItem item;
        item.kind = CMultimediaItem::kPhoto;
        item.fileName = picture;
        item.caption = "Portrait of P" + std::to_string(n);
        item.flags = CMultimediaItem::kFlagDefault | CMultimediaItem::kFlagScrapbook;
        EXPECT_GE(DbSaveMultimediaChain(rin, &item, db::kIndividual), 0);
      }
      return rin;
    };
    auto surname = [&] { return std::string(kSurnames[dice_.Roll(std::size(kSurnames))]); };
    // A marriage; with many citations, every other one dated and cited.
    auto marry = [&](std::int32_t husband, std::int32_t wife, int born) {
      const std::int32_t mrin = Marry(husband, wife);
      if (traits.manyCitations && extra.Chance(50)) {
        CMarriageRecord record;
        EXPECT_EQ(family::Read(record, mrin), 1);
        record.marriage.date.Set(born + 21, 6, 1 + static_cast<int>(extra.Roll(28)));
        EXPECT_EQ(family::Update(record, 0), 1);
        Cite(anySource(), db::kOwnerMarriageEvent, mrin, "marriage " + std::to_string(mrin));
      }
      return mrin;
    };

    std::vector<Couple> couples;
    for (int f = 0; f < 12; ++f) {
      const int born = 1680 + static_cast<int>(dice_.Roll(20));
      const std::int32_t husband = add(surname(), 'M', born);
      const std::int32_t wife = add(surname(), 'F', born + 2);
      couples.push_back({marry(husband, wife, born), husband, wife, born});
    }
    std::vector<std::int32_t> unmarried;  // of the generation being built, by sex
    std::size_t generationEnd = couples.size();
    for (std::size_t k = 0; k < couples.size() && g.people.size() < size; ++k) {
      if (k == generationEnd) {
        generationEnd = couples.size();
        unmarried.clear();
      }
      const Couple c = couples[k];
      CIndividualRecord father;
      family::Read(father, c.husband);
      const unsigned children = 1 + dice_.Roll(4);
      for (unsigned n = 0; n < children && g.people.size() < size; ++n) {
        const char sex = dice_.Chance(50) ? 'M' : 'F';
        const int born = c.born + 22 + static_cast<int>(dice_.Roll(15));
        const std::int32_t child = add(c.husband ? father.surname : surname(), sex, born);
        Child(c.mrin, child);
        if (!dice_.Chance(75)) continue;
        std::int32_t spouse = 0;
        // A cousin or someone of another line, of the same generation.
        for (std::size_t u = 0; u < unmarried.size() && dice_.Chance(30); ++u) {
          CIndividualRecord other;
          family::Read(other, unmarried[u]);
          if (other.sex != sex) {
            spouse = unmarried[u];
            unmarried.erase(unmarried.begin() + static_cast<std::ptrdiff_t>(u));
            break;
          }
        }
        if (spouse == 0 && dice_.Chance(5)) {
          // A father alone with his children, or a mother alone.
          const std::int32_t mrin = sex == 'M' ? DbSetRelation(child, 0, db::kRelHusband, 0)
                                               : DbSetRelation(child, 0, db::kRelWife, 0);
          EXPECT_GT(mrin, 0);
          couples.push_back({mrin, sex == 'M' ? child : 0, sex == 'M' ? 0 : child, born});
          continue;
        }
        if (spouse == 0) spouse = add(surname(), sex == 'M' ? 'F' : 'M', born + 1);
        const std::int32_t husband = sex == 'M' ? child : spouse;
        const std::int32_t wife = sex == 'M' ? spouse : child;
        couples.push_back({marry(husband, wife, born), husband, wife, born});
        if (dice_.Chance(traits.secondMarriage)) {
          // A second marriage.
          const std::int32_t second = add(surname(), sex == 'M' ? 'F' : 'M', born + 5);
          const std::int32_t h2 = sex == 'M' ? child : second;
          const std::int32_t w2 = sex == 'M' ? second : child;
          couples.push_back({marry(h2, w2, born + 5), h2, w2, born});
        }
      }
      // Now and then a child of this family is also a child of another
      // (adopted or raised there).
      if (k > 0 && dice_.Chance(3) && !g.people.empty()) {
        const std::int32_t fosterling = add(surname(), 'F', c.born + 25);
        Child(c.mrin, fosterling);
        Child(couples[k - 1].mrin, fosterling);
      }
      if (dice_.Chance(40)) unmarried.push_back(g.people.back());
    }
    // The person with the most ancestors (counted with repeats), and the
    // founder with the most descendants: through the couples, which are in
    // generation order.
    std::map<std::int32_t, int> ancestors;
    for (const Couple& c : couples)
      for (std::int32_t child : web::ReadFamily(c.mrin).children) {
        const int count =
            (c.husband ? 1 + ancestors[c.husband] : 0) + (c.wife ? 1 + ancestors[c.wife] : 0);
        if (count > ancestors[child]) ancestors[child] = count;
        if (count > ancestors[g.youngest]) g.youngest = child;
      }
    std::map<std::int32_t, int> descendants;
    for (auto c = couples.rbegin(); c != couples.rend(); ++c) {
      const web::SelectedFamily f = web::ReadFamily(c->mrin);
      int count = 0;
      for (std::int32_t child : f.children) count += 1 + descendants[child];
      for (std::int32_t partner : {c->husband, c->wife})
        if (partner) descendants[partner] += count;
    }
    int most = -1;
    for (int f = 0; f < 12; ++f)
      if (descendants[couples[static_cast<std::size_t>(f)].husband] > most) {
        most = descendants[couples[static_cast<std::size_t>(f)].husband];
        g.founder = couples[static_cast<std::size_t>(f)].husband;
      }
    return g;
  }

  // Writes the five site kinds of g and checks their links and pages.
  void ExpectEverySiteKindClean(const Generated& g);

  Dice dice_;
};

void WebSiteLinksTest::ExpectEverySiteKindClean(const Generated& g) {
  settings.photos = 2;
  settings.live = true;
  settings.maxGens = 999;
  request.icons.home = std::string(KORVANE_WEB_ICONS) + "/home.jpg";
  // Most people selected, so that many families hold some members only.
  std::vector<bool> most(static_cast<std::size_t>(g.people.back()) + 1, false);
  Dice pick;
  for (std::int32_t rin : g.people) most[static_cast<std::size_t>(rin)] = pick.Chance(70);
  std::vector<bool> everybody(most.size(), true);
  everybody[0] = false;
  struct Case {
    const char* name;
    int type;
    std::int32_t start;
    const std::vector<bool>* selection;
    int notePresent;
    bool dups;
  } cases[] = {
      {"ancestors", web::kSiteAncestors, g.youngest, nullptr, 1, false},
      {"ancestors repeated in full", web::kSiteAncestors, g.youngest, nullptr, 0, true},
      {"descendants", web::kSiteDescendants, g.founder, nullptr, 1, false},
      {"selected, most", web::kSiteSelected, 0, &most, 1, false},
      {"selected, everybody", web::kSiteSelected, 0, &everybody, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    settings.type = c.type;
    settings.notePresent = c.notePresent;
    settings.dups = c.dups;
    settings.maxGens = c.type == web::kSiteAncestors ? 32 : 999;
    request.startRin = c.start;
    request.selection = c.selection ? *c.selection : std::vector<bool>{};
    ASSERT_EQ(Write(c.name), web::WebRunResult::kComplete);
    const auto files = SiteFiles(Site());
    EXPECT_GT(files.size(), 10u);
    const std::vector<std::string> broken = BrokenLinks(Site());
    std::string some;
    for (std::size_t i = 0; i < broken.size() && i < 20; ++i) some += broken[i] + "\n";
    EXPECT_EQ(broken.size(), 0u) << some;
    for (const auto& [path, text] : files) {
      if (fs::path(path).extension() == ".htm") {
        EXPECT_EQ(TidyFindings(Site() + "/" + path), std::vector<std::string>{}) << path;
      }
    }
  }
}

TEST_F(WebSiteLinksTest, EveryLocalLinkOfEverySiteKindResolves) {
  const Generated g = Generate(2000);
  ASSERT_EQ(g.people.size(), 2000u);
  ExpectEverySiteKindClean(g);
}

TEST_F(WebSiteLinksTest, SharedNamesNamelessPeopleAndManyCitationsLinkToo) {
  Traits traits;
  traits.commonNames = true;
  traits.namelessPercent = 3;
  traits.secondMarriage = 25;
  traits.manyCitations = true;
  const Generated g = Generate(2000, traits);
  ASSERT_EQ(g.people.size(), 2000u);
  ExpectEverySiteKindClean(g);
}

}  // namespace
