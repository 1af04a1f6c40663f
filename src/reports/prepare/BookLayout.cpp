#include "BookLayout.h"

#include <algorithm>

#include "FontDescription.h"

namespace rpt {

namespace {

LogFont Font(const char* face, int height, int weight, bool italic = false,
             bool underline = false) {
  LogFont f;
  f.face = face;
  f.height = -height;
  f.weight = weight;
  f.italic = italic;
  f.underline = underline;
  return f;
}

}  // namespace

BookFonts BookFonts::Make(const std::string& notesDescription) {
  BookFonts fonts;
  fonts.narrative.normal = Font("Times New Roman", 150, 400);
  fonts.narrative.italic = Font("Times New Roman", 150, 400, false, true);
  fonts.narrative.bold = Font("Times New Roman", 150, 800);
  fonts.narrative.small = Font("Times New Roman", 100, 400);

  std::string face;
  int size = 9, weight = 400, italic = 0;
  ParseFontDescription(notesDescription, face, size, weight, italic);
  const int height = size * 1000 / 72;
  const bool slanted = italic != 0;
  fonts.notes.normal = Font(face.c_str(), height, weight, slanted);
  fonts.notes.italic = Font(face.c_str(), height, weight, !slanted);
  // A heavier weight of the same face; weights stop at 900.
  fonts.notes.bold = Font(face.c_str(), height, std::min(2 * weight, 900), slanted);

  fonts.title = Font("Arial", 220, 700);
  fonts.heading = Font("Arial", 190, 700);
  fonts.footer = Font("Times New Roman", 100, 400);
  return fonts;
}

CStyleFontSet& BookFonts::SetFor(BookFontRole role) {
  return role == BookFontRole::kNarrative ? narrative : notes;
}

bool BookLayout::Break(std::size_t block, std::size_t offset, BookLayoutSink& sink,
                       std::uint8_t style) {
  if (!sink.NewPage({block, offset, page_, style})) return false;
  budget_ = page_;
  used_ = 0;
  atTop_ = true;
  // A photo whose person goes on to the next page counts as placed.
  photoLeft_ = 0;
  photo_ = nullptr;
  return true;
}

int BookLayout::Walk(const BookPosition& pos, BookLayoutSink& sink) {
  budget_ = pos.budget;
  used_ = page_ - pos.budget;
  atTop_ = true;
  photoLeft_ = 0;
  photo_ = nullptr;
  auto spend = [this](int halfLines) {
    const int n = std::min(halfLines, budget_);
    budget_ -= n;
    used_ += n;
    photoLeft_ = std::max(photoLeft_ - n, 0);
  };
  // The person's block is at least as tall as the photo.
  auto endPhoto = [&] {
    if (photoLeft_ > 0) spend(photoLeft_);
    photoLeft_ = 0;
    photo_ = nullptr;
  };
  for (std::size_t b = pos.block; b < blocks_.size(); ++b) {
    const BookBlock& block = blocks_[b];
    std::size_t offset = b == pos.block ? pos.offset : 0;
    const bool resumed = b == pos.block && pos.offset > 0;
    if (photo_ != nullptr && block.person != photo_->person) endPhoto();
    if (!resumed) {
      if (block.photoLines > 0 && photo_ != nullptr) endPhoto();
      if (block.pageBreakBefore && !atTop_ && !Break(b, 0, sink, 0)) return used_;
      if (!atTop_ && block.gapBefore > 0) {
        spend(block.gapBefore);
        sink.Gap(block.gapBefore);
      }
      const int room = std::max({block.keepRoom, 2, block.photoLines});
      if (budget_ < room && !atTop_ && !Break(b, 0, sink, 0)) return used_;
      sink.BlockStart(b, block, used_);
      if (block.photoLines > 0) {
        photo_ = &block;
        photoLeft_ = block.photoLines + 1;
      }
    }

    if (block.centred || block.kind == BookBlockKind::kReference) {
      // One line, never broken.
      sink.Line(b, block, true, block.firstX, used_, block.text, 0);
      spend(2);
      atTop_ = false;
      spend(block.gapAfter);
      continue;
    }

    CStyleFontSet& set = fonts_.SetFor(block.font);
    set.style = resumed ? pos.style : std::uint8_t{kStyleNormal};
    const std::string_view text = block.text;
    bool first = offset == 0;
    while (offset < text.size()) {
      if (budget_ < 2 && !Break(b, offset, sink, set.style)) return used_;
      int width = first ? block.firstWidth : block.laterWidth;
      int x = first ? block.firstX : block.laterX;
      if (photoLeft_ > 0 && photo_ != nullptr) {
        // Beside the photo: on its right, or short of it on the right.
        if (photo_->photoLeft) {
          const int start = std::max(x, photo_->photoX + photo_->photoAllowance);
          width -= start - x;
          x = start;
        } else {
          width -= photo_->photoAllowance;
        }
      }
      const std::uint8_t style = set.style;
      const std::string_view rest = text.substr(offset);
      const std::size_t length = FitTextLine(rest, dc_, width, width / 85, &set);
      sink.Line(b, block, first, x, used_, rest.substr(0, length), style);
      spend(2);
      atTop_ = false;
      first = false;
      offset += length;
      if (text.compare(offset, 4, "\r\n\r\n") == 0) {
        offset += 4;
        spend(1);
        sink.ParagraphBreak(block);
      } else if (text.compare(offset, 2, "\r\n") == 0) {
        offset += 2;
      }
    }
    if (block.gapAfter > 0) {
      endPhoto();
      spend(block.gapAfter);
      sink.Gap(block.gapAfter);
    }
  }
  endPhoto();
  return used_;
}

std::vector<std::uint32_t> BookIndexPageStarts(int pageHalfLines, int columns,
                                               std::uint32_t records) {
  std::vector<std::uint32_t> starts{0};
  const int first = (pageHalfLines / 2 - 5) * columns;
  const int further = (pageHalfLines - 3) / 2 * columns;
  if (first <= 0 || further <= 0) return starts;
  for (std::uint64_t r = static_cast<std::uint64_t>(first); r < records;
       r += static_cast<std::uint64_t>(further))
    starts.push_back(static_cast<std::uint32_t>(r));
  return starts;
}

}  // namespace rpt
