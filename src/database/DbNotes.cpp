// The database calls of notes: reading with the hidden and marked paragraph
// filter, writing, and the paragraphs of one note tag.
#include <algorithm>

#include "DbCalls.h"
#include "DbDispatch.h"
#include "Orv2Reader.h"

using dbcall::Engine;
using dbcall::OldFormat;

namespace {

constexpr char kParagraphEnd[] = "\r\n\r\n";

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// One paragraph: the line ends before it from start, its text from body, up
// to and including the empty line that closes it (end).
struct Paragraph {
  std::size_t start, body, end;
};

std::vector<Paragraph> Paragraphs(const std::string& t) {
  std::vector<Paragraph> out;
  std::size_t pos = 0;
  while (pos < t.size()) {
    Paragraph p{pos, pos, t.size()};
    while (p.body < t.size() && IsLineEnd(t[p.body])) ++p.body;
    if (p.body < t.size()) {
      const std::size_t found = t.find(kParagraphEnd, p.body);
      if (found != std::string::npos) p.end = found + 4;
    } else {
      p.end = p.body;
    }
    out.push_back(p);
    pos = p.end;
  }
  return out;
}

// Each paragraph of text after an empty line gets prefix in front.
std::string PrefixParagraphs(const std::string& text, const std::string& prefix) {
  std::string out = prefix;
  for (const Paragraph& p : Paragraphs(text)) {
    if (p.start != 0) {
      out.append(text, p.start, p.body - p.start);
      if (p.body < p.end) out += prefix;
      out.append(text, p.body, p.end - p.body);
    } else {
      out.append(text, p.body, p.end - p.body);
    }
  }
  return out;
}

// The first note block of a record, or the block itself.
std::int32_t FirstBlockOf(ORV3& e, std::int32_t rinOrBlock, int isBlock, int type) {
  return isBlock ? rinOrBlock : e.Notes().GetFirstNoteBlock(rinOrBlock, type);
}

// The notes as stored; "" without notes.
std::string StoredNotes(ORV3& e, std::int32_t rinOrBlock, int isBlock, int type) {
  std::string text;
  if (e.Notes().GetNotesText(rinOrBlock, isBlock != 0, type, text) != 1) text.clear();
  return text;
}

}  // namespace

// ---- the rules on a text ----

std::string FilterNotesText(const std::string& text, bool onlyBang, bool withTilde,
                            bool stripMarks) {
  if (!onlyBang && withTilde && !stripMarks) return text;
  std::string out;
  bool copy = !onlyBang;
  for (const Paragraph& p : Paragraphs(text)) {
    // Extra line ends before a paragraph go with the one before it.
    if (copy) out.append(text, p.start, p.body - p.start);
    if (p.body >= p.end) continue;
    const char first = text[p.body];
    std::size_t from = p.body;
    if (onlyBang) {
      copy = first == '!';
    } else if (first == '~') {
      copy = withTilde;
    } else {
      copy = true;
    }
    if (copy && stripMarks && (first == '!' || first == '~')) ++from;
    if (copy) out.append(text, from, p.end - from);
  }
  return out;
}

std::string NoteTagAt(const std::string& text, std::size_t pos) {
  while (pos < text.size() && IsLineEnd(text[pos])) ++pos;
  std::size_t e = pos;
  while (e < text.size() && text[e] != ' ' && !IsLineEnd(text[e])) ++e;
  if (e == pos || text[e - 1] != ':') return {};
  return text.substr(pos, e - pos);
}

std::vector<std::string> NoteTagsOf(const std::string& text) {
  std::vector<std::string> tags;
  for (const Paragraph& p : Paragraphs(text)) {
    std::string tag = NoteTagAt(text, p.body);
    if (!tag.empty()) tags.push_back(std::move(tag));
  }
  return tags;
}

std::string TaggedParagraphs(const std::string& text, const std::string& tag, bool keepTag) {
  std::string out;
  if (tag.empty()) return out;
  for (const Paragraph& p : Paragraphs(text)) {
    const std::size_t after = p.body + tag.size();
    if (after > p.end || text.compare(p.body, tag.size(), tag) != 0) continue;
    if (after < text.size() && text[after] != ' ' && text[after] != '\r') continue;
    std::size_t from = p.body;
    if (!keepTag) {
      from = after;
      if (from < text.size() && text[from] == ' ') {
        ++from;
      } else if (text.compare(from, 2, "\r\n") == 0) {
        from += 2;
      }
    }
    if (from < p.end) out.append(text, from, p.end - from);
  }
  for (int i = 0; i < 2 && out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0; ++i)
    out.resize(out.size() - 2);
  return out;
}

std::string ReplaceTaggedParagraphs(const std::string& notes, const std::string& newText,
                                    const std::string& tag) {
  const std::string added = newText.empty() ? std::string() : PrefixParagraphs(newText, tag + " ");
  std::string remaining;
  std::size_t place = std::string::npos;
  for (const Paragraph& p : Paragraphs(notes)) {
    if (p.body < p.end && NoteTagAt(notes, p.body) == tag) {
      if (place == std::string::npos) place = remaining.size();
      continue;
    }
    remaining.append(notes, p.start, p.end - p.start);
  }
  if (place == std::string::npos) {
    if (added.empty()) return remaining;
    return remaining.empty() ? added : remaining + kParagraphEnd + added;
  }
  std::string out = remaining.substr(0, place) + added;
  const std::string rest = remaining.substr(place);
  if (!added.empty() && !rest.empty()) out += kParagraphEnd;
  out += rest;
  // The empty line that closed the paragraph before a removed last one is
  // not left dangling at the end.
  if (notes.empty() || !IsLineEnd(notes.back()))
    while (!out.empty() && IsLineEnd(out.back())) out.pop_back();
  return out;
}

// ---- the calls ----

std::string DbGetNotes(std::int32_t rinOrBlock, int isBlock, int type, int onlyBang, int withTilde,
                       int stripMarks) {
  if (CFamilyDatabase* old = OldFormat()) {
    // Only individuals carry notes in an old family.
    if (!isBlock && type != db::kIndividual) return {};
    return FilterNotesText(orv2::NotesText(*old, rinOrBlock, isBlock != 0), onlyBang != 0,
                           withTilde != 0, stripMarks != 0);
  }
  ORV3* e = Engine(30);
  if (!e) return {};
  return FilterNotesText(StoredNotes(*e, rinOrBlock, isBlock, type), onlyBang != 0, withTilde != 0,
                         stripMarks != 0);
}

std::int32_t DbSetNotes(std::int32_t rinOrBlock, const std::string& text, int mode, int isBlock,
                        int type) {
  ORV3* e = Engine(31);
  if (!e) return 0;
  if (e->Notes().SetNotes(rinOrBlock, text, mode, isBlock != 0, type) != 1) return 0;
  if (isBlock) return mode == 0 && text.empty() ? 0 : rinOrBlock;
  return e->Notes().GetFirstNoteBlock(rinOrBlock, type);
}

std::int32_t DbGetNoteBlock(std::int32_t rin, int type) {
  if (CFamilyDatabase* old = OldFormat())
    return type == db::kIndividual ? orv2::FirstNoteBlock(*old, rin) : 0;
  ORV3* e = Engine(32);
  return e ? e->Notes().GetFirstNoteBlock(rin, type) : 0;
}

int DbDeleteNotes(std::int32_t rin, int type) {
  ORV3* e = Engine(33);
  return e ? e->Notes().DeleteNotes(rin, type) : 0;
}

std::vector<std::string> DbGetNoteTagList(std::int32_t rinOrBlock, int isBlock, int type) {
  if (OldFormat()) return NoteTagsOf(DbGetNotes(rinOrBlock, isBlock, type, 0, 1, 0));
  ORV3* e = Engine(30);
  if (!e) return {};
  return NoteTagsOf(StoredNotes(*e, rinOrBlock, isBlock, type));
}

std::int32_t DbReplaceTaggedNote(std::int32_t rinOrBlock, const std::string& newText,
                                 const std::string& tag, int isBlock, int type) {
  ORV3* e = Engine(31);
  if (!e) return 0;
  const std::string notes = StoredNotes(*e, rinOrBlock, isBlock, type);
  const std::string result = ReplaceTaggedParagraphs(notes, newText, tag);
  if (result.empty()) {
    if (notes.empty()) return FirstBlockOf(*e, rinOrBlock, isBlock, type);
    if (!isBlock) {
      e->Notes().DeleteNotes(rinOrBlock, type);
      return e->Notes().GetFirstNoteBlock(rinOrBlock, type);
    }
  }
  return DbSetNotes(rinOrBlock, result, 0, isBlock, type);
}

std::string DbGetTaggedNote(std::int32_t rinOrBlock, const std::string& tag, int keepTag,
                            int isBlock, int type) {
  const std::string notes = DbGetNotes(rinOrBlock, isBlock, type, 0, 1, 0);
  return TaggedParagraphs(notes, tag, keepTag != 0);
}
