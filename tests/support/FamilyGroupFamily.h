#pragma once
// A family for Family Group Record tests, built through the database calls
// in the open family file: a couple with the husband's parents and another
// marriage of his, user events (one confidential) and a marriage event,
// nine children (every third married), long notes on every owner (one
// holding a 300-character address) and many citations of two sources.
// Every number is 0 when its record could not be made.

#include <cstdint>
#include <string>
#include <vector>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "IndividualRecord.h"
#include "RecordAccess.h"
#include "SourceRecord.h"
#include "TestHelpers.h"
#include "UserEventRecord.h"

struct FamilyGroupFamily {
  std::int32_t husband = 0, wife = 0, family = 0, parents = 0, other = 0;
  std::vector<std::int32_t> children;
  std::int32_t source1 = 0, source2 = 0;
  int citations = 0;  // citations made
};

namespace fgfamily {

inline std::int32_t Person(const std::string& given, const std::string& surname, char sex, int born,
                           int died = 0) {
  CIndividualRecord person;
  person.surname = surname;
  person.givenNames[0] = given;
  person.sex = sex;
  person.birth.date.Set(born, 5, 14);
  person.birth.place[0] = "Leeds";
  person.birth.place[3] = "England";
  if (died != 0) person.death.date.Set(died, 11, 2);
  return static_cast<std::int32_t>(family::Add(person, 0));
}

inline std::int32_t Marry(std::int32_t husband, std::int32_t wife) {
  return DbSetRelation(husband, wife, db::kRelHusband, 0);
}

inline bool Child(std::int32_t mrin, std::int32_t child) {
  return DbSetRelation(child, 0, db::kRelParents, mrin) > 0;
}

inline std::int32_t Cite(std::int32_t source, char ownerLetter, std::int32_t owner,
                         const std::string& page) {
  CCitationRecord citation;
  citation.sourceRin = source;
  citation.ownerLetter = ownerLetter;
  citation.ownerNumber = owner;
  citation.pageText = page;
  return DbAddRecord(db::kCitation, 0, &citation);
}

inline std::int32_t Source(const std::string& title, const std::string& text) {
  CSourceRecord source;
  source.title = title;
  source.author = "Clerk of " + title;
  source.actualText = text;
  return DbAddRecord(db::kSource, 0, &source);
}

// A user event of a new event type for an individual ('I') or marriage ('M').
inline std::int32_t UserEvent(std::int32_t owner, char ownerKind, const std::string& title,
                              int year, const std::string& description, bool confidential) {
  CEventTypeRecord type;
  type.title = title;
  type.shortTitle = title;
  type.dateKind = year != 0 ? 1 : 0;
  type.hasDescription = description.empty() ? 0 : 1;
  const std::int32_t typeNumber = DbAddRecord(db::kEventType, 0, &type);
  CUserEventRecord event(owner, ownerKind, typeNumber, 0);
  if (year != 0) event.GetEvent()->date.Set(year, 6, 1);
  event.description = description;
  if (confidential) event.yesNo = 'Y';
  const auto number = static_cast<std::int32_t>(family::Add(event, 0));
  if (number > 0) Stored(DbLinkRecord(number, db::kUserEvent, owner, ownerKind), "event link");
  return number;
}

inline std::string LongNote(const std::string& who, int paragraphs) {
  std::string text;
  for (int p = 0; p < paragraphs; ++p) {
    if (p > 0) text += "\r\n\r\n";
    for (int s = 0; s < 6; ++s)
      text += who + " paragraph " + std::to_string(p + 1) + " sentence " + std::to_string(s + 1) +
              " tells what the registers of the parish recorded about the family. ";
  }
  return text;
}

}  // namespace fgfamily

inline FamilyGroupFamily BuildFamilyGroupFamily() {
  using namespace fgfamily;
  FamilyGroupFamily b;
  b.source1 = Source("Register of Saint Anne", "");
  b.source2 = Source("County Census", std::string(40, 'x') + " enumerated household list");
  b.husband = Person("Harold", "Hart", 'M', 1900, 1970);
  b.wife = Person("Wendy", "Wood", 'F', 1903, 1980);
  b.family = Marry(b.husband, b.wife);
  b.parents = Marry(Person("Frank", "Hart", 'M', 1870, 1940), Person("Fay", "Fox", 'F', 1872));
  Child(b.parents, b.husband);
  b.other = Marry(b.husband, Person("Olive", "Oak", 'F', 1905, 1929));
  UserEvent(b.husband, db::kOwnerIndividual, "Occupation", 0, "Blacksmith", false);
  UserEvent(b.husband, db::kOwnerIndividual, "Secret", 1925, "", true);
  UserEvent(b.family, db::kOwnerMarriage, "Banns", 1931, "", false);
  for (int i = 0; i < 9; ++i) {
    const char sex = i % 2 ? 'F' : 'M';
    const std::int32_t child = Person("Child" + std::to_string(i + 1), "Hart", sex, 1930 + i);
    Child(b.family, child);
    b.children.push_back(child);
    if (i % 3 == 0)
      Marry(sex == 'F' ? Person("Sam", "Smith", 'M', 1928) : child,
            sex == 'F' ? child : Person("Sue", "Stone", 'F', 1931 + i));
    if (Cite(i % 2 ? b.source1 : b.source2, db::kOwnerBirth, child, "page " + std::to_string(i)))
      ++b.citations;
    Stored(DbSetNotes(child, LongNote("Child" + std::to_string(i + 1), 2), 0, 0, db::kIndividual),
           "notes");
  }
  for (int i = 0; i < 12; ++i)
    if (Cite(i % 2 ? b.source1 : b.source2, db::kOwnerIndividual, b.husband,
             "entry " + std::to_string(i) + " " + std::string(60, static_cast<char>('a' + i))))
      ++b.citations;
  if (Cite(b.source1, db::kOwnerBirth, b.wife, "folio 3")) ++b.citations;
  if (Cite(b.source2, db::kOwnerMarriageEvent, b.family, "folio 9")) ++b.citations;
  Stored(DbSetNotes(b.husband, LongNote("Harold", 4), 0, 0, db::kIndividual), "notes");
  Stored(DbSetNotes(b.wife, LongNote("Wendy", 3) + "\r\n\r\nAddress " + std::string(300, 'q'), 0, 0,
                    db::kIndividual),
         "notes");
  Stored(DbSetNotes(b.family, LongNote("Marriage", 2), 0, 0, db::kMarriage), "notes");
  return b;
}
