// The string stores: texts stored once per kind, the store tree, block
// starts, the code-page conversion and in-place replacement.
#include <string>
#include <vector>

#include "CodePage.h"
#include "EngineFixture.h"
#include "MemoryFile.h"
#include "ScopedCodePage.h"

using namespace orv;

namespace {

class StringStoreTest : public EngineTest {
 protected:
  ScopedCodePage page_{plat::kCodePageWestern};

  // Every entry of the store, stepping through its blocks by entry size
  // from the first entry, as Check/Repair walks them.
  std::vector<StringEntry> WalkStore(int kind) {
    const StoreFields& store = StoreOfKind(kind);
    std::vector<StringEntry> out;
    const std::int32_t count = engine->Blocks().Head().I32(store.countField);
    std::int32_t pos = engine->Blocks().Head().I32(store.rootField);
    std::int32_t blockStart = pos;
    while (static_cast<std::int32_t>(out.size()) < count) {
      if (blockStart + kBlockSize - pos < kEntryMaxSize) {
        // The next entry starts the store's next block.
        std::int32_t next = -1;
        for (std::int64_t b = blockStart + kBlockSize; b < blockStart + 64 * kBlockSize;
             b += kBlockSize) {
          const std::int32_t blockNumber =
              static_cast<std::int32_t>((b - kBlocksOffset) / kBlockSize + 1);
          if (FileBytes(TypeByteOffset(blockNumber), 1)[0] == store.blockType) {
            next = static_cast<std::int32_t>(b);
            break;
          }
        }
        if (next < 0) break;
        pos = blockStart = next;
      }
      StringEntry e;
      if (!engine->Strings().ReadEntry(pos, e, false)) break;
      out.push_back(e);
      pos += e.Size();
    }
    return out;
  }
};

}  // namespace

TEST_F(StringStoreTest, EqualTextsOfOneKindAreStoredOnce) {
  const std::int32_t smith = engine->Strings().FindOrAddString("Smith", 0);
  ASSERT_GT(smith, 0);
  EXPECT_EQ(engine->Strings().FindOrAddString("Smith", 0), smith);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNameCount), 1);
  EXPECT_EQ(host->nameEntries, 1);

  // Another kind is another entry; the smaller kind is the lesser.
  const std::int32_t dateText = engine->Strings().FindOrAddString("Smith", 3);
  EXPECT_NE(dateText, smith);
  StringEntry root;
  ASSERT_GT(engine->Strings().ReadEntry(smith, root, false), 0);
  EXPECT_EQ(root.greater, dateText);
  EXPECT_EQ(engine->Strings().FindOrAddString("Smith", 0), smith);
  EXPECT_EQ(engine->Strings().FindOrAddString("Smith", 3), dateText);

  // Letter case makes different texts in the store.
  const std::int32_t lower = engine->Strings().FindOrAddString("smith", 0);
  EXPECT_NE(lower, smith);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNameCount), 3);

  // Kinds 4 to 7 go to the other-name store and its own block type.
  const std::int32_t title = engine->Strings().FindOrAddString("Smith", 4);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadOtherNameRoot), title);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadOtherNameCount), 1);
  EXPECT_EQ(FileI32(kHeadOtherNameCount), 1);
  const std::int32_t blockNumber = (title - kBlocksOffset) / kBlockSize + 1;
  EXPECT_EQ(FileBytes(TypeByteOffset(blockNumber), 1)[0], kBlockOtherNames);
  EXPECT_EQ(engine->Strings().FindOrAddString("", 0), 0);
}

TEST_F(StringStoreTest, SearchAnswersWhereAMissingTextBelongs) {
  std::int32_t parent = -7;
  EXPECT_EQ(engine->Strings().FindString("Smith", 0, parent), 0);  // empty store
  const std::int32_t m = engine->Strings().FindOrAddString("Miller", 0);
  const std::int32_t s = engine->Strings().FindOrAddString("Smith", 0);
  EXPECT_EQ(engine->Strings().FindString("Adams", 0, parent), -2);
  EXPECT_EQ(parent, m);
  EXPECT_EQ(engine->Strings().FindString("Young", 0, parent), -1);
  EXPECT_EQ(parent, s);
  EXPECT_EQ(engine->Strings().FindString("Smith", 0, parent), s);
  EXPECT_EQ(parent, m);
  std::string out;
  EXPECT_EQ(engine->Strings().FindText("Smith", 0, out), 1);
  EXPECT_EQ(out, "Smith");
  EXPECT_EQ(engine->Strings().FindText("Smith", 1, out), 0);
  EXPECT_EQ(engine->Strings().FindText("", 0, out), 0);
}

TEST_F(StringStoreTest, TextsAreStoredInAnselAndReadBackInTheCodePage) {
  const std::string name = "M\xFCller \xC9mile";  // Müller Émile in 1252
  const std::int32_t ref = engine->Strings().FindOrAddString(name, 0);
  StringEntry raw;
  const int size = engine->Strings().ReadEntry(ref, raw, false);
  EXPECT_EQ(size, 14 + static_cast<int>(raw.text.size()));
  EXPECT_EQ(raw.text,
            "M\xE8uller \xE2"
            "Emile");
  EXPECT_EQ(engine->Strings().GetText(ref), name);
  EXPECT_EQ(engine->Strings().GetText(0), "");
  std::string out = "x";
  EXPECT_EQ(engine->Strings().GetText(-5, out), 0);
  EXPECT_EQ(out, "");
  // The stored form survives a reopen.
  ASSERT_EQ(Reopen(), 1);
  EXPECT_EQ(engine->Strings().FindOrAddString(name, 0), ref);
}

TEST_F(StringStoreTest, ANewBlockStartsWhenFewerThan269BytesRemain) {
  // 29 entries of 269 bytes and one of 122 leave exactly 269 bytes: the
  // next 269-byte entry still fits; after it the block is full.
  std::vector<std::int32_t> refs;
  auto text = [](int i, int length) {
    std::string t(static_cast<std::size_t>(length), 'a');
    t[0] = static_cast<char>('A' + i / 26);
    t[1] = static_cast<char>('a' + i % 26);
    return t;
  };
  for (int i = 0; i < 29; ++i) refs.push_back(engine->Strings().FindOrAddString(text(i, 255), 0));
  refs.push_back(engine->Strings().FindOrAddString(text(29, 108), 0));
  refs.push_back(engine->Strings().FindOrAddString(text(30, 255), 0));
  const std::int32_t first = refs[0];
  EXPECT_EQ(refs[29], first + 29 * 269);
  EXPECT_EQ(refs[30], first + kBlockSize - 269);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNameBlocks), 1);
  // Even a one-character text now opens a new block.
  const std::int32_t next = engine->Strings().FindOrAddString("Zz", 0);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNameBlocks), 2);
  EXPECT_EQ((next - kBlocksOffset) % kBlockSize, 0);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNameNext), next + 16);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNameBlockEnd), next + kBlockSize);
  EXPECT_EQ(WalkStore(0).size(), 32u);
  ExpectCountsAgreeWithTypeMaps();
}

TEST_F(StringStoreTest, SettingAFieldToItsTextWritesNothing) {
  std::int32_t field = 0;
  EXPECT_EQ(engine->Strings().SetTextReference("", 0, field), 0);
  EXPECT_EQ(engine->Strings().SetTextReference("Paris", 2, field), 1);
  const std::int32_t paris = field;
  EXPECT_GT(paris, 0);
  EXPECT_EQ(engine->Strings().SetTextReference("Paris", 2, field), 0);
  EXPECT_EQ(field, paris);
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNameCount), 1);
  EXPECT_EQ(engine->Strings().SetTextReference("Lyon", 2, field), 1);
  EXPECT_NE(field, paris);
  EXPECT_EQ(engine->Strings().SetTextReference("", 2, field), 1);
  EXPECT_EQ(field, 0);
}

// Texts that differ only in characters the collation weighs as nothing
// (quotes, dashes, ellipsis, no-break space, trade mark) are different texts:
// each keeps an entry of its own and reads back in its own spelling.
TEST_F(StringStoreTest, TextsEqualInCollationKeepTheirOwnSpelling) {
  const std::vector<std::string> texts = {"Sur",
                                          "Sur\x92",
                                          "\x92Sur",
                                          "S\x82ur",
                                          "Sur\x96",
                                          "Sur\x97",
                                          "Sur\x85",
                                          "\x93Sur\x94",
                                          "Sur\xA0",
                                          "Sur\x99",
                                          "Ab\x92",
                                          "\x92"
                                          "Ab",
                                          "O\x92"
                                          "Brien\x92",
                                          "\x92OBrien",
                                          "OBrien",
                                          "O\x92"
                                          "Brien"};
  std::vector<std::int32_t> refs;
  for (const std::string& t : texts) refs.push_back(engine->Strings().FindOrAddString(t, 0));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_GT(refs[i], 0);
    EXPECT_EQ(engine->Strings().GetText(refs[i]), texts[i]);
    // Found again by its own bytes, in either order of adding.
    EXPECT_EQ(engine->Strings().FindOrAddString(texts[i], 0), refs[i]);
    std::string stored;
    EXPECT_EQ(engine->Strings().FindText(texts[i], 0, stored), 1);
    EXPECT_EQ(stored, texts[i]);
  }
  EXPECT_EQ(engine->Blocks().Head().I32(kHeadNameCount), static_cast<int>(texts.size()));

  // A field moved between two such spellings points at the new one.
  std::int32_t field = refs[1];
  EXPECT_EQ(engine->Strings().SetTextReference("Sur", 0, field), 1);
  EXPECT_EQ(field, refs[0]);
  EXPECT_EQ(engine->Strings().SetTextReference("Sur", 0, field), 0);
}

// A text the collation cannot tell from the stored one (byte 0x81 weighs
// nothing) but of another length must not shorten the stored entry: the
// store's blocks are walked entry by entry by their stored lengths.
TEST_F(StringStoreTest, ReplacingInPlaceOnlyAtEqualLength) {
  const std::int32_t a = engine->Strings().FindOrAddString("Ab\x81", 0);
  const std::int32_t b = engine->Strings().FindOrAddString("Zed", 0);

  // Equal length: rewritten in place.
  EXPECT_EQ(engine->Strings().FindOrAddString("A\x81"
                                              "b",
                                              0, true),
            a);
  EXPECT_EQ(engine->Strings().GetText(a),
            "A\x81"
            "b");

  // Shorter: a new entry; the old one keeps its text and size.
  const std::int32_t shorter = engine->Strings().FindOrAddString("Ab", 0, true);
  EXPECT_GT(shorter, b);
  EXPECT_EQ(engine->Strings().GetText(a),
            "A\x81"
            "b");
  EXPECT_EQ(engine->Strings().GetText(shorter), "Ab");
  // Longer: likewise.
  const std::int32_t longer = engine->Strings().FindOrAddString(
      "A\x81\x81"
      "b",
      0, true);
  EXPECT_GT(longer, shorter);

  std::vector<std::string> texts;
  for (const StringEntry& e : WalkStore(0)) texts.push_back(e.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"A\x81"
                                             "b",
                                             "Zed", "Ab",
                                             "A\x81\x81"
                                             "b"}));

  // Every entry stays reachable in the tree, in order.
  std::vector<std::int32_t> seen;
  std::vector<std::int32_t> stack{engine->Blocks().Head().I32(kHeadNameRoot)};
  while (!stack.empty()) {
    const std::int32_t at = stack.back();
    stack.pop_back();
    if (at == 0) continue;
    seen.push_back(at);
    StringEntry e;
    ASSERT_GT(engine->Strings().ReadEntry(at, e, false), 0);
    stack.push_back(e.lesser);
    stack.push_back(e.greater);
  }
  EXPECT_EQ(seen.size(), 4u);

  // ReplaceEntryText itself refuses another length.
  EXPECT_EQ(engine->Strings().ReplaceEntryText(b, "Zeds", true), 0);
  EXPECT_EQ(engine->Strings().ReplaceEntryText(b, "Zap", true), 1);
  EXPECT_EQ(engine->Strings().GetText(b), "Zap");
  EXPECT_EQ(engine->Strings().ReplaceEntryText(0, "Zap", true), 0);
}

TEST_F(StringStoreTest, WriteEntryFieldSetsOneTreeField) {
  const std::int32_t a = engine->Strings().FindOrAddString("Alpha", 0);
  EXPECT_EQ(engine->Strings().WriteEntryField(a, kEntryParent, 1234), 1);
  StringEntry e;
  engine->Strings().ReadEntry(a, e, false);
  EXPECT_EQ(e.parent, 1234);
  EXPECT_EQ(engine->Strings().WriteEntryField(0, kEntryParent, 1), 0);
}

namespace {

// The family file, counting the reads that reach it.
class ReadCounter : public PassThroughFile {
 public:
  using PassThroughFile::PassThroughFile;
  long reads = 0;
  long long ReadSomeAt(std::uint64_t pos, void* data, std::size_t len) override {
    ++reads;
    return inner_.ReadSomeAt(pos, data, len);
  }
};

}  // namespace

// A text found once (a surname met again and again) is found again by one
// read of its entry, not by a walk down the store's tree; an entry rewritten
// since is not taken for the text it held.
TEST_F(StringStoreTest, ATextFoundBeforeIsFoundAgainByOneRead) {
  std::vector<std::int32_t> entries;
  for (int i = 0; i < 40; ++i)
    entries.push_back(engine->Strings().FindOrAddString("Name" + std::to_string(i * 17 % 40), 0));
  ReadCounter counter(host->file);
  host->io = &counter;
  const struct {
    int name;  // "Name" + this, the 1st .. 40th text added is (17 i mod 40)
    std::size_t added;
  } cases[] = {{0, 0}, {17, 1}, {5, 5}, {39, 7}, {23, 39}};
  for (const auto& c : cases) {
    const std::string text = "Name" + std::to_string(c.name);
    std::int32_t parent = 0;
    ASSERT_EQ(engine->Strings().FindString(text, 0, parent), entries[c.added]) << text;
    const long before = counter.reads;
    std::int32_t again = 0;
    EXPECT_EQ(engine->Strings().FindString(text, 0, again), entries[c.added]) << text;
    EXPECT_EQ(again, parent) << text;
    EXPECT_LE(counter.reads - before, 1) << text;
  }
  // Rewritten in place: the old text is no longer found there.
  ASSERT_EQ(engine->Strings().ReplaceEntryText(entries[5], "Nxme5", true), 1);
  std::int32_t parent = 0;
  EXPECT_NE(engine->Strings().FindString("Name5", 0, parent), entries[5]);
  EXPECT_NE(engine->Strings().FindOrAddString("Name5", 0), entries[5]);
  // Another kind is not the found entry of the text.
  EXPECT_NE(engine->Strings().FindOrAddString("Name17", 4), entries[1]);
  host->io = nullptr;
}
