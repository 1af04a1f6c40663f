#include "RegisterPagination.h"

#include <algorithm>
#include <unordered_map>

#include "BookBlocks.h"
#include "CitationNumbers.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyDatabase.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "NarrativeBuilder.h"
#include "NumberWords.h"
#include "PaginationRun.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

constexpr const char* kPagesLabel = "# Pages:";
constexpr int kChildX = 1400;  // a child's text, from the left edge

// Where a person was first listed.
struct RegisterSlot {
  std::uint32_t number = 0;
  bool expanded = false;
  int node = 0;
  int code = 0;
};

struct ChildListing {
  std::uint32_t number = 0;
  std::int32_t rin = 0;
  int code = 0;
  bool carried = false;
  bool repeated = false;
  int node = -1;
};

struct FamilyListing {
  std::int32_t mrin = 0;
  std::int32_t spouse = 0;
  int code = 0;
  std::vector<ChildListing> children;
};

std::vector<std::int32_t> Marriages(std::int32_t rin) {
  std::vector<std::int32_t> list = DbGetRelationChain(rin, db::kRelMarriages);
  list.erase(std::remove(list.begin(), list.end(), 0), list.end());
  return list;
}

std::int32_t SpouseOf(std::int32_t rin, std::int32_t mrin) {
  std::vector<std::int32_t> couple;
  DbGetRelation(mrin, db::kRelSpouses, 0, couple);
  couple.resize(2, 0);
  return DbGetSex(rin) == 'M' ? couple[1] : couple[0] == rin ? couple[1] : couple[0];
}

std::vector<std::int32_t> Children(std::int32_t mrin) {
  std::vector<std::int32_t> list = DbGetRelationChain(mrin, db::kRelChildren);
  list.erase(std::remove(list.begin(), list.end(), 0), list.end());
  return list;
}

class RegisterPass {
 public:
  RegisterPass(BookRun& run, ReportDevice* dc) : run_(run), make_(run, dc) {}

  void Start() {
    BookPerson first;
    first.number = 1;
    first.rin = first.slot = run_.options.startRin;
    first.generation = 1;
    run_.persons.push_back(first);
    next_ = 2;
    if (run_.options.repeat != 2) slots_[first.rin] = {1, false, 0, 0};
    if (run_.options.mode == 0) make_.Title(res::kIdsModifiedRegisterFor);
  }

  bool Done() const { return node_ >= run_.persons.size(); }

  bool Step() {
    if (BookOverLimit(run_.persons.size() + run_.blocks.size(), res::kIdsModifiedRegisterReport))
      return false;
    const int i = static_cast<int>(node_++);
    std::vector<FamilyListing> families = Expand(i);
    Blocks(i, families);
    return true;
  }

  void Finish() {
    const BookOptions& o = run_.options;
    make_.EndChapter();
    if (o.sourceNotes && o.endChapter) make_.ChapterSources(generation_);
    if (o.mode == 0 && o.generalNotes && !o.embedNotes) {
      bool opened = false;
      std::unordered_map<std::int32_t, bool> done;
      for (auto& [key, listing] : run_.listings) {
        // A person's notes once, unless repeats are printed in full.
        if (o.repeat != 2 && !done.emplace(listing.rin, true).second) continue;
        if (BookNotes(o, listing.rin).empty()) continue;
        if (!opened) make_.NotesAppendixHeading();
        opened = true;
        listing.notesBlock = run_.blocks.size();
        make_.NotesHeading(key.first, listing.number, listing.rin, listing.spouse ? "S" : "");
        make_.Notes(key.first, listing.rin, true, 1);
        run_.blocks.back().gapAfter = 1;
      }
    }
    if (o.sourceNotes && !o.endChapter) make_.SourcesAppendix();
  }

  const std::unordered_map<std::int32_t, RegisterSlot>& Slots() const { return slots_; }

 private:
  bool Indexed(int node) const { return run_.options.mode == 0 || node == 0; }

  void List(int node, int code, std::uint32_t number, std::int32_t rin, int generation,
            bool spouse) {
    run_.listings[{node, code}] = {number, rin, generation, spouse, 0, 0};
    if (Indexed(node)) AddBookIndexEntry(rin, code, node, number, next_);
  }

  std::vector<FamilyListing> Expand(int i) {
    const BookOptions& o = run_.options;
    const BookPerson person = run_.persons[static_cast<std::size_t>(i)];
    if (!person.reference) List(i, 0, person.number, person.rin, person.generation, false);
    std::vector<FamilyListing> families;
    if (o.repeat != 2) {
      RegisterSlot& slot = slots_[person.rin];
      if (slot.number == 0) slot = {person.number, false, i, 0};
      if (slot.expanded) {
        if (o.repeat == 0) return families;
      } else {
        slot.expanded = true;
      }
    }
    const bool belowLimit = person.generation < o.generations;
    int code = 0;
    for (std::int32_t mrin : Marriages(person.rin)) {
      FamilyListing family;
      family.mrin = mrin;
      family.spouse = SpouseOf(person.rin, mrin);
      const std::vector<std::int32_t> children =
          belowLimit ? Children(mrin) : std::vector<std::int32_t>{};
      if (family.spouse == 0 && children.empty()) continue;
      family.code = ++code;
      if (family.spouse != 0 && !person.reference)
        List(i, family.code, person.number, family.spouse, person.generation, true);
      for (std::int32_t rin : children) {
        ChildListing child;
        child.code = ++code;
        child.rin = rin;
        child.number = next_++;
        child.carried =
            person.generation + 1 < o.generations && DbHasChildren(rin, db::kIndividual) == 1;
        List(i, child.code, child.number, rin, person.generation + 1, false);
        if (o.repeat != 2) {
          auto found = slots_.find(rin);
          if (found != slots_.end()) {
            child.repeated = true;
            if (o.repeat == 0) child.carried = false;
          } else {
            const int futureNode = static_cast<int>(run_.persons.size());
            slots_[rin] = {child.number, false, child.carried ? futureNode : i,
                           child.carried ? 0 : child.code};
          }
        }
        if (child.carried) {
          BookPerson node;
          node.number = child.number;
          node.rin = node.slot = rin;
          node.generation = person.generation + 1;
          node.parentNode = i;
          node.reference = child.repeated;
          if (child.repeated) {
            const RegisterSlot& first = slots_[rin];
            node.firstOccurrence = first.node;
            node.marriage = first.code;  // the code of the first listing
          }
          child.node = static_cast<int>(run_.persons.size());
          run_.persons.push_back(node);
        }
        family.children.push_back(child);
      }
      families.push_back(std::move(family));
    }
    return families;
  }

  PersonNarrativeArgs PersonArgs(std::int32_t rin, std::uint32_t number, int generation,
                                 std::string& text) {
    const BookOptions& o = run_.options;
    PersonNarrativeArgs a;
    a.rin = rin;
    a.text = &text;
    a.number = static_cast<long>(number);
    a.nameOption = o.appendVal;
    a.suppressMrin = o.suppressRin;
    a.capitalSurnames = o.capitalSurnames;
    a.zel = o.zel;
    a.otherEvents = o.otherEvents;
    a.multipleParents = o.multipleParents;
    a.parentLinks = o.parentLinks;
    a.sourceNotes = o.sourceNotes;
    a.confidential = o.confidential;
    a.citations = Citations(generation);
    return a;
  }

  CitationContext Citations(int generation) {
    const bool chapters = run_.options.endChapter;
    return {&run_.citations, &run_.seenFlags, chapters ? &run_.boundaries : nullptr,
            chapters ? generation : 0};
  }

  // A spouse paragraph of rin's family (ordinal from 2 when rin has two or
  // more families); its block's listing is (node, code).
  void Spouse(int node, int code, std::int32_t rin, std::int32_t mrin, int ordinal, int x,
              int generation) {
    const BookOptions& o = run_.options;
    std::string text;
    SpouseNarrativeArgs s;
    s.rin = rin;
    s.text = &text;
    s.marriage = mrin;
    s.nameOption = o.appendVal;
    s.suppressMrin = o.suppressRin;
    s.capitalSurnames = o.capitalSurnames;
    s.ordinal = ordinal;
    s.zel = o.zel;
    s.otherEvents = o.otherEvents;
    s.multipleParents = o.multipleParents;
    s.parentLinks = o.parentLinks;
    s.sourceNotes = o.sourceNotes;
    s.confidential = o.confidential;
    s.citations = Citations(generation);
    const int spouse = narrative_.BuildSpouseNarrative(s);
    if (text.empty()) return;
    const auto listing = run_.listings.find({node, code});
    if (listing != run_.listings.end()) listing->second.block = run_.blocks.size();
    BookBlock& block = make_.Paragraph(BookBlockKind::kSpouse, node, spouse > 0 ? spouse : 0, 0,
                                       generation, std::move(text), false, x);
    block.mrin = mrin;
    block.gapBefore = 1;
    block.part = 1;
    make_.Photo(block);
    if (o.generalNotes && o.embedNotes && spouse > 0) make_.Notes(node, spouse, false, 1);
  }

  void Blocks(int i, const std::vector<FamilyListing>& families) {
    const BookOptions& o = run_.options;
    BookPerson& person = run_.persons[static_cast<std::size_t>(i)];
    if (person.generation != generation_) {
      if (generation_ > 0) {
        make_.EndChapter();
        if (o.sourceNotes && o.endChapter) make_.ChapterSources(generation_);
      }
      generation_ = person.generation;
      make_.ChapterHeading(generation_, i);
    }
    person.block = run_.blocks.size();
    if (person.reference) {
      BookBlock& block = make_.Paragraph(BookBlockKind::kReference, i, person.rin, person.number,
                                         person.generation, "", true);
      block.refNode = person.firstOccurrence;
      block.refCode = person.marriage;
    } else {
      run_.listings[{i, 0}].block = person.block;
      std::string text;
      narrative_.BuildPersonNarrative(
          PersonArgs(person.rin, person.number, person.generation, text));
      make_.Photo(make_.Paragraph(BookBlockKind::kPerson, i, person.rin, person.number,
                                  person.generation, std::move(text), true));
      if (o.generalNotes && o.embedNotes) make_.Notes(i, person.rin, false, 1);
    }
    const bool several = families.size() > 1;
    for (std::size_t f = 0; f < families.size(); ++f) {
      const FamilyListing& family = families[f];
      if (!person.reference && family.spouse != 0)
        Spouse(i, family.code, person.rin, family.mrin, several ? static_cast<int>(f) + 1 : 0, 400,
               person.generation);
      if (family.children.empty()) continue;
      if (!person.reference) {
        std::string heading;
        narrative_.BuildChildrenHeading(family.mrin, true, heading, o.appendVal, false);
        BookBlock& block = make_.Paragraph(BookBlockKind::kChildrenHeading, i, 0, 0,
                                           person.generation, std::move(heading), false);
        block.gapBefore = 1;
        block.keepRoom = 5;
        block.part = 2;
      }
      int numeral = 0;
      for (const ChildListing& child : family.children) Child(i, person, child, ++numeral);
    }
    run_.blocks.back().gapAfter += 3;
  }

  void Child(int i, const BookPerson& parent, const ChildListing& child, int numeral) {
    const BookOptions& o = run_.options;
    std::string text;
    BookBlockKind kind = BookBlockKind::kChild;
    if (child.repeated) {
      // Listed before: its new number and a reference to the first listing.
      kind = BookBlockKind::kReference;
    } else if (child.carried) {
      ChildEntryArgs a;
      a.rin = child.rin;
      a.text = &text;
      a.nameOption = o.appendVal;
      a.capitalSurnames = o.capitalSurnames;
      narrative_.BuildChildEntry(a);
    } else {
      narrative_.BuildPersonNarrative(
          PersonArgs(child.rin, child.number, parent.generation + 1, text));
    }
    run_.listings[{i, child.code}].block = run_.blocks.size();
    BookBlock& block = make_.Paragraph(kind, i, child.rin, child.number, parent.generation + 1,
                                       std::move(text), false, kChildX);
    block.gapBefore = 1;
    block.part = 3 + child.code;
    if (kind == BookBlockKind::kReference) {
      const auto& first = slots_.at(child.rin);
      block.refNode = first.node;
      block.refCode = first.code;
    }
    if (child.carried && !child.repeated) block.prefixes.push_back({100, 'l', "+"});
    block.prefixes.push_back({700, 'r', std::to_string(child.number)});
    const int sex = DbGetSex(child.rin);
    block.prefixes.push_back({750, 'l', sex == 'M' ? "M" : sex == 'F' ? "F" : " "});
    block.prefixes.push_back({1300, 'r', FormatRomanNumeral(numeral, false) + "."});
    if (kind != BookBlockKind::kChild || child.carried) return;
    make_.Photo(block);
    if (o.generalNotes && o.embedNotes) make_.Notes(i, child.rin, false, 3 + child.code);
    // The families of a child who is not carried forward.
    if (child.repeated && o.repeat != 2) return;
    const std::vector<std::int32_t> marriages = Marriages(child.rin);
    int k = 0;
    for (std::int32_t mrin : marriages) {
      const std::int32_t spouse = SpouseOf(child.rin, mrin);
      if (spouse == 0) continue;
      ++k;
      const int code = child.code + 256 * k;
      List(i, code, child.number, spouse, parent.generation + 1, true);
      Spouse(i, code, child.rin, mrin, marriages.size() > 1 ? k : 0, kChildX,
             parent.generation + 1);
    }
  }

  BookRun& run_;
  BookBlockMaker make_;
  CNarrativeBuilder narrative_{ReadNarrativeSettings(plat::Profile())};
  std::unordered_map<std::int32_t, RegisterSlot> slots_;
  std::size_t node_ = 0;
  std::uint32_t next_ = 2;
  int generation_ = 0;
};

std::unordered_map<std::int32_t, RegisterSlot>& SlotsOfRun() {
  static std::unordered_map<std::int32_t, RegisterSlot> slots;
  return slots;
}

}  // namespace

int PlanRegisterWebPages(std::vector<BookPerson>& nodes, int perPage) {
  int page = 0, onPage = 0, generation = 0;
  for (BookPerson& node : nodes) {
    if (page == 0 || node.generation != generation || onPage >= perPage) {
      ++page;
      onPage = 0;
      generation = node.generation;
    }
    node.page = page;
    ++onPage;
  }
  return page;
}

std::uint32_t FindRegisterEntryPage(std::int32_t rin, int& page) {
  page = 0;
  const auto& slots = SlotsOfRun();
  const auto found = slots.find(rin);
  if (found == slots.end()) return 0;
  const BookRun& run = CurrentBook();
  const auto listing = run.listings.find({found->second.node, found->second.code});
  if (listing != run.listings.end() && listing->second.block < run.blockPage.size())
    page = run.blockPage[listing->second.block];
  return found->second.number;
}

int PaginateModifiedRegister(const BookOptions& options, ReportDevice* dc) {
  CleanupBookPages();
  SlotsOfRun().clear();
  const bool web = options.mode == 2;
  if (!web && (dc == nullptr || options.pageHalfLines < 20)) return 0;
  const std::int32_t start = options.startRin;
  if (start <= 0 || DbGetRIN(start, db::kQueryIndividuals, db::kWalkExact) != start) return 0;

  const std::string title = res::LoadString(res::kIdsRegister);
  if (!StartBookRun(options, std::max(options.generations, 1), true, title)) return 0;
  BookRun& run = CurrentBook();

  RegisterPass pass(run, dc);
  pass.Start();
  PaginatorState& state = Paginator();
  state.running = 1;
  PaginatorWindow& window = CurrentPaginatorWindow();
  bool overLimit = false, started = false, finished = false;
  int pages = 0;
  BatchResult result = window.Run(state, title, "0", true, [&] {
    if (!started) {
      window.SetText(res::LoadString(res::kIdsInitializing));
      window.SetLabel(res::LoadString(res::kIdsId) + " #:");
      started = true;
    }
    if (!pass.Done()) {
      if (!pass.Step()) {
        overLimit = true;
        return BatchResult::Failed;
      }
      window.SetNumber(static_cast<int>(run.persons.size()));
      return BatchResult::More;
    }
    // The appendices and the pages, the window counting the pages.
    if (!web) {
      window.SetText(res::LoadString(res::kIdsPreparingPagesPaginate));
      window.SetLabel(kPagesLabel);
      window.SetNumber(1);
    }
    pass.Finish();
    finished = true;
    SlotsOfRun() = pass.Slots();
    DiscardCitationNumberLists();
    pages = web ? PlanRegisterWebPages(run.persons, options.pageHalfLines)
                : PaginateBookBlocks(run, *dc, [&](int page) { window.SetNumber(page); });
    return BatchResult::Done;
  });
  if (result == BatchResult::Done && state.running == 0) result = BatchResult::Failed;
  state.running = 0;
  if (overLimit) return 0;
  if (result != BatchResult::Done || !finished) {
    CleanupBookPages();
    return 0;
  }
  if (web) return pages;
  if (pages <= 0) CleanupBookPages();
  return pages;
}

}  // namespace rpt
