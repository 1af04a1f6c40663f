#include "FamilyGroupKind.h"

#include "DbCalls.h"
#include "FamilyGroupGenerator.h"
#include "IndividualRecord.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

int FontHeight(const char* key, const char* def) {
  return -FamilyGroupFontOf(plat::Profile().GetString("Options", key, def)).height;
}

}  // namespace

FamilyGroupRunArgs FamilyGroupRunArgsFrom(const ReportRequest& request,
                                          const FamilyGroupOptions& options, ReportDevice& dc,
                                          int width, int height) {
  FamilyGroupRunArgs args;
  args.mode = options.listOpt     ? kFamilyGroupSingle
              : options.type == 1 ? options.cascType + 1
                                  : kFamilyGroupSingle;
  args.notesOption = options.sourceNotes;
  args.otherMarriages = options.otherMarr;
  args.generations = options.type == 1 ? options.totGens : 1;
  if (options.type == 1 && request.count > 0) args.generations = request.count;
  args.startIsChild = request.options[kFgrSlotRole] == 1;
  args.startRin = options.listOpt ? 0 : request.startRin;
  args.chosenFamily = options.listOpt ? 0 : request.familyMrin;
  args.dc = &dc;
  const LogFont previous =
      dc.SelectFont({-122, 800, false, false, res::LoadString(res::kIdsArial)});
  const int numbers = dc.GetTextExtent("33 ").cx;
  dc.SelectFont(previous);
  args.notesWidth = width - numbers - 708;
  // The title and data fonts' heights as the pages round them.
  args.bodyHeight = height - FontHeight("FontFgrTitle", "Arial;Bold;16pt") -
                    FontHeight("FontFgrData", "Times New Roman;Normal;9pt") - 152;
  args.parentsOnly = options.notePar;
  args.notesOnFirstPage = options.start1st;
  args.preparedBy = options.includeSubmit;
  args.notesLineHeight = FamilyGroupNotesLineHeight(
      plat::Profile().GetString("Options", "FontNotesRpt", "Times New Roman;Normal;9pt"));
  args.list = options.listOpt ? request.nameStart : std::string();
  return args;
}

int FamilyGroupLoneRole(const ReportRequest& request) {
  if (request.options[kFgrSlotRole] == 1) return 3;
  CIndividualRecord person;
  if (request.startRin > 0 && DbGetIndividualRecord(request.startRin, person, 2) == 1 &&
      person.sex == 'M')
    return 1;
  return 2;
}

int PaginateFamilyGroupRequest(const ReportRequest& request, ReportDevice* dc, int width,
                               int height) {
  const FamilyGroupOptions options = ReadFamilyGroupOptions(plat::Profile());
  if (options.type == 2) return 3;  // the blank form: three pages without a pass
  if (options.listOpt && request.nameStart.empty()) {
    CleanupFamilyGroupPages();
    return 0;
  }
  if (dc == nullptr) return 0;
  const FamilyGroupRunArgs args = FamilyGroupRunArgsFrom(request, options, *dc, width, height);
  return PaginateFamilyGroupRecord(args, options, CurrentPaginatorWindow());
}

std::unique_ptr<CReportPageGenerator> MakeFamilyGroupGenerator() {
  const ReportRequest& request = CurrentReportRequest();
  const FamilyGroupRunPerson run{request.startRin, FamilyGroupLoneRole(request)};
  return std::make_unique<CFamilyGroupGenerator>(ReadFamilyGroupOptions(plat::Profile()), run);
}

}  // namespace rpt
