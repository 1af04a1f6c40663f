#include "SheetFamilyReads.h"

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "Ports.h"
#include "RecordAccess.h"

namespace rpt {

bool ReadIndividualName(std::int32_t rin, int identifierDisplay, std::string& name) {
  CIndividualRecord record;
  if (rin <= 0 || family::Read(record, rin) != 1) return false;
  name = record.GetName(identifierDisplay == 1 ? 1 : 0, false, 1, false);
  return true;
}

std::string TitlePersonName(std::int32_t rin, int identifierDisplay, bool suppressRinChecked,
                            const plat::TextMeasure* dc) {
  constexpr int kTitleNameWidth = 480;
  CIndividualRecord record;
  if (rin <= 0 || family::Read(record, rin) != 1) return {};
  const CIndividualNode node(record, 0, suppressRinChecked ? 0 : identifierDisplay, kTitleNameWidth,
                             dc);
  return node.GetDisplayName();
}

std::vector<std::int32_t> MarriagesOf(std::int32_t rin) {
  std::vector<std::int32_t> marriages;
  const int count = rin > 0 ? DbGetRelationCount(rin, db::kRelMarriages, 0, 1) : 0;
  if (count <= 0 || DbGetRelation(rin, db::kRelMarriages, count, marriages) <= 0) return {};
  // The list is filled up to the count asked; only real marriages count.
  std::erase(marriages, 0);
  return marriages;
}

void LiveNumberRange(bool marriages, std::int32_t& low, std::int32_t& high) {
  const int query = marriages ? db::kQueryMarriages : db::kQueryIndividuals;
  low = high = 0;
  if (DbGetActiveRecordCount(marriages ? db::kMarriage : db::kIndividual) == 0) return;
  low = DbGetRIN(1, query, db::kWalkNextOrSame);
  high = DbGetRIN(0x7FFFFFFF, query, db::kWalkPreviousOrSame);
}

bool DbCoupleSource::ReadPerson(std::int32_t rin, Person& out) {
  CIndividualRecord record;
  if (rin <= 0 || family::Read(record, rin) != 1) return false;
  out.name = record.GetName(display_ == 1 ? 1 : 0, false, 1, false);
  out.sex = record.sex;
  out.marriages = MarriagesOf(rin);
  std::vector<std::int32_t> parents;
  out.parentFamily =
      DbGetRelation(rin, db::kRelParents, 1, parents) > 0 && !parents.empty() ? parents.front() : 0;
  return true;
}

bool DbCoupleSource::ReadMarriage(std::int32_t mrin, std::int32_t& husband, std::int32_t& wife) {
  CMarriageRecord marriage;
  if (mrin <= 0 || family::Read(marriage, mrin) != 1) return false;
  husband = marriage.husband;
  wife = marriage.wife;
  return true;
}

std::string DbCoupleSource::SpouseName(std::int32_t rin) {
  std::string name;
  return ReadIndividualName(rin, display_, name) ? name : std::string();
}

std::int32_t DbCoupleSource::PickMarriage(std::int32_t rin,
                                          const std::vector<std::int32_t>& marriages) {
  return pick ? pick(rin, marriages) : 0;
}

void DbCoupleSource::Warn(const std::string& text) {
  plat::MessageBox(text, "", plat::kMbOk | plat::kMbIconExclamation);
}

}  // namespace rpt
