#include "RealisticFamily.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <random>
#include <string>
#include <vector>

namespace {

// Names in code page 1252 (CHAR ANSI), a few with national letters.
const char* const kMaleGiven[] = {
    "John", "William", "Thomas",    "James",  "Jan",   "Pieter",   "Olof",      "Nils", "Henrik",
    "Karl", "Johann",  "Friedrich", "Pierre", "Louis", "Andr\xE9", "J\xF6rgen", "Lars", "Erik"};
const char* const kFemaleGiven[] = {"Mary",    "Elizabeth", "Anna",     "Sarah",  "Maria",
                                    "Grietje", "Brita",     "Kerstin",  "Ingrid", "Margaretha",
                                    "Sophie",  "Jeanne",    "Ir\xE8ne", "\xC5sa", "Karin",
                                    "Helena",  "Johanna",   "Ellen"};
const char* const kSurnames[] = {
    "Smith",      "Taylor",    "Brown",     "Wilson",   "Jansen",    "de Vries",    "van Dijk",
    "Bakker",     "Andersson", "Johansson", "Karlsson", "Nilsson",   "Sj\366berg",  "Lindstr\xF6m",
    "M\xFCller",  "Schmidt",   "Schneider", "Fischer",  "Weber",     "Dupont",      "Dupr\xE9",
    "Lef\xE8vre", "Moreau",    "Laurent",   "Hansen",   "Pedersen",  "S\xF8rensen", "Olsen",
    "Kowalski",   "Nowak",     "O'Brien",   "MacLeod",  "Evans",     "Hughes",      "Price",
    "Lund",       "Berg",      "Holm",      "Str\xF6m", "Ekstr\xF6m"};
const char* const kTownStart[] = {"Ash",  "Bram",  "Cal", "Dun", "El",   "Fen", "Gar",  "Hol",
                                  "Kirk", "Lang",  "Mar", "Nor", "Oak",  "Pen", "Ros",  "Sand",
                                  "Stan", "Thorn", "Up",  "Wes", "Berg", "Lin", "Sval", "Vik"};
const char* const kTownMiddle[] = {"", "e", "ing", "el", "er", "an", "ham", "ow", "is", "en"};
const char* const kTownEnd[] = {"by",   "ton",   "field", "ford",  "wick",   "stead", "bury",
                                "holm", "berga", "dorf",  "heim",  "ville",  "dal",   "k\xF6ping",
                                "sund", "mouth", "ley",   "worth", "thorpe", "hagen"};
const char* const kCounties[] = {"Kent",        "Essex",       "Yorkshire", "Norfolk",  "Devon",
                                 "Cornwall",    "Lancashire",  "Uppland",   "Sk\xE5ne", "Dalarna",
                                 "V\xE4rmland", "Sm\xE5land",  "Friesland", "Utrecht",  "Zeeland",
                                 "Gelderland",  "Bayern",      "Hessen",    "Sachsen",  "Westfalen",
                                 "Normandie",   "Bretagne",    "Picardie",  "Alsace",   "Jylland",
                                 "Fyn",         "Sj\xE6lland", "Ulster",    "Munster",  "Leinster"};
const char* const kCountries[] = {
    "England",     "England",     "England",     "England",     "England", "England",
    "England",     "Sweden",      "Sweden",      "Sweden",      "Sweden",  "Sweden",
    "Netherlands", "Netherlands", "Netherlands", "Netherlands", "Germany", "Germany",
    "Germany",     "Germany",     "France",      "France",      "France",  "France",
    "Denmark",     "Denmark",     "Denmark",     "Ireland",     "Ireland", "Ireland"};
const char* const kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                               "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
const char* const kOccupations[] = {
    "Farmer", "Labourer",  "Blacksmith",    "Weaver",   "Miller", "Carpenter", "Servant",
    "Sailor", "Shoemaker", "Schoolteacher", "Merchant", "Tailor", "Clerk",     "Fisherman"};
const char* const kCauses[] = {"Fever",    "Consumption", "Old age",
                               "Smallpox", "Accident",    "Childbed"};
const char* const kNoteWords[] = {"moved", "to",     "the",   "farm",   "after",   "his",
                                  "her",   "father", "died",  "and",    "lived",   "there",
                                  "with",  "family", "until", "church", "records", "show",
                                  "a",     "second", "name",  "in",     "census",  "of"};

template <class T, std::size_t N>
constexpr int Count(const T (&)[N]) {
  return static_cast<int>(N);
}

static_assert(Count(kMaleGiven) == Count(kFemaleGiven), "a given name is picked for either sex");

struct Person {
  bool male = false;
  int birthYear = 0;
  int surname = 0;
  int given[2] = {0, -1};  // -1: no second given name
  int home = 0;            // the place most of their events are at
  int childOf = 0;         // the family, or 0
  std::vector<int> spouseIn;
};

struct Family {
  int husband = 0, wife = 0;
  int year = 0;
  int place = 0;
  bool divorced = false;
  std::vector<int> children;
};

class Writer {
 public:
  Writer(std::FILE* f, int people, std::uint32_t seed)
      : f_(f),
        people_(people),
        random_(seed),
        places_(std::max(100, people / 20)),
        sources_(std::max(10, people / 40)),
        repositories_(1 + std::max(10, people / 40) / 25),
        sharedNotes_(std::max(5, people / 25)) {}

  void Write() {
    Build();
    std::fprintf(f_, "0 HEAD\n1 SOUR BENCH\n2 VERS 1.0\n1 GEDC\n2 VERS 5.5\n1 CHAR ANSI\n");
    for (int r = 1; r <= repositories_; ++r)
      std::fprintf(f_,
                   "0 @R%d@ REPO\n1 NAME Record Office of %s\n1 ADDR Archive Street %d\n"
                   "2 CITY %s\n",
                   r, kCounties[r % Count(kCounties)], r, Town(r).c_str());
    for (int s = 1; s <= sources_; ++s) WriteSource(s);
    for (std::size_t p = 1; p < persons_.size(); ++p) WritePerson(static_cast<int>(p));
    for (std::size_t m = 1; m < families_.size(); ++m) WriteFamily(static_cast<int>(m));
    for (int n = 1; n <= sharedNotes_; ++n) {
      std::fprintf(f_, "0 @N%d@ NOTE %s\n", n, Words(8 + Pick(10)).c_str());
      for (int line = Pick(4); line > 0; --line)
        std::fprintf(f_, "1 CONT %s\n", Words(6 + Pick(12)).c_str());
      if (Chance(30)) std::fprintf(f_, "1 CONC %s\n", Words(3 + Pick(6)).c_str());
    }
    std::fprintf(f_, "0 TRLR\n");
  }

 private:
  int Pick(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }
  bool Chance(int percent) { return Pick(100) < percent; }

  // The people and their families: founding couples, each family's children
  // born in turn, a child married (to someone from outside) in the family's
  // turn after those before it, so that the generations grow breadth first.
  void Build() {
    persons_.reserve(static_cast<std::size_t>(people_) + 1);
    persons_.emplace_back();
    families_.emplace_back();
    std::deque<int> waiting;  // families whose children are still to be born
    while (Made() < people_) {
      if (waiting.empty()) {
        const int founder = NewPerson(true, 1600 + Pick(80), Pick(Count(kSurnames)), Pick(places_));
        if (Made() < people_) waiting.push_back(Marry(founder));
        continue;
      }
      const int f = waiting.front();
      waiting.pop_front();
      const int weights[] = {10, 10, 15, 15, 15, 12, 10, 7, 3, 2, 1};
      int children = 0;
      for (int roll = Pick(100); roll >= weights[children] && children < 10; ++children)
        roll -= weights[children];
      for (int c = 0; c < children && Made() < people_; ++c) {
        const Family& family = families_[static_cast<std::size_t>(f)];
        const int born = family.year + 1 + 2 * c + Pick(2);
        if (born > 1990) break;
        const int home = Chance(80) ? family.place : Pick(places_);
        const int child = NewPerson(
            Chance(50), born, persons_[static_cast<std::size_t>(family.husband)].surname, home);
        persons_[static_cast<std::size_t>(child)].childOf = f;
        families_[static_cast<std::size_t>(f)].children.push_back(child);
        if (born < 1960 && Chance(65) && Made() < people_) {
          waiting.push_back(Marry(child));
          if (Chance(7) && Made() < people_) waiting.push_back(Marry(child));
        }
      }
    }
  }

  int Made() const { return static_cast<int>(persons_.size()) - 1; }

  int NewPerson(bool male, int born, int surname, int home) {
    Person p;
    p.male = male;
    p.birthYear = born;
    p.surname = surname;
    p.given[0] = Pick(Count(kMaleGiven));
    if (Chance(30)) p.given[1] = Pick(Count(kMaleGiven));
    p.home = home;
    persons_.push_back(std::move(p));
    return Made();
  }

  // A new family of person and a spouse from outside the tree.
  int Marry(int person) {
    const Person& p = persons_[static_cast<std::size_t>(person)];
    const bool male = p.male;
    const int year = p.birthYear + 19 + Pick(14) + 5 * static_cast<int>(p.spouseIn.size());
    const int place = Chance(70) ? p.home : Pick(places_);
    const int spouse = NewPerson(!male, p.birthYear - 4 + Pick(9), Pick(Count(kSurnames)), place);
    Family family;
    family.husband = male ? person : spouse;
    family.wife = male ? spouse : person;
    family.year = year;
    family.place = place;
    family.divorced = Chance(3);
    families_.push_back(std::move(family));
    const int f = static_cast<int>(families_.size()) - 1;
    persons_[static_cast<std::size_t>(person)].spouseIn.push_back(f);
    persons_[static_cast<std::size_t>(spouse)].spouseIn.push_back(f);
    return f;
  }

  std::string Town(int place) {
    return std::string(kTownStart[place % Count(kTownStart)]) +
           kTownMiddle[(place / Count(kTownStart)) % Count(kTownMiddle)] +
           kTownEnd[(place / (Count(kTownStart) * Count(kTownMiddle))) % Count(kTownEnd)];
  }

  std::string Place(int place) {
    const int county = (place * 7 + place / 5000) % Count(kCounties);
    return Town(place) + ", " + kCounties[county] + ", " + kCountries[county];
  }

  // A date of the year at one of the precisions researchers record.
  std::string Date(int year) {
    char text[48];
    const int kind = Pick(100);
    const char* month = kMonths[Pick(12)];
    if (kind < 60)
      std::snprintf(text, sizeof text, "%d %s %d", 1 + Pick(28), month, year);
    else if (kind < 75)
      std::snprintf(text, sizeof text, "%s %d", month, year);
    else if (kind < 85)
      std::snprintf(text, sizeof text, "%d", year);
    else if (kind < 93)
      std::snprintf(text, sizeof text, "ABT %d", year);
    else if (kind < 97)
      std::snprintf(text, sizeof text, "%s %d", Chance(50) ? "BEF" : "AFT", year);
    else
      std::snprintf(text, sizeof text, "BET %d AND %d", year, year + 1 + Pick(5));
    return text;
  }

  std::string Words(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
      if (i > 0) text += ' ';
      text += kNoteWords[Pick(Count(kNoteWords))];
    }
    if (!text.empty()) text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text + ".";
  }

  void Citation(int level, int percent) {
    if (!Chance(percent)) return;
    std::fprintf(f_, "%d SOUR @S%d@\n%d PAGE Folio %d, entry %d\n", level, 1 + Pick(sources_),
                 level + 1, 1 + Pick(400), 1 + Pick(60));
    if (Chance(40)) std::fprintf(f_, "%d QUAY %d\n", level + 1, Pick(4));
    if (Chance(5))
      std::fprintf(f_, "%d DATA\n%d TEXT %s\n", level + 1, level + 2, Words(10).c_str());
  }

  // An event line with a date, place and citation as often as asked.
  void Event(const char* tag, int year, int place, int datePercent, int placePercent,
             int citePercent) {
    std::fprintf(f_, "1 %s\n", tag);
    if (Chance(datePercent)) std::fprintf(f_, "2 DATE %s\n", Date(year).c_str());
    if (Chance(placePercent)) std::fprintf(f_, "2 PLAC %s\n", Place(place).c_str());
    Citation(2, citePercent);
  }

  void WriteSource(int s) {
    const int town = Pick(places_);
    const int from = 1650 + Pick(250);
    std::fprintf(f_, "0 @S%d@ SOUR\n1 TITL Parish register of %s, %d-%d\n", s, Town(town).c_str(),
                 from, from + 20 + Pick(60));
    std::fprintf(f_, "1 AUTH %s %s\n", kMaleGiven[Pick(Count(kMaleGiven))],
                 kSurnames[Pick(Count(kSurnames))]);
    if (Chance(30)) std::fprintf(f_, "1 PUBL Transcribed by the %s society\n", Place(town).c_str());
    std::fprintf(f_, "1 REPO @R%d@\n", 1 + Pick(repositories_));
    if (Chance(20)) std::fprintf(f_, "1 NOTE %s\n", Words(12).c_str());
  }

  void WritePerson(int id) {
    const Person& p = persons_[static_cast<std::size_t>(id)];
    const char* const* given = p.male ? kMaleGiven : kFemaleGiven;
    std::fprintf(f_, "0 @I%d@ INDI\n1 NAME %s", id, given[p.given[0]]);
    if (p.given[1] >= 0) std::fprintf(f_, " %s", given[p.given[1]]);
    std::fprintf(f_, " /%s/\n1 SEX %c\n", kSurnames[p.surname], p.male ? 'M' : 'F');
    Event("BIRT", p.birthYear, p.home, 95, 85, 70);
    if (Chance(35)) Event("CHR", p.birthYear, p.home, 90, 90, 50);
    const int lifespan = Chance(15) ? Pick(3) : 20 + Pick(76);
    const int died = p.birthYear + lifespan;
    if (died < 2000) {
      Event("DEAT", died, Chance(85) ? p.home : Pick(places_), 90, 75, 50);
      if (Chance(10)) std::fprintf(f_, "2 CAUS %s\n", kCauses[Pick(Count(kCauses))]);
      if (Chance(50)) Event("BURI", died, p.home, 70, 95, 20);
    }
    if (Chance(35)) {
      std::fprintf(f_, "1 OCCU %s\n", kOccupations[Pick(Count(kOccupations))]);
      if (Chance(50)) std::fprintf(f_, "2 DATE %d\n", p.birthYear + 20 + Pick(30));
    }
    if (Chance(20)) Event("RESI", p.birthYear + 10 + Pick(40), Pick(places_), 80, 100, 30);
    if (Chance(10)) Event("CENS", p.birthYear + Pick(60), p.home, 100, 100, 60);
    if (Chance(2)) Event("EMIG", p.birthYear + 18 + Pick(20), p.home, 80, 60, 10);
    if (Chance(15)) {
      std::fprintf(f_, "1 NOTE %s\n", Words(10 + Pick(15)).c_str());
      for (int line = Pick(3); line > 0; --line)
        std::fprintf(f_, "2 CONT %s\n", Words(5 + Pick(15)).c_str());
    }
    if (Chance(5)) std::fprintf(f_, "1 NOTE @N%d@\n", 1 + Pick(sharedNotes_));
    Citation(1, 15);
    if (p.childOf) std::fprintf(f_, "1 FAMC @F%d@\n", p.childOf);
    for (const int f : p.spouseIn) std::fprintf(f_, "1 FAMS @F%d@\n", f);
  }

  void WriteFamily(int id) {
    const Family& family = families_[static_cast<std::size_t>(id)];
    std::fprintf(f_, "0 @F%d@ FAM\n1 HUSB @I%d@\n1 WIFE @I%d@\n", id, family.husband, family.wife);
    Event("MARR", family.year, family.place, 85, 80, 60);
    if (family.divorced) Event("DIV", family.year + 3 + Pick(15), family.place, 70, 30, 30);
    for (const int child : family.children) std::fprintf(f_, "1 CHIL @I%d@\n", child);
    if (Chance(5)) std::fprintf(f_, "1 NOTE %s\n", Words(8 + Pick(8)).c_str());
  }

  std::FILE* f_;
  int people_;
  std::mt19937 random_;
  int places_;
  int sources_;
  int repositories_;
  int sharedNotes_;
  std::vector<Person> persons_;
  std::vector<Family> families_;
};

}  // namespace

bool WriteRealisticFamily(const std::string& path, int people, std::uint32_t seed) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  Writer(f, people, seed).Write();
  const bool written = !std::ferror(f);
  return std::fclose(f) == 0 && written;
}
