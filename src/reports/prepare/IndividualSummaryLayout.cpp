#include "IndividualSummaryLayout.h"

#include <algorithm>
#include <cstdio>

#include "AppOptions.h"
#include "CitationNumbers.h"
#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyLinkRecord.h"
#include "FontDescription.h"
#include "Footnotes.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MultimediaChain.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"
#include "UserEventRecord.h"

namespace rpt {

namespace {

bool Flag(const char* key, bool def) {
  return plat::Profile().GetInt("IndRpt", key, def ? 1 : 0) != 0;
}

}  // namespace

IndividualSummaryOptions::IndividualSummaryOptions()
    : titlePrefix(res::LoadString(res::kIdsIndividualSummaryFor)),
      bodyFont(CAppOptions::DefaultFont(kFontNotesRpt)) {}

IndividualSummaryOptions IndividualSummaryOptions::Load() {
  IndividualSummaryOptions o;
  plat::ProfilePort& p = plat::Profile();
  o.pageLM = CAppOptions::GetIndRptPageLM();
  o.pageRM = CAppOptions::GetIndRptPageRM();
  o.pageTM = CAppOptions::GetIndRptPageTM();
  o.pageBM = CAppOptions::GetIndRptPageBM();
  o.photoOpt = Flag("PhotoOpt", false);
  o.photoX = p.GetInt("IndRpt", "PhotoX", 2000);
  o.photoY = p.GetInt("IndRpt", "PhotoY", 2000);
  o.photoPlace = p.GetInt("IndRpt", "PhotoPlace", 2);
  o.photoReserve = Flag("PhotoRsrv", true);
  o.listOpt = Flag("ListOpt", false);
  o.suppressRin = Flag("SuppressRIN", false);
  o.notes = Flag("Notes", true);
  o.sources = Flag("Source", true);
  o.markedOnly = Flag("MarkedOnly", false);
  o.titleOnly = Flag("TitleOnly", false);
  o.actText = Flag("ActText", true);
  o.comments = Flag("Comments", true);
  o.parInd = Flag("ParInd", false);
  o.relInd = Flag("RelInd", false);
  o.confident = Flag("Confident", false);
  o.contact = Flag("Contact", false);
  o.useName = Flag("UseName", true);
  o.titlePrefix = p.GetString("IndRpt", "TitlePrefix", o.titlePrefix);
  o.titleSuffix = p.GetString("IndRpt", "TitleSuffix", "");
  o.showZel = p.GetInt(CAppOptions::kSection, "ShowZelRpt", 0) != 0;
  o.bodyFont =
      p.GetString(CAppOptions::kSection, CAppOptions::FontValueName(kFontNotesRpt), o.bodyFont);
  o.familyGroupBand = p.GetInt("FgrRpt", "RelInd", 0) != 0 || p.GetInt("FgrRpt", "ParInd", 0) != 0;
  return o;
}

int SummaryPhotoBand(const IndividualSummaryOptions& options) {
  if (!options.photoOpt) return 480 + 220;
  if (options.photoPlace == 1) return options.photoY + 450 + 220;
  return std::max(options.photoY, 400) + 150 + 220;
}

LogFont SummaryBodyFont(const IndividualSummaryOptions& options) {
  std::string face;
  int points = 10, weight = 400, italic = 0;
  ParseFontDescription(options.bodyFont, face, points, weight, italic);
  LogFont font;
  font.face = face;
  font.height = -(points * 1000 / 72);
  font.weight = weight;
  font.italic = italic != 0;
  return font;
}

CStyleFontSet SummaryStyleFonts(const LogFont& body) {
  CStyleFontSet set;
  set.normal = body;
  LogFont italic = body;
  italic.italic = !body.italic;
  set.italic = italic;
  LogFont bold = body;
  bold.weight = std::min(body.weight * 2, 900);
  set.bold = bold;
  return set;
}

int SummaryLineHeight(const LogFont& body) { return -body.height * 120 / 100; }

int SummaryFootnoteNumber(std::int32_t citation, const std::vector<std::int32_t>& list) {
  CCitationRecord record;
  if (!DbGetRecord(citation, db::kCitation, &record)) return 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    CCitationRecord other;
    if (list[i] == citation) return static_cast<int>(i + 1);
    if (DbGetRecord(list[i], db::kCitation, &other) && other.sourceRin == record.sourceRin)
      return static_cast<int>(i + 1);
  }
  return 0;
}

namespace {

// The walk over one individual. Every placement takes its height from the
// room; a break starts a page at a part and position.
class SummaryWalk {
 public:
  SummaryWalk(const SummaryWalkSetup& setup, int wantPage, SummaryLayout& out)
      : s_(setup), want_(wantPage), out_(out) {}

  void Run(std::int32_t rin, const std::vector<std::int32_t>* citations,
           const std::vector<std::uint8_t>* flags);

 private:
  bool Done() const { return want_ > 0 && static_cast<int>(out_.pages.size()) > want_; }
  bool Collecting() const { return want_ > 0 && static_cast<int>(out_.pages.size()) == want_; }
  // A new page beginning at part/position/sub with the given room.
  void NewPage(int part, int position, int sub, int room) {
    out_.pages.push_back({part, position, sub, room});
    room_ = room;
    pageStart_ = true;
  }
  int Body() const { return s_.pageHeight - s_.topBand; }
  // Places an item at the current height and takes height from the room.
  void Place(SummaryItem item, int height) {
    item.y = room_ - s_.pageHeight;
    if (Collecting()) out_.items.push_back(std::move(item));
    room_ -= height;
    pageStart_ = false;
  }
  void Gap(int height) { room_ = std::max(0, room_ - height); }
  void Cite(char letter, std::int32_t owner) {
    if (!numbering_ || owner <= 0) return;
    std::vector<std::int32_t> list;
    DbGetRinList(list, db::kCitation, owner, letter);
    for (std::int32_t c : list) NumberCitation(c, out_.citations, out_.repeatFlags, nullptr, 1);
  }
  SummaryItem Item(SummaryItemKind kind, int row = 0, std::int32_t number = 0) {
    SummaryItem item;
    item.kind = kind;
    item.row = row;
    item.number = number;
    return item;
  }
  // Lays out text in lines of width, each through make; a page that runs
  // out calls breakAt(offset, lineNumber) to start the next one.
  template <class Make, class Break>
  void Lines(const std::string& text, int width, CStyleFontSet* fonts, int lineHeight, Make make,
             Break breakAt, std::size_t start = 0);

  void Events(std::int32_t rin);
  void Ordinances(std::int32_t rin, const CIndividualRecord& record);
  void Details(const CIndividualNode& node);
  void Contact(const CIndividualRecord& record);
  void Parents(std::int32_t rin);
  void Marriages(std::int32_t rin);
  void Notes(std::int32_t rin);
  void Sources();

  const SummaryWalkSetup& s_;
  int want_;
  SummaryLayout& out_;
  int room_ = 0;
  bool pageStart_ = true;
  bool numbering_ = true;
  bool notesLaidOut_ = false;
  CStyleFontSet fonts_;
};

template <class Make, class Break>
void SummaryWalk::Lines(const std::string& text, int width, CStyleFontSet* fonts, int lineHeight,
                        Make make, Break breakAt, std::size_t start) {
  std::size_t pos = start;
  int lineNumber = 0;
  while (pos < text.size() && !Done()) {
    if (room_ < lineHeight) breakAt(pos, lineNumber);
    if (Done()) return;
    const std::uint8_t style = fonts ? fonts->style : std::uint8_t{kStyleNormal};
    std::size_t end = pos;
    if (s_.dc != nullptr)
      end = pos + FitTextLine(std::string_view(text).substr(pos), *s_.dc, width, width / 80, fonts);
    else
      end = text.size();
    if (end <= pos) end = pos + 1;
    SummaryItem item = make(text.substr(pos, end - pos), lineNumber);
    item.style = style;
    Place(std::move(item), lineHeight);
    ++lineNumber;
    pos = end;
    if (text.compare(pos, 2, "\r\n") == 0) {
      pos += 2;
      if (text.compare(pos, 2, "\r\n") == 0) {  // a new paragraph: one empty line
        pos += 2;
        Gap(lineHeight);
      }
    }
  }
}

void SummaryWalk::Run(std::int32_t rin, const std::vector<std::int32_t>* citations,
                      const std::vector<std::uint8_t>* flags) {
  numbering_ = citations == nullptr;
  if (numbering_)
    DiscardCitationNumberLists();
  else {
    out_.citations = *citations;
    if (flags) out_.repeatFlags = *flags;
  }
  if (rin <= 0 || DbGetRIN(rin, db::kQueryIndividuals, db::kWalkExact) != rin) return;
  CIndividualRecord record;
  if (family::Read(record, rin) != 1) return;
  out_.exists = true;
  CIndividualNode* node = CIndividualNode::New(record, 3, 0, 0, nullptr);
  node->AddRef();

  int band = s_.topBand;
  if (s_.photoBand != s_.topBand &&
      (DbHasDefaultPhoto(rin, db::kIndividual) != 0 || s_.reservePhoto))
    band = s_.photoBand;
  NewPage(kSummaryStart, 0, 0, s_.pageHeight - band);

  const LogFont body = SummaryBodyFont(s_.options);
  fonts_ = SummaryStyleFonts(body);
  LogFont previous;
  if (s_.dc) previous = s_.dc->SelectFont(body);

  Events(rin);
  if (s_.options.showZel && !Done()) Ordinances(rin, record);
  if (!Done()) Details(*node);
  if (s_.options.contact && !Done()) Contact(record);
  Gap(340);
  if (!Done()) Parents(rin);
  if (!Done()) Marriages(rin);
  if (s_.options.notes && !Done()) Notes(rin);
  if (s_.options.sources && !Done()) Sources();

  if (s_.dc) s_.dc->SelectFont(previous);
  node->Release();
}

void SummaryWalk::Events(std::int32_t rin) {
  Cite(db::kOwnerIndividual, rin);
  Cite(db::kOwnerBirth, rin);
  Cite(db::kOwnerChristening, rin);
  Place(Item(SummaryItemKind::kEventHeadings), 255);
  Place(Item(SummaryItemKind::kEventRow, 1), kSummaryRow);
  Place(Item(SummaryItemKind::kEventRow, 2), kSummaryRow);

  std::vector<std::int32_t> events;
  DbGetRinList(events, db::kUserEvent, rin, db::kOwnerIndividual);
  int counter = 2;
  for (std::int32_t number : events) {
    if (Done()) return;
    CUserEventRecord event;
    if (family::Read(event, number) != 1) continue;
    if (event.yesNo == 'Y' && !s_.options.confident) continue;
    if (room_ < kSummaryRow) {
      NewPage(kSummaryDetails, kBlockEvents, counter, Body());
      Place(Item(SummaryItemKind::kEventHeadings), 255);
    }
    ++counter;
    Place(Item(SummaryItemKind::kEventRow, 5, number), kSummaryRow);
    if (event.GetFirstCitation() != 0) Cite(db::kOwnerIndividualUserEvent, number);
  }
  // Death and burial stay together, on a page of their own when needed.
  if (room_ < 2 * kSummaryRow) {
    NewPage(kSummaryDetails, kBlockEvents, counter + 1, Body());
    Place(Item(SummaryItemKind::kEventHeadings), 255);
  }
  Place(Item(SummaryItemKind::kEventRow, 3), kSummaryRow);
  Place(Item(SummaryItemKind::kEventRow, 4), kSummaryRow);
  Cite(db::kOwnerDeath, rin);
  Cite(db::kOwnerBurial, rin);
}

void SummaryWalk::Ordinances(std::int32_t rin, const CIndividualRecord& record) {
  if (room_ < 680) {
    NewPage(kSummaryDetails, kBlockOrdinances, 0, Body());
    Place(Item(SummaryItemKind::kEventHeadings), 255);
  }
  const int top = room_;
  // No rule above a block that begins its page.
  SummaryItem rule = Item(SummaryItemKind::kOrdinanceRule);
  rule.continued = pageStart_;
  Place(std::move(rule), 0);
  room_ = top - 85;
  Place(Item(SummaryItemKind::kEventRow, 6), kSummaryRow);
  Place(Item(SummaryItemKind::kEventRow, 7), kSummaryRow);
  Place(Item(SummaryItemKind::kEventRow, 8), kSummaryRow);
  Place(Item(SummaryItemKind::kDoubleRule), 0);
  room_ = top - 680;
  Cite(db::kOwnerBaptism, rin);
  Cite(db::kOwnerEndowment, rin);
  Cite(db::kOwnerFamilyLink, record.numbers[CIndividualRecord::kParentLink]);
}

void SummaryWalk::Details(const CIndividualNode& node) {
  if (room_ < 765) NewPage(kSummaryDetails, kBlockNames, 0, Body());
  Place(Item(SummaryItemKind::kNames), 765);

  std::string description;
  node.GetDetailText(4, description);
  if (description.empty() || Done()) return;
  const std::string text = res::LoadString(res::kIdsDescription) + ": " + description;
  if (room_ < 2 * kSummaryRow) NewPage(kSummaryDetails, kBlockDescription, 0, Body());
  Lines(
      text, s_.pageWidth, nullptr, kSummaryRow,
      [&](std::string line, int) {
        SummaryItem item = Item(SummaryItemKind::kDescriptionLine);
        item.text = std::move(line);
        return item;
      },
      [&](std::size_t offset, int) {
        // The rest of the description goes on: the page resumes at its byte.
        NewPage(kSummaryDetails, kBlockDescription, static_cast<int>(offset), Body());
      });
}

void SummaryWalk::Contact(const CIndividualRecord& record) {
  const auto& c = record.contact;
  std::vector<std::string> lines;
  bool any = false;
  for (const std::string& field : c) any = any || !field.empty();
  if (!any) return;
  if (!c[CIndividualRecord::kContactName].empty())
    lines.push_back(c[CIndividualRecord::kContactName]);
  if (!c[CIndividualRecord::kContactAddress1].empty())
    lines.push_back(c[CIndividualRecord::kContactAddress1]);
  const std::string& address2 = c[CIndividualRecord::kContactAddress2];
  if (!address2.empty()) {
    const std::size_t cr = address2.find_first_of("\r\n");
    if (cr == std::string::npos) {
      lines.push_back(address2);
    } else {
      lines.push_back(address2.substr(0, cr));
      std::size_t rest = cr + 1;
      if (address2[cr] == '\r' && rest < address2.size() && address2[rest] == '\n') ++rest;
      lines.push_back(address2.substr(rest));
    }
  }
  const std::string& city = c[CIndividualRecord::kContactCity];
  const std::string& state = c[CIndividualRecord::kContactState];
  const std::string& postal = c[CIndividualRecord::kContactPostalCode];
  const std::string& country = c[CIndividualRecord::kContactCountry];
  if (!city.empty() || !state.empty() || !postal.empty() || !country.empty())
    lines.push_back(city + ", " + state + "  " + postal + "  " + country);
  for (int f : {CIndividualRecord::kContactPhone, CIndividualRecord::kContactEmail,
                CIndividualRecord::kContactHomePage})
    if (!c[f].empty()) lines.push_back(c[f]);

  // The heading and the lines stay together, 85 below the block above; a
  // page that begins with them needs no gap.
  const int height = 85 + kSummaryRow * (1 + static_cast<int>(lines.size()));
  if (room_ < height)
    NewPage(kSummaryDetails, kBlockContact, 0, Body());
  else
    Gap(85);
  Place(Item(SummaryItemKind::kContactHeading), kSummaryRow);
  for (std::string& line : lines) {
    SummaryItem item = Item(SummaryItemKind::kContactLine);
    item.text = std::move(line);
    Place(std::move(item), kSummaryRow);
  }
  Place(Item(SummaryItemKind::kDoubleRule), 0);
}

void SummaryWalk::Parents(std::int32_t rin) {
  std::vector<std::int32_t> links;
  DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, rin, 0);
  std::vector<std::int32_t> sets;
  for (std::int32_t link : links) {
    CFamilyLinkRecord record;
    if (family::Read(record, link) == 1 && record.mrin != 0) sets.push_back(link);
  }
  if (sets.empty()) return;
  if (sets.size() > 1 && !s_.options.parInd) sets.resize(1);
  const int need = 510 + (sets.size() > 1 ? 2 : 1) * kSummaryRow;
  if (room_ < need) NewPage(kSummaryParents, 0, 0, Body());
  Place(Item(SummaryItemKind::kParentsHeading), 510);
  for (std::size_t k = 0; k < sets.size() && !Done(); ++k) {
    if (room_ < kSummaryRow) {
      // The next page resumes with this set, under its own heading.
      NewPage(kSummaryParents, static_cast<int>(k), 0, Body());
      Place(Item(SummaryItemKind::kParentsHeading), 510);
    }
    Place(Item(SummaryItemKind::kParentRow, static_cast<int>(k), sets[k]), kSummaryRow);
  }
  Place(Item(SummaryItemKind::kDoubleRule), 0);
  Gap(340);
}

void SummaryWalk::Marriages(std::int32_t rin) {
  const int count = DbGetRelationCount(rin, db::kRelMarriages, 0, 1);
  std::vector<std::int32_t> mrins;
  if (count > 0) DbGetRelation(rin, db::kRelMarriages, count, mrins);
  mrins.erase(std::remove(mrins.begin(), mrins.end(), 0), mrins.end());
  if (mrins.empty()) return;
  const int need = 510 + (mrins.size() > 1 ? 2 : 1) * kSummaryRow;
  if (room_ < need) NewPage(kSummaryMarriages, 0, 0, Body());
  Place(Item(SummaryItemKind::kMarriagesHeading), 510);
  for (std::size_t k = 0; k < mrins.size() && !Done(); ++k) {
    if (room_ < kSummaryRow) {
      NewPage(kSummaryMarriages, static_cast<int>(k), 0, Body());
      SummaryItem heading = Item(SummaryItemKind::kMarriagesHeading);
      heading.continued = k > 0;
      Place(std::move(heading), 510);
    }
    Place(Item(SummaryItemKind::kMarriageRow, static_cast<int>(k), mrins[k]), kSummaryRow);
    Cite(db::kOwnerMarriage, mrins[k]);
    Cite(db::kOwnerMarriageEvent, mrins[k]);
    if (s_.options.showZel) Cite(db::kOwnerSealingToSpouse, mrins[k]);
  }
  Place(Item(SummaryItemKind::kDoubleRule), 0);
  Gap(340);
}

void SummaryWalk::Notes(std::int32_t rin) {
  if (DbGetNoteBlock(rin, db::kIndividual) == 0) return;
  const std::string text = DbGetNotes(rin, 0, db::kIndividual, s_.options.markedOnly ? 1 : 0,
                                      s_.options.confident ? 1 : 0, 1);
  if (text.empty()) return;
  notesLaidOut_ = true;
  const int lh = s_.lineHeight;
  Gap(255);
  fonts_.style = kStyleNormal;
  auto heading = [&](bool continued) {
    SummaryItem item = Item(SummaryItemKind::kNotesHeading);
    item.continued = continued;
    Place(std::move(item), 2 * lh);
  };
  if (room_ < 4 * lh) NewPage(kSummaryNotes, 0, 0, Body());
  heading(false);
  Lines(
      text, s_.pageWidth, &fonts_, lh,
      [&](std::string line, int) {
        SummaryItem item = Item(SummaryItemKind::kNotesLine);
        item.text = std::move(line);
        return item;
      },
      [&](std::size_t offset, int) {
        NewPage(kSummaryNotes, static_cast<int>(offset), 0, Body());
        heading(true);
      });
  Gap(2 * lh);
}

void SummaryWalk::Sources() {
  if (out_.citations.empty()) return;
  const int lh = s_.lineHeight;
  auto heading = [&](bool continued) {
    SummaryItem item = Item(SummaryItemKind::kSourcesHeading);
    item.continued = continued;
    Place(std::move(item), 2 * lh);
  };
  if (room_ < 4 * lh) NewPage(kSummarySources, 0, 0, Body());
  heading(false);
  for (std::size_t i = 0; i < out_.citations.size() && !Done(); ++i) {
    if (room_ < 2 * lh) {
      NewPage(kSummarySources, static_cast<int>(i), 0, Body());
      heading(true);
    }
    CCitationRecord citation;
    if (!DbGetRecord(out_.citations[i], db::kCitation, &citation)) citation.Clear();
    std::string footnote;
    const bool repeat = i < out_.repeatFlags.size() && out_.repeatFlags[i] != 0;
    family::FormatFootnote(citation, footnote, true, repeat, s_.options.titleOnly,
                           s_.options.actText, s_.options.comments);
    // Appended, not assigned: GCC 12 takes assigning a one-letter literal
    // here for an overlapping copy (-Wrestrict).
    if (footnote.empty()) footnote.push_back(' ');
    char prefix[24];
    const int shown = static_cast<int>(i) + 1;
    std::snprintf(prefix, sizeof prefix, "%d. ", shown < 10 ? shown + 10 : shown);
    const int indent = s_.dc ? s_.dc->GetTextExtent(prefix).cx : 0;
    fonts_.style = kStyleNormal;
    Lines(
        footnote, s_.pageWidth - indent, &fonts_, lh,
        [&](std::string line, int lineNumber) {
          SummaryItem item =
              Item(SummaryItemKind::kSourceLine, lineNumber, static_cast<std::int32_t>(i));
          item.text = std::move(line);
          return item;
        },
        [&](std::size_t, int lineNumber) {
          NewPage(kSummarySources, static_cast<int>(i), lineNumber, Body());
          heading(true);
        });
  }
}

}  // namespace

SummaryLayout LayOutIndividualSummary(std::int32_t rin, const SummaryWalkSetup& setup, int wantPage,
                                      const std::vector<std::int32_t>* citations,
                                      const std::vector<std::uint8_t>* repeatFlags) {
  SummaryLayout layout;
  SummaryWalk walk(setup, wantPage, layout);
  walk.Run(rin, citations, repeatFlags);
  // A page past the one asked for was started only to end the walk.
  if (wantPage > 0 && static_cast<int>(layout.pages.size()) > wantPage)
    layout.pages.resize(wantPage);
  return layout;
}

int PaginateIndividualSummary(const SummaryRunRequest& request, const SummaryWalkSetup& setup,
                              PaginatorWindow& window) {
  CleanupIndividualSummaryPages();
  SetReportImageMode(1);
  PaginatorState& state = Paginator();
  state.running = 1;
  std::vector<std::int32_t> rins;
  if (request.individual == 0 && request.set != nullptr) {
    const auto bits = static_cast<std::int32_t>(request.set->BitCount());
    for (std::int32_t r = 1; r < bits; ++r)
      if (request.set->Test(r)) rins.push_back(r);
  } else if (request.individual != 0) {
    rins.push_back(request.individual);
  }
  int pages = 0;
  std::size_t next = 0;
  // One individual a batch; the window is pumped between them and has no
  // Cancel, so the run always ends with every individual laid out.
  window.Run(state, res::LoadString(res::kIdsIndividualSummary), "0", false, [&]() {
    if (next >= rins.size()) return BatchResult::Done;
    const std::int32_t rin = rins[next++];
    SummaryLayout layout = LayOutIndividualSummary(rin, setup, 0);
    if (!layout.exists) return BatchResult::More;
    auto citations = std::make_shared<std::vector<std::int32_t>>(std::move(layout.citations));
    auto flags = std::make_shared<std::vector<std::uint8_t>>(std::move(layout.repeatFlags));
    for (const SummaryLayout::Start& start : layout.pages) {
      auto entry = std::make_unique<SummaryPageEntry>();
      entry->key = rin;
      entry->part = start.part;
      entry->position = start.position;
      entry->subPosition = start.subPosition;
      entry->citations = citations;
      entry->repeatFlags = flags;
      state.pageEntries.push_back(std::move(entry));
      state.pageEntries.back()->page = ++pages;
      window.SetNumber(pages);
    }
    return next >= rins.size() ? BatchResult::Done : BatchResult::More;
  });
  state.running = 0;
  return pages;
}

void CleanupIndividualSummaryPages() {
  Paginator().Clear();
  DiscardCitationNumberLists();
  SetReportImageMode(0);
}

}  // namespace rpt
