#pragma once
// Whether a ZEL ordinance of an individual is done or not needed, whether the
// individual qualifies for it, or why not; and the presumed-deceased test that
// reports and web pages use to hide living people. Dates are compared with
// today's date (plat::Now). The rules only read: nothing stored is changed.

#include <cstdint>
#include <string>

class CIndividualNode;
class CIndividualRecord;
class CMarriageNode;

// Ordinance kinds.
inline constexpr int kZelBaptism = 0;
inline constexpr int kZelEndowment = 1;
inline constexpr int kZelSealingToParents = 2;
inline constexpr int kZelSealingToSpouse = 3;

// Results; each comes with a reason code (see GetZelReasonText).
inline constexpr std::int16_t kZelUnreadable = -1;
inline constexpr std::int16_t kZelQualified = 0;
inline constexpr std::int16_t kZelNotNeeded = 1;
inline constexpr std::int16_t kZelNotQualified = 2;

// Reads individual rin (-1 when that fails) and judges it. mrin is the
// parents' marriage for kind 2 and the individual's own for kind 3.
std::int16_t GetZelStatus(std::int32_t rin, std::int32_t mrin, int kind, int& reason);
std::int16_t GetZelStatusForRecord(const CIndividualRecord& record, std::int32_t mrin, int kind,
                                   int& reason);
// With an MRIN and kind 2 or 3, reads that marriage (-1 when that fails).
std::int16_t GetZelMarriageStatus(CIndividualNode& individual, std::int32_t mrin, int kind,
                                  int& reason);
// The rules, on an individual with details and its parents' (kind 2) or own
// (kind 3) marriage, or null.
std::int16_t GetZelQualification(const CIndividualNode& individual, const CMarriageNode* marriage,
                                 int kind, int& reason);
// Dead by a death or burial date, by a birth 110 years ago, or by a
// marriage or child's birth 95 years ago.
bool IsPresumedDeceased(const CIndividualRecord& record);

// "Qualified", "Not needed:" or "Not qualified:"; "" for another result.
std::string GetZelHeadline(int result);
// The reason's text; "" for qualified without a reason and for the reason
// that shows the recorded ordinance itself (not needed, 3).
std::string GetZelReasonText(int result, int reason);
