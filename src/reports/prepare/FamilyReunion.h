#pragma once
// The Family Reunion Contact List: the living descendants of a start person
// (the start person too when living) and the living widows and widowers of
// deceased descendants, sorted by surname and given name, married women
// under their husband's surname. The sorted RINs go to an index file that
// the list writer reads by position.
//
// The walk marks people and marriages in files addressed by record number
// (one byte each), so it needs memory only for its queue. A person is
// visited once however many lines of descent lead to it, and a marriage is
// handled once, so cousin marriages cost no repeated work.

#include <cstdint>
#include <string>
#include <vector>

class CIndividualRecord;
class CMarriageRecord;

namespace rpt {

// What the walk reads of the family file; tests count the reads.
class ReunionSource {
 public:
  virtual ~ReunionSource() = default;
  virtual bool ReadIndividual(std::int32_t rin, CIndividualRecord& out);
  virtual bool ReadMarriage(std::int32_t mrin, CMarriageRecord& out);
  // An individual's marriages in the family file's order.
  virtual std::vector<std::int32_t> Marriages(std::int32_t rin);
  virtual std::vector<std::int32_t> Children(std::int32_t mrin);
};

// The 36-byte sort record: the 32-byte contact key, then the RIN.
constexpr std::size_t kContactSortRecordSize = 36;
void BuildContactKey(const std::string& surname, const std::string& given, std::int32_t rin,
                     std::uint8_t* out);
int CompareContactKeys(const void* a, const void* b);

// 1 when the index file is ready, 0 on any failure (a message said why).
int PrepareFamilyReunionList(std::int32_t startRin, ReunionSource* source = nullptr);
// The RIN at position n of the index file; 0 at or beyond the count.
std::int32_t GetFamilyReunionEntry(std::int64_t n);
std::int64_t FamilyReunionCount();
void CloseFamilyReunionWorkFile();

}  // namespace rpt
