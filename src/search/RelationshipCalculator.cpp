#include "RelationshipCalculator.h"

#include <cstdlib>

#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "Ports.h"
#include "RelationshipCode.h"
#include "StoredKeyEventDate.h"
#include "StringIds.h"
#include "StringTable.h"

namespace kin {
namespace {

constexpr int kListNameWidth = 280;
constexpr int kCoupleHusbandWidth = 160;
constexpr int kSentenceNameWidth = 400;
constexpr int kMaxNameChars = 125;

std::string Word(unsigned id) { return res::LoadString(id); }

}  // namespace

std::string RelationshipShortCode(int count1, int count2, char sex1, char sex2) {
  const int m = count1 < count2 ? count1 : count2;
  const int d = std::abs(count1 - count2);
  const bool female = (count2 < count1 ? sex2 : sex1) == 'F';
  const auto pick = [female](unsigned maleId, unsigned femaleId) {
    return Word(female ? femaleId : maleId);
  };
  if (m == 0) {
    switch (d) {
      case 0:
        return Word(res::kIdsShortSame);
      case 1:
        return pick(res::kIdsShortFather, res::kIdsShortMother);
      case 2:
        return pick(res::kIdsShortGrandfather, res::kIdsShortGrandmother);
      case 3:
        return pick(res::kIdsShortGGFather, res::kIdsShortGGMother);
      default:
        return std::to_string(d - 2) + pick(res::kIdsShortGGFather, res::kIdsShortGGMother);
    }
  }
  if (m == 1) {
    const std::string uncle = pick(res::kIdsShortUncle, res::kIdsShortAunt);
    switch (d) {
      case 0:
        return pick(res::kIdsShortBrother, res::kIdsShortSister);
      case 1:
        return uncle;
      case 2:
        return Word(res::kIdsShortGrand) + uncle;
      case 3:
        return Word(res::kIdsShortGreatGrand) + uncle;
      default:
        return std::to_string(d - 2) + Word(res::kIdsShortGreatGrand) + uncle;
    }
  }
  std::string code = std::to_string(m - 1) + Word(res::kIdsShortCousin);
  if (d >= 1) code += std::to_string(d) + Word(res::kIdsShortRemoved);
  return code;
}

std::string FittedName(std::int32_t rin, int pixelWidth, const plat::TextMeasure* dc,
                       int suffixKind) {
  CIndividualRecord record;
  if (rin <= 0 || DbGetIndividualRecord(rin, record, 3) != 1) return {};
  CIndividualNode node(record, 0, suffixKind, pixelWidth, dc);
  std::string name = node.FormatName(suffixKind, CIndividualNode::kMaxNameChars, pixelWidth, dc);
  if (name.size() > static_cast<std::size_t>(kMaxNameChars)) name.resize(kMaxNameChars);
  return name;
}

PersonDisplay CRelationshipCalculator::Display(std::int32_t rin, int nameWidth) const {
  PersonDisplay shown;
  shown.rin = rin;
  CIndividualRecord record;
  if (rin <= 0 || DbGetIndividualRecord(rin, record, 10) != 1) return shown;
  shown.name = FittedName(rin, nameWidth, dc_, 0);
  shown.sex = record.sex == 'M' || record.sex == 'F' ? std::string(1, record.sex) : " ";
  shown.rinText = std::to_string(rin);
  GetKeyEventDate(rin, shown.keyEvent, nullptr, true);
  // The partner of each of the first two marriages is the one of husband and
  // wife who is not the person (a person of unknown sex is never shown as
  // his or her own spouse).
  std::vector<std::int32_t> marriages;
  DbGetRelationList(marriages, db::kRelSpouses, 0, rin, 0);
  std::string* spouses[2] = {&shown.spouse1, &shown.spouse2};
  for (std::size_t i = 0; i < marriages.size() && i < 2; ++i) {
    std::int32_t husband = 0, wife = 0;
    if (!SpousesOf(marriages[i], husband, wife)) continue;
    const std::int32_t partner = husband == rin ? wife : husband;
    *spouses[i] = FittedName(partner, layout_.otherWidth, dc_, suffixKind_);
  }
  std::int32_t father = 0, mother = 0;
  if (SpousesOf(record.numbers[CIndividualRecord::kParentsMrin], father, mother)) {
    shown.father = FittedName(father, layout_.otherWidth, dc_, suffixKind_);
    shown.mother = FittedName(mother, layout_.otherWidth, dc_, suffixKind_);
  }
  return shown;
}

void CRelationshipCalculator::SetPerson(int which, std::int32_t rin) {
  if (which == 1)
    person1_ = Display(rin, layout_.nameWidth1);
  else
    person2_ = Display(rin, layout_.nameWidth2);
}

char CRelationshipCalculator::SexOf(int which) const {
  const std::string& sex = Person(which).sex;
  return sex.empty() ? ' ' : sex[0];
}

int CRelationshipCalculator::Calculate() {
  if (busy_) return static_cast<int>(search_.Results().size());
  busy_ = true;
  resultLines_.clear();
  search_.Clear();
  const std::int32_t rin1 = person1_.rin, rin2 = person2_.rin;
  if (rin1 <= 0 || rin2 <= 0) {
    plat::MessageBox(Word(res::kIdsSelectTwo), Word(res::kIdsWhoCaption), plat::kMbOk);
    busy_ = false;
    return 0;
  }
  search_.Run(rin1, rin2, [this] { return closeRequested_; });
  for (const RelationshipResult& result : search_.Results())
    resultLines_.push_back(ResultLine(result));

  if (rin1 != rin2) {
    std::vector<std::int32_t> marriages;
    DbGetRelationList(marriages, db::kRelSpouses, 0, rin1, 0);
    for (std::int32_t mrin : marriages) {
      std::int32_t husband = 0, wife = 0;
      if (SpousesOf(mrin, husband, wife) && (husband == rin2 || wife == rin2)) {
        plat::MessageBox(Word(res::kIdsTheyAreSpouses), Word(res::kIdsMaritalCaption), plat::kMbOk);
        break;
      }
    }
  }
  const int count = static_cast<int>(search_.Results().size());
  if (count == 0 && !closeRequested_)
    plat::MessageBox(Word(res::kIdsNoBloodRelationship), {}, plat::kMbOk);
  if (count >= CRelationshipSearch::kMaxResults && !closeRequested_)
    plat::MessageBox(res::FormatString(res::kIdsOnlyFirstShown,
                                       {std::to_string(CRelationshipSearch::kMaxResults)}),
                     Word(res::kIdsManyCaption), plat::kMbOk);
  busy_ = false;
  return count;
}

std::string CRelationshipCalculator::CoupleText(std::int32_t mrin, bool forSentence) const {
  std::int32_t husband = 0, wife = 0;
  SpousesOf(mrin, husband, wife);
  const int husbandWidth = forSentence ? kSentenceNameWidth : kCoupleHusbandWidth;
  std::string text = husband > 0 ? FittedName(husband, husbandWidth, dc_, suffixKind_) : "";
  if (text.empty()) text = Word(res::kIdsUnknown);
  if (forSentence) {
    text += " " + Word(res::kIdsAnd) + " ";
  } else {
    text += " & ";
  }
  int rest = kSentenceNameWidth;
  if (!forSentence) rest = kListNameWidth - (dc_ ? dc_->TextWidth(text) : 0);
  std::string wifeName = wife > 0 ? FittedName(wife, rest, dc_, suffixKind_) : "";
  if (wifeName.empty()) wifeName = Word(res::kIdsUnknown);
  return text + wifeName;
}

std::string CRelationshipCalculator::ResultLine(const RelationshipResult& result) const {
  std::string line = result.couple ? CoupleText(result.id, false)
                                   : FittedName(result.id, kListNameWidth, dc_, suffixKind_);
  line += '\t';
  if (IsEnglishInterface())
    line += RelationshipShortCode(result.count1, result.count2, SexOf(1), SexOf(2));
  return line;
}

std::string CRelationshipCalculator::PathLine(std::int32_t rin) const {
  std::string keyEvent;
  GetKeyEventDate(rin, keyEvent, nullptr, true);
  return FittedName(rin, kListNameWidth, dc_, suffixKind_) + '\t' + keyEvent;
}

CRelationshipCalculator::Shown CRelationshipCalculator::ShowResult(int index) const {
  Shown shown;
  const auto& results = search_.Results();
  if (index < 0 || index >= static_cast<int>(results.size())) return shown;
  const RelationshipResult& result = results[static_cast<std::size_t>(index)];
  const auto side = [&](std::vector<std::string>& out, std::int32_t person,
                        const std::vector<std::int32_t>& line) {
    out.push_back(PathLine(person));
    for (std::int32_t rin : line) out.push_back(PathLine(rin));
    if (result.couple)
      out.push_back(CoupleText(result.id, false));
    else if (result.id != person)
      out.push_back(PathLine(result.id));
  };
  side(shown.lines1, person1_.rin, result.line1);
  side(shown.lines2, person2_.rin, result.line2);
  shown.sentence = Sentence(result);
  return shown;
}

std::string CRelationshipCalculator::Sentence(const RelationshipResult& result) const {
  const int g1 = result.count1, g2 = result.count2;
  const int m = g1 < g2 ? g1 : g2;
  CRelationshipCode code;
  code.personCount = static_cast<std::int16_t>(g1);
  code.referenceCount = static_cast<std::int16_t>(g2);
  code.sex = SexOf(1) == 'F' ? 'F' : 'M';
  code.kind = 'N';
  const std::string term = code.GetName(false, true);
  const std::string name1 = FittedName(person1_.rin, kSentenceNameWidth, dc_, suffixKind_);
  std::string text = name1 + " ";
  if (m <= 1) {
    text += Word(SexOf(1) == 'F' ? res::kIdsIsTheFemale : res::kIdsIsTheMale) + " " + term + " " +
            Word(g1 == 0 && g2 == 0 ? res::kIdsAs : res::kIdsOf) + " " +
            FittedName(person2_.rin, layout_.nameWidth2, dc_, suffixKind_);
  } else {
    text += Word(res::kIdsAnd) + " " +
            FittedName(person2_.rin, kSentenceNameWidth, dc_, suffixKind_) + " " +
            Word(res::kIdsAre) + " " + term;
  }
  if (result.couple) {
    text += ".  " + Word(res::kIdsCommonAncestorsAre) + " " + CoupleText(result.id, true);
  } else if (result.id != person1_.rin && result.id != person2_.rin) {
    text += ".  " + Word(res::kIdsCommonAncestorIs) + " " +
            FittedName(result.id, kSentenceNameWidth, dc_, suffixKind_);
  }
  return text + ".";
}

}  // namespace kin
