#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "PersistentFile.h"
#include "PersistentObject.h"
#include "TempDir.h"

namespace {

// Objects alive right now, to see that failed reads leave nothing behind.
int gLive = 0;

class Counted {
 public:
  Counted() { ++gLive; }
  Counted(const Counted&) { ++gLive; }
  ~Counted() { --gLive; }
};

// A keyed item: a number and a text.
class PItem : public CPersistentObject {
  KOR_DECLARE_DYNCREATE(PItem)

 public:
  PItem() = default;
  PItem(std::int32_t key, std::string text) : key(key), text(std::move(text)) {}

  int Compare(const CPersistentObject* other) const override {
    auto* item = dynamic_cast<const PItem*>(other);
    if (item == nullptr) return 1;
    return key < item->key ? -1 : key > item->key ? 1 : 0;
  }
  bool Matches(std::int32_t k) const override { return k == key; }
  void Store(CPersistentFile* file) const override {
    file->WriteDword(static_cast<std::uint32_t>(key));
    file->WriteString(text);
  }
  void Load(CPersistentFile* file) override {
    key = static_cast<std::int32_t>(file->ReadDword());
    file->ReadString(text);
  }

  std::int32_t key = 0;
  std::string text;
  Counted counted;
};
KOR_IMPLEMENT_DYNCREATE(PItem, 1)

// A one-byte mark, a second class for class-header runs.
class PMark : public CPersistentObject {
  KOR_DECLARE_DYNCREATE(PMark)

 public:
  PMark() = default;
  explicit PMark(std::uint8_t value) : value(value) {}
  void Store(CPersistentFile* file) const override { file->WriteByte(value); }
  void Load(CPersistentFile* file) override { value = file->ReadByte(); }

  std::uint8_t value = 0;
  Counted counted;
};
KOR_IMPLEMENT_DYNCREATE(PMark, 7)

// A node with an optional child node and an owned array: nested objects.
class PNode : public CPersistentObject {
  KOR_DECLARE_DYNCREATE(PNode)

 public:
  void Store(CPersistentFile* file) const override {
    file->WriteArray(&items);
    file->WriteObject(child.get());
  }
  void Load(CPersistentFile* file) override {
    std::unique_ptr<CPersistentArray> array;
    if (!file->ReadPersistentArray(array)) return;
    if (array) {
      for (int i = 0; i < array->GetSize(); ++i) {
        items.Add(std::unique_ptr<CPersistentObject>(
            static_cast<CPersistentObject*>(array->DetachAt(i--).release())));
      }
    }
    file->ReadObject(child);
  }

  CPersistentArray items;
  std::unique_ptr<CPersistentObject> child;
  Counted counted;
};
KOR_IMPLEMENT_DYNCREATE(PNode, 1)

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

std::string Header(const std::string& name, int schema) {
  std::string s = Bytes({1, static_cast<int>(name.size()), 0, 0, 0}) + name;
  return s + Bytes({schema & 0xFF, schema >> 8});
}

std::string ItemFields(int key, const std::string& text) {
  return Bytes({key & 0xFF, (key >> 8) & 0xFF, (key >> 16) & 0xFF, (key >> 24) & 0xFF,
                static_cast<int>(text.size()), 0, 0, 0}) +
         text;
}

std::unique_ptr<PNode> SampleTree() {
  auto root = std::make_unique<PNode>();
  root->items.Add(std::make_unique<PItem>(1, "one"));
  root->items.Add(std::make_unique<PMark>(9));
  root->items.Add(std::make_unique<PItem>(2, "two"));
  auto child = std::make_unique<PNode>();
  child->items.Add(std::make_unique<PItem>(3, "three"));
  root->child = std::move(child);
  return root;
}

TEST(PersistentFile, ClassHeaderIsWrittenOncePerRunOfOneClass) {
  CPersistentFile file;
  file.OpenMemory();
  PItem a1(1, "x"), a2(2, ""), a3(-1, "zz");
  PMark b(0xAB);
  const std::vector<const CPersistentObject*> objects = {&a1, &a2, &a3, &b};
  for (const CPersistentObject* o : objects) EXPECT_TRUE(file.WriteObject(o));
  const std::string expected = Header("PItem", 1) + Bytes({2}) + ItemFields(1, "x") + Bytes({2}) +
                               ItemFields(2, "") + Bytes({2}) + ItemFields(-1, "zz") +
                               Header("PMark", 7) + Bytes({2, 0xAB});
  EXPECT_EQ(file.MemoryContents(), expected);
  EXPECT_EQ(file.GetLastClassName(), "PMark");
}

TEST(PersistentFile, ScalarsAndStringsAreLittleEndian) {
  CPersistentFile file;
  file.OpenMemory();
  file.WriteByte(0x12);
  file.WriteWord(0x3456);
  file.WriteDword(0x789ABCDE);
  file.WriteString("");
  file.WriteString("ab");
  EXPECT_EQ(file.MemoryContents(),
            Bytes({0x12, 0x56, 0x34, 0xDE, 0xBC, 0x9A, 0x78, 0, 0, 0, 0, 2, 0, 0, 0, 'a', 'b'}));
  file.Seek(0);
  EXPECT_EQ(file.ReadByte(), 0x12);
  EXPECT_EQ(file.ReadWord(), 0x3456);
  EXPECT_EQ(file.ReadDword(), 0x789ABCDEu);
  std::string s = "old";
  EXPECT_TRUE(file.ReadString(s));
  EXPECT_EQ(s, "");
  EXPECT_TRUE(file.ReadString(s));
  EXPECT_EQ(s, "ab");
  EXPECT_TRUE(file.Good());
  EXPECT_EQ(file.ReadByte(), 0);
  EXPECT_EQ(file.Error(), ObjectStreamError::kTruncated);
}

TEST(PersistentFile, NullObjectIsWrittenAsNoObjectAndReadsAsNull) {
  CPersistentFile file;
  file.OpenMemory();
  EXPECT_TRUE(file.WriteObject(nullptr));
  EXPECT_TRUE(file.WriteArray(nullptr));
  EXPECT_EQ(file.MemoryContents(), Bytes({0, 0}));

  file.Seek(0);
  const int before = gLive;
  std::unique_ptr<CPersistentObject> held = std::make_unique<PItem>(5, "held");
  EXPECT_TRUE(file.ReadObject(held));
  EXPECT_EQ(held, nullptr);
  EXPECT_EQ(gLive, before);
  auto array = std::make_unique<CPersistentArray>();
  EXPECT_TRUE(file.ReadPersistentArray(array));
  EXPECT_EQ(array, nullptr);
}

TEST(PersistentFile, ReadingReplacesTheHeldObject) {
  CPersistentFile file;
  file.OpenMemory();
  PItem item(4, "four");
  file.WriteObject(&item);
  file.Seek(0);
  const int before = gLive;
  std::unique_ptr<CPersistentObject> held = std::make_unique<PMark>(1);
  ASSERT_TRUE(file.ReadObject(held));
  auto* read = dynamic_cast<PItem*>(held.get());
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->key, 4);
  EXPECT_EQ(read->text, "four");
  EXPECT_EQ(gLive, before + 1);  // the new item only: the mark it held is gone
}

TEST(PersistentFile, EmptyArrayRoundTrip) {
  CPersistentFile file;
  file.OpenMemory();
  CPersistentArray empty;
  EXPECT_TRUE(file.WriteArray(&empty));
  EXPECT_EQ(file.MemoryContents(), Header("CPersistentArray", 1) + Bytes({2, 0, 0, 0, 0}));
  file.Seek(0);
  std::unique_ptr<CPersistentArray> array;
  ASSERT_TRUE(file.ReadPersistentArray(array));
  ASSERT_NE(array, nullptr);
  EXPECT_TRUE(array->IsEmpty());
}

TEST(PersistentFile, NestedObjectsRoundTripThroughAFile) {
  TempDir dir;
  const std::string path = dir.File("objects.tmp");
  std::unique_ptr<PNode> tree = SampleTree();
  std::vector<std::uint64_t> positions;
  {
    CPersistentFile file;
    ASSERT_TRUE(file.Open(path, CPersistentFile::Mode::kCreate));
    EXPECT_EQ(file.GetFilePath(), path);
    for (int i = 0; i < 2; ++i) {
      positions.push_back(file.GetPosition());
      EXPECT_TRUE(file.WriteObject(tree.get()));
    }
    EXPECT_TRUE(file.Close());
  }
  CPersistentFile file;
  ASSERT_TRUE(file.Open(path, CPersistentFile::Mode::kRead));
  for (std::uint64_t position : positions) {
    ASSERT_TRUE(file.Seek(position));
    std::unique_ptr<CPersistentObject> object;
    ASSERT_TRUE(file.ReadObject(object)) << static_cast<int>(file.Error());
    auto* root = dynamic_cast<PNode*>(object.get());
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->items.GetSize(), 3);
    EXPECT_EQ(dynamic_cast<PItem*>(root->items.GetAt(0))->text, "one");
    EXPECT_EQ(dynamic_cast<PMark*>(root->items.GetAt(1))->value, 9);
    EXPECT_EQ(dynamic_cast<PItem*>(root->items.GetAt(2))->key, 2);
    auto* child = dynamic_cast<PNode*>(root->child.get());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(dynamic_cast<PItem*>(child->items.GetAt(0))->text, "three");
    EXPECT_EQ(child->child, nullptr);
  }
  EXPECT_EQ(file.GetPosition(), file.GetLength());
}

TEST(PersistentFile, LastClassNameOutlivesReopeningAndDecidesBarePositions) {
  TempDir dir;
  const std::string path = dir.File("run.tmp");
  CPersistentFile file;
  ASSERT_TRUE(file.Open(path, CPersistentFile::Mode::kCreate));
  PItem first(1, "a"), second(2, "b");
  file.WriteObject(&first);
  std::uint64_t secondAt = file.GetPosition();
  file.WriteObject(&second);
  file.Close();
  EXPECT_EQ(file.GetLastClassName(), "PItem");

  // The same file object reads a bare object by the class it last named.
  ASSERT_TRUE(file.Open(path, CPersistentFile::Mode::kRead));
  EXPECT_EQ(file.GetLastClassName(), "PItem");
  file.Seek(secondAt);
  std::unique_ptr<CPersistentObject> object;
  ASSERT_TRUE(file.ReadObject(object));
  EXPECT_EQ(dynamic_cast<PItem*>(object.get())->text, "b");

  // A fresh file object knows no class there.
  CPersistentFile other;
  ASSERT_TRUE(other.Open(path, CPersistentFile::Mode::kRead));
  other.Seek(secondAt);
  EXPECT_FALSE(other.ReadObject(object));
  EXPECT_EQ(other.Error(), ObjectStreamError::kUnknownClass);
  EXPECT_EQ(dynamic_cast<PItem*>(object.get())->text, "b");  // left as it was
}

TEST(PersistentFile, LargeStreamsAcrossBufferBoundaries) {
  TempDir dir;
  CPersistentFile file;
  ASSERT_TRUE(file.Open(dir.File("big.tmp"), CPersistentFile::Mode::kCreate));
  std::vector<std::uint64_t> positions;
  for (int i = 0; i < 5000; ++i) {
    positions.push_back(file.GetPosition());
    PItem item(i, std::string(static_cast<std::size_t>(i % 97), static_cast<char>('a' + i % 26)));
    ASSERT_TRUE(file.WriteObject(&item));
  }
  // Reading back on the same open file, out of order, sees every write.
  for (int i : {4999, 0, 2500, 1, 4000}) {
    file.Seek(positions[static_cast<std::size_t>(i)]);
    std::unique_ptr<CPersistentObject> object;
    ASSERT_TRUE(file.ReadObject(object));
    auto* item = dynamic_cast<PItem*>(object.get());
    EXPECT_EQ(item->key, i);
    EXPECT_EQ(item->text.size(), static_cast<std::size_t>(i % 97));
  }
  // Overwrite one object in place, then read everything from the start.
  file.Seek(positions[10]);
  PItem replacement(-10, std::string(10 % 97, 'k'));
  ASSERT_TRUE(file.WriteObject(&replacement));
  file.Seek(0);
  int count = 0;
  while (file.GetPosition() < file.GetLength()) {
    std::unique_ptr<CPersistentObject> object;
    ASSERT_TRUE(file.ReadObject(object));
    EXPECT_EQ(dynamic_cast<PItem*>(object.get())->key, count == 10 ? -10 : count);
    ++count;
  }
  EXPECT_EQ(count, 5000);
}

TEST(PersistentFile, FileErrorsAreReportedNotThrown) {
  TempDir dir;
  CPersistentFile file;
  EXPECT_FALSE(file.Open(dir.File("missing.tmp"), CPersistentFile::Mode::kRead));
  EXPECT_EQ(file.Error(), ObjectStreamError::kIo);
  EXPECT_EQ(file.FileErrorCause(), plat::kFileNotFound);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(file.WriteByte(1));

  CPersistentFile closed;
  EXPECT_EQ(closed.ReadDword(), 0u);
  EXPECT_EQ(closed.Error(), ObjectStreamError::kNotOpen);

  const std::string path = dir.File("ro.tmp");
  ASSERT_TRUE(file.Open(path, CPersistentFile::Mode::kCreate));
  EXPECT_TRUE(file.Good());
  file.Close();
  ASSERT_TRUE(file.Open(path, CPersistentFile::Mode::kRead));
  PItem item(1, "a");
  EXPECT_FALSE(file.WriteObject(&item));
  EXPECT_EQ(file.Error(), ObjectStreamError::kIo);
  EXPECT_EQ(file.FileErrorCause(), plat::kFileAccessDenied);
}

// Reads one object from `bytes` with a fresh file object.
ObjectStreamError ReadFrom(const std::string& bytes) {
  CPersistentFile file;
  file.OpenMemory(bytes);
  std::unique_ptr<CPersistentObject> object;
  bool ok = file.ReadObject(object);
  EXPECT_EQ(ok, file.Good());
  return file.Error();
}

TEST(PersistentFile, DamagedStreamsFailWithAClearError) {
  struct Case {
    const char* what;
    std::string bytes;
    ObjectStreamError error;
  };
  const std::vector<Case> cases = {
      {"empty", "", ObjectStreamError::kTruncated},
      {"unknown tag", Bytes({3}), ObjectStreamError::kBadTag},
      {"bare object on a fresh file", Bytes({2}), ObjectStreamError::kUnknownClass},
      {"unknown class", Header("PNoSuch", 1) + Bytes({2}), ObjectStreamError::kUnknownClass},
      {"case differs", Header("pitem", 1) + Bytes({2}), ObjectStreamError::kUnknownClass},
      {"header without object tag", Header("PItem", 1) + Bytes({3}) + ItemFields(1, "a"),
       ObjectStreamError::kBadTag},
      {"not a persistent class", Header("CObArrayEx", 1) + Bytes({2}),
       ObjectStreamError::kWrongClass},
      {"string longer than the stream",
       Header("PItem", 1) + Bytes({2, 1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}) + "abc",
       ObjectStreamError::kTruncated},
      {"class name longer than the stream", Bytes({1, 0xFF, 0xFF, 0xFF, 0x7F, 'P'}),
       ObjectStreamError::kTruncated},
      {"array count beyond its elements",
       Header("PNode", 1) + Bytes({2}) + Header("CPersistentArray", 1) +
           Bytes({2, 0xFF, 0xFF, 0xFF, 0xFF}) + Header("PMark", 7) + Bytes({2, 5}),
       ObjectStreamError::kTruncated},
      {"no object inside an array",
       Header("PNode", 1) + Bytes({2}) + Header("CPersistentArray", 1) + Bytes({2, 2, 0, 0, 0}) +
           Header("PMark", 7) + Bytes({2, 5, 0}) + Bytes({0}),
       ObjectStreamError::kCorrupt},
      {"array where an item is expected",
       Header("PNode", 1) + Bytes({2}) + Header("PItem", 1) + Bytes({2}) + ItemFields(1, ""),
       ObjectStreamError::kWrongClass},
  };
  const int before = gLive;
  for (const Case& c : cases) {
    EXPECT_EQ(ReadFrom(c.bytes), c.error) << c.what;
    EXPECT_EQ(gLive, before) << c.what;
  }
}

TEST(PersistentFile, EveryTruncationAndCorruptionOfAStreamFailsCleanly) {
  CPersistentFile writer;
  writer.OpenMemory();
  std::unique_ptr<PNode> tree = SampleTree();
  ASSERT_TRUE(writer.WriteObject(tree.get()));
  const std::string whole = writer.MemoryContents();
  tree.reset();
  const int before = gLive;

  for (std::size_t length = 0; length < whole.size(); ++length) {
    CPersistentFile file;
    file.OpenMemory(whole.substr(0, length));
    std::unique_ptr<CPersistentObject> object;
    EXPECT_FALSE(file.ReadObject(object)) << length;
    EXPECT_EQ(file.Error(), ObjectStreamError::kTruncated) << length;
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(gLive, before) << length;
  }
  // Any damaged byte either still reads (a changed field value) or fails;
  // either way nothing is left behind.
  for (std::size_t at = 0; at < whole.size(); ++at) {
    for (int value : {0x00, 0x02, 0x7F, 0xFF}) {
      std::string damaged = whole;
      damaged[at] = static_cast<char>(value);
      CPersistentFile file;
      file.OpenMemory(damaged);
      std::unique_ptr<CPersistentObject> object;
      bool ok = file.ReadObject(object);
      EXPECT_EQ(ok, file.Good());
      object.reset();
      EXPECT_EQ(gLive, before) << at << " " << value;
    }
  }
}

TEST(PersistentFile, NestingDeeperThanTheLimitFails) {
  auto build = [](int depth) {
    auto root = std::make_unique<PNode>();
    PNode* tip = root.get();
    for (int i = 1; i < depth; ++i) {
      tip->child = std::make_unique<PNode>();
      tip = static_cast<PNode*>(tip->child.get());
    }
    return root;
  };
  for (int depth : {50, CPersistentFile::kMaxNesting + 10}) {
    CPersistentFile file;
    file.OpenMemory();
    {
      std::unique_ptr<PNode> root = build(depth);
      ASSERT_TRUE(file.WriteObject(root.get()));
    }
    const int before = gLive;
    file.Seek(0);
    std::unique_ptr<CPersistentObject> object;
    bool ok = file.ReadObject(object);
    if (depth < CPersistentFile::kMaxNesting) {
      EXPECT_TRUE(ok);
      EXPECT_EQ(gLive, before + depth);
    } else {
      EXPECT_FALSE(ok);
      EXPECT_EQ(file.Error(), ObjectStreamError::kTooDeep);
      EXPECT_EQ(gLive, before);
    }
  }
}

TEST(PersistentArray, LoadKeepsWhatWasReadBeforeADamagedElement) {
  CPersistentFile file;
  file.OpenMemory();
  CPersistentArray array;
  array.Add(std::make_unique<PItem>(1, "a"));
  array.Add(std::make_unique<PItem>(2, "b"));
  array.Add(std::make_unique<PItem>(3, "c"));
  ASSERT_TRUE(array.Store(&file));
  std::string bytes = file.MemoryContents();
  bytes.resize(bytes.size() - 2);  // into the last element's text

  const int before = gLive;
  CPersistentFile damaged;
  damaged.OpenMemory(bytes);
  {
    CPersistentArray loaded;
    EXPECT_FALSE(loaded.Load(&damaged));
    EXPECT_EQ(damaged.Error(), ObjectStreamError::kTruncated);
    ASSERT_EQ(loaded.GetSize(), 2);
    EXPECT_EQ(dynamic_cast<PItem*>(loaded.GetAt(1))->text, "b");
  }
  EXPECT_EQ(gLive, before);
}

TEST(PersistentArray, SerializeWithoutCountRoundTrips) {
  CPersistentFile file;
  file.OpenMemory();
  CPersistentArray array;
  array.Add(std::make_unique<PItem>(1, "a"));
  array.Add(std::make_unique<PMark>(2));
  CPersistentList list;
  list.AddTail(std::make_unique<PMark>(3));
  ASSERT_TRUE(array.Serialize(file, true));
  ASSERT_TRUE(list.Serialize(file, true));

  file.Seek(0);
  CPersistentList readList;
  ASSERT_TRUE(readList.Serialize(file, false));
  ASSERT_EQ(readList.GetCount(), 3);
  EXPECT_EQ(dynamic_cast<PItem*>(readList.GetHead())->text, "a");
  EXPECT_EQ(dynamic_cast<PMark*>(readList.GetTail())->value, 3);

  file.Seek(0);
  CPersistentArray readArray;
  ASSERT_TRUE(readArray.Serialize(file, false));
  EXPECT_EQ(readArray.GetSize(), 3);

  // A stream cut inside an object fails.
  CPersistentFile cut;
  cut.OpenMemory(file.MemoryContents().substr(0, file.MemoryContents().size() - 1));
  CPersistentArray partial;
  EXPECT_FALSE(partial.Serialize(cut, false));
  EXPECT_EQ(partial.GetSize(), 2);
}

// The texts of an array's items, in index order.
std::vector<std::string> Texts(const CPersistentArray& array) {
  std::vector<std::string> texts;
  for (int i = 0; i < array.GetSize(); ++i) {
    texts.push_back(dynamic_cast<PItem*>(array.GetAt(i))->text);
  }
  return texts;
}

TEST(PersistentArray, InsertSortedPlacesEqualObjectsAsDescribed) {
  struct Case {
    std::vector<int> keys;
    int key;
    std::vector<std::string> after;
  };
  const std::vector<Case> cases = {
      {{}, 4, {"new"}},
      {{1, 3}, 3, {"1", "new", "3"}},
      {{1, 3}, 1, {"1", "new", "3"}},
      {{5}, 5, {"new", "5"}},
      {{5}, 6, {"5", "new"}},
      {{5}, 4, {"new", "5"}},
      {{1, 2, 2, 2, 9}, 2, {"1", "2", "2", "2", "new", "9"}},
      {{1, 3, 5, 7, 9, 11}, 6, {"1", "3", "5", "new", "7", "9", "11"}},
  };
  for (const Case& c : cases) {
    CPersistentArray array;
    for (int k : c.keys) array.Add(std::make_unique<PItem>(k, std::to_string(k)));
    array.InsertSorted(std::make_unique<PItem>(c.key, "new"));
    EXPECT_EQ(Texts(array), c.after) << c.key;
  }
}

TEST(PersistentArray, InsertSortedBuildsAnOrderedArrayAndRefusesNull) {
  CPersistentArray array;
  for (int k : {50, 3, 77, 3, 12, 99, 0, 64, 12}) {
    array.InsertSorted(std::make_unique<PItem>(k, std::to_string(k)));
  }
  std::vector<int> keys;
  for (CPersistentObject* p = array.GetFirst(); p; p = array.GetNext()) {
    keys.push_back(dynamic_cast<PItem*>(p)->key);
  }
  EXPECT_EQ(keys, std::vector<int>({0, 3, 3, 12, 12, 50, 64, 77, 99}));
  EXPECT_EQ(array.InsertSorted(std::unique_ptr<CPersistentObject>()), -1);
  EXPECT_EQ(array.Add(static_cast<CPersistentObject*>(nullptr)), -1);
  EXPECT_EQ(array.GetSize(), 9);
}

TEST(PersistentArray, FindAndIndexOfByKey) {
  CPersistentArray array;
  for (int k : {10, 20, 30, 20}) array.Add(std::make_unique<PItem>(k, std::to_string(k)));
  array.Add(std::make_unique<PMark>(20));  // answers no key
  CPersistentObject* found = array.Find(20);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found, array.GetAt(1));
  EXPECT_EQ(array.IndexOf(30), 2);
  EXPECT_EQ(array.IndexOf(40), -1);
  EXPECT_EQ(array.Find(40), nullptr);
  CPersistentArray empty;
  EXPECT_EQ(empty.IndexOf(1), -1);
}

TEST(PersistentObject, BaseAnswersAndClassRecords) {
  CPersistentObject base;
  EXPECT_EQ(base.Compare(nullptr), -1);
  EXPECT_EQ(base.Compare(&base), -1);
  EXPECT_FALSE(base.Matches(0));
  for (const char* name : {"CPersistentObject", "CPersistentArray", "CPersistentList", "PItem"}) {
    const CRuntimeClass* record = CPersistentFile::FindRuntimeClassByName(name);
    ASSERT_NE(record, nullptr) << name;
    EXPECT_EQ(record->schema, 1);
    std::unique_ptr<CObject> made = record->CreateObject();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetRuntimeClass(), record);
  }
  EXPECT_NE(dynamic_cast<CPersistentList*>(
                CPersistentFile::FindRuntimeClassByName("CPersistentList")->CreateObject().get()),
            nullptr);
}

}  // namespace
