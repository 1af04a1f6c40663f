// The multimedia collection's decisions over a family file: list texts and
// button states, the default photo and sound through adding, moving and
// removing, Save in list order, and the hand-over of a new owner's items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DbCalls.h"
#include "FamilyDatabase.h"
#include "IndividualRecord.h"
#include "MultimediaChain.h"
#include "MultimediaCollection.h"
#include "OpenFamilyFixture.h"
#include "WriteFaultRun.h"

namespace {

using media::CMultimediaCollection;

std::unique_ptr<CMultimediaItem> NewItem(char kind, const std::string& file,
                                         const std::string& caption = "", bool isDefault = false) {
  auto item = std::make_unique<CMultimediaItem>();
  item->kind = kind;
  item->fileName = file;
  item->caption = caption;
  if (isDefault) item->flags |= CMultimediaItem::kFlagDefault;
  return item;
}

CMultimediaList Chain(std::vector<std::unique_ptr<CMultimediaItem>> items) {
  CMultimediaList head;
  for (auto it = items.rbegin(); it != items.rend(); ++it) {
    (*it)->next = std::move(head);
    head = std::move(*it);
  }
  return head;
}

std::vector<std::string> Texts(const CMultimediaCollection& c) {
  std::vector<std::string> out;
  for (int i = 0; i < c.Count(); ++i) out.push_back(c.EntryText(i));
  return out;
}

std::vector<std::string> Stored(std::int32_t owner) {
  std::vector<std::string> out;
  const std::int32_t head = DbGetMultimediaHead(owner, db::kIndividual);
  if (head <= 0) return out;
  CMultimediaList list = CurrentDatabase->LoadMultimediaList(DbGetFirstMultimediaItem(head), -1);
  for (const CMultimediaItem* i = list.get(); i; i = i->next.get())
    out.push_back(i->fileName + (i->IsDefault() ? "*" : ""));
  return out;
}

class CollectionTest : public OpenFamilyFixture {
 protected:
  static std::int32_t AddPerson() {
    CIndividualRecord person;
    person.surname = "Lund";
    person.givenNames[0] = "Ann";
    return DbAddRecord(CIndividualRecord::kRecordType, 0, &person);
  }
  // Stores items as the owner's chain.
  static void Store(std::int32_t owner, std::vector<std::unique_ptr<CMultimediaItem>> items) {
    CMultimediaList chain = Chain(std::move(items));
    EXPECT_EQ(1, DbSaveMultimediaChain(owner, chain.get(), db::kIndividual));
  }
};

// Texts and buttons over a table of collections as they open.
TEST_F(CollectionTest, OpeningTextsAndButtons) {
  struct Case {
    const char* name;
    std::vector<std::tuple<char, const char*, const char*, bool>> items;
    bool readOnly;
    int selection;
    std::vector<std::string> texts;
    bool modify, remove, editPhoto, show, makeDefault, slideShow, scrapbook, add;
    const char* showText;
    const char* defaultText;
  };
  const std::vector<Case> cases = {
      {"empty",
       {},
       false,
       -1,
       {},
       false,
       false,
       false,
       false,
       false,
       false,
       false,
       true,
       "S&how",
       "Make &Default"},
      {"one photo",
       {{'P', "a.jpg", "Ann at ten", false}},
       false,
       0,
       {" \tPhoto\tAnn at ten"},
       true,
       true,
       true,
       true,
       true,
       false,
       false,
       true,
       "S&how",
       "Make &Default"},
      {"default sound",
       {{'P', "a.jpg", "", false}, {'S', "v.wav", "Voice", true}},
       false,
       1,
       {" \tPhoto", "*\tSound Clip\tVoice"},
       true,
       true,
       false,
       true,
       true,
       false,
       false,
       true,
       "&Play",
       "Clear &Default"},
      {"video",
       {{'V', "c.avi", "Clip", false}},
       false,
       0,
       {" \tVideo Clip\tClip"},
       true,
       true,
       false,
       true,
       false,
       false,
       false,
       true,
       "&Play",
       "Make &Default"},
      {"read-only file",
       {{'P', "a.jpg", "Face", true}},
       true,
       0,
       {"*\tPhoto\tFace"},
       true,
       false,
       true,
       true,
       false,
       false,
       false,
       false,
       "S&how",
       "Clear &Default"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::int32_t owner = AddPerson();
    std::vector<std::unique_ptr<CMultimediaItem>> items;
    for (const auto& [kind, file, caption, def] : c.items)
      items.push_back(NewItem(kind, file, caption, def));
    if (!items.empty()) Store(owner, std::move(items));
    CMultimediaCollection collection(owner, c.readOnly);
    collection.Load();
    EXPECT_EQ(Texts(collection), c.texts);
    const media::CollectionButtons b = collection.Buttons(c.selection);
    EXPECT_EQ(b.modify, c.modify);
    EXPECT_EQ(b.remove, c.remove);
    EXPECT_EQ(b.editPhoto, c.editPhoto);
    EXPECT_EQ(b.show, c.show);
    EXPECT_EQ(b.preview, c.show);
    EXPECT_EQ(b.makeDefault, c.makeDefault);
    EXPECT_EQ(b.slideShow, c.slideShow);
    EXPECT_EQ(b.scrapbook, c.scrapbook);
    EXPECT_EQ(b.add, c.add);
    EXPECT_EQ(b.showText, c.showText);
    EXPECT_EQ(b.defaultText, c.defaultText);
    EXPECT_EQ(b.closeText, "&Close");
    EXPECT_FALSE(collection.Changed());
  }
}

TEST_F(CollectionTest, FirstPhotoAddedBecomesDefaultAndEnablesShows) {
  CMultimediaCollection collection(AddPerson(), false);
  collection.Load();
  // A sound first: no default is chosen for it.
  EXPECT_EQ(collection.Add(NewItem('S', "v.wav", "Voice")), 0);
  EXPECT_EQ(collection.DefaultSound(), -1);
  EXPECT_EQ(collection.Add(NewItem('P', "b.jpg")), 1);
  EXPECT_EQ(collection.DefaultPhoto(), -1) << "only a first and only entry becomes the default";

  CMultimediaCollection fresh(AddPerson(), false);
  EXPECT_EQ(fresh.Add(NewItem('P', "a.jpg")), 0);
  EXPECT_EQ(fresh.DefaultPhoto(), 0);
  // Entries made by Add carry the caption tab even when it is empty.
  EXPECT_EQ(fresh.EntryText(0), "*\tPhoto\t");
  const CMultimediaItem* photo = fresh.Item(0);
  EXPECT_EQ(photo->flags & 0x07, CMultimediaItem::kFlagDefault | CMultimediaItem::kFlagSlideShow |
                                     CMultimediaItem::kFlagScrapbook);
  const media::CollectionButtons b = fresh.Buttons(0);
  EXPECT_TRUE(b.slideShow);
  EXPECT_TRUE(b.scrapbook);
  EXPECT_TRUE(b.save);
  EXPECT_EQ(b.closeText, "Cancel");
  EXPECT_EQ(b.defaultText, "Clear &Default");
}

TEST_F(CollectionTest, RemovingTheDefaultThenAddingAPhoto) {
  CMultimediaCollection collection(AddPerson(), false);
  collection.Add(NewItem('P', "a.jpg"));
  collection.Add(NewItem('P', "b.jpg"));
  EXPECT_EQ(collection.Remove(0), 0);
  EXPECT_EQ(collection.DefaultPhoto(), -1);
  EXPECT_EQ(collection.EntryText(0), " \tPhoto\t");
  // Not the first and only entry: no default is made.
  collection.Add(NewItem('P', "c.jpg"));
  EXPECT_EQ(collection.DefaultPhoto(), -1);
  // Removing everything, then adding: the new first photo is the default.
  EXPECT_EQ(collection.Remove(1), 0);
  EXPECT_EQ(collection.Remove(0), -1);
  collection.Add(NewItem('P', "d.jpg"));
  EXPECT_EQ(collection.DefaultPhoto(), 0);
}

TEST_F(CollectionTest, MovingAndRemovingKeepTheDefaultsOnTheirItems) {
  const std::int32_t owner = AddPerson();
  std::vector<std::unique_ptr<CMultimediaItem>> items;
  items.push_back(NewItem('P', "a.jpg", "A"));
  items.push_back(NewItem('P', "b.jpg", "B", true));
  items.push_back(NewItem('S', "c.wav", "C", true));
  items.push_back(NewItem('V', "d.avi", "D"));
  Store(owner, std::move(items));
  CMultimediaCollection collection(owner, false);
  collection.Load();
  ASSERT_EQ(collection.DefaultPhoto(), 1);
  ASSERT_EQ(collection.DefaultSound(), 2);

  // Up moves the default photo to the top; at the top it stays.
  EXPECT_EQ(collection.Move(1, -1), 0);
  EXPECT_EQ(collection.DefaultPhoto(), 0);
  EXPECT_EQ(collection.Move(0, -1), 0);
  EXPECT_EQ(Texts(collection), (std::vector<std::string>{"*\tPhoto\tB", " \tPhoto\tA",
                                                         "*\tSound Clip\tC", " \tVideo Clip\tD"}));
  // Down moves the default sound below the video; at the end it stays.
  EXPECT_EQ(collection.Move(2, 1), 3);
  EXPECT_EQ(collection.Move(3, 1), 3);
  EXPECT_EQ(collection.DefaultSound(), 3);
  EXPECT_EQ(collection.EntryText(3), "*\tSound Clip\tC");

  // Removing an entry before both defaults moves both indexes down.
  EXPECT_EQ(collection.Remove(1), 1);
  EXPECT_EQ(collection.DefaultPhoto(), 0);
  EXPECT_EQ(collection.DefaultSound(), 2);
  // Removing the last entry selects the new last one.
  EXPECT_EQ(collection.Remove(2), 1);
  EXPECT_EQ(collection.DefaultSound(), -1);
  EXPECT_EQ(collection.DefaultPhoto(), 0);
}

TEST_F(CollectionTest, DefaultButtonTogglesAndReplacesThePreviousDefault) {
  CMultimediaCollection collection(AddPerson(), false);
  collection.Add(NewItem('P', "a.jpg"));
  collection.Add(NewItem('P', "b.jpg"));
  collection.Add(NewItem('V', "c.avi"));
  collection.ToggleDefault(1);
  EXPECT_EQ(collection.DefaultPhoto(), 1);
  EXPECT_FALSE(collection.Item(0)->IsDefault());
  EXPECT_TRUE(collection.Item(1)->IsDefault());
  EXPECT_EQ(collection.EntryText(0), " \tPhoto\t");
  collection.ToggleDefault(1);
  EXPECT_EQ(collection.DefaultPhoto(), -1);
  EXPECT_FALSE(collection.Item(1)->IsDefault());
  // A video never becomes a default.
  collection.ToggleDefault(2);
  EXPECT_FALSE(collection.Item(2)->IsDefault());
  EXPECT_FALSE(collection.Buttons(2).makeDefault);
}

TEST_F(CollectionTest, SoundClipsOnly) {
  CMultimediaCollection collection(AddPerson(), false);
  collection.Add(NewItem('S', "a.wav"));
  collection.Add(NewItem('S', "b.wav"));
  media::CollectionButtons b = collection.Buttons(1);
  EXPECT_EQ(b.showText, "&Play");
  EXPECT_TRUE(b.show);
  EXPECT_FALSE(b.editPhoto);
  EXPECT_TRUE(b.makeDefault);
  EXPECT_FALSE(b.slideShow) << "sounds are not put in the slide show";
  collection.ToggleDefault(1);
  EXPECT_EQ(collection.DefaultSound(), 1);
  EXPECT_EQ(collection.Buttons(1).defaultText, "Clear &Default");
}

TEST_F(CollectionTest, SaveWritesTheListOrder) {
  const std::int32_t owner = AddPerson();
  std::vector<std::unique_ptr<CMultimediaItem>> items;
  items.push_back(NewItem('P', "a.jpg", "", true));
  items.push_back(NewItem('S', "b.wav"));
  items.push_back(NewItem('P', "c.jpg"));
  Store(owner, std::move(items));
  CMultimediaCollection collection(owner, false);
  collection.Load();
  collection.Move(2, -1);
  collection.Move(1, -1);  // c, a, b
  collection.ToggleDefault(2);
  collection.Add(NewItem('V', "d.avi"));
  EXPECT_EQ(collection.Save(), CMultimediaCollection::kSaved);
  EXPECT_EQ(Stored(owner), (std::vector<std::string>{"c.jpg", "a.jpg*", "b.wav*", "d.avi"}));
  EXPECT_FALSE(collection.Changed());
  // The items keep their places and texts after the save.
  EXPECT_EQ(collection.EntryText(1), "*\tPhoto");
  EXPECT_EQ(collection.EntryText(3), " \tVideo Clip\t");

  // Removing everything stores an empty chain.
  while (collection.Count() > 0) collection.Remove(0);
  EXPECT_EQ(collection.Save(), CMultimediaCollection::kSaved);
  EXPECT_EQ(DbGetMultimediaHead(owner, db::kIndividual), 0);
}

// A save reported done is on the file: whatever write of the chain fails,
// an answer of kSaved finds the items, opened again, as a save without a
// fault left them.
TEST_F(CollectionTest, ASaveReportedDoneIsOnTheFile) {
  const std::int32_t owner = AddPerson();
  std::vector<std::unique_ptr<CMultimediaItem>> items;
  items.push_back(NewItem('P', "a.jpg", "", true));
  items.push_back(NewItem('S', "b.wav"));
  Store(owner, std::move(items));
  const auto save = [&] {
    CMultimediaCollection collection(owner, false);
    collection.Load();
    collection.Move(1, -1);
    collection.Add(NewItem('P', "c.jpg"));
    return collection.Save() == CMultimediaCollection::kSaved ? 1 : 0;
  };
  ExpectDoneIsOnTheFile(family, save, 1, [&] { return ::testing::PrintToString(Stored(owner)); });
}

TEST_F(CollectionTest, ReadOnlyFileRefusesSave) {
  const std::int32_t owner = AddPerson();
  std::vector<std::unique_ptr<CMultimediaItem>> items;
  items.push_back(NewItem('P', "a.jpg"));
  Store(owner, std::move(items));
  CMultimediaCollection collection(owner, true);
  collection.Load();
  collection.Move(0, 1);
  collection.Touch();
  EXPECT_TRUE(collection.Changed());
  EXPECT_FALSE(collection.Buttons(0).save);
  EXPECT_EQ(collection.Save(), CMultimediaCollection::kReadOnly);
  EXPECT_EQ(Stored(owner), std::vector<std::string>{"a.jpg"});
}

// A new individual's items survive the dialog: they are handed back and
// stored by the caller once the individual exists.
TEST_F(CollectionTest, NewOwnerHandsItsItemsOver) {
  CMultimediaCollection collection(0, false);
  collection.Add(NewItem('S', "v.wav"));
  collection.ToggleDefault(0);
  collection.Add(NewItem('P', "a.jpg"));
  collection.ToggleDefault(1);
  EXPECT_EQ(collection.Save(), CMultimediaCollection::kPending);
  CMultimediaItem* chosen = nullptr;
  CMultimediaList pending = collection.TakeItems(&chosen);
  EXPECT_EQ(collection.Count(), 0);
  ASSERT_NE(chosen, nullptr);
  EXPECT_EQ(chosen->fileName, "a.jpg");

  // Reopened before the individual exists: the same list, defaults marked.
  CMultimediaCollection again(0, false);
  again.Adopt(std::move(pending));
  EXPECT_EQ(Texts(again), (std::vector<std::string>{"*\tSound Clip", "*\tPhoto"}));
  pending = again.TakeItems();

  const std::int32_t owner = AddPerson();
  EXPECT_EQ(1, DbSaveMultimediaChain(owner, pending.get(), db::kIndividual));
  EXPECT_EQ(Stored(owner), (std::vector<std::string>{"v.wav*", "a.jpg*"}));
}

TEST(MultimediaPaths, RelativeToTheFamilyFolder) {
  struct Case {
    const char* path;
    const char* folder;
    const char* expected;
  } cases[] = {
      {"/home/ann/tree/photos/a.jpg", "/home/ann/tree", "photos/a.jpg"},
      {"/home/ann/tree/a.jpg", "/home/ann/tree/", "a.jpg"},
      {"/home/ann/other/a.jpg", "/home/ann/tree", "/home/ann/other/a.jpg"},
      {"/home/ann/treehouse/a.jpg", "/home/ann/tree", "/home/ann/treehouse/a.jpg"},
      {"/home/ann/tree/a.jpg", "", "/home/ann/tree/a.jpg"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(media::RelativeToFolder(c.path, c.folder), c.expected) << c.path;
}

}  // namespace

namespace {

TEST(MultimediaItemEdits, RenamingDropsEditsAndCancelRestoresThem) {
  CMultimediaItem item;
  item.kind = CMultimediaItem::kPhoto;
  item.fileName = "a.jpg";
  item.cropLeft = 4;
  item.cropTop = 5;
  item.cropRight = 6;
  item.cropBottom = 7;
  item.slideTime = 30;
  item.soundFile = "hello.wav";
  item.flags = CMultimediaItem::kFlagDefault | CMultimediaItem::kFlagScrapbook |
               (2 << CMultimediaItem::kRotationShift) | (1 << CMultimediaItem::kFlipShift);
  const media::ItemEditState saved = media::ItemEditState::Of(item);

  // The same name keeps everything.
  EXPECT_FALSE(media::ForgetEditsOfOldFile(item, "a.jpg"));
  EXPECT_EQ(item.GetRotation(), 2);
  // Another name drops crop, rotation and flip but not the other flags.
  EXPECT_TRUE(media::ForgetEditsOfOldFile(item, "b.jpg"));
  EXPECT_EQ(item.cropLeft + item.cropTop + item.cropRight + item.cropBottom, 0);
  EXPECT_EQ(item.GetRotation(), 0);
  EXPECT_EQ(item.GetFlip(), 0);
  EXPECT_TRUE(item.IsDefault());
  EXPECT_NE(item.flags & CMultimediaItem::kFlagScrapbook, 0);

  // What Edit Photo might change, all undone by Cancel; the default flag,
  // which the dialog does not own, is left as it is.
  item.fileName = "b.jpg";
  item.slideTime = 0;
  item.soundFile.clear();
  item.flags = CMultimediaItem::kFlagSlideShow;
  saved.RestoreInto(item);
  EXPECT_EQ(item.fileName, "a.jpg");
  EXPECT_EQ(item.cropLeft, 4);
  EXPECT_EQ(item.cropBottom, 7);
  EXPECT_EQ(item.slideTime, 30);
  EXPECT_EQ(item.soundFile, "hello.wav");
  EXPECT_EQ(item.GetRotation(), 2);
  EXPECT_EQ(item.GetFlip(), 1);
  EXPECT_NE(item.flags & CMultimediaItem::kFlagScrapbook, 0);
  EXPECT_EQ(item.flags & CMultimediaItem::kFlagSlideShow, 0);
  EXPECT_FALSE(item.IsDefault());
}

TEST(MultimediaItemEdits, EditButtonOnlyForPhotosWithAFile) {
  EXPECT_TRUE(media::CanEditPhoto("Photo", "a.jpg"));
  EXPECT_FALSE(media::CanEditPhoto("Photo", ""));
  EXPECT_FALSE(media::CanEditPhoto("Sound Clip", "a.wav"));
  EXPECT_FALSE(media::CanEditPhoto("Video Clip", "a.avi"));
}

}  // namespace

namespace {

// Modify may change an item's kind: a default photo turned into a sound or
// video is no longer marked as the default of a kind it does not have.
TEST_F(CollectionTest, ModifiedKindDropsAStaleDefault) {
  CMultimediaCollection collection(AddPerson(), false);
  collection.Add(NewItem('P', "a.jpg"));
  collection.Add(NewItem('S', "b.wav"));
  collection.ToggleDefault(1);
  ASSERT_EQ(collection.DefaultPhoto(), 0);
  ASSERT_EQ(collection.DefaultSound(), 1);
  collection.Item(0)->kind = CMultimediaItem::kVideo;
  collection.Modified(0);
  EXPECT_EQ(collection.DefaultPhoto(), -1);
  EXPECT_FALSE(collection.Item(0)->IsDefault());
  EXPECT_EQ(collection.EntryText(0), " \tVideo Clip\t");
  // An unchanged kind keeps the mark.
  collection.Item(1)->caption = "Voice";
  collection.Modified(1);
  EXPECT_EQ(collection.EntryText(1), "*\tSound Clip\tVoice");
  EXPECT_EQ(collection.DefaultSound(), 1);
}

}  // namespace
