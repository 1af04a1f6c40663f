#include "ReportChoiceState.h"

#include "StringIds.h"
#include "StringTable.h"

CReportChoiceState::CReportChoiceState() {
  const std::string end = res::LoadString(res::kIdsListRangeEnd);
  rangeTexts[1] = end;
  rangeTexts[3] = end;
  rangeTexts[5] = end;
}
