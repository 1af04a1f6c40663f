#include "GedcomExporter.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <utility>

#include "CitationRecord.h"
#include "Clock.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "EventValue.h"
#include "FamilyLinkRecord.h"
#include "FileSystem.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "OrdinanceObject.h"
#include "PlaceEventObject.h"
#include "Ports.h"
#include "PreparerRecord.h"
#include "RecordAccess.h"
#include "RepositoryRecord.h"
#include "RosterlySummary.h"
#include "SourceRecord.h"
#include "StringTable.h"
#include "TimeStamp.h"
#include "UserEventRecord.h"
#include "ZelQualification.h"

namespace gedcom {

namespace {

constexpr const char* kIncomplete = "The GEDCOM export is not complete.";
constexpr const char* kCancelled = "The GEDCOM export was cancelled; its file was deleted.";
constexpr const char* kCutHeading = "These values were too long for a GEDCOM line and were cut:";
constexpr const char* kReplacedHeading =
    "These characters have no place in the file's character set and were written as shown:";
constexpr const char* kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// Texts of the individual record by meaning, as the record maps store them.
const std::string& Nickname(const CIndividualRecord& p) { return p.nameExtensions[0]; }
const std::string& AlsoKnownAs(const CIndividualRecord& p) { return p.nameExtensions[1]; }
const std::string& CauseOfDeath(const CIndividualRecord& p) { return p.texts2[0]; }
const std::string& MarriedName(const CIndividualRecord& p) { return p.texts2[1]; }
const std::string& PhysicalDescription(const CIndividualRecord& p) { return p.texts2[2]; }
const std::string& CustomId(const CIndividualRecord& p) { return p.texts1[0]; }
const std::string& Sbn(const CIndividualRecord& p) { return p.texts1[1]; }

std::string Pointer(char letter, std::int32_t number) {
  return "@" + std::string(1, letter) + std::to_string(number) + "@";
}

const char* LanguageName(const std::string& code) {
  static const std::pair<const char*, const char*> names[] = {{"EN", "English"},
                                                              {"ES", "Spanish"},
                                                              {"FR", "French"},
                                                              {"PT", "Portuguese"},
                                                              {"DE", "German"}};
  for (const auto& [c, name] : names)
    if (code == c) return name;
  return "";
}

const char* DestinationOf(int mode) {
  switch (mode) {
    case kExportGedcom40:
    case kExportStandard:
      return "ORV";
    case kExportStirpbank:
      return "STIRPBNK";
    case kExportRosterly:
      return "Rosterly";
    case kExportLineroll:
      return "LRL";
    default:
      return "";
  }
}

bool EventEmpty(const CEventValue& e) {
  return !e.date.IsSet() && CEventValue::IsPlaceEmpty(&e) && e.firstCitation == 0 &&
         e.secondNumber == 0 && !e.HappenedWithoutDetails();
}

// A name part as the NAME line writes it, a '/' as a backslash (WriteNameLines).
std::string NameLinePart(std::string text) {
  std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

// A death known only as the status Deceased: GEDCOM states it as the event
// itself, "1 DEAT Y", with no DATE line.
bool DeceasedOnly(const CDateValue& d) {
  return !d.textOnly && d.month == CDateValue::kStatusDeceased && d.year == 0 && d.day == 0;
}

// A missing spouse does not keep a family's details back.
bool DeceasedOrMissing(std::int32_t rin) {
  if (rin == 0) return true;
  CIndividualRecord person;
  if (family::Read(person, rin) != 1) return true;
  return IsPresumedDeceased(person);
}

std::vector<std::int32_t> MarriagesOf(std::int32_t rin) {
  std::vector<std::int32_t> list;
  DbGetRelationList(list, db::kRelSpouses, 0, rin, 0);
  return list;
}

// The marriages of an individual's parent links, in link order.
std::vector<std::int32_t> ParentFamiliesOf(std::int32_t rin) {
  std::vector<std::int32_t> links, mrins;
  DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, rin, 0);
  for (std::int32_t number : links) {
    CFamilyLinkRecord link;
    if (DbGetRecord(number, db::kFamilyLink, &link) == 1 && link.HasFamily())
      mrins.push_back(link.mrin);
  }
  return mrins;
}

std::vector<std::int32_t> ChildrenOf(std::int32_t mrin) {
  std::vector<std::int32_t> list;
  DbGetRelationList(list, db::kRelChildren, 0, mrin, 0);
  return list;
}

// "DATE 3 JUL 2001" at level, "TIME 09:05:00" under it.
bool WriteDateAndTime(GedcomLineWriter& w, int level, const plat::LocalTime& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%d DATE %d %s %d", level, t.day, kMonths[(t.month + 11) % 12],
                t.year);
  w.Plain(text);
  std::snprintf(text, sizeof text, "%d TIME %02d:%02d:%02d", level + 1, t.hour, t.minute, t.second);
  return w.Plain(text);
}

// The export type as the progress window's source line names it.
const char* TypeName(int mode) {
  static const char* const kTypes[] = {"GEDCOM 4.0", "Stirpbank", "Rosterly", "Standard GEDCOM 5.5",
                                       "Lineroll"};
  return kTypes[mode >= 0 && mode <= 4 ? mode : 0];
}

}  // namespace

void ExportProgress::Begin(const std::string& source) {
  plat::Progress().Begin(kExportCaption, 0);
  plat::Progress().SetText(source);
}
void ExportProgress::SetSource(const std::string& text) { plat::Progress().SetText(text); }
void ExportProgress::SetCounts(long individuals, long marriages) {
  plat::Progress().SetPosition(static_cast<int>(individuals + marriages));
}
bool ExportProgress::CancelRequested() { return plat::Progress().CancelRequested(); }
void ExportProgress::End() { plat::Progress().End(); }

bool CGedcomExporter::Open(const std::string& path) {
  output_ = std::make_unique<GedcomOutput>(drive_, options.ansel);
  if (!output_->Open(path)) {
    output_.reset();
    plat::MessageBox(kCouldNotCreate, kExportFailedCaption, plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  path_ = path;
  // The header names the file alone: the folder is the user's own business.
  fileName_ = plat::PathText(std::filesystem::path(path).filename().string());
  progress_->Begin(std::string("Type: ") + TypeName(options.mode));
  progressShown_ = true;
  writer_ = std::make_unique<GedcomLineWriter>(*output_,
                                               options.form55 ? GedcomForm::k55 : GedcomForm::k40);
  return true;
}

bool CGedcomExporter::Close() {
  if (progressShown_) progress_->End();
  progressShown_ = false;
  const bool closed = output_ ? output_->Close() : true;
  // The Rosterly report opens for reading only after a whole export.
  if (complete_ && reportWritten_) plat::Shell().Open(ReportPath());
  reportWritten_ = false;
  return closed;
}

std::string CGedcomExporter::ReportPath() const { return RosterlyReportPath(familyPath_); }

void CGedcomExporter::ShowSummary() const {
  plat::MessageBox(Summary(), kExportCaption, plat::kMbOk | plat::kMbIconInformation);
}

bool CGedcomExporter::KeepGoing() {
  progress_->SetCounts(individualsWritten_, marriagesWritten_);
  if (!plat::PumpWaitingMessages() || progress_->CancelRequested()) {
    std::string question = kQuitQuestion;
    question.replace(question.find("%s"), 2, "Export");
    const int answer =
        plat::MessageBox(question, "GEDCOM Export", plat::kMbYesNo | plat::kMbIconExclamation);
    if (answer == plat::kIdYes) {
      // A quit export leaves no half file behind.
      output_->Discard();
      cancelled_ = true;
      return false;
    }
  }
  return true;
}

const std::vector<std::string>& CGedcomExporter::CutValues() const {
  static const std::vector<std::string> none;
  return writer_ ? writer_->CutValues() : none;
}

std::string CGedcomExporter::Summary() const {
  std::string text = res::FormatInserts(
      kExportedSummary, {std::to_string(individualsWritten_), std::to_string(marriagesWritten_)});
  if (!complete_) text = std::string(cancelled_ ? kCancelled : kIncomplete) + "\n\n" + text;
  if (!CutValues().empty()) {
    text += "\n\n";
    text += kCutHeading;
    for (const std::string& cut : CutValues()) text += "\n" + cut;
  }
  if (output_ && !output_->ReplacedCharacters().empty()) {
    text += "\n\n";
    text += kReplacedHeading;
    for (const auto& r : output_->ReplacedCharacters())
      text += "\n" + r.original + " -> " + (r.written.empty() ? "(nothing)" : r.written) + " (" +
              std::to_string(r.count) + ")";
  }
  return text;
}

std::string CGedcomExporter::Line(int level, std::string_view rest) const {
  return std::to_string(level) + " " + std::string(rest);
}

// ---- marking ----

bool CGedcomExporter::IndividualMarked(std::int32_t rin) const {
  return rin > 0 && static_cast<std::size_t>(rin) < rinMarks_.size() && rinMarks_[rin] != 0;
}

bool CGedcomExporter::MarriageMarked(std::int32_t mrin) const {
  return mrin > 0 && static_cast<std::size_t>(mrin) < mrinMarks_.size() && mrinMarks_[mrin] != 0;
}

void CGedcomExporter::MarkIndividual(std::int32_t rin, std::uint8_t how) {
  if (rin > 0 && static_cast<std::size_t>(rin) < rinMarks_.size()) rinMarks_[rin] |= how;
}

void CGedcomExporter::MarkFamiliesAmongSelected(std::int32_t rin, const ExportFilterSet& filter) {
  auto selected = [&](std::int32_t r) { return r != 0 && filter.Contains(r); };
  CMarriageRecord family;
  // Every parent family, not only the primary one: a family that is only a
  // second parent family, and has no parents, is reached from nowhere else.
  for (std::int32_t parents : ParentFamiliesOf(rin)) {
    if (MarriageMarked(parents) || DbGetRecord(parents, db::kMarriage, &family) != 1) continue;
    bool mark = family.husband == 0 || family.wife == 0 || selected(family.husband) ||
                selected(family.wife);
    if (!mark)
      for (std::int32_t child : ChildrenOf(parents))
        if (child != rin && selected(child)) mark = true;
    if (mark) mrinMarks_[parents] = kMarked;
  }
  for (std::int32_t mrin : MarriagesOf(rin)) {
    if (MarriageMarked(mrin) || DbGetRecord(mrin, db::kMarriage, &family) != 1) continue;
    const std::int32_t spouse = family.husband == rin ? family.wife : family.husband;
    if (spouse == 0 || selected(spouse)) mrinMarks_[mrin] = kMarked;
  }
}

namespace {

struct VectorFilter : ExportFilterSet {
  explicit VectorFilter(const std::vector<bool>& v) : rins(v) {}
  bool Contains(std::int32_t rin) const override {
    return rin > 0 && static_cast<std::size_t>(rin) < rins.size() && rins[rin];
  }
  const std::vector<bool>& rins;
};

}  // namespace

bool CGedcomExporter::QualifyRosterly(const ExportFilterSet& filter) {
  const std::size_t rins = rinMarks_.size(), mrins = mrinMarks_.size();
  rosterlySelected_.assign(rins, false);
  for (std::size_t rin = 1; rin < rins; ++rin)
    rosterlySelected_[rin] = filter.Contains(static_cast<std::int32_t>(rin));
  for (auto* set :
       {&needsBaptism_, &needsEndowment_, &needsSealingToParents_, &needsSealingToSpouse_})
    set->assign(rins, false);
  neededFamilies_.assign(mrins, false);
  conflicts_.clear();
  auto inRange = [&](std::int32_t rin) { return rin > 0 && static_cast<std::size_t>(rin) < rins; };
  auto testOwnOrdinances = [&](const CIndividualRecord& p, std::int32_t rin) {
    int reason = 0;
    if (GetZelStatusForRecord(p, 0, kZelBaptism, reason) == kZelQualified)
      needsBaptism_[rin] = true;
    if (GetZelStatusForRecord(p, 0, kZelEndowment, reason) == kZelQualified)
      needsEndowment_[rin] = true;
  };
  for (std::int32_t rin = 1; static_cast<std::size_t>(rin) < rins; ++rin) {
    if (!rosterlySelected_[rin]) continue;
    CIndividualRecord p;
    if (family::Read(p, rin) != 1) {
      rosterlySelected_[rin] = false;
      continue;
    }
    testOwnOrdinances(p, rin);
    int reason = 0;
    std::vector<std::int32_t> remembered;
    const std::vector<std::int32_t> parents = ParentFamiliesOf(rin);
    std::vector<std::int32_t> qualifying;
    for (std::int32_t mrin : parents)
      if (GetZelStatusForRecord(p, mrin, kZelSealingToParents, reason) == kZelQualified)
        qualifying.push_back(mrin);
    if (qualifying.size() > 1) {
      plat::MessageBox("More than one parent qualified for seal to parent", kExportCaption);
      conflicts_.emplace_back(rin, qualifying.front());
    }
    CMarriageRecord family;
    if (!qualifying.empty() && DbGetRecord(qualifying.front(), db::kMarriage, &family) == 1) {
      needsSealingToParents_[rin] = true;
      if (static_cast<std::size_t>(qualifying.front()) < mrins)
        neededFamilies_[qualifying.front()] = true;
      remembered = {family.husband, family.wife};
    }
    std::int32_t spouseToTest = 0;
    for (std::int32_t mrin : MarriagesOf(rin)) {
      if (DbGetRecord(mrin, db::kMarriage, &family) != 1) continue;
      const std::int32_t spouse = family.husband == rin ? family.wife : family.husband;
      if (spouse == 0 || GetZelStatusForRecord(p, mrin, kZelSealingToSpouse, reason) != 0) continue;
      if (static_cast<std::size_t>(mrin) < mrins) neededFamilies_[mrin] = true;
      needsSealingToSpouse_[rin] = true;
      if (inRange(spouse)) needsSealingToSpouse_[spouse] = true;
      spouseToTest = spouse;
    }
    remembered.push_back(spouseToTest);
    const bool needs = needsBaptism_[rin] || needsEndowment_[rin] || needsSealingToParents_[rin] ||
                       needsSealingToSpouse_[rin];
    if (!needs) {
      rosterlySelected_[rin] = false;
    } else {
      for (std::int32_t other : remembered) {
        CIndividualRecord o;
        if (inRange(other) && !rosterlySelected_[other] && family::Read(o, other) == 1)
          testOwnOrdinances(o, other);
      }
    }
    if (!plat::PumpWaitingMessages() || progress_->CancelRequested()) return false;
  }
  return true;
}

// A marked individual brings its parents' family and both parents when the
// sealing to parents qualifies, and each marriage whose sealing qualifies
// when the spouse is selected too.
void CGedcomExporter::MarkRosterlyFamilies(std::int32_t rin) {
  VectorFilter selected(rosterlySelected_);
  CIndividualRecord p;
  if (family::Read(p, rin) != 1) return;
  int reason = 0;
  CMarriageRecord family;
  const std::int32_t parents = p.numbers[CIndividualRecord::kParentsMrin];
  if (parents > 0 && GetZelStatusForRecord(p, parents, kZelSealingToParents, reason) == 0 &&
      DbGetRecord(parents, db::kMarriage, &family) == 1) {
    mrinMarks_[parents] = kMarked;
    MarkIndividual(family.husband);
    MarkIndividual(family.wife);
  }
  for (std::int32_t mrin : MarriagesOf(rin)) {
    if (MarriageMarked(mrin) || DbGetRecord(mrin, db::kMarriage, &family) != 1) continue;
    const std::int32_t spouse = family.husband == rin ? family.wife : family.husband;
    if (GetZelStatusForRecord(p, mrin, kZelSealingToSpouse, reason) == 0 &&
        selected.Contains(spouse))
      mrinMarks_[mrin] = kMarked;
  }
}

// Individuals down to generation n + 1, marriages down to generation n; an
// individual met again (a circular reference) is walked once.
void CGedcomExporter::WalkDescendants(std::int32_t start, int generations) {
  std::vector<bool> walked(rinMarks_.size());
  std::deque<std::pair<std::int32_t, int>> queue{{start, 1}};
  while (!queue.empty()) {
    const auto [rin, generation] = queue.front();
    queue.pop_front();
    if (rin <= 0 || static_cast<std::size_t>(rin) >= walked.size() || walked[rin]) continue;
    walked[rin] = true;
    MarkIndividual(rin);
    if (generation > generations) continue;
    for (std::int32_t mrin : MarriagesOf(rin)) {
      CMarriageRecord family;
      if (MarriageMarked(mrin) || DbGetRecord(mrin, db::kMarriage, &family) != 1) continue;
      mrinMarks_[mrin] = kMarked;
      MarkIndividual(family.husband == rin ? family.wife : family.husband, kMarked | kAddedSpouse);
      for (std::int32_t child : ChildrenOf(mrin)) queue.emplace_back(child, generation + 1);
    }
  }
}

// Individuals up to generation n + 1, their primary parent families up to
// generation n.
void CGedcomExporter::WalkAncestors(std::int32_t start, int generations) {
  std::vector<bool> walked(rinMarks_.size());
  std::deque<std::pair<std::int32_t, int>> queue{{start, 1}};
  while (!queue.empty()) {
    const auto [rin, generation] = queue.front();
    queue.pop_front();
    if (rin <= 0 || static_cast<std::size_t>(rin) >= walked.size() || walked[rin]) continue;
    walked[rin] = true;
    CIndividualRecord person;
    if (family::Read(person, rin) != 1) continue;
    const std::int32_t parents = person.numbers[CIndividualRecord::kParentsMrin];
    CMarriageRecord family;
    const bool hasParents = parents > 0 && DbGetRecord(parents, db::kMarriage, &family) == 1;
    if (generation <= generations + 1) {
      MarkIndividual(rin);
      if (hasParents) {
        queue.emplace_back(family.husband, generation + 1);
        queue.emplace_back(family.wife, generation + 1);
      }
    }
    if (hasParents && generation <= generations) mrinMarks_[parents] = kMarked;
  }
}

// ---- the export ----

bool CGedcomExporter::Export(const std::vector<SelectionEntry>* selection,
                             const ExportFilterSet* filter) {
  complete_ = false;
  rosterlySelected_.clear();
  if (!writer_) return false;
  const std::int32_t maxRin = DbGetMaxRecordCount(db::kIndividual);
  const std::int32_t maxMrin = DbGetMaxRecordCount(db::kMarriage);
  rinMarks_.assign(static_cast<std::size_t>(std::max(0, maxRin)) + 1, 0);
  mrinMarks_.assign(static_cast<std::size_t>(std::max(0, maxMrin)) + 1, 0);

  progress_->SetSource("Selecting data for export...");
  if (!WriteHeader()) return false;

  // Every mark is set before the first record is written, so that a family
  // marked late still gets the FAMS and FAMC lines of lower RINs.
  if (selection) {
    for (const SelectionEntry& entry : *selection) {
      if (entry.kind == SelectionEntry::kDescendants)
        WalkDescendants(entry.rin, entry.generations);
      else if (entry.kind == SelectionEntry::kAncestors)
        WalkAncestors(entry.rin, entry.generations);
    }
  } else if (filter && Rosterly()) {
    if (!QualifyRosterly(*filter)) return false;
    for (std::int32_t rin = 1; rin <= maxRin; ++rin) {
      if (!rosterlySelected_[rin]) continue;
      if (needsBaptism_[rin] || needsEndowment_[rin] || needsSealingToParents_[rin] ||
          needsSealingToSpouse_[rin]) {
        MarkIndividual(rin);
        MarkRosterlyFamilies(rin);
      }
    }
  } else if (filter) {
    for (std::int32_t rin = 1; rin <= maxRin; ++rin) {
      CIndividualRecord person;
      if (!filter->Contains(rin) || family::Read(person, rin) != 1) continue;
      MarkIndividual(rin);
      MarkFamiliesAmongSelected(rin, *filter);
    }
  }

  written_.clear();
  progress_->SetSource(std::string("Type: ") + TypeName(options.mode));
  sources_.clear();
  repositories_.clear();
  eventTypes_.clear();
  for (std::int32_t rin = 1; rin <= maxRin; ++rin)
    if (IndividualMarked(rin) && (!KeepGoing() || !WriteIndividual(rin))) return false;
  for (std::int32_t mrin = 1; mrin <= maxMrin; ++mrin)
    if (MarriageMarked(mrin) && (!KeepGoing() || !WriteFamily(mrin))) return false;
  if (options.mode == kExportStandard)
    for (std::int32_t number : eventTypes_)
      if (!WriteEventDefinition(number)) return false;
  for (std::int32_t number : sources_)
    if (!WriteSource(number)) return false;
  for (std::int32_t number : repositories_)
    if (!WriteRepository(number)) return false;
  if (!writer_->Plain("0 TRLR") || !output_->Close()) return false;
  complete_ = true;

  if (options.mode == kExportRosterly && (options.submissionReport || options.markSubmitted)) {
    RosterlySummaryInput in;
    in.productName = program.title;
    in.gedcomPath = path_;
    in.familyPath = familyPath_;
    in.reportPath = ReportPath();
    in.writeReport = options.submissionReport;
    in.markSubmitted = options.markSubmitted;
    in.submitAllSelected = options.submitAllSelected;
    if (options.submitter) {
      CPreparerRecord prep;
      if (DbGetRecord(CPreparerRecord::kRecordNumber, db::kPreparer, &prep) == 1)
        in.preparerName = prep.givenNames + (prep.givenNames.empty() ? "" : " ") + prep.surname;
    }
    in.maxRin = maxRin;
    in.maxMrin = maxMrin;
    in.individualExported = [this](std::int32_t rin) { return IndividualMarked(rin); };
    in.marriageExported = [this](std::int32_t mrin) { return MarriageMarked(mrin); };
    VectorFilter narrowed(rosterlySelected_);
    in.selected = Rosterly() && !rosterlySelected_.empty() ? &narrowed : filter;
    reportWritten_ = RunRosterlySummary(in) && options.submissionReport;
    in.selected = nullptr;
  }

  // Submission times are stamped only once the file is whole. A stamp that
  // cannot be written (told by the engine) leaves the individual unstamped,
  // as if not submitted; the exported file stays whole all the same.
  const std::int32_t now = TimeToStamp(plat::Now());
  for (std::int32_t rin : written_) {
    if (options.mode == kExportStirpbank) (void)DbSetSubmittedStirpbankDate(rin, 0, now);
    if (options.mode == kExportLineroll) (void)DbSetSubmittedLinerollDate(rin, 0, now);
  }
  return true;
}

bool CGedcomExporter::WriteHeader() {
  GedcomLineWriter& w = *writer_;
  const bool f55 = options.form55;
  w.Plain("0 HEAD");
  w.TagValue("1 SOUR", f55 ? "ORV" : "ORV 4.0");
  w.TagValue("2 NAME", program.title);
  w.TagValue("2 VERS", program.version.substr(0, 32));
  w.TagValue("2 CORP", "Quenmoor");
  w.TagValue("3 ADDR", "14 Harbour Row");
  w.TagValue("4 CONT", "Quenmoor Bay");
  w.TagValue("1 DEST", DestinationOf(options.mode));
  const plat::LocalTime now = plat::ToLocalTime(plat::Now());
  WriteDateAndTime(w, 1, now);
  w.TagValue("1 FILE", fileName_);
  w.Plain("1 GEDC");
  w.TagValue("2 VERS", f55 ? "5.5" : "4.0");
  w.TagValue("2 FORM", "LINEAGE-LINKED");
  w.TagValue("1 CHAR", options.ansel ? "ANSEL" : "ANSI");
  w.TagValue("1 LANG", LanguageName(program.language));
  return options.submitter ? WriteSubmitter() : w.Ok();
}

// The file's "Prepared by" record as the submitter; nothing when it is empty.
bool CGedcomExporter::WriteSubmitter() {
  CPreparerRecord prep;
  if (DbGetRecord(CPreparerRecord::kRecordNumber, db::kPreparer, &prep) != 1) return writer_->Ok();
  std::string name = prep.givenNames;
  if (!name.empty() && !prep.surname.empty()) name += ' ';
  name += prep.surname;
  const std::string* lines[] = {&prep.address1, &prep.address2, &prep.address3};
  bool any = !name.empty() || !prep.phone.empty() || !prep.sbn.empty() || !prep.email.empty();
  for (const std::string* line : lines) any = any || !line->empty();
  if (!any) return writer_->Ok();
  GedcomLineWriter& w = *writer_;
  w.Plain("1 SUBM @SUB1@");
  w.Plain("0 @SUB1@ SUBM");
  w.TagValue("1 NAME", name);
  const char* tag = "1 ADDR";
  for (const std::string* line : lines) {
    if (line->empty()) continue;
    w.TagValue(tag, *line);
    tag = "2 CONT";
  }
  w.TagValue("1 CTRY", prep.country);
  w.TagValue("1 PHON", prep.phone);
  if (options.mode == kExportStirpbank) w.TagValue("1 SBN", prep.sbn);
  return w.TagValue("1 _EMAIL", prep.email);
}

bool CGedcomExporter::WriteNameLines(const CIndividualRecord& p, bool shortForm) {
  GedcomLineWriter& w = *writer_;
  const std::string given = p.GetGivenNames();
  // On the NAME line a '/' delimits the surname, and GEDCOM has no escape for
  // it: a '/' inside a name part (a stored "John /Jones/", or one typed into
  // a given name) is written there as '\', the nearest sign that both code
  // pages and ANSEL have. The 5.5 form's GIVN and SURN lines carry the parts
  // as they are, and the import takes them back from there; the 4.0 form has
  // no such lines, so its NAME line's '\' stays.
  const std::string slashed = "/" + NameLinePart(p.surname) + "/";
  w.TagValue("1 NAME", given.empty() ? slashed : NameLinePart(given) + " " + slashed);
  if (options.form55) {
    w.TagValue("2 GIVN", given);
    w.TagValue("2 SURN", p.surname);
    if (!shortForm) {
      w.TagValue("2 NICK", Nickname(p));
      w.TagValue("2 _AKA", AlsoKnownAs(p));
      w.TagValue("2 _MARNM", MarriedName(p));
    }
    w.TagValue("2 NPFX", p.title);
    w.TagValue("2 NSFX", p.suffix);
  }
  w.TagValue("1 TITL", p.suffix);
  const char sex = p.sex == 'M' || p.sex == 'F' ? p.sex : 'U';
  return w.Plain(std::string("1 SEX ") + sex);
}

bool CGedcomExporter::WriteEvent(int level, const char* tag, const CEventValue& event,
                                 std::int32_t owner, char kind, bool* wrote) {
  if (wrote) *wrote = false;
  if (EventEmpty(event)) return writer_->Ok();
  if (wrote) *wrote = true;
  // With neither date nor place, "Y" says that the event happened.
  const bool deceased = kind == db::kOwnerDeath && DeceasedOnly(event.date);
  const bool stated = (deceased || event.HappenedWithoutDetails()) &&
                      CEventValue::IsPlaceEmpty(&event);
  writer_->Plain(Line(level, tag) + (stated ? " Y" : ""));
  if (event.date.IsSet() && !deceased)
    writer_->TagValue(Line(level + 1, "DATE"), event.date.Format(false, 0, false, true));
  writer_->TagValue(Line(level + 1, "PLAC"), JoinPlaceParts(event.place[0], event.place[1],
                                                            event.place[2], event.place[3], ","));
  return WriteCitations(level + 1, owner, kind);
}

// The christening slot may hold an alternate birth (a baptism, say) named
// by an event type; 5.5 writes it under that type's tag, 4.0 as CHR.
bool CGedcomExporter::WriteChristeningSlot(const CIndividualRecord& p, std::int32_t rin) {
  const std::int32_t typeNumber = p.numbers[CIndividualRecord::kChristeningType];
  if (!options.form55 || typeNumber <= 0)
    return WriteEvent(1, "CHR", p.christening, rin, db::kOwnerChristening);
  if (EventEmpty(p.christening)) return writer_->Ok();
  CEventTypeRecord type;
  if (DbGetRecord(typeNumber, db::kEventType, &type) != 1) return writer_->Ok();
  GedcomLineWriter& w = *writer_;
  if (type.tag.empty()) {
    w.Plain("1 EVEN ");
    w.TagValue("2 TYPE", type.title);
    eventTypes_.insert(typeNumber);
  } else {
    w.Plain("1 " + type.tag + (p.christening.HappenedWithoutDetails() ? " Y" : " "));
  }
  if (options.mode == kExportStandard) w.Plain("2 _ALT_BIRTH Y");
  const CEventValue& e = p.christening;
  if (e.date.IsSet()) w.TagValue("2 DATE", e.date.Format(false, 0, false, true));
  w.TagValue("2 PLAC", JoinPlaceParts(e.place[0], e.place[1], e.place[2], e.place[3], ","));
  return WriteCitations(2, rin, db::kOwnerChristening);
}

bool CGedcomExporter::WriteOrdinance(const char* tag, const COrdinanceValue& o, std::int32_t owner,
                                     char kind, const std::string& familyPointer, bool temple,
                                     bool* wrote) {
  if (wrote) *wrote = false;
  const CDateValue& d = o.date;
  if (!d.IsSet() && o.templeCode.empty() && o.firstCitation == 0 && o.secondNumber == 0)
    return writer_->Ok();
  if (wrote) *wrote = true;
  GedcomLineWriter& w = *writer_;
  w.Plain(std::string("1 ") + tag);
  if (!familyPointer.empty() && options.form55) w.Plain("2 FAMC " + familyPointer);
  const bool submitted = d.qualifier == CDateValue::kQualSub ||
                         (d.qualifier != 0 && d.month == CDateValue::kStatusSubmitted);
  if (options.form55) {
    if (d.year != 0 && submitted) {
      w.TagValue("2 STAT", d.FormatQualifier(false, true));
      w.TagValue("3 DATE", d.Format(false, 1, false, true));
    } else if (d.IsSet() && !d.IsStatus()) {
      w.TagValue("2 DATE", d.Format(false, 0, false, true));
    } else if (d.IsStatus()) {
      w.TagValue("2 STAT", d.Format(false, 0, false, true));
    }
  } else if (d.IsSet()) {
    w.TagValue("2 DATE", submitted || d.month == CDateValue::kStatusSubmitted
                             ? std::string("SUBMITTED")
                             : d.Format(false, 0, false, true));
  }
  if (temple) {
    std::string code = o.templeCode;
    for (char& c : code)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    w.TagValue("2 TEMP", code);
  }
  return WriteCitations(2, owner, kind);
}

// 5.5 citations; each names its source, which is then written after the
// families. A source that cannot be read leaves the bare SOUR line.
bool CGedcomExporter::WriteCitations(int level, std::int32_t owner, char kind) {
  if ((options.notesAndSources & 2) == 0 || !options.form55) return writer_->Ok();
  GedcomLineWriter& w = *writer_;
  std::vector<std::int32_t> list;
  DbGetRinList(list, db::kCitation, owner, kind);
  for (std::int32_t number : list) {
    CCitationRecord c;
    if (DbGetRecord(number, db::kCitation, &c) != 1) continue;
    CSourceRecord source;
    if (c.sourceRin != 0 && DbGetRecord(c.sourceRin, db::kSource, &source) == 1) {
      w.Plain(Line(level, "SOUR " + Pointer('S', c.sourceRin)));
      sources_.insert(c.sourceRin);
    } else {
      w.Plain(Line(level, "SOUR"));
    }
    w.TagValue(Line(level + 1, "PAGE"), c.pageText);
    w.TagValue(Line(level + 1, "REFN"), c.detailText);
    w.LongText(level + 1, "NOTE", c.comments);
    if (!c.actualText.empty() || c.entryDate.IsSet()) {
      w.Plain(Line(level + 1, "DATA"));
      w.LongText(level + 2, "TEXT", c.actualText);
      if (c.entryDate.IsSet())
        w.TagValue(Line(level + 2, "DATE"), c.entryDate.Format(false, 0, false, true));
    }
  }
  return w.Ok();
}

// The owner's user events; one marked confidential only with that option.
// An event type without a GEDCOM tag is written as EVEN with its title and
// remembered for an event-definition record.
bool CGedcomExporter::WriteUserEvents(int level, std::int32_t owner, char ownerKind,
                                      char citationKind) {
  GedcomLineWriter& w = *writer_;
  std::vector<std::int32_t> list;
  DbGetRinList(list, db::kUserEvent, owner, ownerKind);
  for (std::int32_t number : list) {
    CUserEventRecord ev;
    if (family::Read(ev, number) != 1) continue;
    const bool confidential = ev.yesNo == 'Y';
    if (confidential && !options.confidential) continue;
    const CPlaceEventObject* e = ev.GetEvent();
    const bool hasDate = e && e->date.IsSet();
    const bool hasPlace = e && !e->IsPlaceEmpty();
    const bool hasNumbers = e && (e->firstCitation != 0 || e->secondNumber != 0);
    // An event stated with nothing under it is written as its bare line.
    const bool happened = e && e->date.flagB != 0;
    if (!hasDate && !hasPlace && !hasNumbers && !ev.secondDate.IsSet() && ev.description.empty() &&
        !happened)
      continue;
    CEventTypeRecord type;
    if (DbGetRecord(ev.eventTypeNumber, db::kEventType, &type) != 1) continue;
    const std::string tag = type.tag.empty() ? "EVEN" : type.tag;
    if (ev.description.empty())
      w.Plain(Line(level, tag + " "));
    else
      w.TagValue(Line(level, tag), ev.description);
    if (type.tag.empty()) {
      w.TagValue(Line(level + 1, "TYPE"), type.title);
      eventTypes_.insert(ev.eventTypeNumber);
    }
    if (hasDate) w.TagValue(Line(level + 1, "DATE"), e->date.Format(false, 0, false, true));
    if (ev.secondDate.IsSet())
      w.TagValue(Line(level + 1, "_DATE2"), ev.secondDate.Format(false, 0, false, true));
    if (hasPlace)
      w.TagValue(Line(level + 1, "PLAC"),
                 JoinPlaceParts(e->place[0], e->place[1], e->place[2], e->place[3], ","));
    if (confidential) w.Plain(Line(level + 1, "_CONFIDENTIAL Y"));
    WriteCitations(level + 1, number, citationKind);
  }
  return w.Ok();
}

bool CGedcomExporter::WriteEventDefinition(std::int32_t number) {
  CEventTypeRecord t;
  if (DbGetRecord(number, db::kEventType, &t) != 1) return writer_->Ok();
  GedcomLineWriter& w = *writer_;
  w.TagValue("0 _EVENT_DEFN", t.title);
  if (t.ownerKind != 0 && t.ownerKind != ' ') w.Plain(std::string("1 TYPE ") + t.ownerKind);
  w.TagValue("1 TITL", t.title);
  w.TagValue("2 ABBR", t.shortTitle.empty() ? t.title : t.shortTitle);
  w.TagValue("1 ABBR", t.abbreviation);
  w.TagValue("1 _VERB", t.verbPhrase);
  w.TagValue("1 _PREP", t.placePreposition);
  if (t.dateKind != 0) w.Plain("1 _DATE_TYPE " + std::to_string(t.dateKind));
  if (t.hasDescription != 0) w.Plain("1 _DESC_FLAG " + std::to_string(t.hasDescription));
  return w.Ok();
}

bool CGedcomExporter::WriteSource(std::int32_t number) {
  CSourceRecord s;
  if (DbGetRecord(number, db::kSource, &s) != 1) return writer_->Ok();
  GedcomLineWriter& w = *writer_;
  w.Plain("0 " + Pointer('S', number) + " SOUR");
  CRepositoryRecord repository;
  if (s.repositoryRin != 0 && DbGetRecord(s.repositoryRin, db::kRepository, &repository) == 1) {
    w.Plain("1 REPO @REPO" + std::to_string(s.repositoryRin) + "@");
    repositories_.insert(s.repositoryRin);
  }
  w.LongText(1, "TITL", s.title);
  if (!s.author.empty()) {
    w.LongText(1, "AUTH", s.author);
    w.TagValue("2 ABBR", s.abbreviatedAuthor);
  }
  w.LongText(1, "PUBL", s.publication);
  w.TagValue("1 _OTHER", s.titleSupplement);
  w.TagValue("1 ABBR", s.abbreviatedTitle);
  w.TagValue("1 CALN", s.callNumber);
  w.LongText(1, "NOTE", s.comments);
  w.LongText(1, "TEXT", s.actualText);
  if (s.italicTitle) w.Plain("1 _ITALIC Y");
  if (s.parenthesizeFacts) w.Plain("1 _PAREN Y");
  return w.Ok();
}

bool CGedcomExporter::WriteRepository(std::int32_t number) {
  CRepositoryRecord r;
  if (DbGetRecord(number, db::kRepository, &r) != 1) return writer_->Ok();
  GedcomLineWriter& w = *writer_;
  w.Plain("0 @REPO" + std::to_string(number) + "@ REPO");
  w.TagValue("1 NAME", r.name);
  if (!r.address[0].empty()) {
    w.TagValue("1 ADDR", r.address[0]);
    for (int i = 1; i < 4; ++i) w.TagValue("2 CONT", r.address[i]);
  }
  w.TagValue("1 PHON", r.phone);
  return w.LongText(1, "NOTE", r.note);
}

bool CGedcomExporter::WriteNotes(int level, std::int32_t rin, int type, char kind) {
  if ((options.notesAndSources & 1) != 0)
    writer_->LongText(level, "NOTE", DbGetNotes(rin, 0, type, 0, options.confidential ? 1 : 0, 0));
  if (!options.form55 && type == db::kIndividual) return WriteCitationNotes40(level, rin);
  return WriteCitations(level, rin, kind);
}

// The 4.0 form has no citations: an individual's citations, those of its
// events and of its marriages, become notes headed by what they cite.
bool CGedcomExporter::WriteCitationNotes40(int level, std::int32_t rin) {
  if ((options.notesAndSources & 2) == 0) return writer_->Ok();
  auto notes = [&](std::int32_t owner, char kind, const char* heading) {
    std::vector<std::int32_t> list;
    DbGetRinList(list, db::kCitation, owner, kind);
    for (std::int32_t number : list) {
      CCitationRecord c;
      if (DbGetRecord(number, db::kCitation, &c) != 1) continue;
      CSourceRecord source;
      CRepositoryRecord repository;
      const bool hasSource =
          c.sourceRin != 0 && DbGetRecord(c.sourceRin, db::kSource, &source) == 1;
      const bool hasRepository =
          hasSource && source.repositoryRin != 0 &&
          DbGetRecord(source.repositoryRin, db::kRepository, &repository) == 1;
      std::string text;
      c.FormatExportText(text, hasSource ? &source : nullptr,
                         hasRepository ? &repository : nullptr);
      writer_->LongText(level, "NOTE", heading + text);
    }
  };
  static const std::pair<char, const char*> kinds[] = {
      {db::kOwnerIndividual, "!NOTE: "},
      {db::kOwnerBirth, "!BIRTH: "},
      {db::kOwnerChristening, "!CHRISTENING: "},
      {db::kOwnerDeath, "!DEATH: "},
      {db::kOwnerBurial, "!BURIAL: "},
      {db::kOwnerBaptism, "!BAPTISM: "},
      {db::kOwnerEndowment, "!ENDOWMENT: "},
      {db::kOwnerSealingToSpouse, "!SEALING_SPOUSE: "},
      {db::kOwnerSealingToParents, "!SEALING_PARENTS: "}};
  for (const auto& [kind, heading] : kinds) notes(rin, kind, heading);
  const std::vector<std::int32_t> marriages = MarriagesOf(rin);
  for (std::int32_t mrin : marriages) notes(mrin, db::kOwnerMarriage, "!MARRIAGE: ");
  for (std::int32_t mrin : marriages) notes(mrin, db::kOwnerMarriageEvent, "!MARRIAGE: ");
  return writer_->Ok();
}

bool CGedcomExporter::WriteParentLinks(const CIndividualRecord& person, bool full) {
  GedcomLineWriter& w = *writer_;
  std::vector<std::int32_t> links;
  DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, person.numbers[0], 0);
  std::vector<CFamilyLinkRecord> families;
  for (std::int32_t number : links) {
    CFamilyLinkRecord link;
    if (DbGetRecord(number, db::kFamilyLink, &link) == 1 && link.HasFamily())
      families.push_back(std::move(link));
    if (!options.form55) break;  // the 4.0 form knows one parent family
  }
  for (const CFamilyLinkRecord& link : families) {
    const bool exported = MarriageMarked(link.mrin);
    if (exported) {
      w.Plain("1 FAMC " + Pointer('F', link.mrin));
      const char father = link.firstParentRelation, mother = link.secondParentRelation;
      if (options.form55 && !(father == 'b' && mother == 'b' && link.thirdLetter == 'V')) {
        w.TagValue("2 PEDI", PedigreeWord(father, mother, link.thirdLetter));
        if (father != mother) {
          w.TagValue("3 _HUSB", RelationshipWord(father, false));
          w.TagValue("3 _WIFE", RelationshipWord(mother, true));
        } else if (father == 't') {
          w.Plain("3 TYPE step");
        }
      }
      if (options.form55 && families.size() > 1 &&
          link.mrin == person.numbers[CIndividualRecord::kParentsMrin])
        w.Plain("2 _PRIMARY Y");
    }
    // A reduced individual keeps only the family pointers.
    if (!full) continue;
    if (!options.zel) continue;
    bool wrote = false;
    if (link.GetSealingEvent()) {
      COrdinanceValue sealing;
      sealing.SetFromObject(*link.GetSealingEvent());
      WriteOrdinance("SLGC", sealing, link.linkNumber, db::kOwnerFamilyLink,
                     exported ? Pointer('F', link.mrin) : "", true, &wrote);
    }
    // Rosterly: a sealing that does not qualify is not to be done; without
    // one, the primary parent family says so.
    const bool primary = link.mrin == person.numbers[CIndividualRecord::kParentsMrin];
    int reason = 0;
    if (Rosterly() && !rosterlySelected_.empty() && (wrote || primary) &&
        GetZelStatusForRecord(person, link.mrin, kZelSealingToParents, reason) ==
            kZelNotQualified) {
      if (!wrote) w.Plain("1 SLGC");
      w.Plain("2 STAT DONTDOIT");
    }
  }
  return w.Ok();
}

// The individual's multimedia items in chain order; a chain that loops is
// followed once round.
bool CGedcomExporter::WriteMultimedia(std::int32_t rin) {
  GedcomLineWriter& w = *writer_;
  std::set<std::int32_t> seen;
  for (std::int32_t n = DbGetMultimediaHead(rin, db::kIndividual);
       n > 0 && seen.insert(n).second;) {
    CMultimediaItem item;
    if (DbGetRecord(n, db::kMultimedia, &item) != 1) break;
    const std::string path = item.fileName.substr(0, item.fileName.find('\n'));
    std::string extension = std::filesystem::path(path).extension().string();
    if (!extension.empty()) extension.erase(0, 1);
    w.Plain("1 OBJE");
    w.TagValue("2 FORM", extension);
    w.TagValue("2 FILE", path);
    w.TagValue("2 TITL", item.caption);
    w.TagValue("2 NOTE", item.description);
    w.Plain(std::string("2 _SCBK ") + ((item.flags & CMultimediaItem::kFlagScrapbook) ? 'Y' : 'N'));
    w.Plain(std::string("2 _PRIM ") + ((item.flags & CMultimediaItem::kFlagDefault) ? 'Y' : 'N'));
    w.Plain(std::string("2 _TYPE ") + (item.kind == CMultimediaItem::kSound   ? "SOUND"
                                       : item.kind == CMultimediaItem::kVideo ? "VIDEO"
                                                                              : "PHOTO"));
    n = item.nextRecordNumber;
  }
  return w.Ok();
}

// Rosterly without submit-all: an ordinance that is not to be submitted says
// so. Outside the narrowed selection every ordinance is left alone; inside
// it, each one whose own status does not qualify.
void CGedcomExporter::DontDoIt(const char* tag, const CIndividualRecord& p, std::int32_t rin,
                               int kind, bool tagWritten) {
  if (!Rosterly() || rosterlySelected_.empty()) return;
  GedcomLineWriter& w = *writer_;
  const bool selected =
      static_cast<std::size_t>(rin) < rosterlySelected_.size() && rosterlySelected_[rin];
  int reason = 0;
  if (!selected) {
    if (!tagWritten) w.Plain(std::string("1 ") + tag);
    w.Plain("2 STAT DONTDOIT");
  } else if (GetZelStatusForRecord(p, 0, kind, reason) != kZelQualified) {
    w.Plain(std::string("1 ") + tag);
    w.Plain("2 STAT DONTDOIT");
  }
}

bool CGedcomExporter::WriteIndividual(std::int32_t rin) {
  CIndividualRecord p;
  if (family::Read(p, rin) != 1) return writer_->Ok();
  GedcomLineWriter& w = *writer_;
  w.Plain("0 " + Pointer('I', rin) + " INDI");
  const bool full = options.fullLiving || IsPresumedDeceased(p);
  if (full) {
    WriteNameLines(p, false);
  } else if (options.namesOnLiving) {
    WriteNameLines(p, true);
  } else {
    w.Plain("1 NAME LIVING");
    w.Plain(std::string("1 SEX ") + (p.sex == 'M' || p.sex == 'F' ? p.sex : 'U'));
  }
  if (full) {
    WriteEvent(1, "BIRT", p.birth, rin, db::kOwnerBirth);
    WriteChristeningSlot(p, rin);
    // A DEAT line of its own carries a cause only when the event itself wrote
    // nothing: a cause says that the death happened.
    bool deathWritten = false;
    WriteEvent(1, "DEAT", p.death, rin, db::kOwnerDeath, &deathWritten);
    if (!deathWritten && !CauseOfDeath(p).empty()) w.Plain("1 DEAT Y");
    w.TagValue("2 CAUS", CauseOfDeath(p));
    WriteEvent(1, "BURI", p.burial, rin, db::kOwnerBurial);
    w.TagValue("1 DSCR", PhysicalDescription(p));
    if (options.form55) w.TagValue("1 SBN", Sbn(p));
    w.TagValue("1 REFN", CustomId(p));
    if (options.zel) {
      // The flag marks a baptism recorded with a place, kept as the fifth event.
      const bool baptismPlace = p.flags != 0 && !CEventValue::IsPlaceEmpty(&p.fifthEvent);
      bool wrote = false;
      WriteOrdinance("BAPL", p.baptism, rin, db::kOwnerBaptism, "", !baptismPlace, &wrote);
      if (baptismPlace) {
        if (!wrote) w.Plain("1 BAPL");
        const CEventValue& e = p.fifthEvent;
        w.TagValue("2 PLAC", JoinPlaceParts(e.place[0], e.place[1], e.place[2], e.place[3], ","));
      }
      DontDoIt("BAPL", p, rin, kZelBaptism, wrote || baptismPlace);
      WriteOrdinance("ENDL", p.endowment, rin, db::kOwnerEndowment, "", true, &wrote);
      DontDoIt("ENDL", p, rin, kZelEndowment, wrote);
    }
  }
  for (std::int32_t mrin : MarriagesOf(rin))
    if (MarriageMarked(mrin)) w.Plain("1 FAMS " + Pointer('F', mrin));
  WriteParentLinks(p, full);
  if (full) {
    WriteUserEvents(1, rin, db::kOwnerIndividual, db::kOwnerIndividualUserEvent);
    WriteNotes(1, rin, db::kIndividual, db::kOwnerIndividual);
    if (options.form55 && p.numbers[CIndividualRecord::kUpdatedStamp] != 0) {
      w.Plain("1 CHAN");
      WriteDateAndTime(w, 2,
                       plat::ToLocalTime(StampToTime(p.numbers[CIndividualRecord::kUpdatedStamp])));
    }
    if (options.form55 && options.contact && p.HasContactInfo()) {
      using R = CIndividualRecord;
      w.Plain("1 ADDR");
      w.TagValue("2 _NAME", p.contact[R::kContactName]);
      w.LongText(2, "ADR1", p.contact[R::kContactAddress1]);
      w.LongText(2, "ADR2", p.contact[R::kContactAddress2]);
      w.TagValue("2 CITY", p.contact[R::kContactCity]);
      w.TagValue("2 STAE", p.contact[R::kContactState]);
      w.TagValue("2 POST", p.contact[R::kContactPostalCode]);
      w.TagValue("2 CTRY", p.contact[R::kContactCountry]);
      w.TagValue("1 PHON", p.contact[R::kContactPhone]);
      w.TagValue("1 _EMAIL", p.contact[R::kContactEmail]);
      w.TagValue("1 _URL", p.contact[R::kContactHomePage]);
    }
  }
  if (full && options.form55 && options.multimedia) WriteMultimedia(rin);
  if (!w.Ok()) return false;
  ++individualsWritten_;
  written_.push_back(rin);
  return true;
}

bool CGedcomExporter::WriteFamily(std::int32_t mrin) {
  CMarriageRecord m;
  if (DbGetRecord(mrin, db::kMarriage, &m) != 1) return writer_->Ok();
  GedcomLineWriter& w = *writer_;
  w.Plain("0 " + Pointer('F', mrin) + " FAM");
  if (m.status == 'D') w.Plain("1 DIV Y");
  if (IndividualMarked(m.husband)) w.Plain("1 HUSB " + Pointer('I', m.husband));
  if (IndividualMarked(m.wife)) w.Plain("1 WIFE " + Pointer('I', m.wife));
  for (std::int32_t child : ChildrenOf(mrin))
    if (IndividualMarked(child)) w.Plain("1 CHIL " + Pointer('I', child));
  if (options.fullLiving || (DeceasedOrMissing(m.husband) && DeceasedOrMissing(m.wife))) {
    WriteEvent(1, "MARR", m.marriage, mrin, db::kOwnerMarriageEvent);
    if (options.zel) {
      bool wrote = false;
      WriteOrdinance("SLGS", m.sealingToSpouse, mrin, db::kOwnerSealingToSpouse, "", true, &wrote);
      if (Rosterly() && !rosterlySelected_.empty()) {
        // Not to be done: it does not qualify, one spouse is not selected,
        // or the marriage has no spouse at all.
        VectorFilter selected(rosterlySelected_);
        const std::int32_t spouse = m.husband != 0 ? m.husband : m.wife;
        int reason = 0;
        const int status = spouse != 0 ? GetZelStatus(spouse, mrin, kZelSealingToSpouse, reason)
                                       : kZelNotQualified;
        const bool dontDoIt = status == kZelNotQualified ||
                              (status == kZelQualified &&
                               (!selected.Contains(m.husband) || !selected.Contains(m.wife)));
        if (dontDoIt) {
          if (!wrote) w.Plain("1 SLGS");
          w.Plain("2 STAT DONTDOIT");
        }
      }
    }
    WriteNotes(1, mrin, db::kMarriage, db::kOwnerMarriage);
    WriteUserEvents(1, mrin, db::kOwnerMarriage, db::kOwnerMarriageUserEvent);
  }
  if (!w.Ok()) return false;
  ++marriagesWritten_;
  return true;
}

}  // namespace gedcom
