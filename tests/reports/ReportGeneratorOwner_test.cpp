// The generator's pictures looked up from their owner in an open family file.

#include <gtest/gtest.h>

#include "DbCalls.h"
#include "DbCodes.h"
#include "IndividualRecord.h"
#include "MultimediaChain.h"
#include "OpenFamilyFixture.h"
#include "RecordingDevice.h"
#include "ReportGenerator.h"

namespace {

class OwnerPictureTest : public OpenFamilyFixture {
 protected:
  static std::int32_t AddPerson(const char* surname) {
    CIndividualRecord person;
    person.surname = surname;
    person.givenNames[0] = "Ann";
    return DbAddRecord(CIndividualRecord::kRecordType, 0, &person);
  }
  static void Give(std::int32_t owner, const char* file, char kind) {
    auto item = std::make_unique<CMultimediaItem>();
    item->fileName = file;
    item->kind = kind;
    item->flags |= CMultimediaItem::kFlagDefault;
    EXPECT_EQ(1, DbSaveMultimediaChain(owner, item.get(), db::kIndividual));
  }
  RecordingDevice dc;
  CReportGenerator generator;
};

TEST_F(OwnerPictureTest, TheOwnersDefaultPhotoIsTakenWhenNoItemIsGiven) {
  const std::int32_t none = AddPerson("Berg");
  const std::int32_t voice = AddPerson("Lund");
  const std::int32_t face = AddPerson("Holm");
  Give(voice, "voice.wav", CMultimediaItem::kSound);
  Give(face, "face.jpg", CMultimediaItem::kPhoto);
  for (bool rtf : {false, true}) {
    generator.SetRTFOutput(rtf);
    dc.photosLoaded.clear();
    rpt::Rect rect{0, 0, 1000, -1000};
    EXPECT_EQ(generator.DrawPicture(none, db::kIndividual, &dc, &rect, 0, 0, nullptr), 1);
    EXPECT_EQ(generator.DrawPicture(voice, db::kIndividual, &dc, &rect, 0, 0, nullptr), 1);
    EXPECT_EQ(generator.DrawPicture(face, db::kIndividual, &dc, &rect, 0, 0, nullptr), 0);
    ASSERT_EQ(dc.photosLoaded.size(), 1u) << rtf;
    EXPECT_EQ(dc.photosLoaded[0], "face.jpg report");
  }
}

}  // namespace
