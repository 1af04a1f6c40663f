// The document: its Back history, the removal of marriages left empty, its
// title and the family-file settings it reads as it is made.
#include <QtTest>
#include <memory>

#include "DbCalls.h"
#include "FakePorts.h"
#include "FamilyDatabase.h"
#include "KorApp.h"
#include "KorDoc.h"
#include "MarriageRecord.h"

class DocumentTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<plat::FakeMessageBox> boxes_;
  std::unique_ptr<plat::ScopedMessageBox> scopedBoxes_;
  std::string path_;

  static std::int32_t AddEmptyMarriage() {
    CMarriageRecord marriage;
    return DbAddRecord(db::kMarriage, 0, &marriage);
  }
  static bool IsLive(std::int32_t mrin) {
    CMarriageRecord marriage;
    return DbGetRecord(mrin, db::kMarriage, &marriage) == 1;
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    boxes_ = std::make_unique<plat::FakeMessageBox>();
    scopedBoxes_ = std::make_unique<plat::ScopedMessageBox>(boxes_.get());
    path_ = dir_->filePath(QStringLiteral("family.orv")).toStdString();
    QCOMPARE(DbCreate(path_, CFamilyDatabase::kCurrentFormat), 1);
    QCOMPARE(DbOpen(path_, CFamilyDatabase::kCurrentFormat), 1);
  }
  void cleanup() {
    DbCloseCurrent();
    scopedBoxes_.reset();
    dir_.reset();
  }

  void history() {
    CKorDoc document;
    QCOMPARE(document.FindInHistory(5), -1);
    document.m_visitedRins = {4, 9, 2, 9, 7};
    QCOMPARE(document.FindInHistory(9), 1);
    QCOMPARE(document.FindInHistory(8), -1);
    document.TruncateHistory(8);
    QCOMPARE(document.m_visitedRins, (std::vector<std::uint32_t>{4, 9, 2, 9, 7}));
    // The first match and every older entry go.
    document.TruncateHistory(9);
    QCOMPARE(document.m_visitedRins, (std::vector<std::uint32_t>{2, 9, 7}));
    document.TruncateHistory(7);
    QVERIFY(document.m_visitedRins.empty());
  }

  void anEmptyMarriageIsDeleted() {
    CKorDoc document;
    const std::int32_t quiet = AddEmptyMarriage(), asked = AddEmptyMarriage();
    QVERIFY(quiet > 0 && asked > 0);
    QCOMPARE(document.DeleteMarriageIfEmpty(quiet, false), 0);
    QVERIFY(!IsLive(quiet));
    QVERIFY(boxes_->Calls().empty());

    boxes_->QueueAnswer(plat::kIdNo);
    QCOMPARE(document.DeleteMarriageIfEmpty(asked, true), 0);
    QVERIFY(IsLive(asked));
    QCOMPARE(boxes_->Calls().size(), std::size_t{1});
    QCOMPARE(boxes_->Calls()[0].text,
             "MRIN " + std::to_string(asked) +
                 ":\n\nThis marriage is not linked to any individuals.\nDo you wish to delete it?");
    boxes_->QueueAnswer(plat::kIdYes);
    document.DeleteMarriageIfEmpty(asked, true);
    QVERIFY(!IsLive(asked));
  }

  void aLinkedMarriageIsKept() {
    CKorDoc document;
    const std::int32_t husband =
        CurrentDatabase->engine->Records().NewRecord(orv::RecordKind::Individual, false);
    const std::int32_t child =
        CurrentDatabase->engine->Records().NewRecord(orv::RecordKind::Individual, false);
    const std::int32_t couple = DbSetRelation(husband, 0, db::kRelHusband, 0);
    QVERIFY(couple > 0);
    QCOMPARE(document.DeleteMarriageIfEmpty(couple, false), 0);
    QVERIFY(IsLive(couple));
    // Only children: kept, and the child test answers 1.
    const std::int32_t parentsGone = AddEmptyMarriage();
    QVERIFY(DbSetRelation(child, 0, db::kRelParents, parentsGone) > 0);
    QCOMPARE(document.DeleteMarriageIfEmpty(parentsGone, true), 1);
    QVERIFY(IsLive(parentsGone));
    QVERIFY(boxes_->Calls().empty());
  }

  void titleAndSettingsComeFromTheOpenFile() {
    CKorApp app;
    app.Files().fileOpen = 1;
    CFamilyFileInfo info;
    QCOMPARE(info.ReadFileOptions(1), 1);
    info.settings.backupInterval = 7;
    info.settings.homeRin = 3;
    CAppOptions options;
    QCOMPARE(info.WriteFileOptions(options), 1);

    auto* document = new CKorDoc;
    QCOMPARE(document->m_fileInfo.settings.backupInterval, std::int16_t{7});
    QCOMPARE(document->m_fileInfo.settings.homeRin, 3);
    // The roads close the file with this document's settings.
    QCOMPARE(app.Files().fileInfo, &document->m_fileInfo);
    document->OnNewDocument();
    QCOMPARE(document->GetTitle(), QString::fromStdString(path_));
    delete document;
    QVERIFY(app.Files().fileInfo == nullptr);
    app.Files().fileOpen = 0;

    DbCloseCurrent();
    CKorDoc untitled;
    untitled.OnNewDocument();
    QCOMPARE(untitled.GetTitle(), QStringLiteral("Untitled"));
    QCOMPARE(DbOpen(path_, CFamilyDatabase::kCurrentFormat), 1);
  }
};

QTEST_MAIN(DocumentTest)
#include "document_qtest.moc"
