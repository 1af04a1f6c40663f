// The Check/Repair pass over the note chains of the records that own notes:
// chains of two records that share blocks are parted, and every block names
// the record whose chain keeps it.
#include <algorithm>
#include <map>
#include <unordered_set>
#include <vector>

#include "DatabaseChecker.h"
#include "DatabaseCheckerParts.h"
#include "ORV3.h"

using namespace orv;
using namespace checkrepair;

namespace {

// The note fields of the records that own notes.
struct NoteField {
  RecordKind kind;
  RecordKind liveKind;  // whose live test counts (an extension has none)
  int field;
  const char* name;
};
constexpr NoteField kNoteFields[] = {
    {RecordKind::Individual, RecordKind::Individual, 226, "Individual"},
    {RecordKind::Marriage, RecordKind::Marriage, 89, "Marriage"},
    {RecordKind::Source, RecordKind::Source, 459, "Source"},
    {RecordKind::SourceExt, RecordKind::Source, 8, "Source"},
    {RecordKind::Citation, RecordKind::Citation, 1, "Citation"},
    {RecordKind::Citation, RecordKind::Citation, 103, "Citation"}};

// One record's chain as read: its blocks in chain order (up to the first
// repeated or unreadable one), with each block's previous and owner fields.
struct Chain {
  const NoteField* field;
  std::int32_t record;
  std::vector<std::int32_t> blocks, previous, owner;
  std::size_t kept;  // the blocks from the first that stay in the chain
};

// How well a block at position i of a chain fits it: its back link names
// the block before it (or none for the first), and its owner the record.
int Fit(const Chain& c, std::size_t i) {
  const std::int32_t before = i == 0 ? 0 : c.blocks[i - 1];
  return 2 * (c.previous[i] == before) + (c.owner[i] == c.record);
}

}  // namespace

int CDatabaseChecker::CheckNoteOwners() {
  auto& records = engine_.Records();
  const std::int32_t highestNote = Highest(RecordKind::NoteBlock);
  std::vector<std::uint8_t> note(NoteBlockRec::kSize);
  std::vector<Chain> chains;
  for (const NoteField& field : kNoteFields) {
    std::vector<std::uint8_t> rec(LayoutOf(field.kind).size);
    const std::int32_t highest = Highest(field.liveKind);
    for (std::int32_t r = 1; r <= highest; ++r) {
      // The live test reads the record itself; an extension is read after
      // its record's test.
      if (field.kind == field.liveKind ? records.IsLive(field.kind, r, rec.data()) != 1
                                       : records.IsLive(field.liveKind, r) != 1 ||
                                             !records.ReadRaw(field.kind, r, rec.data()))
        continue;
      if (GetI32(rec.data() + field.field) <= 0) continue;
      Chain c{&field, r, {}, {}, {}, 0};
      std::unordered_set<std::int32_t> seen;
      for (std::int32_t b = GetI32(rec.data() + field.field);
           b > 0 && b <= highestNote && seen.insert(b).second; b = GetI32(note.data())) {
        if (!records.ReadRaw(RecordKind::NoteBlock, b, note.data())) break;
        c.blocks.push_back(b);
        c.previous.push_back(GetI32(note.data() + 4));
        c.owner.push_back(GetI32(note.data() + 8));
      }
      c.kept = c.blocks.size();
      chains.push_back(std::move(c));
    }
  }

  // Blocks on more than one chain, with where each chain has them. A block
  // stays with the chain it fits best (the first of equals); the others end
  // before it, which may leave another shared block to one chain only.
  std::vector<int> firstChain(static_cast<std::size_t>(std::max(highestNote, 0)) + 1, -1);
  std::map<std::int32_t, std::vector<std::pair<int, std::size_t>>> shared;
  for (std::size_t c = 0; c < chains.size(); ++c)
    for (std::size_t i = 0; i < chains[c].blocks.size(); ++i) {
      const std::int32_t b = chains[c].blocks[i];
      if (firstChain[b] < 0) {
        firstChain[b] = static_cast<int>(c);
        continue;
      }
      auto& on = shared[b];
      if (on.empty()) {
        const Chain& first = chains[firstChain[b]];
        on.emplace_back(firstChain[b], static_cast<std::size_t>(
                                           std::find(first.blocks.begin(), first.blocks.end(), b) -
                                           first.blocks.begin()));
      }
      on.emplace_back(static_cast<int>(c), i);
    }
  std::map<int, int> endedBy;  // chain parted -> chain that keeps the block it ends before
  for (bool parted = true; parted;) {
    parted = false;
    for (const auto& [b, on] : shared) {
      int keeper = -1;
      std::size_t keeperAt = 0;
      for (const auto& [c, i] : on) {
        if (i >= chains[c].kept) continue;
        if (keeper < 0 || Fit(chains[c], i) > Fit(chains[keeper], keeperAt)) {
          keeper = c;
          keeperAt = i;
        }
      }
      for (const auto& [c, i] : on)
        if (c != keeper && i < chains[c].kept) {
          chains[c].kept = i;
          endedBy[c] = keeper;
          parted = true;
        }
    }
  }
  for (const auto& [c, keeper] : endedBy) {
    Chain& chain = chains[c];
    const Chain& other = chains[keeper];
    bool fixed = false;
    if (repair_) {
      if (chain.kept == 0) {
        std::vector<std::uint8_t> rec(LayoutOf(chain.field->kind).size);
        if (records.ReadRaw(chain.field->kind, chain.record, rec.data())) {
          PutI32(rec.data() + chain.field->field, 0);
          fixed = records.WriteRaw(chain.field->kind, chain.record, rec.data()) != 0;
        }
      } else if (records.ReadRaw(RecordKind::NoteBlock, chain.blocks[chain.kept - 1],
                                 note.data())) {
        PutI32(note.data(), 0);
        fixed =
            records.WriteRaw(RecordKind::NoteBlock, chain.blocks[chain.kept - 1], note.data()) != 0;
      }
    }
    const std::string ended = repair_ ? Format("  Ended the notes of %s %lu before it.",
                                               chain.field->name, U(chain.record))
                                      : "";
    if (!LogProblem(Format("The notes of %s %lu run into the notes of %s %lu at note block %lu.%s",
                           chain.field->name, U(chain.record), other.field->name, U(other.record),
                           U(chain.blocks[chain.kept]), ended.c_str()),
                    fixed))
      return 0;
  }

  // Every block a chain keeps names its record as the owner. One that does
  // not (or names none, and so reads as free and would be handed out again)
  // gets its owner back.
  for (const Chain& c : chains)
    for (std::size_t i = 0; i < c.kept; ++i) {
      const std::int32_t b = c.blocks[i];
      if (c.owner[i] == c.record) continue;
      bool fixed = false;
      if (repair_ && records.ReadRaw(RecordKind::NoteBlock, b, note.data())) {
        PutI32(note.data() + 8, c.record);
        fixed = records.WriteRaw(RecordKind::NoteBlock, b, note.data()) != 0;
      }
      if (!LogProblem(Format("Note block %lu names owner %lu but belongs to %s %lu.", U(b),
                             U(c.owner[i]), c.field->name, U(c.record)),
                      fixed))
        return 0;
    }
  return stopped_ ? 0 : 1;
}
