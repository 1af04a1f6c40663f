#include "ReportJob.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyLinkRecord.h"
#include "RecordAccess.h"
#include "ReportKinds.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

constexpr const char* kMultipleCode = "{+}";

struct LegendEntry {
  int flag;
  unsigned code;  // 0: the multiple-parents code
  unsigned word;
};
constexpr LegendEntry kLegend[] = {
    {kRelMultipleParents, 0, res::kIdsMultipleParents},
    {kRelAdopted, res::kIdsCodeAdopted, res::kIdsAdopted},
    {kRelGuardian, res::kIdsCodeGuardian, res::kIdsGuardian},
    {kRelSealing, res::kIdsCodeSealing, res::kIdsSealing},
    {kRelChallenged, res::kIdsCodeChallenged, res::kIdsChallenged},
    {kRelDisproved, res::kIdsCodeDisproved, res::kIdsDisproved},
};

// The code and flag of a relationship letter; other letters give neither.
std::string CodeOfLetter(char letter, int& flags) {
  for (const auto& [ch, flag, id] : {std::tuple{'a', kRelAdopted, res::kIdsCodeAdopted},
                                     std::tuple{'g', kRelGuardian, res::kIdsCodeGuardian},
                                     std::tuple{'s', kRelSealing, res::kIdsCodeSealing},
                                     std::tuple{'c', kRelChallenged, res::kIdsCodeChallenged},
                                     std::tuple{'d', kRelDisproved, res::kIdsCodeDisproved}}) {
    if (letter == ch) {
      flags |= flag;
      return res::LoadString(id);
    }
  }
  return {};
}

class DbLinks : public RelationshipLinks {
 public:
  std::vector<std::int32_t> ParentLinks(std::int32_t rin) override {
    std::vector<std::int32_t> list;
    DbGetRelationList(list, db::kRelFamilyLinks, db::kRelParents, rin, 0);
    return list;
  }
  bool ReadLink(std::int32_t link, CFamilyLinkRecord& out) override {
    return family::Read(out, link) != 0;
  }
};

}  // namespace

RelationshipLinks& DatabaseRelationshipLinks() {
  static DbLinks links;
  return links;
}

int ScanStyleTag(const char* text, int length) {
  static constexpr struct {
    const char* tag;
    int code;
  } kTags[] = {{"<I>", 1}, {"</I>", -1}, {"<B>", 2}, {"</B>", -2}, {"<S>", 4}, {"</S>", -4}};
  for (const auto& t : kTags) {
    const int n = static_cast<int>(std::strlen(t.tag));
    if (n <= length && std::strncmp(text, t.tag, n) == 0) return t.code;
  }
  return 0;
}

CReportJob::CReportJob(int kind) : kind_(kind) {
  generator_ = rpt::CreateReportGenerator(kind, rpt::CurrentReportRequest().startRin);
  if (generator_) generator_->SetJob(this);
  SetRTFDocument(false);
}

CReportJob::~CReportJob() = default;

void CReportJob::SetRTFDocument(bool rtfOutput) {
  rtf_ = rtfOutput;
  if (generator_) generator_->SetRTFOutput(rtfOutput);
}

void CReportJob::SetOutputFileName(const std::string& path) {
  path_ = path;
  if (generator_) generator_->SetOutputFileName(path);
}

void CReportJob::BeginPrinting(rpt::ReportDevice* dc, CPrintInfo* info) {
  rpt::LogFont font;
  font.face = res::LoadString(res::kIdsArial);
  font.height = -kPrintedByHeight;
  font.weight = 400;
  font_ = font;
  if (generator_) generator_->BeginPrinting(dc, info);
}

int CReportJob::PrintPage(rpt::ReportDevice* dc, CPrintInfo* info) {
  dc_ = dc;
  return generator_ ? generator_->PrintPage(*this, info) : 0;
}

void CReportJob::EndPrinting(rpt::ReportDevice* dc, CPrintInfo* info) {
  if (generator_) generator_->EndPrinting(dc, info);
}

void CReportJob::DrawPrintedByLine(rpt::ReportDevice* dc, int x, int y) {
  if (!dc) return;
  if (!font_) {
    // The line's font exists from BeginPrinting on; a caller drawing before
    // that still gets the line in the device's font.
    dc->TextOut(x, y, res::LoadString(res::kIdsPrintedBy));
    return;
  }
  const rpt::LogFont previous = dc->SelectFont(*font_);
  dc->TextOut(x, y, res::LoadString(res::kIdsPrintedBy));
  dc->SelectFont(previous);
}

int CReportJob::GetRelationshipCodes(std::string& out, int& flags, RelationshipLinks& links,
                                     std::int32_t rin, bool showRelationship,
                                     bool showMultipleParents, std::int32_t marriage) {
  if (rin == 0) return 0;
  int result = 0;
  std::string code;
  const std::vector<std::int32_t> list = links.ParentLinks(rin);
  if (showMultipleParents && list.size() > 1) {
    flags |= kRelMultipleParents;
    result += 1;
  }
  if (showRelationship && !list.empty()) {
    CFamilyLinkRecord link;
    bool found = links.ReadLink(list.front(), link);
    if (found && marriage != 0) {
      // The chain may loop back on itself: stop at a link already seen. A
      // marriage no link carries gives no code (another family's letters
      // would be wrong).
      std::set<std::int32_t> seen{list.front()};
      while (link.mrin != marriage) {
        const std::int32_t next = link.nextInParents;
        if (next == 0 || !seen.insert(next).second || !links.ReadLink(next, link)) {
          found = false;
          break;
        }
      }
    }
    if (found) {
      const char father = link.firstParentRelation;
      const char mother = link.secondParentRelation;
      if (father != 'b') {
        result += 2;
        code = CodeOfLetter(father, flags);
      }
      if (mother != father && mother != 'b') {
        result += 2;
        code = CodeOfLetter(mother, flags);
      }
    }
  }
  switch (result) {
    case 1:
      out = kMultipleCode;
      break;
    case 2:
    case 4:
      out = code;
      break;
    case 3:
    case 5:
      out = std::string(kMultipleCode) + code;
      break;
    default:
      break;
  }
  return result;
}

void CReportJob::DrawRelationshipLegend(rpt::ReportDevice* dc, int x, int y,
                                        const rpt::LogFont& textFont, const rpt::LogFont& codeFont,
                                        int flags, int right, int layout, bool showMultipleParents,
                                        bool showRelationship) {
  if (!dc || flags == 0 || (!showMultipleParents && !showRelationship)) return;
  dc->SelectFont(textFont);
  const int twoBlanks = dc->GetTextExtent("  ").cx;
  const std::string heading = res::LoadString(res::kIdsLegendHeading);
  const int headingWidth = dc->GetTextExtent(heading).cx;
  int c = 1;
  for (const auto& e : kLegend)
    if (flags & e.flag) ++c;

  int offset = 0;
  if (layout == 0) {
    const int step = headingWidth + twoBlanks;
    if (right != 0 && c * step < right - x) x = x + (right - x) / 2 - c * step / 2;
    dc->TextOut(x, y, heading);
    offset = step;
  } else if (layout == 1) {
    x = right - headingWidth * c / 2;
    dc->TextOut(x, y, heading);
    offset = headingWidth;
  }

  const bool onlyMultiple = showMultipleParents && !showRelationship;
  int number = 2;
  for (const auto& e : kLegend) {
    if (e.flag == kRelMultipleParents && !showMultipleParents) continue;
    if (e.flag != kRelMultipleParents && onlyMultiple) break;
    const int n = number++;
    if (!(flags & e.flag)) continue;
    const bool drawn = layout == 0 || (layout == 1 && n <= c / 2) || (layout == 2 && n > c / 2);
    if (!drawn) continue;
    const std::string code = e.code ? res::LoadString(e.code) : kMultipleCode;
    const std::string word = res::LoadString(e.word);
    dc->SelectFont(textFont);
    const int textHeight = dc->GetTextExtent(code).cy;
    dc->SelectFont(codeFont);
    const int codeHeight = dc->GetTextExtent(code).cy;
    dc->TextOut(x + offset, y, code);
    const int codeWidth = dc->GetTextExtent(code + " ").cx;
    dc->SelectFont(textFont);
    dc->TextOut(x + offset + codeWidth, y + (textHeight - codeHeight) / 2, word);
    offset += codeWidth + dc->GetTextExtent(word).cx + twoBlanks;
  }
  dc->SelectFont(textFont);
}

int CReportJob::DrawTextToNextTag(CReportGenerator* generator, rpt::ReportDevice* dc,
                                  ReportStyleFonts& fonts, const char* text, int length, int& x,
                                  int y, int offset) {
  std::string run;
  auto drawRun = [&] {
    if (run.empty() || !dc) return;
    if (generator)
      generator->TextOutString(dc, x, y, run);
    else
      dc->TextOut(x, y, run);
    x += dc->GetTextExtent(run).cx;
  };
  for (int i = offset; i < length;) {
    const int tag = ScanStyleTag(text + i, length - i);
    const std::optional<rpt::LogFont>* font = nullptr;
    switch (tag) {
      case 1:
        font = &fonts.italic;
        break;
      case 2:
        font = &fonts.bold;
        break;
      case 4:
        font = &fonts.special;
        break;
      case -1:
      case -2:
      case -4:
        font = &fonts.normal;
        break;
      default:
        break;
    }
    if (font && font->has_value()) {
      if (tag > 0)
        fonts.used |= tag == 1 ? 0x01 : 0x10;
      else
        fonts.used &= 0x10;
      drawRun();
      if (dc) dc->SelectFont(**font);
      return i + (tag > 0 ? 3 : 4);
    }
    run += text[i];
    ++i;
  }
  drawRun();
  return 0;
}

void CReportJob::FormatSeeNotesList(char* buffer, unsigned size,
                                    const std::vector<std::uint32_t>& numbers, bool withPrefix) {
  if (!buffer || size == 0) return;
  buffer[0] = '\0';
  std::size_t used = 0;
  if (withPrefix) {
    // Bounded: a buffer shorter than the prefix keeps what fits.
    const std::string prefix = res::LoadString(res::kIdsSeeNotes);
    used = std::min<std::size_t>(prefix.size(), size - 1);
    std::memcpy(buffer, prefix.data(), used);
    buffer[used] = '\0';
  }
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    char item[24];
    std::snprintf(item, sizeof item, i + 1 < numbers.size() ? "%u," : "%u", numbers[i]);
    const std::size_t n = std::strlen(item);
    if (used + n < size) {
      std::memcpy(buffer + used, item, n + 1);
      used += n;
    }
  }
  if (withPrefix && used + 1 < size) {
    buffer[used++] = '.';
    buffer[used] = '\0';
  }
}

void CReportJob::InsertSortedUnique(std::uint32_t value, std::vector<std::uint32_t>& numbers) {
  const auto it = std::lower_bound(numbers.begin(), numbers.end(), value);
  if (it != numbers.end() && *it == value) return;
  numbers.insert(it, value);
}
