// korvane-sample FILE: writes a new family file of invented people (three
// generations of one family with dates, places and notes), for trying the
// program and looking at its windows. Refuses to overwrite an existing file.
#include <cstdio>
#include <filesystem>
#include <string>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "RecordAccess.h"

namespace {

struct Person {
  const char* surname;
  const char* given;
  char sex;
  const char* born;
  const char* place;
  const char* died;
};

std::int32_t Add(const Person& p) {
  CIndividualRecord r;
  r.surname = p.surname;
  r.givenNames[0] = p.given;
  r.sex = p.sex;
  r.birth.date.Parse(p.born);
  r.birth.place[0] = p.place;
  if (p.died[0] != '\0') r.death.date.Parse(p.died);
  return static_cast<std::int32_t>(family::Add(r, 0));
}

std::int32_t Marry(std::int32_t husband, std::int32_t wife, const char* date, const char* place) {
  const std::int32_t m = DbSetRelation(husband, wife, db::kRelHusband, 0);
  CMarriageRecord r;
  if (m > 0 && family::Read(r, m) == 1) {
    r.marriage.date.Parse(date);
    r.marriage.place[0] = place;
    family::Update(r, 0);
  }
  return m;
}

void Child(std::int32_t child, std::int32_t marriage) {
  DbSetRelation(child, 0, db::kRelParents, marriage);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvane-sample FILE.orv\n");
    return 2;
  }
  const std::string path = argv[1];
  if (std::filesystem::exists(path)) {
    std::fprintf(stderr, "%s exists already\n", path.c_str());
    return 1;
  }
  if (DbCreate(path, CFamilyDatabase::kCurrentFormat) != 1 ||
      DbOpen(path, CFamilyDatabase::kCurrentFormat) != 1) {
    std::fprintf(stderr, "cannot create %s\n", path.c_str());
    return 1;
  }
  const std::int32_t arvid = Add({"Lindqvist", "Arvid", 'M', "12 Mar 1850", "Hallstad", "1921"});
  const std::int32_t maja = Add({"Berg", "Maja", 'F', "3 Jun 1853", "Ostvik", "1930"});
  const std::int32_t oskar = Add({"Lindqvist", "Oskar", 'M', "9 Jan 1878", "Hallstad", "1950"});
  const std::int32_t elin = Add({"Lindqvist", "Elin", 'F', "21 Aug 1880", "Hallstad", "1966"});
  const std::int32_t hedda = Add({"Norling", "Hedda", 'F', "2 Feb 1881", "Brunnby", "1958"});
  const std::int32_t tor = Add({"Lindqvist", "Tor", 'M', "14 Oct 1905", "Brunnby", ""});
  const std::int32_t signe = Add({"Lindqvist", "Signe", 'F', "30 May 1908", "Brunnby", ""});
  const std::int32_t first = Marry(arvid, maja, "1 May 1876", "Hallstad");
  Child(oskar, first);
  Child(elin, first);
  const std::int32_t second = Marry(oskar, hedda, "24 Jun 1904", "Brunnby");
  Child(tor, second);
  Child(signe, second);
  DbSetNotes(arvid, "Arvid kept the mill at Hallstad for forty years.", 0, 0, db::kIndividual);
  DbCloseCurrent();
  std::printf("%s: 7 individuals, 2 marriages\n", path.c_str());
  return 0;
}
