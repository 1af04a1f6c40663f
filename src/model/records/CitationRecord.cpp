#include "CitationRecord.h"

#include <algorithm>
#include <iterator>

CCitationRecord::CCitationRecord(const CCitationRecord& other)
    : pageText(other.pageText),
      detailText(other.detailText),
      entryDate(other.entryDate),
      comments(other.comments),
      actualText(other.actualText),
      image(other.image ? std::make_unique<CMultimediaItem>(*other.image) : nullptr),
      sourceRin(other.sourceRin),
      nextCitation(other.nextCitation),
      previousCitation(other.previousCitation),
      ownerLetter(other.ownerLetter),
      ownerNumber(other.ownerNumber),
      secondOwnerNumber(other.secondOwnerNumber),
      formatCode(other.formatCode),
      quality(other.quality) {
  std::copy(std::begin(other.numbers), std::end(other.numbers), numbers);
}

CCitationRecord& CCitationRecord::operator=(const CCitationRecord& other) {
  if (this != &other) *this = CCitationRecord(other);
  return *this;
}

void CCitationRecord::Clear() { *this = CCitationRecord(); }

bool CCitationRecord::IsSame(const CCitationRecord& other) const {
  return sourceRin == other.sourceRin && ownerLetter == other.ownerLetter &&
         ownerNumber == other.ownerNumber && pageText == other.pageText &&
         detailText == other.detailText && entryDate.Equals(other.entryDate) &&
         actualText == other.actualText && comments == other.comments;
}

void CCitationRecord::AddCitationPiece(std::string& out) const {
  if (!pageText.empty()) footnote::Add(out, footnote::PagePiece(pageText));
  if (entryDate.IsSet()) footnote::Add(out, entryDate.ToString());
}

namespace {

// A blank, the text in double quotes, ended by "." inside the quotes.
void AppendQuoted(std::string& out, const std::string& text) {
  std::string trimmed = footnote::TrimTrailingBlanks(text);
  out += " \"";
  out += trimmed;
  if (!trimmed.ends_with('.')) out += '.';
  out += '"';
}

}  // namespace

const std::string& CCitationRecord::FormatFootnote(std::string& out, bool italics, bool shortForm,
                                                   bool noSourceText, bool withActualText,
                                                   bool withComments, const CSourceRecord* source,
                                                   const CRepositoryRecord* repository) const {
  // An unreadable source prints as an empty one.
  static const CSourceRecord kNoSource;
  const CSourceRecord& src = source ? *source : kNoSource;
  const bool italicTitle = italics && src.italicTitle != 0;
  out.clear();

  if (shortForm) {
    if (!noSourceText) out = src.ShortAuthor();
    const std::string& title = src.PreferredTitle(true);
    if (!title.empty()) footnote::Add(out, footnote::Italic(title, italicTitle));
    AddCitationPiece(out);
  } else {
    if (!noSourceText) out = src.author;
    if (!src.title.empty()) footnote::Add(out, footnote::Italic(src.title, italicTitle));
    if (!noSourceText) {
      if (!src.titleSupplement.empty()) footnote::Add(out, src.titleSupplement);
      footnote::AddPublication(out, src);
    }
    AddCitationPiece(out);
    if (!noSourceText) {
      footnote::AddRepository(out, src.NamedRepository(repository));
      if (!src.callNumber.empty()) footnote::Add(out, src.callNumber);
    }
    footnote::EndSentence(out);
    if (!noSourceText) {
      if (withActualText && !src.actualText.empty()) AppendQuoted(out, src.actualText);
      if (withComments && !src.comments.empty()) {
        out += ' ';
        out += footnote::TrimTrailingBlanks(src.comments);
      }
    }
  }

  footnote::EndSentence(out);
  if (!noSourceText) {
    if (withActualText && !actualText.empty()) AppendQuoted(out, actualText);
    if (withComments && !comments.empty()) {
      out += ' ';
      out += footnote::TrimTrailingBlanks(comments);
      if (!footnote::EndsWithPeriod(out)) out += '.';
    }
  }
  return out;
}

const std::string& CCitationRecord::FormatExportText(std::string& out, const CSourceRecord* source,
                                                     const CRepositoryRecord* repository) const {
  static const CSourceRecord kNoSource;
  const CSourceRecord& src = source ? *source : kNoSource;

  // Appends piece after ", " when the field that began at fieldStart already
  // holds something.
  auto addInField = [&out](std::size_t fieldStart, std::string_view piece) {
    if (out.size() > fieldStart) out += ", ";
    out += piece;
  };

  out = src.author;
  if (!src.title.empty()) addInField(0, src.title);
  out += "; ; ";
  out += src.publication;
  out += "; ";

  std::size_t field = out.size();
  out += src.callNumber;
  if (!detailText.empty()) addInField(field, detailText);
  if (!pageText.empty()) addInField(field, footnote::PagePiece(pageText));
  out += "; ";

  // The repository as a field of its own: name and address lines.
  if (const CRepositoryRecord* named = src.NamedRepository(repository)) {
    field = out.size();
    if (!named->name.empty()) addInField(field, named->name);
    for (const std::string& line : named->address) {
      if (!line.empty()) addInField(field, line);
    }
  }
  out += "; ";

  // The last field runs the remaining pieces together as sentences.
  const std::size_t run = out.size();
  auto addSentence = [&out, run](std::string_view piece) {
    if (out.size() > run) out += footnote::EndsWithPeriod(out) ? " " : ". ";
    out += piece;
  };
  if (!src.titleSupplement.empty()) out += src.titleSupplement;
  if (entryDate.IsSet()) addSentence(entryDate.ToString());
  for (const std::string* text : {&src.actualText, &src.comments, &actualText, &comments}) {
    if (!text->empty()) addSentence(*text);
  }

  // Empty trailing fields leave no separators behind.
  std::size_t end = out.find_last_not_of("; ");
  out.erase(end == std::string::npos ? 0 : end + 1);
  return out;
}
