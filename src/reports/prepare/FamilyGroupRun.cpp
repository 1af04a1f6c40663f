#include "FamilyGroupRun.h"

#include <algorithm>

#include "CitationNumbers.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FontDescription.h"
#include "MultimediaChain.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

constexpr const char* kWorkFileName = "~KorDUPFG.TMP";
constexpr const char* kDefaultNotesFont = "Times New Roman;Normal;9pt";

// The cascade's marks kept in the paginator's work file.
class WorkFileSlots : public plat::RandomAccessFile {
 public:
  explicit WorkFileSlots(PaginatorWorkFile& file) : file_(file) {}
  long long ReadSomeAt(std::uint64_t pos, void* data, std::size_t len) override {
    if (len == 0 || pos % len != 0) return -1;
    std::span<std::uint8_t> bytes(static_cast<std::uint8_t*>(data), len);
    return file_.ReadRecord(pos / len, bytes) ? static_cast<long long>(len) : -1;
  }
  bool WriteAt(std::uint64_t pos, const void* data, std::size_t len) override {
    return file_.WriteAt(pos, {static_cast<const std::uint8_t*>(data), len});
  }
  bool Flush() override { return true; }
  long long Size() const override { return -1; }
  bool Truncate(std::uint64_t) override { return true; }  // the work file is made afresh

 private:
  PaginatorWorkFile& file_;
};

}  // namespace

LogFont FamilyGroupFontOf(const std::string& description, int* points) {
  std::string face;
  int size = 10, weight = 400, italic = 0;
  ParseFontDescription(description, face, size, weight, italic);
  if (points) *points = size;
  return {-(size * 1000 / 72), weight, italic != 0, false, face};
}

CStyleFontSet FamilyGroupNoteFonts(const std::string& description) {
  const LogFont normal = FamilyGroupFontOf(description);
  CStyleFontSet fonts;
  fonts.normal = normal;
  LogFont italic = normal;
  italic.italic = !normal.italic;
  fonts.italic = italic;
  LogFont bold = normal;
  bold.weight = std::min(900, normal.weight * 2);
  fonts.bold = bold;
  return fonts;
}

int FamilyGroupNotesLineHeight(const std::string& description) {
  int points = 0;
  FamilyGroupFontOf(description, &points);
  return std::max(1, points * 1000 / 72 * 13 / 10);
}

FamilyGroupMeasure FamilyGroupMeasureOf(const FamilyGroupOptions& options, int notesOption,
                                        bool parentsOnly) {
  FamilyGroupMeasure m;
  m.options = options;
  m.options.sourceNotes = notesOption;
  m.options.notePar = parentsOnly;
  m.rows = FamilyGroupRowsOf(options.layout);
  m.photoHeight = options.photoOpt ? FamilyGroupPhotoHeight(m.rows, options.photoY) : 0;
  m.parentsOnly = parentsOnly;
  m.notesOption = notesOption;
  return m;
}

std::optional<FamilyGroupRecordContent> ReadFamilyGroupRecord(const FamilyGroupRequest& request,
                                                              const FamilyGroupMeasure& measure) {
  FamilyGroupPeople people;
  if (!ReadFamilyGroupPeople(request, people)) return std::nullopt;
  const FamilyGroupOptions& o = measure.options;
  const bool family = request.kind == FamilyRecordKind::Family;

  // Citations are numbered from 1 within each record.
  DiscardCitationNumberLists();
  FamilyGroupRecordContent content;
  FamilyGroupBlockSetup parents{o, {}};
  if (o.SourceNotesOn()) {
    parents.number = [&content](std::int32_t citation) {
      return NumberCitation(citation, content.citations, content.citationSeen, nullptr, 0);
    };
  }
  FamilyGroupBlockSetup children = parents;
  if (measure.parentsOnly) children.number = {};

  const std::int32_t mrin = family ? request.key : 0;
  FamilyGroupRecordShape& shape = content.shape;
  shape.key = mrin;
  shape.preparedBy = o.includeSubmit;
  shape.legend = o.includeSubmit && o.Legend();
  if (request.kind != FamilyRecordKind::LoneChild) {
    const FamilyGroupBlock husband = BuildSpouseBlock(people.husband, mrin, kRoleHusband, parents);
    shape.husbandHeight = MeasureSpouseBlock(husband, measure.rows, o, measure.photoHeight);
    const FamilyGroupBlock wife = BuildSpouseBlock(people.wife, mrin, kRoleWife, parents);
    shape.wifeHeight = MeasureSpouseBlock(wife, measure.rows, o, measure.photoHeight);
  } else {
    // A lone child's couple is the two blank blocks.
    shape.husbandHeight =
        MeasureSpouseBlock(BuildSpouseBlock(0, 0, kRoleHusband, {o, {}}), measure.rows, o, 0);
    shape.wifeHeight =
        MeasureSpouseBlock(BuildSpouseBlock(0, 0, kRoleWife, {o, {}}), measure.rows, o, 0);
  }
  for (std::size_t i = 0; i < people.children.size(); ++i) {
    const FamilyGroupBlock block = BuildChildBlock(people.children[i], children);
    FamilyGroupChild child;
    child.rows = block.Rows();
    child.hasSpouseRows = block.hasSpouseRows;
    child.photo = o.photoOpt && (o.photoRsrv || block.photo);
    shape.children.push_back(child);
    if (request.directChild != 0 && people.children[i] == request.directChild)
      shape.directChild = static_cast<int>(i) + 1;
  }

  if (o.GeneralNotesOn()) {
    const auto add = [&](int owner, std::int32_t number, bool marriage) {
      std::string text = FamilyGroupNotesOf(number, marriage, o);
      if (!text.empty()) content.notes.push_back({owner, std::move(text)});
    };
    if (family) add(kNotesOwnerMarriage, mrin, true);
    add(kNotesOwnerHusband, people.husband, false);
    add(kNotesOwnerWife, people.wife, false);
    if (!measure.parentsOnly)
      for (std::size_t i = 0; i < people.children.size(); ++i)
        add(kNotesOwnerChild + static_cast<int>(i), people.children[i], false);
  }
  if (o.SourceNotesOn())
    for (std::size_t i = 0; i < content.citations.size(); ++i)
      content.citationTexts.push_back(
          FamilyGroupCitationText(content.citations[i], content.citationSeen[i] != 0, o));
  return content;
}

void CleanupFamilyGroupPages() {
  Paginator().Clear();
  DiscardCitationNumberLists();
  SetReportImageMode(0);
}

const FamilyGroupPageEntry* FindFamilyGroupPage(std::int32_t page) {
  const auto* found = dynamic_cast<const FamilyGroupPage*>(FindPageEntryByPage(Paginator(), page));
  return found ? &found->entry : nullptr;
}

int PaginateFamilyGroupRecord(const FamilyGroupRunArgs& args, const FamilyGroupOptions& options,
                              PaginatorWindow& window, const WorkFileCreator& createFile) {
  PaginatorState& state = Paginator();
  CleanupFamilyGroupPages();
  state.pageCounter = 1;
  if (args.dc == nullptr) return 0;

  FamilyGroupSelection selection;
  selection.mode = args.mode;
  selection.startIsChild = args.startIsChild;
  selection.generations = args.generations;
  selection.startPerson = args.startRin;
  selection.chosenFamily = args.chosenFamily;
  selection.list = args.list;
  const bool cascade = args.mode == kFamilyGroupCascadeUp || args.mode == kFamilyGroupCascadeDown;

  DatabaseFamilyGroupTree tree;
  FamilyGroupOptions runOptions = options;
  runOptions.otherMarr = args.otherMarriages;
  runOptions.start1st = args.notesOnFirstPage;
  runOptions.includeSubmit = args.preparedBy;
  const FamilyGroupMeasure measure =
      FamilyGroupMeasureOf(runOptions, args.notesOption, args.parentsOnly);

  FamilyGroupPassSetup setup;
  setup.pages.bodyHeight = args.bodyHeight;
  setup.pages.rows = measure.rows;
  setup.pages.photos = runOptions.photoOpt;
  setup.pages.reservePhoto = runOptions.photoRsrv;
  setup.pages.photoHeight = measure.photoHeight;
  setup.notes.bodyHeight = args.bodyHeight;
  setup.notes.heading = measure.rows.heading;
  setup.notes.lineHeight = std::max(1, args.notesLineHeight);
  setup.notes.firstPage = args.notesOnFirstPage;

  CStyleFontSet fonts =
      FamilyGroupNoteFonts(plat::Profile().GetString("Options", "FontNotesRpt", kDefaultNotesFont));
  ReportDevice& dc = *args.dc;
  const FamilyGroupLineFit fit = [&](std::string_view text) {
    return FitTextLine(text, dc, args.notesWidth, args.notesWidth / 80, &fonts);
  };
  // The records to print are chosen first (a walk over the family links);
  // each batch then reads, measures and lays out one record, so the window
  // serves Cancel between two records.
  std::vector<FamilyGroupRequest> requests;
  std::size_t next = 0;
  bool selected = false;
  const auto running = [&state] { return state.running != 0; };
  const auto exists = [&requests](const FamilyGroupRequest& request) {
    FamilyGroupPeople people;
    if (!ReadFamilyGroupPeople(request, people)) return false;
    requests.push_back(request);
    return true;
  };
  PaginationPass pass;
  pass.title = res::LoadString(res::kIdsFamilyGroupRecord);
  pass.fileErrorName = "Family Group Report";
  pass.cancelShown = cascade;
  pass.createFile = createFile;
  pass.cleanup = CleanupFamilyGroupPages;
  const std::int32_t highestFamily = tree.HighestFamily();
  if (cascade) {
    pass.neededBytes = static_cast<std::uint64_t>(std::max(0, highestFamily) / 50) * 200 + 200;
    pass.files.push_back({&state.workFile, kWorkFileName});
  }
  std::unique_ptr<WorkFileSlots> slots;
  std::unique_ptr<CascadeMarks> marks;
  pass.prepare = [&] {
    SetReportImageMode(1);
    if (!cascade) return BatchResult::Done;
    slots = std::make_unique<WorkFileSlots>(state.workFile);
    marks = std::make_unique<CascadeMarks>(*slots);
    return marks->Prepare(highestFamily) ? BatchResult::Done : BatchResult::DiskFull;
  };
  pass.batch = [&] {
    if (!selected) {
      SelectFamilyGroupRecords(selection, tree, marks.get(), exists, running);
      selected = true;
      state.workFile.CloseAndDelete();
      return BatchResult::More;
    }
    if (next < requests.size()) {
      std::optional<FamilyGroupRecordContent> content =
          ReadFamilyGroupRecord(requests[next++], measure);
      if (content) {
        const auto firstPage = static_cast<std::int32_t>(state.pageEntries.size()) + 1;
        for (FamilyGroupPageEntry& entry :
             LayOutFamilyGroupRecord(std::move(*content), setup, fit, firstPage)) {
          auto page = std::make_unique<FamilyGroupPage>();
          page->key = entry.key;
          page->entry = std::move(entry);
          state.AddPage(std::move(page));
        }
        window.SetNumber(static_cast<int>(state.pageEntries.size()));
      }
    }
    return next < requests.size() ? BatchResult::More : BatchResult::Done;
  };
  const int pages = RunPagination(state, window, pass);
  state.workFile.CloseAndDelete();
  return pages;
}

}  // namespace rpt
