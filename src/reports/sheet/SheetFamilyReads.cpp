#include "SheetFamilyReads.h"

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "Ports.h"
#include "RecordAccess.h"

namespace rpt {

bool ReadIndividualName(std::int32_t rin, int identifierDisplay, std::string& name) {
  CIndividualRecord record;
  if (rin <= 0 || family::Read(record, rin) != 1) return false;
  name = record.GetName(identifierDisplay == 1 ? 1 : 0, false, rin, false);
  return true;
}

std::vector<std::int32_t> MarriagesOf(std::int32_t rin) {
  std::vector<std::int32_t> marriages;
  if (rin <= 0 || DbGetRelation(rin, db::kRelMarriages, 0x7FFF, marriages) <= 0) marriages.clear();
  return marriages;
}

bool DbCoupleSource::ReadPerson(std::int32_t rin, Person& out) {
  CIndividualRecord record;
  if (rin <= 0 || family::Read(record, rin) != 1) return false;
  out.name = record.GetName(display_ == 1 ? 1 : 0, false, rin, false);
  out.sex = record.sex;
  out.marriages = MarriagesOf(rin);
  out.parentFamily = record.numbers[CIndividualRecord::kParentsMrin];
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
