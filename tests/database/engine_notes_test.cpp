// Notes in chains of note blocks: round trips of any length, line ends,
// rewriting over shorter and longer chains, damaged chains and appending.
#include <set>
#include <string>
#include <vector>

#include "CodePage.h"
#include "DbCodes.h"
#include "EngineFixture.h"
#include "ScopedCodePage.h"

using namespace orv;

namespace {

class NotesTest : public EngineTest {
 protected:
  ScopedCodePage page_{plat::kCodePageWestern};

  NoteBlockRec Block(std::int32_t b) {
    NoteBlockRec rec;
    engine->Records().Read(b, rec);
    return rec;
  }
  void SetNext(std::int32_t b, std::int32_t next) {
    NoteBlockRec rec = Block(b);
    rec.next = next;
    engine->Records().Write(b, rec);
  }
  // The blocks of a chain in order, stopping at the first repeat.
  std::vector<std::int32_t> Chain(std::int32_t first) {
    std::vector<std::int32_t> out;
    std::set<std::int32_t> seen;
    for (std::int32_t b = first; b > 0 && seen.insert(b).second; b = Block(b).next)
      out.push_back(b);
    return out;
  }
  std::string Read(std::int32_t first) {
    std::string out;
    engine->Notes().ReadNoteChain(first, out);
    return out;
  }
  // Lines of varied text with CR LF ends and accented letters.
  static std::string Text(std::size_t length) {
    static const std::string words = "Born in K\xF6ln, baptised at St. Andr\xE9 on the 3rd.\r\n";
    std::string t;
    while (t.size() < length) t += words;
    t.resize(length);
    if (!t.empty() && t.back() == '\r') t.back() = '.';
    return t;
  }
};

}  // namespace

TEST_F(NotesTest, TextsOfAnyLengthRoundTrip) {
  struct Case {
    std::size_t length;
    std::size_t blocks;  // blocks taken by a plain ASCII text of this length
  };
  const Case cases[] = {{1, 1}, {243, 1}, {244, 1}, {245, 2}, {488, 2}, {489, 3}, {10000, 41}};
  std::int32_t owner = 1;
  for (const Case& c : cases) {
    const std::string plain(c.length, 'x');
    std::int32_t field = 0;
    ASSERT_EQ(engine->Notes().SetNoteText(field, plain, owner), 1);
    EXPECT_EQ(Read(field), plain) << c.length;
    const auto chain = Chain(field);
    EXPECT_EQ(chain.size(), c.blocks) << c.length;
    // A full last piece has no terminating zero; the chain links both ways.
    EXPECT_EQ(Block(chain.back()).text.back(), c.length % 244 == 0 ? 'x' : 0) << c.length;
    for (std::size_t i = 0; i < chain.size(); ++i) {
      EXPECT_EQ(Block(chain[i]).owner, owner);
      EXPECT_EQ(Block(chain[i]).previous, i == 0 ? 0 : chain[i - 1]);
    }

    // Line ends are single CRs on disk, CR LF in memory; accents in ANSEL.
    const std::string text = Text(c.length);
    ASSERT_EQ(engine->Notes().SetNoteText(field, text, owner), 1);
    EXPECT_EQ(Read(field), text) << c.length;
    for (std::int32_t b : Chain(field))
      for (std::uint8_t ch : Block(b).text) EXPECT_NE(ch, '\n');
    ++owner;
  }
}

TEST_F(NotesTest, EmptyTextFreesTheChain) {
  std::int32_t field = 0;
  engine->Notes().SetNoteText(field, Text(600), 5);
  const auto chain = Chain(field);
  ASSERT_EQ(chain.size(), 3u);
  EXPECT_EQ(engine->Notes().SetNoteText(field, "", 5), 1);
  EXPECT_EQ(field, 0);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNoteFreeHead), chain.back());
  std::string out = "x";
  EXPECT_EQ(engine->Notes().ReadNoteChain(0, out), 0);
  EXPECT_EQ(out, "");
}

TEST_F(NotesTest, RewritingShorterFreesTheSurplusForReuse) {
  std::int32_t field = 0;
  engine->Notes().SetNoteText(field, std::string(1000, 'a'), 9);
  const auto longChain = Chain(field);
  ASSERT_EQ(longChain.size(), 5u);
  engine->Notes().SetNoteText(field, "short", 9);
  EXPECT_EQ(Read(field), "short");
  EXPECT_EQ(Chain(field), std::vector<std::int32_t>{longChain[0]});
  EXPECT_EQ(Block(field).next, 0);
  // Freed in chain order, so the last freed is taken first.
  EXPECT_EQ(engine->Notes().NewNoteBlock(true, 10), longChain[4]);
  EXPECT_EQ(engine->Notes().NewNoteBlock(true, 10), longChain[3]);
}

TEST_F(NotesTest, LoopedChainIsReadUpToTheRepeatAndRewrittenIntoDistinctBlocks) {
  std::int32_t field = 0;
  engine->Notes().SetNoteText(field, std::string(300, 'a') + std::string(200, 'b'), 4);
  auto chain = Chain(field);
  ASSERT_EQ(chain.size(), 3u);
  SetNext(chain[2], chain[0]);  // loops back
  EXPECT_EQ(Read(field), std::string(300, 'a') + std::string(200, 'b'));

  // A rewrite needing more blocks than the loop holds takes new ones.
  const std::string text = Text(244 * 6 + 10);
  engine->Notes().WriteNoteChain(field, text);
  chain = Chain(field);
  EXPECT_EQ(chain.size(), 7u);
  EXPECT_EQ(std::set<std::int32_t>(chain.begin(), chain.end()).size(), 7u);
  EXPECT_EQ(Block(chain.back()).next, 0);
  EXPECT_EQ(Read(field), text);
}

TEST_F(NotesTest, CrossLinkedChainDoesNotTakeOverAnotherRecordsNotes) {
  std::int32_t mine = 0, theirs = 0;
  engine->Notes().SetNoteText(mine, std::string(400, 'm'), 1);
  engine->Notes().SetNoteText(theirs, std::string(400, 't'), 2);
  const auto myChain = Chain(mine);
  ASSERT_EQ(myChain.size(), 2u);
  SetNext(myChain[1], theirs);  // my chain runs into record 2's notes

  const std::string text = std::string(244 * 3, 'n');
  engine->Notes().WriteNoteChain(mine, text);
  EXPECT_EQ(Read(mine), text);
  EXPECT_EQ(Read(theirs), std::string(400, 't'));
  for (std::int32_t b : Chain(mine)) EXPECT_EQ(Block(b).owner, 1);

  // A shorter rewrite frees only my own surplus.
  SetNext(Chain(mine).back(), theirs);
  engine->Notes().WriteNoteChain(mine, "x");
  EXPECT_EQ(Read(mine), "x");
  EXPECT_EQ(Read(theirs), std::string(400, 't'));
  EXPECT_EQ(Block(theirs).owner, 2);
}

TEST_F(NotesTest, WritingIntoAFreeBlockIsRefusedAsAnotherOwners) {
  std::int32_t a = 0, spare = 0;
  engine->Notes().SetNoteText(a, "a", 3);
  engine->Notes().SetNoteText(spare, "b", 8);
  engine->Notes().SetNoteText(spare, "", 8);  // spare block is now free
  ASSERT_EQ(a, 1);
  ASSERT_EQ(engine->Blocks().Head().I32(kHeadNoteFreeHead), 2);
  SetNext(a, 2);
  engine->Notes().WriteNoteChain(a, std::string(300, 'z'));
  EXPECT_EQ(Read(a), std::string(300, 'z'));
  // The free block was taken through the free list, not written over.
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNoteFreeHead), 0);
  EXPECT_EQ(Chain(a), (std::vector<std::int32_t>{1, 2}));
}

TEST_F(NotesTest, AppendingConvertsTheWholeText) {
  std::int32_t field = 0;
  const std::string start(240, 's');
  engine->Notes().SetNoteText(field, start, 6);
  // The first four characters fill the first block; the accents after them
  // must still reach the file in ANSEL.
  const std::string more = "abcd\r\n\xE9t\xE9 \xE0 K\xF6ln";
  EXPECT_EQ(engine->Notes().AppendNotes(field, more), field);
  EXPECT_EQ(Read(field), start + more);
  const auto chain = Chain(field);
  ASSERT_EQ(chain.size(), 2u);
  EXPECT_EQ(Block(chain[1]).previous, chain[0]);
  EXPECT_EQ(FieldText(Block(chain[1]).text),
            "\r\xE2"
            "et\xE2"
            "e \xE1"
            "a K\xE8"
            "oln");

  // Appending a long text adds as many blocks as it needs.
  const std::string lots = Text(1000);
  engine->Notes().AppendNotes(field, lots);
  EXPECT_EQ(Read(field), start + more + lots);
  EXPECT_EQ(engine->Notes().AppendNotes(0, "x"), 0);
}

TEST_F(NotesTest, FirstNoteBlockOfIndividualsAndMarriages) {
  const std::int32_t rin = engine->Records().NewRecord(RecordKind::Individual, false);
  const std::int32_t mrin = engine->Records().NewRecord(RecordKind::Marriage, false);
  EXPECT_EQ(engine->Notes().GetFirstNoteBlock(rin, db::kIndividual), 0);
  const std::int32_t b = engine->Notes().CreateFirstNoteBlock(rin, db::kIndividual);
  ASSERT_GT(b, 0);
  EXPECT_EQ(engine->Notes().GetFirstNoteBlock(rin, db::kIndividual), b);
  EXPECT_EQ(Block(b).owner, rin);
  const std::int32_t m = engine->Notes().CreateFirstNoteBlock(mrin, db::kMarriage);
  EXPECT_EQ(engine->Notes().GetFirstNoteBlock(mrin, db::kMarriage), m);
  EXPECT_EQ(engine->Notes().CreateFirstNoteBlock(rin, db::kSource), 0);
  EXPECT_EQ(engine->Notes().CreateFirstNoteBlock(rin + 5, db::kIndividual), 0);
  engine->Deletes().DeleteIndividual(rin);
  EXPECT_EQ(engine->Notes().GetFirstNoteBlock(rin, db::kIndividual), 0);
}

TEST_F(NotesTest, ChainsLongerThan32000BlocksAreCut) {
  engine->Blocks().BeginBatch();
  std::int32_t field = 0;
  const std::string text(244 * 32001, 'q');
  ASSERT_EQ(engine->Notes().SetNoteText(field, text, 1), 1);
  ASSERT_TRUE(engine->Blocks().EndBatch());
  std::string out;
  ASSERT_EQ(engine->Notes().ReadNoteChain(field, out), 1);
  EXPECT_TRUE(engine->Notes().NotesCut());
  EXPECT_EQ(out.size(), 244u * 32000);
  engine->Notes().ReadNoteChain(
      engine->Notes().CreateFirstNoteBlock(
          engine->Records().NewRecord(RecordKind::Individual, false), db::kIndividual),
      out);
  EXPECT_FALSE(engine->Notes().NotesCut());
}
