#include "ListsRequest.h"

#include "DbCalls.h"
#include "DbCodes.h"

namespace rpt {

std::int32_t FindInNameOrder(const std::string& name, bool last) {
  return DbGetRIN(name, db::kQueryNameText, last ? db::kWalkPreviousOrSame : db::kWalkNextOrSame);
}

bool FillListsRequest(const ListsChoice& c, ReportRequest& request, const NameOrderLookup& lookup) {
  switch (c.listIndex) {
    case 2:  // by RIN
      request.startRin = c.rinStart;
      request.endRin = c.rinEnd;
      break;
    case 3:  // alphabetical
      request.nameStart = c.nameStart;
      request.nameEnd = c.nameEnd + "z";
      break;
    case 4:  // marriages
      request.mode = c.marriageSort;
      if (c.marriageSort == 0) {
        request.startRin = c.mrinStart;
        request.endRin = c.mrinEnd;
      } else {
        request.nameStart = c.marriageNameStart;
        request.nameEnd = c.marriageNameEnd + "z";
      }
      break;
    case 5:  // possible problems
      if (c.problemsByName) {
        request.startRin = lookup(c.problemsNameStart, false);
        if (request.startRin == 0) return false;
        request.endRin = lookup(c.problemsNameEnd + "z", true);
      } else {
        request.startRin = c.rinStart;
        request.endRin = c.rinEnd;
      }
      break;
    case 6:  // end-of-line
      request.mode = c.endOfLine;
      request.startRin = c.endOfLine == 0 ? 0 : c.startingRin;
      break;
    case 11:  // citations of a source
      if (c.sourceRin <= 0) return false;
      request.sourceRin = c.sourceRin;
      break;
    case 12:  // ZEL individual ordinances
      request.mode = c.zelMode;
      request.count = c.zelCount;
      request.nameStart = c.zelNameStart;
      request.nameEnd = c.zelNameEnd;
      break;
    case 13:  // ZEL marriage sealings
      request.mode = c.sealMode;
      request.count = c.sealCount;
      request.startRin = c.sealMrinStart;
      request.endRin = c.sealMrinEnd;
      break;
    case 14:  // family ordinance summary
      request.startRin = c.startingRin;
      break;
    default:
      break;
  }
  return true;
}

}  // namespace rpt
