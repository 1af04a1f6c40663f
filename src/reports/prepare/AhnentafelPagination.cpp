#include "AhnentafelPagination.h"

#include <algorithm>
#include <unordered_map>

#include "BookBlocks.h"
#include "CitationNumbers.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "MultimediaChain.h"
#include "NarrativeBuilder.h"
#include "PaginationRun.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

// One pass over the queue; the persons are laid out in queue order, which is
// breadth first: generation by generation, ascending numbers.
class AhnentafelPass {
 public:
  AhnentafelPass(BookRun& run, ReportDevice* dc) : run_(run), make_(run, dc) {}

  void Start() {
    BookPerson first;
    first.number = 1;
    first.slot = first.rin = run_.options.startRin;
    first.generation = 1;
    for (std::int32_t m : DbGetRelationChain(first.rin, db::kRelMarriages))
      if (m > 0) {
        first.marriage = m;
        break;
      }
    run_.persons.push_back(first);
    AddBookIndexEntry(first.rin, 0, 0, 1, 1);
    nextSlot_ = run_.highestRin;
    if (run_.options.mode == 0) make_.Title(res::kIdsAhnentafelChartFor);
  }

  bool Done() const { return next_ >= run_.persons.size(); }
  bool WriteFailed() const { return writeFailed_; }

  // Lays out the next queue item; false when the limit is passed.
  bool Step() {
    if (BookOverLimit(run_.persons.size() + run_.blocks.size(), res::kIdsAhnentafelReport))
      return false;
    const std::size_t p = next_++;
    if (LayOut(p) && run_.persons[p].generation < run_.options.generations) QueueParents(p);
    return true;
  }

  // The chapter end, the appendices.
  bool Finish() {
    const BookOptions& o = run_.options;
    make_.EndChapter();
    if (o.sourceNotes && o.endChapter) make_.ChapterSources(generation_);
    if (o.mode == 0 && o.generalNotes && !o.embedNotes) {
      bool opened = false;
      for (std::size_t p = 0; p < run_.persons.size(); ++p) {
        if (BookOverLimit(run_.persons.size() + run_.blocks.size(), res::kIdsNotesPhase))
          return false;
        const BookPerson& person = run_.persons[p];
        if (person.firstOccurrence >= 0 && o.repeat != 2) continue;
        if (BookNotes(o, person.rin).empty()) continue;
        if (!opened) make_.NotesAppendixHeading();
        opened = true;
        make_.NotesHeading(static_cast<int>(p), person.number, person.rin, "");
        make_.Notes(static_cast<int>(p), person.rin, true, 1);
        run_.blocks.back().gapAfter = 1;
      }
    }
    if (o.sourceNotes && !o.endChapter) make_.SourcesAppendix();
    return true;
  }

 private:
  PersonNarrativeArgs NarrativeArgs(const BookPerson& person, std::string& text) {
    const BookOptions& o = run_.options;
    PersonNarrativeArgs a;
    a.rin = person.rin;
    a.text = &text;
    a.number = static_cast<long>(person.number);
    a.marriage = person.generation > 1 ? person.marriage : 0;
    a.nameOption = o.appendVal;
    a.suppressMrin = o.suppressRin;
    a.capitalSurnames = o.capitalSurnames;
    a.zel = o.zel;
    a.otherEvents = o.otherEvents;
    a.multipleParents = o.multipleParents;
    a.parentLinks = o.parentLinks;
    a.sourceNotes = o.sourceNotes;
    a.confidential = o.confidential;
    a.citations = Citations(person.generation);
    return a;
  }

  CitationContext Citations(int generation) {
    const bool chapters = run_.options.endChapter;
    return {&run_.citations, &run_.seenFlags, chapters ? &run_.boundaries : nullptr,
            chapters ? generation : 0};
  }

  // Nonzero when the person's parents are to be queued.
  bool LayOut(std::size_t p) {
    const BookOptions& o = run_.options;
    BookPerson& person = run_.persons[p];
    // A nonzero number in the person's slot: placed before.
    if (ReadBookPersonSlot(person.rin).number != 0) {
      person.firstOccurrence = firstItem_.at(person.rin);
      person.slot = ++nextSlot_;
    } else {
      firstItem_.emplace(person.rin, static_cast<int>(p));
    }
    const bool repeated = person.firstOccurrence >= 0;
    if (!WriteBookPersonSlot(person.slot, {person.number, person.generation, 0, 0})) {
      writeFailed_ = true;
      return false;
    }

    if (person.generation != generation_) {
      if (generation_ > 0) {
        make_.EndChapter();
        if (o.sourceNotes && o.endChapter) make_.ChapterSources(generation_);
      }
      generation_ = person.generation;
      make_.ChapterHeading(generation_, static_cast<int>(p));
    }
    person.block = run_.blocks.size();
    const int item = static_cast<int>(p);
    if (repeated && o.repeat != 2) {
      BookBlock& block = make_.Paragraph(BookBlockKind::kReference, item, person.rin, person.number,
                                         person.generation, "", true);
      block.gapAfter = 1;
      block.refNode = person.firstOccurrence;
      person.reference = true;
      return o.repeat != 0;
    }
    std::string text;
    narrative_.BuildPersonNarrative(NarrativeArgs(person, text));
    make_.Photo(make_.Paragraph(BookBlockKind::kPerson, item, person.rin, person.number,
                                person.generation, std::move(text), true));
    if (o.generalNotes && o.embedNotes) make_.Notes(item, person.rin, false, 1);
    if (person.generation == 1 && person.marriage > 0) {
      std::string spouseText;
      SpouseNarrativeArgs s;
      s.rin = person.rin;
      s.text = &spouseText;
      s.marriage = person.marriage;
      s.nameOption = o.appendVal;
      s.suppressMrin = o.suppressRin;
      s.capitalSurnames = o.capitalSurnames;
      s.zel = o.zel;
      s.otherEvents = o.otherEvents;
      s.multipleParents = o.multipleParents;
      s.parentLinks = o.parentLinks;
      s.sourceNotes = o.sourceNotes;
      s.confidential = o.confidential;
      s.citations = Citations(1);
      const int spouse = narrative_.BuildSpouseNarrative(s);
      if (!spouseText.empty()) {
        BookBlock& block = make_.Paragraph(BookBlockKind::kSpouse, item, spouse > 0 ? spouse : 0, 0,
                                           1, std::move(spouseText), false);
        block.mrin = person.marriage;
        block.gapBefore = 1;
        block.part = 2;
        make_.Photo(block);
      }
    }
    run_.blocks.back().gapAfter += 1;
    return true;
  }

  void QueueParents(std::size_t child) {
    std::vector<std::int32_t> family;
    DbGetRelation(run_.persons[child].rin, db::kRelParents, 0, family);
    family.resize(3, 0);
    if (family[0] <= 0) return;
    const BookPerson& c = run_.persons[child];
    const std::uint32_t father = 2 * c.number;
    const int generation = c.generation + 1;
    int firstParent = -1;
    auto queue = [&](std::int32_t rin, std::uint32_t number, std::int32_t marriage) {
      BookPerson parent;
      parent.number = number;
      parent.slot = parent.rin = rin;
      parent.marriage = marriage;
      parent.generation = generation;
      parent.childItem = static_cast<int>(child);
      run_.persons.push_back(parent);
      const int position = static_cast<int>(run_.persons.size() - 1);
      if (firstParent < 0) firstParent = position;
      AddBookIndexEntry(rin, 0, position, number, 0);
    };
    if (family[1] > 0) queue(family[1], father, family[0]);
    if (family[2] > 0) queue(family[2], father + 1, family[1] > 0 ? 0 : family[0]);
    run_.persons[child].parentItem = firstParent;
  }

  BookRun& run_;
  BookBlockMaker make_;
  CNarrativeBuilder narrative_{ReadNarrativeSettings(plat::Profile())};
  std::unordered_map<std::int32_t, int> firstItem_;
  std::size_t next_ = 0;
  int generation_ = 0;
  std::int32_t nextSlot_ = 0;
  bool writeFailed_ = false;
};

bool IsLiveIndividual(std::int32_t rin) {
  return rin > 0 && DbGetRIN(rin, db::kQueryIndividuals, db::kWalkExact) == rin;
}

}  // namespace

int PlanAhnentafelWebPages(std::vector<BookPerson>& persons, int perPage) {
  int page = 0;
  int onPage = 0;
  int generation = 0;
  for (BookPerson& person : persons) {
    const bool newGeneration = person.generation != generation;
    const bool full = onPage >= perPage && person.number % 2 == 0;
    if (page == 0 || newGeneration || full) {
      ++page;
      onPage = 0;
      generation = person.generation;
    }
    person.page = page;
    ++onPage;
  }
  return page;
}

int PaginateAhnentafel(const BookOptions& options, ReportDevice* dc) {
  CleanupBookPages();
  const bool web = options.mode == 2;
  if (!web && (dc == nullptr || options.pageHalfLines < 20)) return 0;
  if (!IsLiveIndividual(options.startRin)) return 0;

  const std::string title = res::LoadString(res::kIdsAhnentafelChart);
  if (!StartBookRun(options, std::clamp(options.generations, 1, kMaxAhnentafelGenerations), false,
                    title, kAhnentafelSlotFileName))
    return 0;
  BookRun& run = CurrentBook();

  AhnentafelPass pass(run, dc);
  pass.Start();
  PaginatorState& state = Paginator();
  state.running = 1;
  PaginatorWindow& window = CurrentPaginatorWindow();
  bool overLimit = false, finished = false;
  int pages = 0;
  BatchResult result = window.Run(state, title, "0", true, [&] {
    if (!pass.Done()) {
      if (!pass.Step()) {
        overLimit = true;
        return BatchResult::Failed;
      }
      if (pass.WriteFailed()) return BatchResult::DiskFull;
      if (web && run.persons.size() % 20 == 0)
        window.SetNumber(static_cast<int>(run.persons.size() / 20 + 1));
      return BatchResult::More;
    }
    // The appendices and the pages, the window counting the pages.
    if (!pass.Finish()) return BatchResult::Failed;
    finished = true;
    DiscardCitationNumberLists();
    pages = web ? PlanAhnentafelWebPages(run.persons, options.pageHalfLines)
                : PaginateBookBlocks(run, *dc, [&](int page) { window.SetNumber(page); });
    return BatchResult::Done;
  });
  if (result == BatchResult::Done && state.running == 0) result = BatchResult::Failed;
  state.running = 0;
  if (overLimit) return 0;  // cleaned up with the message
  if (result == BatchResult::DiskFull)
    plat::MessageBox(res::LoadString(res::kIdsInsufficientSpaceForReport), title,
                     plat::kMbOk | plat::kMbIconExclamation);
  if (result != BatchResult::Done || !finished) {
    CleanupBookPages();
    return 0;
  }
  // Each slot gets the page of its person and of the person's notes.
  for (const BookPerson& person : run.persons) {
    const BookPerson* first = GetBookPerson(person.firstOccurrence);
    const int notesPage = (first != nullptr ? first : &person)->notesPage;
    if (!WriteBookPersonSlot(person.slot,
                             {person.number, person.generation, person.page, notesPage}))
      pages = 0;
  }
  if (pages <= 0) CleanupBookPages();
  return pages;
}

}  // namespace rpt
