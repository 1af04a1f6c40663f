// Multimedia chains built, read and changed through the database calls:
// saved in order and reloaded, default items picked, file names and folders
// changed, chains deleted with their owners, items exported into a folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CitationRecord.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "MultimediaChain.h"
#include "OpenFamilyFixture.h"
#include "SourceRecord.h"
#include "TestHelpers.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A PNG file's signature and IHDR chunk of a width x height picture.
Bytes PngHeader(unsigned width, unsigned height) {
  Bytes b = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  for (unsigned v : {width, height})
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back((v >> shift) & 0xFF);
  b.insert(b.end(), {8, 2, 0, 0, 0, 0, 0, 0, 0});
  return b;
}

struct ItemShape {
  const char* file;
  char kind;
  bool isDefault;
};

// A list of new items, in the given order.
CMultimediaList MakeList(const std::vector<ItemShape>& shapes) {
  CMultimediaList head;
  CMultimediaItem* tail = nullptr;
  for (const ItemShape& s : shapes) {
    auto item = std::make_unique<CMultimediaItem>();
    item->fileName = s.file;
    item->kind = s.kind;
    if (s.isDefault) item->flags |= CMultimediaItem::kFlagDefault;
    CMultimediaItem* raw = item.get();
    if (tail)
      tail->next = std::move(item);
    else
      head = std::move(item);
    tail = raw;
  }
  return head;
}

std::vector<std::string> FilesOf(const CMultimediaItem* item) {
  std::vector<std::string> out;
  for (; item; item = item->next.get()) out.push_back(item->fileName);
  return out;
}

std::vector<std::string> StoredChain(std::int32_t owner, int ownerType) {
  const std::int32_t head = DbGetMultimediaHead(owner, ownerType);
  if (head <= 0) return {};
  CMultimediaList list = CurrentDatabase->LoadMultimediaList(DbGetFirstMultimediaItem(head), -1);
  return FilesOf(list.get());
}

class MultimediaChainTest : public OpenFamilyFixture {
 protected:
  static std::int32_t AddPerson(const char* surname) {
    CIndividualRecord person;
    person.surname = surname;
    person.givenNames[0] = "Ann";
    person.sex = 'F';
    return DbAddRecord(CIndividualRecord::kRecordType, 0, &person);
  }
};

TEST_F(MultimediaChainTest, SavedChainReloadsInOrderAndGivesItsDefaults) {
  const std::int32_t ann = AddPerson("Lund");
  CMultimediaList list = MakeList({{"plain.jpg", 'P', false},
                                   {"voice.wav", 'S', true},
                                   {"face.jpg", 'P', true},
                                   {"later.jpg", 'P', true},
                                   {"clip.avi", 'V', true}});
  EXPECT_EQ(DbSaveMultimediaChain(ann, list.get(), db::kIndividual), 1);

  // The list items now carry their records, chained both ways.
  std::vector<std::int32_t> numbers;
  for (const CMultimediaItem* i = list.get(); i; i = i->next.get()) {
    EXPECT_EQ(i->ownerNumber, ann);
    EXPECT_EQ(i->ownerType, db::kIndividual);
    numbers.push_back(i->recordNumber);
  }
  ASSERT_EQ(numbers.size(), 5u);
  EXPECT_EQ(DbGetMultimediaHead(ann, db::kIndividual), numbers[0]);
  for (std::int32_t n : numbers) EXPECT_EQ(DbGetFirstMultimediaItem(n), numbers[0]);

  CMultimediaList loaded = CurrentDatabase->LoadMultimediaList(numbers[0], -1);
  EXPECT_EQ(FilesOf(loaded.get()), std::vector<std::string>({"plain.jpg", "voice.wav", "face.jpg",
                                                             "later.jpg", "clip.avi"}));
  for (const CMultimediaItem* i = loaded.get(); i; i = i->next.get())
    EXPECT_EQ(i->ownerType, db::kIndividual);
  EXPECT_EQ(FilesOf(CurrentDatabase->LoadMultimediaList(numbers[0], 2).get()),
            std::vector<std::string>({"plain.jpg", "voice.wav"}));
  EXPECT_EQ(FilesOf(CurrentDatabase->LoadMultimediaList(numbers[2], -1).get()),
            std::vector<std::string>({"face.jpg", "later.jpg", "clip.avi"}));
  EXPECT_EQ(CurrentDatabase->LoadMultimediaList(0, -1), nullptr);

  // A default sound before the default photo: photo first; only the first
  // default photo; no video.
  int count = -1;
  CMultimediaList defaults = DbGetDefaultMultimedia(ann, db::kIndividual, &count);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(FilesOf(defaults.get()), std::vector<std::string>({"face.jpg", "voice.wav"}));
  DbFreeMultimediaList(defaults);
  EXPECT_EQ(defaults, nullptr);

  // The owner's field may name any item of its chain.
  CurrentDatabase->SetMultimediaHead(ann, numbers[3], db::kIndividual);
  EXPECT_EQ(FilesOf(DbGetDefaultMultimedia(ann, db::kIndividual).get()),
            std::vector<std::string>({"face.jpg", "voice.wav"}));
}

TEST_F(MultimediaChainTest, DefaultPhotoSizeIsCroppedAndTurned) {
  const std::int32_t ann = AddPerson("Lund");
  const std::int32_t bo = AddPerson("Berg");
  CMultimediaList list = MakeList({{"voice.wav", 'S', true}, {"face.jpg", 'P', true}});
  CMultimediaItem& photo = *list->next;
  photo.width = 640;
  photo.height = 480;
  photo.cropTop = 10;
  photo.cropBottom = 20;
  photo.cropLeft = 40;
  photo.cropRight = 0;
  photo.flags |= 1 << CMultimediaItem::kRotationShift;  // a quarter turn
  EXPECT_EQ(1, DbSaveMultimediaChain(ann, list.get(), db::kIndividual));

  std::pair<int, int> size{-1, -1};
  EXPECT_EQ(DbHasDefaultPhoto(ann, db::kIndividual, &size), 1);
  EXPECT_EQ(size, std::make_pair(450, 600));

  // Only a default sound: no photo.
  CMultimediaList sounds = MakeList({{"voice.wav", 'S', true}, {"face.jpg", 'P', false}});
  EXPECT_EQ(1, DbSaveMultimediaChain(bo, sounds.get(), db::kIndividual));
  size = {-1, -1};
  EXPECT_EQ(DbHasDefaultPhoto(bo, db::kIndividual, &size), 0);
  EXPECT_EQ(size, std::make_pair(0, 0));
}

TEST_F(MultimediaChainTest, SavingReplacesTheStoredChain) {
  const std::int32_t ann = AddPerson("Lund");
  CMultimediaList first =
      MakeList({{"a.jpg", 'P', false}, {"b.jpg", 'P', false}, {"c.jpg", 0, false}});
  EXPECT_EQ(1, DbSaveMultimediaChain(ann, first.get(), db::kIndividual));
  // An item without a kind is stored as a photo, so that it does not read as deleted.
  EXPECT_EQ(first->next->next->kind, 'P');
  EXPECT_EQ(StoredChain(ann, db::kIndividual),
            std::vector<std::string>({"a.jpg", "b.jpg", "c.jpg"}));
  const std::int32_t highest = DbGetRecordCount(db::kMultimedia);

  CMultimediaList second = MakeList({{"x.jpg", 'P', false}, {"y.jpg", 'P', false}});
  EXPECT_EQ(1, DbSaveMultimediaChain(ann, second.get(), db::kIndividual));
  EXPECT_EQ(StoredChain(ann, db::kIndividual), std::vector<std::string>({"x.jpg", "y.jpg"}));
  // The old items were deleted and their numbers taken again.
  EXPECT_EQ(DbGetRecordCount(db::kMultimedia), highest);
  int live = 0;
  for (std::int32_t n = 1; n <= highest; ++n) {
    CMultimediaItem item;
    live += DbGetRecord(n, db::kMultimedia, &item);
  }
  EXPECT_EQ(live, 2);

  // A list that asks to keep the stored chain changes nothing, as asked.
  CMultimediaList keep = MakeList({{"z.jpg", 'P', false}});
  keep->keepStoredChain = 1;
  EXPECT_EQ(DbSaveMultimediaChain(ann, keep.get(), db::kIndividual), 1);
  EXPECT_EQ(StoredChain(ann, db::kIndividual), std::vector<std::string>({"x.jpg", "y.jpg"}));

  // Bad owners write nothing and fail.
  EXPECT_EQ(DbSaveMultimediaChain(0, second.get(), db::kIndividual), 0);
  EXPECT_EQ(DbSaveMultimediaChain(ann, second.get(), db::kRepository), 0);
  EXPECT_EQ(DbSaveMultimediaChain(ann + 5, second.get(), db::kIndividual), 0);
  EXPECT_EQ(DbGetRecordCount(db::kMultimedia), highest);

  // An empty list deletes the chain.
  EXPECT_EQ(DbSaveMultimediaChain(ann, nullptr, db::kIndividual), 1);
  EXPECT_EQ(DbGetMultimediaHead(ann, db::kIndividual), 0);
  EXPECT_EQ(DbGetRecord(second->recordNumber, db::kMultimedia, second.get()), 0);
}

TEST_F(MultimediaChainTest, ChainsAreDeletedWithTheirOwners) {
  // Owner number 1 of every type, so that only the owner type tells them apart.
  const std::int32_t ann = AddPerson("Lund");
  const std::int32_t bo = AddPerson("Berg");
  const std::int32_t keep = AddPerson("Dahl");
  const std::int32_t marriage = DbSetRelation(ann, bo, db::kRelHusband, 0);
  ASSERT_EQ(ann, 1);
  ASSERT_EQ(marriage, 1);
  CSourceRecord source;
  source.title = "Census";
  const std::int32_t src = DbAddRecord(db::kSource, 0, &source);
  ASSERT_EQ(src, 1);
  CCitationRecord citation;
  citation.sourceRin = src;
  citation.ownerLetter = db::kOwnerIndividual;
  citation.ownerNumber = keep;
  const std::int32_t cit = DbAddRecord(db::kCitation, 0, &citation);
  ASSERT_EQ(cit, 1);

  struct Owner {
    std::int32_t number;
    int type;
    CMultimediaList list;
  };
  std::vector<Owner> owners;
  owners.push_back({ann, db::kIndividual, MakeList({{"i1", 'P', false}, {"i2", 'P', false}})});
  owners.push_back({marriage, db::kMarriage, MakeList({{"m1", 'P', false}, {"m2", 'S', false}})});
  owners.push_back({src, db::kSource, MakeList({{"s1", 'P', false}, {"s2", 'P', false}})});
  owners.push_back({cit, db::kCitation, MakeList({{"c1", 'P', false}, {"c2", 'P', false}})});
  owners.push_back({keep, db::kIndividual, MakeList({{"k1", 'P', false}, {"k2", 'P', false}})});
  for (Owner& o : owners) ASSERT_EQ(DbSaveMultimediaChain(o.number, o.list.get(), o.type), 1);
  ASSERT_EQ(StoredChain(src, db::kSource), std::vector<std::string>({"s1", "s2"}));
  ASSERT_EQ(StoredChain(cit, db::kCitation), std::vector<std::string>({"c1", "c2"}));

  auto itemsLeft = [](const Owner& o) {
    int left = 0;
    for (const CMultimediaItem* i = o.list.get(); i; i = i->next.get()) {
      CMultimediaItem read;
      left += DbGetRecord(i->recordNumber, db::kMultimedia, &read);
    }
    return left;
  };
  // The citation goes with its source; the marriage is deleted by itself.
  ASSERT_EQ(DbDeleteRecord(marriage, db::kMarriage), 1);
  EXPECT_EQ(itemsLeft(owners[1]), 0);
  EXPECT_EQ(itemsLeft(owners[0]), 2);
  ASSERT_EQ(DbDeleteRecord(ann, db::kIndividual), 1);
  EXPECT_EQ(itemsLeft(owners[0]), 0);
  EXPECT_EQ(itemsLeft(owners[2]), 2);
  EXPECT_EQ(itemsLeft(owners[3]), 2);
  ASSERT_EQ(DbDeleteRecord(src, db::kSource), 1);
  EXPECT_EQ(itemsLeft(owners[2]), 0);
  EXPECT_EQ(itemsLeft(owners[3]), 0);
  EXPECT_EQ(StoredChain(keep, db::kIndividual), std::vector<std::string>({"k1", "k2"}));
  EXPECT_TRUE(boxes.Calls().empty());

  // A deleted owner has no field to read or set.
  EXPECT_EQ(DbGetMultimediaHead(ann, db::kIndividual), -1);
  EXPECT_EQ(CurrentDatabase->SetMultimediaHead(ann, 5, db::kIndividual), 0);
  EXPECT_EQ(CurrentDatabase->DeleteMultimediaChain(keep, db::kIndividual), 1);
  EXPECT_EQ(itemsLeft(owners[4]), 0);
  EXPECT_EQ(DbGetMultimediaHead(keep, db::kIndividual), 0);
}

TEST_F(MultimediaChainTest, SourceImageKeepsOrReplacesTheChain) {
  CSourceRecord source;
  source.title = "Census";
  const std::int32_t src = DbAddRecord(db::kSource, 0, &source);
  CMultimediaList list = MakeList({{"s1", 'P', false}, {"s2", 'P', false}});
  EXPECT_EQ(1, DbSaveMultimediaChain(src, list.get(), db::kSource));

  // Updating the source with the image it was read with keeps the chain.
  CSourceRecord read;
  ASSERT_EQ(DbGetRecord(src, db::kSource, &read), 1);
  ASSERT_NE(read.image, nullptr);
  EXPECT_EQ(read.image->fileName, "s1");
  read.callNumber = "C-1";
  ASSERT_EQ(DbUpdateRecord(src, db::kSource, &read), 1);
  EXPECT_EQ(StoredChain(src, db::kSource), std::vector<std::string>({"s1", "s2"}));

  // A new image takes the place of the whole chain.
  auto image = std::make_unique<CMultimediaItem>();
  image->fileName = "new";
  read.SetImage(std::move(image));
  ASSERT_EQ(DbUpdateRecord(src, db::kSource, &read), 1);
  EXPECT_EQ(StoredChain(src, db::kSource), std::vector<std::string>({"new"}));
  int live = 0;
  for (std::int32_t n = 1; n <= DbGetRecordCount(db::kMultimedia); ++n) {
    CMultimediaItem item;
    live += DbGetRecord(n, db::kMultimedia, &item);
  }
  EXPECT_EQ(live, 1);
}

TEST_F(MultimediaChainTest, FileNamesAndFolders) {
  const std::int32_t ann = AddPerson("Lund");
  CMultimediaList list = MakeList({{"/home/ann/Old/a.jpg", 'P', false},
                                   {"/home/ann/OLD/b.pcd\nIMG0001", 'P', false},
                                   {"/home/ann/Old/sub/c.jpg", 'P', false},
                                   {"/elsewhere/d.jpg", 'P', false}});
  EXPECT_EQ(1, DbSaveMultimediaChain(ann, list.get(), db::kIndividual));
  const std::int32_t a = list->recordNumber;

  std::string name;
  EXPECT_EQ(CurrentDatabase->GetMultimediaFileName(a, name), 1);
  EXPECT_EQ(name, "/home/ann/Old/a.jpg");
  EXPECT_EQ(CurrentDatabase->SetMultimediaFileName(a, "/home/ann/Old/a2.jpg"), 1);
  EXPECT_EQ(CurrentDatabase->GetMultimediaFileName(a, name), 1);
  EXPECT_EQ(name, "/home/ann/Old/a2.jpg");
  EXPECT_EQ(CurrentDatabase->GetMultimediaFileName(999, name), 0);
  EXPECT_EQ(name, "");
  EXPECT_EQ(CurrentDatabase->SetMultimediaFileName(999, "x"), 0);

  // An item without an owner takes no file name.
  CMultimediaItem loose;
  loose.fileName = "loose.jpg";
  loose.kind = 'P';
  const std::int32_t looseNumber = DbAddRecord(db::kMultimedia, 0, &loose);
  ASSERT_GT(looseNumber, 0);
  EXPECT_EQ(CurrentDatabase->SetMultimediaFileName(looseNumber, "other.jpg"), 0);

  EXPECT_EQ(CurrentDatabase->ReplaceMultimediaFolder("/home/ann/old", "/media/pictures"), 1);
  EXPECT_EQ(StoredChain(ann, db::kIndividual),
            std::vector<std::string>({"/media/pictures/a2.jpg", "/media/pictures/b.pcd\nIMG0001",
                                      "/home/ann/Old/sub/c.jpg", "/elsewhere/d.jpg"}));
}

TEST_F(MultimediaChainTest, ExportCopiesThePictureAndItsSound) {
  std::int32_t owner = 0;
  for (int i = 0; i < 26; ++i) owner = AddPerson("Lund");
  ASSERT_EQ(owner, 26);
  // Relative names are found beside the family file.
  WriteAll(dir.File("face.JPG"), PngHeader(320, 200));
  WriteAll(dir.File("voice.wav"), {'R', 'I', 'F', 'F', 1, 2, 3});
  CMultimediaList list = MakeList({{"face.JPG", 'P', true}});
  list->soundFile = "voice.wav";
  EXPECT_EQ(1, DbSaveMultimediaChain(owner, list.get(), db::kIndividual));
  const std::string out = dir.File("web");
  std::filesystem::create_directory(out);

  std::string name;
  int width = -1, height = -1;
  EXPECT_EQ(ExportMultimediaFile(owner, 0, out, name, nullptr, 3, width, height), 1);
  EXPECT_EQ(name, "1a03.JPG");
  EXPECT_EQ(ReadAll(out + "/1a03.JPG"), ReadAll(dir.File("face.JPG")));
  EXPECT_EQ(ReadAll(out + "/1a04.wav"), ReadAll(dir.File("voice.wav")));
  EXPECT_EQ(width, 320);
  EXPECT_EQ(height, 200);

  // An edited photo is copied as its file stands.
  CMultimediaItem edited = *list;
  edited.soundFile.clear();
  edited.cropLeft = 5;
  edited.flags |= 1 << CMultimediaItem::kFlipShift;
  EXPECT_EQ(ExportMultimediaFile(owner, 0, out + "/", name, &edited, 7, width, height), 1);
  EXPECT_EQ(name, "1a07.JPG");
  EXPECT_EQ(ReadAll(out + "/1a07.JPG"), ReadAll(dir.File("face.JPG")));
  EXPECT_TRUE(boxes.Calls().empty());

  // A missing file: the copy's message and 0, with no size.
  CMultimediaItem missing;
  missing.fileName = "gone.jpg";
  missing.kind = 'P';
  EXPECT_EQ(ExportMultimediaFile(owner, 0, out, name, &missing, 1, width, height), 0);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
  EXPECT_EQ(boxes.Calls().size(), 1u);

  // An individual without multimedia has nothing to export.
  EXPECT_EQ(ExportMultimediaFile(1, 0, out, name, nullptr, 1, width, height), 0);
}

// A picture exported on its own is on the disk before it replaces a file of
// its name; the web site writer's copies leave that to its one sync of the
// whole site folder.
TEST_F(MultimediaChainTest, ExportSyncsEachCopyUnlessTheFolderIsSyncedLater) {
  const std::int32_t owner = AddPerson("Lund");
  WriteAll(dir.File("face.JPG"), PngHeader(320, 200));
  WriteAll(dir.File("voice.wav"), {'R', 'I', 'F', 'F', 1, 2, 3});
  CMultimediaList list = MakeList({{"face.JPG", 'P', true}});
  list->soundFile = "voice.wav";
  EXPECT_EQ(1, DbSaveMultimediaChain(owner, list.get(), db::kIndividual));
  struct Case {
    ReplaceSync sync;
    int syncError;
    int result;
    std::vector<std::string> syncs;
    std::vector<std::string> files;
  } cases[] = {
      {ReplaceSync::kNow, 0, 1, {"file", "file"}, {"101.JPG", "102.wav"}},
      // A copy that cannot be synced is not there, and the user is told.
      {ReplaceSync::kNow, EIO, 0, {"file"}, {}},
      {ReplaceSync::kWithFolder, EIO, 1, {}, {"101.JPG", "102.wav"}},
  };
  for (const Case& c : cases) {
    const std::string out = dir.File("web");
    std::filesystem::remove_all(out);
    std::filesystem::create_directory(out);
    plat::FakeDiskSync sync;
    sync.fileError = c.syncError;
    plat::ScopedDiskSync scopedSync{&sync};
    boxes.Clear();
    std::string name;
    int width = 0, height = 0;
    EXPECT_EQ(ExportMultimediaFile(owner, 0, out, name, nullptr, 1, width, height, c.sync),
              c.result);
    EXPECT_EQ(sync.calls, c.syncs);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(out))
      files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, c.files);
    EXPECT_EQ(boxes.Calls().size(), c.result == 1 ? 0u : 1u);
  }
}

TEST(PictureFileSize, ReadsTheHeadersOfCommonFormats) {
  TempDir dir;
  Bytes bmp(54, 0);
  bmp[0] = 'B';
  bmp[1] = 'M';
  bmp[14] = 40;
  bmp[18] = 0x20;  // width 800
  bmp[19] = 0x03;
  bmp[22] = 0xA8;  // height -600 (top-down)
  bmp[23] = 0xFD;
  bmp[24] = 0xFF;
  bmp[25] = 0xFF;
  Bytes coreBmp(26, 0);
  coreBmp[0] = 'B';
  coreBmp[1] = 'M';
  coreBmp[14] = 12;
  coreBmp[18] = 64;
  coreBmp[20] = 48;
  // JPEG: an APP0 segment, a fill byte, then the baseline frame header.
  Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x06, 'J',  'F',  'I',  'F', 0xFF,
                0xFF, 0xC0, 0x00, 0x11, 0x08, 0x01, 0xE0, 0x02, 0x80, 0x03};
  Bytes jpegNoFrame = {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x04, 0x00, 0x00};
  struct Case {
    const char* name;
    Bytes bytes;
    bool ok;
    int width, height;
  } cases[] = {
      {"a.png", PngHeader(1024, 768), true, 1024, 768},
      {"b.gif", {'G', 'I', 'F', '8', '9', 'a', 0x2C, 0x01, 0xC8, 0x00}, true, 300, 200},
      {"c.bmp", bmp, true, 800, 600},
      {"d.bmp", coreBmp, true, 64, 48},
      {"e.jpg", jpeg, true, 640, 480},
      {"f.jpg", jpegNoFrame, false, 0, 0},
      {"g.wav", {'R', 'I', 'F', 'F', 0, 0, 0, 0}, false, 0, 0},
      {"h.png", {0x89, 'P', 'N'}, false, 0, 0},
  };
  for (const Case& c : cases) {
    WriteAll(dir.File(c.name), c.bytes);
    int w = -1, h = -1;
    EXPECT_EQ(ReadPictureFileSize(dir.File(c.name), w, h), c.ok) << c.name;
    EXPECT_EQ(w, c.width) << c.name;
    EXPECT_EQ(h, c.height) << c.name;
  }
  int w = -1, h = -1;
  EXPECT_FALSE(ReadPictureFileSize(dir.File("none.png"), w, h));
}

TEST_F(MultimediaChainTest, PictureCacheLivesForReportPagination) {
  for (int i = 0; i < 9; ++i) AddPerson("Lund");
  SetReportImageMode(1);
  ASSERT_NE(CurrentDatabase->pictureCache, nullptr);
  EXPECT_GE(CurrentDatabase->pictureCache->BitCount(), 10u);
  EXPECT_EQ(CurrentDatabase->pictureCache->SetCount(), 0u);
  CurrentDatabase->pictureCache->SetBit(9, 1);
  // A new pagination starts with an empty cache.
  SetReportImageMode(1);
  EXPECT_EQ(CurrentDatabase->pictureCache->Test(9), 0);
  SetReportImageMode(0);
  EXPECT_EQ(CurrentDatabase->pictureCache, nullptr);
}

TEST_F(MultimediaChainTest, OtherDatabaseTypesAreRefused) {
  const std::int32_t ann = AddPerson("Lund");
  DbCloseCurrent();
  const int savedType = CurrentDatabase->type;
  CurrentDatabase->type = 0;
  EXPECT_EQ(DbGetMultimediaHead(ann, db::kIndividual), -1);
  EXPECT_EQ(DbGetFirstMultimediaItem(1), -1);
  EXPECT_EQ(DbGetDefaultMultimedia(ann, db::kIndividual), nullptr);
  ASSERT_EQ(boxes.Calls().size(), 3u);
  EXPECT_EQ(boxes.Calls()[0].text, "Unknown Database Type 31");
  EXPECT_EQ(boxes.Calls()[0].caption, "Yo");
  CurrentDatabase->type = savedType;
}

}  // namespace
