#include "ReportKinds.h"

#include "ReportJob.h"

namespace rpt {

namespace {
std::array<GeneratorFactory, static_cast<int>(GeneratorClass::kCount)>& Factories() {
  static std::array<GeneratorFactory, static_cast<int>(GeneratorClass::kCount)> factories;
  return factories;
}
}  // namespace

GeneratorClass GeneratorClassOf(int kind) {
  switch (kind) {
    case kPedigreeChart:
      return GeneratorClass::kPedigree;
    case kFamilyGroupRecord:
      return GeneratorClass::kFamilyGroup;
    case kAncestryChart:
      return GeneratorClass::kAncestry;
    case kDescendantsChart:
      return GeneratorClass::kDescendants;
    case kIndividualSummary:
      return GeneratorClass::kIndividualSummary;
    case kScrapbook:
      return GeneratorClass::kScrapbook;
    case kCustomReport:
      return GeneratorClass::kCustom;
    case kEventCalendar:
      return GeneratorClass::kCalendar;
    case kUnlinkedList:
      return GeneratorClass::kUnlinked;
    case kDuplicatesList:
      return GeneratorClass::kDuplicates;
    case kIndividualsByRin:
    case kIndividualsByAlpha:
    case kEndOfLine:
      return GeneratorClass::kSortedIndividuals;
    case kMarriagesList:
      return GeneratorClass::kMarriages;
    case kRecordProblems:
      return GeneratorClass::kRecordProblems;
    case kIncompleteOrdinances:
      return GeneratorClass::kIncompleteOrdinances;
    case kMissingSealings:
      return GeneratorClass::kMissingSealings;
    case kFamilyOrdinanceSummary:
      return GeneratorClass::kFamilyOrdinanceSummary;
    case kAhnentafel:
    case kModifiedRegister:
      return GeneratorClass::kBook;
    case kPlacesList:
    case kNotesList:
    case kSourcesList:
    case kCitationsList:
      return GeneratorClass::kLists;
    default:
      return GeneratorClass::kNone;
  }
}

void RegisterReportGenerator(GeneratorClass cls, GeneratorFactory factory) {
  if (cls == GeneratorClass::kNone || cls == GeneratorClass::kCount) return;
  Factories()[static_cast<int>(cls)] = std::move(factory);
}

bool IsReportKindAvailable(int kind) {
  const GeneratorClass cls = GeneratorClassOf(kind);
  return cls != GeneratorClass::kNone && static_cast<bool>(Factories()[static_cast<int>(cls)]);
}

bool AnyReportKindAvailable() {
  for (const auto& f : Factories())
    if (f) return true;
  return false;
}

std::unique_ptr<CReportPageGenerator> CreateReportGenerator(int kind, std::int32_t startRin) {
  const GeneratorClass cls = GeneratorClassOf(kind);
  if (cls == GeneratorClass::kNone) return nullptr;
  const GeneratorFactory& factory = Factories()[static_cast<int>(cls)];
  if (!factory) return nullptr;
  GeneratorArgs args;
  args.kind = kind;
  if (cls == GeneratorClass::kSortedIndividuals) {
    args.listKind = kind;
    if (kind == kEndOfLine) args.startRin = startRin;
  }
  args.modifiedRegister = kind == kModifiedRegister;
  return factory(args);
}

ReportRequest& CurrentReportRequest() {
  static ReportRequest request;
  return request;
}

ReportRunState& CurrentReportRunState() {
  static ReportRunState state;
  return state;
}

bool ReportPreviewShown() {
  const int state = CurrentReportRunState().printState;
  return state == 2 || state == 3;
}

}  // namespace rpt
