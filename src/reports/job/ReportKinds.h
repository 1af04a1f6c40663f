#pragma once
// Report kinds, the parameters of a print run and the registry of the page
// generators that draw each kind. A kind whose generator is not registered
// creates nothing, so the screens that start reports keep it disabled.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CReportPageGenerator;

namespace rpt {

enum ReportKindCode : int {
  kPedigreeChart = 1,
  kFamilyGroupRecord = 2,
  kAncestryChart = 3,
  kDescendantsChart = 4,
  kIndividualSummary = 6,
  kScrapbook = 7,
  kCustomReport = 8,
  kEventCalendar = 10,
  kUnlinkedList = 100,
  kDuplicatesList = 101,
  kIndividualsByRin = 102,
  kIndividualsByAlpha = 103,
  kMarriagesList = 104,
  kRecordProblems = 105,
  kEndOfLine = 106,
  kReunionContacts = 107,
  kPlacesList = 108,
  kNotesList = 109,
  kSourcesList = 110,
  kCitationsList = 111,
  kIncompleteOrdinances = 112,
  kMissingSealings = 113,
  kFamilyOrdinanceSummary = 114,
  kAhnentafel = 200,
  kModifiedRegister = 201,
};

// The generator classes; several kinds share one class.
enum class GeneratorClass : int {
  kNone,
  kPedigree,
  kFamilyGroup,
  kAncestry,
  kDescendants,
  kIndividualSummary,
  kScrapbook,
  kCustom,
  kCalendar,
  kUnlinked,
  kDuplicates,
  kSortedIndividuals,  // 102, 103 and 106
  kMarriages,
  kRecordProblems,
  kIncompleteOrdinances,
  kMissingSealings,
  kFamilyOrdinanceSummary,
  kBook,   // 200 and 201
  kLists,  // 108 to 111: the place, notes, source and citation lists
  kCount
};

GeneratorClass GeneratorClassOf(int kind);

// What a generator factory is told about the run it draws.
struct GeneratorArgs {
  int kind = 0;
  int listKind = 0;               // 102, 103 or 106 for the sorted-individuals lists
  std::int32_t startRin = 0;      // kind 106: the starting individual
  bool modifiedRegister = false;  // kind 201 (else the Ahnentafel form of a book)
};

using GeneratorFactory = std::function<std::unique_ptr<CReportPageGenerator>(const GeneratorArgs&)>;

// Registers (or, with an empty factory, removes) the generator of a class.
void RegisterReportGenerator(GeneratorClass cls, GeneratorFactory factory);
// True when a job of the kind would create a generator.
bool IsReportKindAvailable(int kind);
// True when any kind that the print commands run is available.
bool AnyReportKindAvailable();
std::unique_ptr<CReportPageGenerator> CreateReportGenerator(int kind, std::int32_t startRin);

// The parameters of the report being printed, set by the screen that starts
// the run and read by the print set-up, the paginators and the generators.
struct ReportRequest {
  int mode = 0;
  std::int32_t startRin = 0;
  std::int32_t endRin = 0;
  int count = 0;  // generations or number of entries
  std::string nameStart, nameEnd;
  std::int32_t familyMrin = 0;
  std::int32_t sourceRin = 0;    // kind 111: the source whose citations are listed
  std::array<int, 8> options{};  // the chosen page's options, passed through
  int chartCount = 0;            // written by the wall chart's pagination
  int entryCount = 0;            // written by the lists' pagination
};
ReportRequest& CurrentReportRequest();

// The Pedigree page's entries in ReportRequest::options. Chart numbers are
// unsigned 32-bit values kept in the ints.
enum PedigreeRequestSlot : int {
  kPedigreeFirstChart = 0,
  kPedigreeSameAsChart = 1,  // "on chart"
  kPedigreeFirstContinuation = 2,
  kPedigreeSameAsPosition = 3,  // "Start person is same as"
  kPedigreeIndex = 4,           // 1 with "Include index" or "Index only"
  kPedigreeIndexOnly = 5,       // 1 with "Index only"
};

// The Family Group page's entries in ReportRequest::options; with "Use
// list" the typed family numbers come in nameStart.
enum FamilyGroupRequestSlot : int {
  kFgrSlotRole = 0,  // 0 the person is a parent, 1 a child
  kFgrSlotSourceNotes = 1,
  kFgrSlotOtherMarriages = 2,
};

// The application's report print state: 2 or 3 while a preview started from
// the report sheet is shown, 4 while the preview's Print prints the previewed
// pages, 5 after that, 6 when the sheet is to be reopened. pageCount is the
// page count of the last pagination.
struct ReportRunState {
  int printState = 0;
  int pageCount = 0;
};
ReportRunState& CurrentReportRunState();
// True while a preview started from the report sheet is on screen (print
// states 2 and 3); Reports "Hide Shade" then leaves a report's shading out.
bool ReportPreviewShown();

}  // namespace rpt
