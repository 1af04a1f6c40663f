// Every local link of every site kind resolves, and every page passes tidy,
// on a generated family of 2,000 people: founders and their lines over ten
// generations, cousin marriages that join the lines, second marriages,
// fathers alone with their children, a child in two families, living
// people, notes, citations and pictures.
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
  Generated Generate(std::size_t size) {
    const std::string picture = base.Path() + "portrait.jpg";
    fs::copy_file(std::string(KORVANE_WEB_ICONS) + "/home.jpg", picture);
    CSourceRecord register_;
    register_.title = "Parish Register";
    const std::int32_t source = DbAddRecord(db::kSource, 0, &register_);
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
      const std::int32_t rin = Person("P" + std::to_string(n), surname, sex, born,
                                      living ? 0 : born + 40 + dice_.Roll(50));
      g.people.push_back(rin);
      if (n % 7 == 0) AddNotes(rin);
      if (n % 5 == 0) Cite(source, db::kOwnerBirth, rin, "folio " + std::to_string(n));
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

    std::vector<Couple> couples;
    for (int f = 0; f < 12; ++f) {
      const int born = 1680 + static_cast<int>(dice_.Roll(20));
      const std::int32_t husband = add(surname(), 'M', born);
      const std::int32_t wife = add(surname(), 'F', born + 2);
      couples.push_back({Marry(husband, wife), husband, wife, born});
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
        couples.push_back({Marry(husband, wife), husband, wife, born});
        if (dice_.Chance(10)) {
          // A second marriage.
          const std::int32_t second = add(surname(), sex == 'M' ? 'F' : 'M', born + 5);
          const std::int32_t h2 = sex == 'M' ? child : second;
          const std::int32_t w2 = sex == 'M' ? second : child;
          couples.push_back({Marry(h2, w2), h2, w2, born});
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

  Dice dice_;
};

TEST_F(WebSiteLinksTest, EveryLocalLinkOfEverySiteKindResolves) {
  const Generated g = Generate(2000);
  ASSERT_EQ(g.people.size(), 2000u);
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
    for (const auto& [path, text] : files)
      if (fs::path(path).extension() == ".htm")
        EXPECT_EQ(TidyFindings(Site() + "/" + path), std::vector<std::string>{}) << path;
  }
}

}  // namespace
