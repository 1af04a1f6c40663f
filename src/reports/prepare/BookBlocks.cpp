#include "BookBlocks.h"

#include <algorithm>
#include <cstdio>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "Footnotes.h"
#include "MultimediaChain.h"
#include "NumberWords.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

std::string BookNotes(const BookOptions& options, std::int32_t rin) {
  return DbGetNotes(rin, 0, db::kIndividual, options.markedOnly ? 1 : 0,
                    options.confidential ? 1 : 0, 1);
}

bool BookOverLimit(std::uint64_t entries, unsigned captionId) {
  if (entries < kBookEntryLimit) return false;
  CleanupBookPages();
  plat::MessageBox(res::LoadString(res::kIdsInsufficientMemory), res::LoadString(captionId),
                   plat::kMbOk | plat::kMbIconExclamation);
  return true;
}

std::string BookBlockMaker::NumberLabel(std::uint32_t number) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%lu.  ", static_cast<unsigned long>(number));
  return buffer;
}

int BookBlockMaker::LabelIndent(const std::string& label) {
  if (dc_ == nullptr) return 0;
  const LogFont previous = dc_->SelectFont(*run_.fonts.narrative.normal);
  const int width = dc_->GetTextExtent(label).cx;
  dc_->SelectFont(previous);
  return std::max(width - 400, 0);
}

void BookBlockMaker::Title(unsigned defaultPrefixId) {
  const BookOptions& o = run_.options;
  std::string title = o.titlePrefix.empty() ? res::LoadString(defaultPrefixId) : o.titlePrefix;
  if (!title.empty() && title.back() != ' ') title += ' ';
  if (o.titleUseName) title += BookPersonName(o.startRin);
  if (!o.titleSuffix.empty()) {
    if (title.back() != ' ' && o.titleSuffix.front() != ' ') title += ' ';
    title += o.titleSuffix;
  }
  BookBlock block;
  block.kind = BookBlockKind::kTitle;
  block.font = BookFontRole::kTitle;
  block.centred = true;
  block.text = title;
  block.firstX = 0;
  block.firstWidth = o.textWidth;
  block.gapAfter = 5;
  block.person = 0;
  run_.blocks.push_back(std::move(block));
}

void BookBlockMaker::ChapterHeading(int generation, int person) {
  const BookOptions& o = run_.options;
  BookBlock block;
  block.kind = BookBlockKind::kChapterHeading;
  block.font = BookFontRole::kHeading;
  block.centred = true;
  block.generation = generation;
  block.text = OrdinalWord(generation) + " " + res::LoadString(res::kIdsGeneration);
  block.firstX = 0;
  block.firstWidth = o.textWidth;
  block.gapBefore = 5;
  block.gapAfter = 3;
  block.keepRoom = 9;  // with the 5 above it: 14 half-lines for the heading and a first person
  block.pageBreakBefore = generation > 1 && (o.newPagePerGeneration || o.endChapter);
  block.person = person;
  run_.blocks.push_back(std::move(block));
}

BookBlock& BookBlockMaker::Paragraph(BookBlockKind kind, int person, std::int32_t rin,
                                     std::uint32_t number, int generation, std::string text,
                                     bool numbered, int x) {
  const int width = run_.options.textWidth;
  BookBlock block;
  block.kind = kind;
  block.person = person;
  block.rin = rin;
  block.number = number;
  block.generation = generation;
  block.text = std::move(text);
  block.firstX = block.laterX = x;
  block.firstWidth = block.laterWidth = width - x;
  if (numbered) {
    const std::string label = NumberLabel(number);
    const int indent = LabelIndent(label);
    block.firstX = x + indent;
    block.firstWidth = width - x - indent;
    block.prefixes.push_back({block.firstX - 20, 'r', label});
  }
  run_.blocks.push_back(std::move(block));
  return run_.blocks.back();
}

void BookBlockMaker::Photo(BookBlock& block) {
  const BookOptions& o = run_.options;
  if (!o.photos || block.rin <= 0 || o.photoWidth <= 0 || o.photoHeight <= 0) return;
  if (!o.photoReserve && DbHasDefaultPhoto(block.rin, db::kIndividual) == 0) return;
  block.photoLines = (o.photoHeight + kBookHalfLine / 2) / kBookHalfLine;
  block.photoAllowance = o.photoWidth + 50;
  block.photoX = block.firstX;
  block.photoLeft = o.photoLeft;
  // A chapter heading keeps room for the photo of the person below it.
  const std::size_t n = run_.blocks.size();
  if (n >= 2 && &block == &run_.blocks.back() &&
      run_.blocks[n - 2].kind == BookBlockKind::kChapterHeading)
    run_.blocks[n - 2].keepRoom = std::max(run_.blocks[n - 2].keepRoom, block.photoLines + 5);
}

bool BookBlockMaker::Notes(int person, std::int32_t rin, bool appendix, int part) {
  std::string notes = BookNotes(run_.options, rin);
  if (notes.empty()) return false;
  const int x = appendix ? 400 : 650;
  BookBlock& block =
      Paragraph(BookBlockKind::kNotes, person, rin, 0, 0, std::move(notes), false, x);
  block.font = BookFontRole::kNotes;
  block.gapBefore = appendix ? 0 : 1;
  block.section = appendix ? 1 : 0;
  block.part = part;
  if (person >= 0 && static_cast<std::size_t>(person) < run_.persons.size())
    block.generation = run_.persons[static_cast<std::size_t>(person)].generation;
  return true;
}

void BookBlockMaker::NotesAppendixHeading() {
  BookBlock block;
  block.kind = BookBlockKind::kNotesAppendixHeading;
  block.font = BookFontRole::kTitle;
  block.centred = true;
  block.text = res::LoadString(res::kIdsNotesAppendix);
  block.firstX = 0;
  block.firstWidth = run_.options.textWidth;
  block.gapAfter = 5;
  block.pageBreakBefore = true;
  block.section = 1;
  block.part = 1;
  run_.blocks.push_back(std::move(block));
}

void BookBlockMaker::NotesHeading(int person, std::uint32_t number, std::int32_t rin,
                                  const std::string& suffix) {
  std::string label = NumberLabel(number);
  if (!suffix.empty()) label.insert(label.find('.'), suffix);
  BookBlock& block = Paragraph(BookBlockKind::kNotesHeading, person, rin, number, 0,
                               "<B>" + BookPersonName(rin) + "</B>", false);
  block.font = BookFontRole::kNotes;
  block.prefixes.push_back({block.firstX - 20, 'r', label});
  block.keepRoom = 4;
  block.section = 1;
  block.part = 1;
}

void BookBlockMaker::EndChapter() {
  run_.boundaries.push_back(
      static_cast<std::uint16_t>(std::min<std::size_t>(run_.citations.size(), 0xFFFF)));
}

void BookBlockMaker::Citations(std::size_t first, std::size_t last, int generation) {
  const BookOptions& o = run_.options;
  for (std::size_t i = first; i < last; ++i) {
    CCitationRecord citation;
    std::string text;
    if (DbGetRecord(run_.citations[i], db::kCitation, &citation) == 1)
      family::FormatFootnote(citation, text, true, run_.seenFlags[i] != 0, o.titleOnly,
                             o.actualText, o.comments);
    if (text.empty()) text = " ";
    char label[24];
    std::snprintf(label, sizeof label, "  %d. ", static_cast<int>(i - first + 1));
    BookBlock& block =
        Paragraph(BookBlockKind::kCitation, -1, 0, 0, generation, std::move(text), false, 450);
    block.font = BookFontRole::kNotes;
    block.prefixes.push_back({400, 'r', label});
    block.section = 3;
    block.part = static_cast<int>(i);
  }
}

void BookBlockMaker::ChapterSources(int generation) {
  const auto [first, last] = ChapterCitations(run_, generation);
  if (first >= last) return;
  BookBlock block;
  block.kind = BookBlockKind::kSourcesHeading;
  block.font = BookFontRole::kSubHeading;
  block.centred = true;
  block.text = res::LoadString(res::kIdsSources);
  block.firstX = 0;
  block.firstWidth = run_.options.textWidth;
  block.gapBefore = 2;
  block.gapAfter = 2;
  block.keepRoom = 4;
  block.generation = generation;
  block.section = 3;
  run_.blocks.push_back(std::move(block));
  Citations(first, last, generation);
}

void BookBlockMaker::SourcesAppendix() {
  if (run_.citations.empty()) return;
  BookBlock block;
  block.kind = BookBlockKind::kSourcesAppendixHeading;
  block.font = BookFontRole::kTitle;
  block.centred = true;
  block.text = res::LoadString(res::kIdsSourcesAppendix);
  block.firstX = 0;
  block.firstWidth = run_.options.textWidth;
  block.gapAfter = 5;
  block.pageBreakBefore = true;
  block.section = 3;
  run_.blocks.push_back(std::move(block));
  Citations(0, run_.citations.size(), 0);
}

}  // namespace rpt
