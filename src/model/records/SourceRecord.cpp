#include "SourceRecord.h"

#include <algorithm>
#include <cstring>
#include <iterator>

int CompareNullableStrings(const char* a, const char* b) {
  if (a == b) return 0;
  if (!a) return -1;
  if (!b) return 1;
  return std::strcmp(a, b);
}

CSourceRecord::CSourceRecord(const CSourceRecord& other)
    : recordNumber(other.recordNumber),
      italicTitle(other.italicTitle),
      parenthesizeFacts(other.parenthesizeFacts),
      abbreviatedTitle(other.abbreviatedTitle),
      title(other.title),
      callNumber(other.callNumber),
      author(other.author),
      abbreviatedAuthor(other.abbreviatedAuthor),
      publication(other.publication),
      titleSupplement(other.titleSupplement),
      comments(other.comments),
      actualText(other.actualText),
      image(other.image ? std::make_unique<CMultimediaItem>(*other.image) : nullptr),
      repositoryRin(other.repositoryRin) {
  std::copy(std::begin(other.bytes), std::end(other.bytes), bytes);
  std::copy(std::begin(other.formatBytes), std::end(other.formatBytes), formatBytes);
  std::copy(std::begin(other.numbers), std::end(other.numbers), numbers);
}

CSourceRecord& CSourceRecord::operator=(const CSourceRecord& other) {
  if (this != &other) *this = CSourceRecord(other);
  return *this;
}

void CSourceRecord::Clear() { *this = CSourceRecord(); }

std::unique_ptr<CMultimediaItem> CSourceRecord::SetImage(std::unique_ptr<CMultimediaItem> item) {
  std::swap(image, item);
  return item;
}

const CRepositoryRecord* CSourceRecord::NamedRepository(const CRepositoryRecord* repository) const {
  return repositoryRin != 0 ? repository : nullptr;
}

const std::string& CSourceRecord::PreferredTitle(bool abbreviated) const {
  const std::string& first = abbreviated ? abbreviatedTitle : title;
  const std::string& second = abbreviated ? title : abbreviatedTitle;
  return first.empty() ? second : first;
}

const std::string& CSourceRecord::ShortAuthor() const {
  return abbreviatedAuthor.empty() ? author : abbreviatedAuthor;
}

const std::string& CSourceRecord::FormatFootnote(std::string& out, bool abbreviated, bool italics,
                                                 const CRepositoryRecord* repository) const {
  out = author;
  const std::string& shownTitle = PreferredTitle(abbreviated);
  // An empty title adds nothing, not even its separator.
  if (!shownTitle.empty()) footnote::Add(out, footnote::Italic(shownTitle, italics && italicTitle));
  if (!titleSupplement.empty()) footnote::Add(out, titleSupplement);
  footnote::AddPublication(out, *this);
  footnote::AddRepository(out, NamedRepository(repository));
  if (!callNumber.empty()) footnote::Add(out, callNumber);
  footnote::EndSentence(out);
  if (!actualText.empty()) {
    out += " \"";
    out += footnote::TrimTrailingBlanks(actualText);
    out += '"';
  }
  if (!comments.empty()) {
    out += ' ';
    out += footnote::TrimTrailingBlanks(comments);
    if (!footnote::EndsWithPeriod(out)) out += '.';
  }
  return out;
}

bool CSourceRecord::IsSame(const CSourceRecord& other, const CRepositoryRecord* repository,
                           const CRepositoryRecord* otherRepository) const {
  if (title != other.title || author != other.author || publication != other.publication ||
      titleSupplement != other.titleSupplement || callNumber != other.callNumber) {
    return false;
  }
  std::string mine;
  std::string theirs;
  FormatFootnote(mine, false, true, repository);
  other.FormatFootnote(theirs, false, true, otherRepository);
  return mine == theirs;
}

namespace footnote {

void Add(std::string& out, std::string_view piece) {
  if (!out.empty()) out += ", ";
  out += piece;
}

std::string TrimTrailingBlanks(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0) {
    unsigned char c = static_cast<unsigned char>(text[end - 1]);
    if (c < 1 || c > 32) break;
    --end;
  }
  return std::string(text.substr(0, end));
}

bool EndsWithPeriod(std::string_view out) {
  if (out.ends_with('.')) return true;
  // A quoted text that ends its own sentence: no second period after the quote.
  return out.ends_with(".\"");
}

void EndSentence(std::string& out) {
  if (!out.empty() && !EndsWithPeriod(out)) out += '.';
}

std::string Italic(const std::string& title, bool italic) {
  if (!italic || title.empty()) return title;
  return "<I>" + title + "</I>";
}

void AddPublication(std::string& out, const CSourceRecord& source) {
  if (source.publication.empty()) return;
  bool brackets = source.parenthesizeFacts != 0;
  if (!out.empty()) out += brackets ? " " : ", ";
  if (brackets) {
    out += '(';
    out += source.publication;
    out += ')';
  } else {
    out += source.publication;
  }
}

void AddRepository(std::string& out, const CRepositoryRecord* repository) {
  if (!repository) return;
  if (!repository->name.empty()) Add(out, repository->name);
  for (const std::string& line : repository->address) {
    if (!line.empty()) Add(out, line);
  }
}

std::string PagePiece(std::string_view page) {
  bool plain = true;
  bool range = false;
  for (char c : page) {
    if (c == '-' || c == ',') {
      range = true;
    } else if (!(c >= '0' && c <= '9') && c != ' ') {
      plain = false;
      break;
    }
  }
  if (!plain) return std::string(page);
  return (range ? "pp. " : "p. ") + std::string(page);
}

}  // namespace footnote
