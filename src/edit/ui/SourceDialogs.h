#pragma once
// The source screens: Select Repository and Repository, Select Source and
// Edit Source, and Sources for (the citations of one owner).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "CitationEditing.h"
#include "DialogBase.h"
#include "NotesEditing.h"
#include "SourceEditing.h"

class QListWidget;
class QTabBar;

namespace notesui {

// Runs a nested dialog; tests replace it to answer without a window.
using NestedRunner = std::function<int(QDialog&)>;

class CRepositoryDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 375;
  static constexpr int kIdcName = 1113;
  static constexpr int kIdcAddress = 1320;
  static constexpr int kIdcPhone = 1129;
  CRepositoryDialog(std::int32_t rin, QWidget* parent = nullptr);
  std::int32_t rin;
  CRepositoryRecord record;
  notes::EditGate gate;

 protected:
  void OnOK() override;
};

class CSelectRepositoryDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 374;
  static constexpr int kIdcList = 1286;
  static constexpr int kIdcAddress = 1369;
  static constexpr int kIdcPhone = 1481;
  static constexpr int kIdcAdd = 1318;
  static constexpr int kIdcEdit = 1339;
  static constexpr int kIdcDelete = 1341;
  CSelectRepositoryDialog(std::int32_t current, bool listMode, QWidget* parent = nullptr);
  std::int32_t chosen;
  notes::EditGate gate;
  NestedRunner runNested = [](QDialog& d) { return d.exec(); };

  void Select();
  void AddRepository();
  void EditRepository();
  void DeleteRepository();
  // The rows: (name, number) in list order.
  std::int32_t SelectedNumber() const;

 private:
  void Fill();
  void ShowSelection();
  int InsertSorted(const std::string& name, std::int32_t rin);
  bool listMode_;
  QListWidget* list_;
};

class CEditSourceDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 373;
  static constexpr int kIdcTitle = 1320;
  static constexpr int kIdcAuthor = 1323;
  static constexpr int kIdcPublication = 1129;
  static constexpr int kIdcCallNumber = 1113;
  static constexpr int kIdcActualText = 1329;
  static constexpr int kIdcComments = 1332;
  static constexpr int kIdcRepository = 1318;
  static constexpr int kIdcRepositoryName = 1387;
  static constexpr int kIdcSample = 1338;
  static constexpr int kIdcItalics = 1310;
  static constexpr int kIdcParentheses = 1311;
  static constexpr int kIdcImage = 1518;
  CEditSourceDialog(std::int32_t rin, QWidget* parent = nullptr);
  std::int32_t rin;
  CSourceRecord record;
  notes::EditGate gate;
  NestedRunner runNested = [](QDialog& d) { return d.exec(); };

  sources::SourceFields ReadFields() const;
  void UpdateSample();

 protected:
  void OnOK() override;

 private:
  void ChooseRepository();
  void ShowRepository();
};

class CSelectSourceDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 372;
  static constexpr int kIdcList = 1286;
  static constexpr int kIdcLabel = 1381;
  static constexpr int kIdcTitle = 1371;
  static constexpr int kIdcAuthor = 1374;
  static constexpr int kIdcPublication = 1377;
  static constexpr int kIdcComments = 1380;
  static constexpr int kIdcNew = 1264;
  static constexpr int kIdcCopy = 1321;
  static constexpr int kIdcEdit = 1318;
  static constexpr int kIdcDelete = 1339;
  static constexpr int kIdcUseMemorized = 1617;
  // listMode: Edit Source List; otherwise picking the source of a citation.
  CSelectSourceDialog(bool listMode, const std::string& hint, const std::string& captionSuffix,
                      QWidget* parent = nullptr);
  std::int32_t chosen = 0;
  bool useMemorized = false;
  notes::EditGate gate;
  NestedRunner runNested = [](QDialog& d) { return d.exec(); };

  void Fill();
  void Select();
  void NewSource();
  void CopySource();
  void EditSource();
  void DeleteSource();
  // The cache index of the selected row, -1 none.
  int SelectedIndex() const;

  // The merge reaches the application's source cache through these.
  static bool FillCache() { return sources::CSourceListCache::Instance().Fill(); }
  static void ClearCache() { sources::CSourceListCache::Instance().Clear(); }

 private:
  void ShowSelection();
  void AddRow(const std::string& title, int index, bool select);
  bool listMode_;
  QListWidget* list_;
};

class CSourcesForDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 371;
  static constexpr int kIdcTabs = 1526;
  static constexpr int kIdcPage = 1113;
  static constexpr int kIdcDate = 1134;
  static constexpr int kIdcComments = 1129;
  static constexpr int kIdcActualText = 1221;
  static constexpr int kIdcPosition = 1380;
  static constexpr int kIdcPrevious = 1318;
  static constexpr int kIdcNext = 1321;
  static constexpr int kIdcSelect = 1339;
  static constexpr int kIdcEditSource = 1268;
  static constexpr int kIdcNew = 1264;
  static constexpr int kIdcDelete = 1343;
  static constexpr int kIdcImage = 1519;
  static constexpr int kIdcMemorize = 1615;
  static constexpr int kIdcPaste = 1616;
  static constexpr int kIdcTitle = 1371;
  static constexpr int kIdcAuthor = 1374;
  static constexpr int kIdcPublication = 1377;
  static constexpr int kIdcRepositoryName = 1387;
  static constexpr int kIdcCallNumber = 1388;

  CSourcesForDialog(std::int32_t citation, std::int32_t owner, char letter,
                    std::int32_t secondOwner, const std::string& suffix, QWidget* parent = nullptr);
  sources::CSourcesForModel model;
  notes::EditGate gate;
  // The source choice (tests answer it): the chosen source and whether the
  // memorized citation is to be used; false when cancelled.
  std::function<bool(std::int32_t& source, bool& memorized)> chooseSource;

  // Opens; false when the owner had no citation and the choice was cancelled.
  bool Start();
  void MoveTo(int position);
  void NewCitation();
  void DeleteCitation();
  void Memorize();
  void Paste();
  bool RunSourceChoice();

 protected:
  void OnOK() override;

 private:
  void ReadFields();
  void ShowCitation();
  void UpdateButtons();
  void SyncTabs();
  std::string suffix_;
  QTabBar* tabs_;
};

// Sources for an owner, for the editing screens: owner letter and numbers as
// the citation chain names them; label and names make the caption. Answers
// 1 after OK, 2 after Cancel.
int RunSourcesFor(QWidget* parent, std::int32_t owner, char letter, std::int32_t secondOwner,
                  const std::string& label, const std::string& name1, const std::string& name2 = "",
                  std::int32_t citation = 0);
// Edit > Source List, Edit > Repository List and the merge command.
void RunSourceList(QWidget* parent);
void RunRepositoryList(QWidget* parent);
void RunMergeDuplicateSources();

}  // namespace notesui
