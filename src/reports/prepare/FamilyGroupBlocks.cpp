#include "FamilyGroupBlocks.h"

#include <algorithm>
#include <array>

#include "CitationNumbers.h"
#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FamilyGroupSelection.h"
#include "FitUnit.h"
#include "Footnotes.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "StringIds.h"
#include "StringTable.h"
#include "UserEventRecord.h"

namespace rpt {

namespace {

constexpr std::uint8_t kOrdinanceLiveFlag = 0x40;
constexpr int kPlaceChars = 81;
constexpr int kUnmeasured = 1 << 20;  // places are fitted to their column when drawn
constexpr int kNamesLevel = 3;        // read level with the names
constexpr int kFullLevel = 7;         // read level with places and ordinances

// A caption in the form of the person's sex.
std::string Paired(unsigned maleId, char sex) {
  return res::LoadString(sex == 'F' ? maleId + 1 : maleId);
}

bool HasPlace(const std::string (&place)[4]) {
  return std::any_of(std::begin(place), std::end(place),
                     [](const std::string& part) { return !part.empty(); });
}

std::string PlaceText(const std::string (&place)[4]) {
  return FitPlaceParts(place, kPlaceChars, ", ", nullptr, kUnmeasured);
}

class BlockBuilder {
 public:
  explicit BlockBuilder(const FamilyGroupBlockSetup& setup) : s_(setup), o_(setup.options) {}

  FamilyGroupBlock Spouse(std::int32_t rin, std::int32_t mrin, int role) {
    FamilyGroupBlock block;
    block.role = role;
    CIndividualRecord person;
    if (rin <= 0 || DbGetIndividualRecord(rin, person, kFullLevel) != 1) {
      Blank(block);
      return block;
    }
    Person(block, rin, person);
    StandardRows(block, rin, person);
    if (o_.showZel) Pad(block, 4);
    if (role == kRoleHusband) {
      if (mrin > 0) {
        Marriage(block, mrin, /*withName=*/false, 0, rin);
      } else if (o_.reserveStd) {
        AddEmptyMarried(block, person.sex);
      }
    }
    if (o_.otherMarr) {
      for (const std::int32_t other : tree_.Marriages(rin)) {
        if (other == mrin) continue;
        Marriage(block, other, /*withName=*/true, kRoleOtherSpouse, rin);
      }
    }
    Parents(block, person, role);
    return block;
  }

  FamilyGroupBlock Child(std::int32_t rin) {
    FamilyGroupBlock block;
    block.role = kRoleChild;
    CIndividualRecord person;
    if (rin <= 0 || DbGetIndividualRecord(rin, person, kFullLevel) != 1) return block;
    Person(block, rin, person);
    StandardRows(block, rin, person);
    if (o_.showZel) Pad(block, 3);
    std::vector<std::int32_t> marriages = tree_.Marriages(rin);
    if (!o_.otherMarr && marriages.size() > 1) marriages.resize(1);
    for (const std::int32_t mrin : marriages) {
      Marriage(block, mrin, /*withName=*/true, kRoleChildSpouse, rin);
      block.hasSpouseRows = true;
    }
    if (marriages.empty() && o_.reserveStd) {
      FamilyGroupRow spouse;
      spouse.kind = FamilyGroupRow::kPerson;
      spouse.role = kRoleChildSpouse;
      block.rows.push_back(spouse);
      AddEmptyMarried(block, person.sex);
      block.hasSpouseRows = true;
    }
    return block;
  }

 private:
  // The blank block of a missing spouse: the standard rows when they are
  // kept, and the parents.
  void Blank(FamilyGroupBlock& block) {
    block.sex = block.role == kRoleWife ? 'F' : 'M';
    if (o_.reserveStd) {
      for (unsigned id : {res::kIdsBorn, res::kIdsChristened, res::kIdsDied})
        block.rows.push_back(EventRow(res::LoadString(id)));
      block.rows.push_back(EventRow(Paired(res::kIdsBuried, block.sex)));
      if (block.role == kRoleHusband) AddEmptyMarried(block, block.sex);
    }
    for (int role : ParentRoles(block.role)) {
      FamilyGroupRow row;
      row.kind = FamilyGroupRow::kPerson;
      row.role = role;
      block.rows.push_back(row);
    }
  }

  static std::array<int, 2> ParentRoles(int role) {
    return role == kRoleWife ? std::array<int, 2>{kRoleWifeFather, kRoleWifeMother}
                             : std::array<int, 2>{kRoleHusbandFather, kRoleHusbandMother};
  }

  static FamilyGroupRow EventRow(std::string caption) {
    FamilyGroupRow row;
    row.caption = std::move(caption);
    return row;
  }

  void AddEmptyMarried(FamilyGroupBlock& block, char sex) {
    FamilyGroupRow row = EventRow(Paired(res::kIdsMarried, sex));
    row.kind = FamilyGroupRow::kMarried;
    row.sealingCell = o_.showZel;
    block.rows.push_back(row);
  }

  std::vector<std::int32_t> Numbers(std::int32_t owner, char letter) {
    std::vector<std::int32_t> numbers;
    if (!s_.number || owner <= 0) return numbers;
    std::vector<std::int32_t> citations;
    DbGetRinList(citations, db::kCitation, owner, letter);
    for (const std::int32_t citation : citations) {
      const int n = s_.number(citation);
      if (n > 0) InsertSortedNumber(n, numbers);
    }
    return numbers;
  }

  // Numbers the citations of an owner into a row's marks. The family file
  // keeps no applies-to mark on a citation, so each applies to the whole
  // row, as a new citation does.
  void Mark(std::int32_t owner, char letter, FamilyGroupRow& row) {
    const bool hasDate = !row.date.empty(), hasPlace = !row.place.empty();
    for (const std::int32_t n : Numbers(owner, letter))
      FileFamilyGroupCitation(3, n, hasDate, hasPlace, row.marks);
  }

  void Person(FamilyGroupBlock& block, std::int32_t rin, const CIndividualRecord& person) {
    block.rin = rin;
    block.sex = person.sex;
    block.name = person.GetName(o_.suppressRin ? 0 : 1, false, 1, false);
    block.photo = DbHasDefaultPhoto(rin, db::kIndividual) != 0;
    if (o_.showZel) {
      const std::int32_t link = person.numbers[CIndividualRecord::kParentLink];
      const struct {
        unsigned caption;
        const COrdinanceValue& value;
        std::int32_t owner;
        char letter;
      } ordinances[] = {{res::kIdsBaptized, person.baptism, rin, db::kOwnerBaptism},
                        {res::kIdsEndowed, person.endowment, rin, db::kOwnerEndowment},
                        {res::kIdsSealedToParents, person.sealingToParents, link > 0 ? link : rin,
                         db::kOwnerSealingToParents}};
      for (const auto& o : ordinances) {
        FamilyGroupOrdinance line;
        line.caption = Paired(o.caption, person.sex);
        line.date = o.value.date.ToString();
        line.temple = o.value.templeCode;
        if ((person.flags & kOrdinanceLiveFlag) != 0 && line.temple.empty())
          line.temple = res::LoadString(res::kIdsLive);
        line.marks = Numbers(o.owner, o.letter);
        block.ordinances.push_back(std::move(line));
      }
    }
    block.nameMarks = Numbers(rin, db::kOwnerIndividual);
  }

  void AddEvent(FamilyGroupBlock& block, const std::string& caption, const CEventValue& value,
                std::int32_t rin, char letter) {
    const bool present = value.date.IsSet() || HasPlace(value.place);
    if (!present && !o_.reserveStd) return;
    FamilyGroupRow row = EventRow(caption);
    row.date = value.date.ToString();
    row.place = PlaceText(value.place);
    Mark(rin, letter, row);
    block.rows.push_back(std::move(row));
  }

  // The user events of an owner that are printed: not confidential unless
  // confidential events are asked for.
  void UserEvents(FamilyGroupBlock& block, std::int32_t owner, char ownerKind, char citeLetter) {
    if (!o_.otherEvents) return;
    std::vector<std::int32_t> events;
    DbGetRinList(events, db::kUserEvent, owner, ownerKind);
    for (const std::int32_t number : events) {
      CUserEventRecord event;
      if (!DbGetRecord(number, db::kUserEvent, &event)) continue;
      if (event.yesNo == 'Y' && !o_.confident) continue;
      CEventTypeRecord type;
      if (!DbGetRecord(event.eventTypeNumber, db::kEventType, &type)) type.Clear();
      FamilyGroupRow row = EventRow(type.title);
      if (const CPlaceEventObject* value = event.GetEvent()) {
        row.date = value->date.ToString();
        if (event.secondDate.IsSet() && !row.date.empty())
          row.date += " - " + event.secondDate.Format();
        row.place = PlaceText(value->place);
      }
      row.description = event.description;
      Mark(number, citeLetter, row);
      block.rows.push_back(std::move(row));
    }
  }

  void StandardRows(FamilyGroupBlock& block, std::int32_t rin, const CIndividualRecord& p) {
    AddEvent(block, res::LoadString(res::kIdsBorn), p.birth, rin, db::kOwnerBirth);
    AddEvent(block, res::LoadString(res::kIdsChristened), p.christening, rin,
             db::kOwnerChristening);
    UserEvents(block, rin, db::kOwnerIndividual, db::kOwnerIndividualUserEvent);
    AddEvent(block, res::LoadString(res::kIdsDied), p.death, rin, db::kOwnerDeath);
    AddEvent(block, Paired(res::kIdsBuried, p.sex), p.burial, rin, db::kOwnerBurial);
  }

  void Pad(FamilyGroupBlock& block, int rows) {
    while (block.Rows() < rows) {
      FamilyGroupRow row;
      row.kind = FamilyGroupRow::kFiller;
      block.rows.push_back(row);
    }
  }

  std::string Status(const CMarriageRecord& m) const {
    if (m.status == 'D')
      return res::LoadString(o_.layout == 0 ? res::kIdsDivorced : res::kIdsDivorcedShort);
    if (m.status == 'N') return res::LoadString(res::kIdsNotMarried);
    return {};
  }

  // The rows of a marriage of person: with withName first the name row of
  // the other spouse (role), then "Married" with the sealing, then the
  // marriage's user events.
  void Marriage(FamilyGroupBlock& block, std::int32_t mrin, bool withName, int role,
                std::int32_t person) {
    CMarriageRecord marriage;
    if (!DbGetRecord(mrin, db::kMarriage, &marriage)) return;
    if (withName) {
      const std::int32_t spouse = marriage.husband == person ? marriage.wife : marriage.husband;
      block.rows.push_back(PersonRow(role, spouse, mrin));
    }
    FamilyGroupRow row = EventRow(Paired(res::kIdsMarried, block.sex));
    row.kind = FamilyGroupRow::kMarried;
    row.mrin = mrin;
    row.date = marriage.marriage.date.ToString();
    const std::string status = Status(marriage);
    if (!status.empty()) row.date += (row.date.empty() ? "" : " ") + status;
    row.place = PlaceText(marriage.marriage.place);
    Mark(mrin, db::kOwnerMarriageEvent, row);
    Mark(mrin, db::kOwnerMarriage, row);
    row.sealingCell = o_.showZel;
    if (o_.showZel) {
      row.sealDate = marriage.sealingToSpouse.date.ToString();
      row.sealTemple = marriage.sealingToSpouse.templeCode;
      row.sealMarks = Numbers(mrin, db::kOwnerSealingToSpouse);
    }
    block.rows.push_back(std::move(row));
    UserEvents(block, mrin, db::kOwnerMarriage, db::kOwnerMarriageUserEvent);
  }

  FamilyGroupRow PersonRow(int role, std::int32_t rin, std::int32_t mrin) {
    FamilyGroupRow row;
    row.kind = FamilyGroupRow::kPerson;
    row.role = role;
    row.rin = rin;
    row.mrin = o_.suppressRin ? 0 : mrin;
    if (rin > 0) {
      row.name = FamilyGroupPersonName(rin, o_.suppressRin);
      row.nameMarks = Numbers(rin, db::kOwnerIndividual);
    } else if (role == kRoleChildSpouse || role == kRoleOtherSpouse) {
      row.name = res::LoadString(res::kIdsUnknown);
    }
    return row;
  }

  void Parents(FamilyGroupBlock& block, const CIndividualRecord& person, int role) {
    const std::int32_t parents = tree_.FirstParentFamily(block.rin);
    (void)person;
    const std::array<int, 2> roles = ParentRoles(role);
    block.rows.push_back(PersonRow(roles[0], parents > 0 ? tree_.Husband(parents) : 0, parents));
    block.rows.push_back(PersonRow(roles[1], parents > 0 ? tree_.Wife(parents) : 0, 0));
  }

  const FamilyGroupBlockSetup& s_;
  const FamilyGroupOptions& o_;
  DatabaseFamilyGroupTree tree_;
};

}  // namespace

void FileFamilyGroupCitation(int appliesTo, std::int32_t number, bool hasDate, bool hasPlace,
                             FamilyGroupMarks& marks) {
  switch (appliesTo) {
    case 0:
      InsertSortedNumber(number, hasDate ? marks.date : marks.row);
      break;
    case 1:
      InsertSortedNumber(number, hasPlace ? marks.place : marks.row);
      break;
    case 2:
      if (hasDate) InsertSortedNumber(number, marks.date);
      if (hasPlace) InsertSortedNumber(number, marks.place);
      if (!hasDate && !hasPlace) InsertSortedNumber(number, marks.row);
      break;
    case 3:
      InsertSortedNumber(number, marks.row);
      break;
    default:
      break;
  }
}

FamilyGroupBlock BuildSpouseBlock(std::int32_t rin, std::int32_t mrin, int role,
                                  const FamilyGroupBlockSetup& setup) {
  return BlockBuilder(setup).Spouse(rin, mrin, role);
}

FamilyGroupBlock BuildChildBlock(std::int32_t rin, const FamilyGroupBlockSetup& setup) {
  return BlockBuilder(setup).Child(rin);
}

int MeasureSpouseBlock(const FamilyGroupBlock& block, const FamilyGroupRows& rows,
                       const FamilyGroupOptions& options, int photoHeight) {
  const int height = rows.heading + block.Rows() * rows.row;
  if (options.photoOpt && block.rin > 0) {
    const int compared = height + (block.role == kRoleWife ? rows.heading : 0);
    if (compared < photoHeight && (options.photoRsrv || block.photo)) return photoHeight;
  }
  return height;
}

std::string FamilyGroupPersonName(std::int32_t rin, bool suppressRin) {
  CIndividualRecord person;
  if (rin <= 0 || DbGetIndividualRecord(rin, person, kNamesLevel) != 1) return {};
  return person.GetName(suppressRin ? 0 : 1, false, 1, false);
}

std::string FamilyGroupNotesOf(std::int32_t number, bool marriage, const FamilyGroupOptions& o) {
  if (number <= 0) return {};
  return DbGetNotes(number, 0, marriage ? db::kMarriage : db::kIndividual, o.markedOnly ? 1 : 0,
                    o.confident ? 1 : 0, 1);
}

std::string FamilyGroupCitationText(std::int32_t citation, bool shortForm,
                                    const FamilyGroupOptions& o) {
  CCitationRecord record;
  if (!DbGetRecord(citation, db::kCitation, &record)) return {};
  std::string text;
  family::FormatFootnote(record, text, true, shortForm, o.titleOnly, o.actText, o.comments);
  return text;
}

}  // namespace rpt
