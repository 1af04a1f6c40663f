#pragma once
// The Relationship Calculator: two persons chosen with Find, the
// relationships between them listed, and for the chosen one the two lines of
// descent and the sentence. What it decides lives in
// kin::CRelationshipCalculator.

#include <cstdint>
#include <memory>

#include "DialogBase.h"
#include "QtTextMeasure.h"
#include "RelationshipCalculator.h"

class QListWidget;

class CRelationshipCalculatorDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 417;
  static constexpr int kIdcName1 = 1413;
  static constexpr int kIdcName2 = 1412;
  static constexpr int kIdcRin1 = 1417;
  static constexpr int kIdcRin2 = 1418;
  static constexpr int kIdcKeyEvent1 = 1419;
  static constexpr int kIdcKeyEvent2 = 1420;
  static constexpr int kIdcSex1 = 1421;
  static constexpr int kIdcSex2 = 1422;
  static constexpr int kIdcSpouse1a = 1423;
  static constexpr int kIdcSpouse1b = 1424;
  static constexpr int kIdcSpouse2a = 1426;
  static constexpr int kIdcSpouse2b = 1427;
  static constexpr int kIdcFather1 = 1425;
  static constexpr int kIdcMother1 = 1430;
  static constexpr int kIdcFather2 = 1428;
  static constexpr int kIdcMother2 = 1429;
  static constexpr int kIdcSearch1 = 1318;
  static constexpr int kIdcSearch2 = 1339;
  static constexpr int kIdcLine1 = 1346;
  static constexpr int kIdcLine2 = 1077;
  static constexpr int kIdcResults = 1416;
  static constexpr int kIdcSentence = 1415;
  static constexpr int kIdcCalculate = 1264;

  // first: the person current in the active view (0: none).
  explicit CRelationshipCalculatorDialog(std::int32_t first, QWidget* parent = nullptr);
  ~CRelationshipCalculatorDialog() override;

  // The two persons (what Search sets).
  void SetPerson(int which, std::int32_t rin);
  void Calculate();
  void ShowResult(int index);
  const kin::CRelationshipCalculator& Model() const { return *model_; }

 protected:
  void OnInitDialog() override;
  void OnCancel() override;

 private:
  void Search(int which);
  void ShowPerson(int which);

  std::int32_t first_;
  std::unique_ptr<fw::QtTextMeasure> measure_;
  std::unique_ptr<kin::CRelationshipCalculator> model_;
  QListWidget* line1_ = nullptr;
  QListWidget* line2_ = nullptr;
  QListWidget* results_ = nullptr;
};
