#pragma once
// The Individual List: finds a person page by page in RIN or name order,
// shows the details of the one under the cursor, deletes one individual or
// the whole selection, and in select-set mode builds the selection the
// document hands to exports, reports and web pages. The Marriages Search
// List finds a marriage by MRIN. What they decide lives in
// CIndividualListModel and CMarriageListModel.

#include <QLineEdit>
#include <QValidator>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "DialogBase.h"
#include "IndividualListModel.h"
#include "QtTextMeasure.h"
#include "RelationshipFilter.h"

class CAppOptions;
class CFieldFilterDialog;
class CFilterSet;
class CKorDoc;
class QLabel;
class QListWidget;
class QRadioButton;
class QScrollBar;
class QWheelEvent;

// The search field: Page Up, Page Down, Up and Down go to the list.
class CSearchEdit : public QLineEdit {
 public:
  explicit CSearchEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}
  void SetList(QWidget* list) { list_ = list; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* list_ = nullptr;
};

// The list box with its own scroll bar, shared by both lists: the page's
// texts, the scroll bar's state and the list keys go through a CListPager.
class CPagedList : public QObject {
  Q_OBJECT

 public:
  // pageStep: the lines a page step of the scroll bar moves. The list is
  // as high as a page: it shows every line and no blank rows under them.
  CPagedList(CListPager& pager, int pageStep, QListWidget* list, QScrollBar* bar, QObject* parent);
  // Shows the page: lines, selection and scroll bar.
  void Show(const std::function<std::string(int)>& lineText);

 signals:
  // The page or the selection moved through the scroll bar or a key.
  void Moved();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnAction(int action);
  void FitHeight();
  bool OnWheel(QWheelEvent* event);

  CListPager& pager_;
  QListWidget* list_;
  // Kept from the start: the filter still sees the viewport's events while
  // the list is being destroyed, when the list can no longer be asked for it.
  QWidget* viewport_;
  QScrollBar* bar_;
  bool showing_ = false;
  int wheelRest_ = 0;  // eighths of a degree not yet turned into lines
};

class CIndividualListDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 301;
  static constexpr int kIdcSearch = 1080;
  static constexpr int kIdcList = 1077;
  static constexpr int kIdcScroll = 897;
  static constexpr int kIdcSortRin = 895;
  static constexpr int kIdcSortName = 896;
  static constexpr int kIdcName = 900;
  static constexpr int kIdcSex = 901;
  static constexpr int kIdcSbn = 902;
  static constexpr int kIdcIdNumber = 1393;
  static constexpr int kIdcBirthDate = 903;   // to 906: birth, chr, death, burial
  static constexpr int kIdcBirthPlace = 907;  // to 910
  static constexpr int kIdcZelLabel = 911;    // 912-914 the three ordinance labels
  static constexpr int kIdcZelFirst = 915;    // 915-917 dates, 918-920 temples
  static constexpr int kIdcFather = 921;
  static constexpr int kIdcMother = 922;
  static constexpr int kIdcSpouse1 = 923;
  static constexpr int kIdcSpouse2 = 924;
  static constexpr int kIdcFatherDate = 925;
  static constexpr int kIdcMotherDate = 926;
  static constexpr int kIdcMarriage1 = 927;
  static constexpr int kIdcMarriage2 = 928;
  static constexpr int kIdcFatherLabel = 1565;
  static constexpr int kIdcMotherLabel = 1566;
  static constexpr int kIdcEdit = 929;
  static constexpr int kIdcDelete = 930;
  static constexpr int kIdcAdvanced = 1322;
  static constexpr int kIdcBitmap = 1618;
  // The filter side.
  static constexpr int kIdcRelationGroup = 1371;
  static constexpr int kIdcRelationKind = 1286;
  static constexpr int kIdcSelect = 1339;
  static constexpr int kIdcDeselect = 1341;
  static constexpr int kIdcRelationClear = 1321;
  static constexpr int kIdcReplace = 1266;
  static constexpr int kIdcSelectedCount = 1369;
  static constexpr int kIdcCombine = 1289;
  static constexpr int kIdcFieldGroup = 1376;
  static constexpr int kIdcDefine = 1264;
  static constexpr int kIdcFieldClear = 1318;
  static constexpr int kIdcMatchesCount = 1373;
  static constexpr int kIdcListGroup = 1377;
  static constexpr int kIdcResultsOnly = 1309;
  static constexpr int kIdcPrev = 1342;
  static constexpr int kIdcNext = 1343;
  static constexpr int kIdcSave = 1344;
  static constexpr int kIdcRetrieve = 1345;
  static constexpr int kIdcTotalCount = 1374;

  // Takes a copy of the document's filter set (when there is one).
  explicit CIndividualListDialog(CKorDoc* document, QWidget* parent = nullptr);
  ~CIndividualListDialog() override;

  std::int32_t lowestRin = 0;
  std::int32_t highestRin = 0;
  std::int32_t startRin = 0;
  std::string startName;  // "Surname, Given names"
  std::string titleWord;
  bool allowEditing = true;
  bool recordsChanged = false;
  // In name order the start RIN becomes the individual the list opened on
  // (without it only when no start RIN was given).
  bool takeFoundRin = false;
  bool selectSetMode = false;
  // Select-set mode for a temple-names submission: the pane judges the
  // ordinances and Advanced becomes "&Marriages" (Seal to Spouse Status).
  bool templeNamesMode = false;
  std::int32_t chosenRin = 0;
  // The options SortDef and ShowZEL come from and SortDef is saved to.
  CAppOptions* options = nullptr;
  // The edit password gate; unset, deleting is allowed.
  std::function<bool()> checkEditPassword;

  // The filter side is shown expanded; set by the constructor when the
  // document's set has a relationship selection or criteria.
  bool showFilterSide = false;
  // The relationship filter's questions and screens (the Ancestors of
  // screen by default).
  RelationshipFilterHooks relationHooks;
  // Runs the Field Filtering screen; replaced by tests.
  std::function<int(CFieldFilterDialog&)> runFieldFilter;
  // Chooses the filter set file to save to (path, name, new) or to read
  // (path); false for Cancel. The named-item screens by default.
  std::function<bool(std::string& path, std::string& name, bool& isNew)> chooseSaveFile;
  std::function<bool(std::string& path)> chooseOpenFile;

  CIndividualListModel& Model() { return model_; }
  const CFilterSet* Filter() const { return filter_.get(); }

  // The filter side's commands.
  void OnSelect(bool select);
  void OnClearRelation();
  void OnReplace();
  void OnDefine();
  void OnClearField();
  void OnCombine(int op);
  void OnResultsOnly(bool on);
  void OnStep(bool next);
  void OnSaveFilter();
  void OnRetrieveFilter();
  void OnAdvanced();
  // The dialog's height fitted to the controls shown.
  void FitHeight();

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  void ShowPage();
  void ShowCurrent();
  void WriteSearchText();
  // The search field's limit and, in RIN order, its digits-only check.
  void LimitSearch();
  void OnSearchRejected();
  void OnSearchEdited(const QString& text);
  void OnSort(int order);
  void OnDoubleClick();
  void OnMarriages();
  void OnEdit();
  void OnDelete();
  void DeleteOne(std::int32_t rin);
  bool DeleteSet();
  void DeleteIndividual(std::int32_t rin, std::vector<std::int32_t>& marriages);
  // After deletes: the range again and the page around key (or the
  // nearest live one); false when no individual remains.
  bool Rebuild(std::int32_t rinNear);
  void Finish(int result);
  // The filter side after a change: states, counters, caption and page.
  void ShowFilterSide(bool rebuild);
  void SetCaption();
  QWidget* BuildFilterSide();

  CKorDoc* document_;
  std::unique_ptr<CFilterSet> filter_;
  CIndividualListModel model_;
  std::unique_ptr<fw::QtTextMeasure> measure_;
  CPagedList* paged_ = nullptr;
  CSearchEdit* search_ = nullptr;
  QValidator* rinOnly_ = nullptr;
  QListWidget* list_ = nullptr;
  QScrollBar* bar_ = nullptr;
  bool showZel_ = false;
  QWidget* filterSide_ = nullptr;
};

class CMarriageSearchListDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 320;
  static constexpr int kIdcSearch = 981;
  static constexpr int kIdcList = 1077;
  static constexpr int kIdcScroll = 983;

  explicit CMarriageSearchListDialog(QWidget* parent = nullptr);
  ~CMarriageSearchListDialog() override;

  std::int32_t lowestMrin = 0;
  std::int32_t highestMrin = 0;
  std::int32_t startMrin = 0;
  std::string titleWord;
  std::int32_t chosenMrin = 0;

  CMarriageListModel& Model() { return model_; }

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  void ShowPage();

  CMarriageListModel model_;
  std::unique_ptr<fw::QtTextMeasure> measure_;
  CPagedList* paged_ = nullptr;
  CSearchEdit* search_ = nullptr;
  QListWidget* list_ = nullptr;
  QScrollBar* bar_ = nullptr;
};

// Temple Names Preparation - Seal to Spouse Status: the marriages of the
// Individual List's current individual and whether each sealing to spouse
// qualifies.
class CSealToSpouseStatusDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 361;
  static constexpr int kIdcName = 1369;
  static constexpr int kIdcList = 1346;
  static constexpr int kIdcEdit = 1318;

  CSealToSpouseStatusDialog(std::int32_t rin, const CFilterSet* filter, bool resultsOnly,
                            QWidget* parent = nullptr);
  ~CSealToSpouseStatusDialog() override;

  const std::vector<std::int32_t>& Mrins() const { return mrins_; }
  // &Edit: the selected line's marriage in the Marriage screen.
  void OnEdit();

 protected:
  void OnInitDialog() override;

 private:
  std::int32_t rin_;
  const CFilterSet* filter_;
  bool resultsOnly_;
  // Widens the list so that the last column's text of every line shows
  // whole, up to the screen's width.
  void FitListWidth();

  std::vector<std::int32_t> mrins_;
  std::unique_ptr<fw::QtTextMeasure> measure_;
  QListWidget* list_ = nullptr;
  int lastStop_ = 0;  // pixels
};
