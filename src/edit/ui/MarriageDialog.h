#pragma once
// The Edit Marriage screen: the events, sealing and user events of one
// existing marriage, the Divorced box, Save, Cancel and Delete. The
// sequences are CMarriageEditSession's.

#include <cstdint>
#include <string>

#include "EditScreenParts.h"
#include "EditSessions.h"
#include "ResizableDialog.h"

class QMenu;
class CFieldListWidget;
class CMarriageNode;

class CMarriageDialog : public fw::CResizableDialog {
  Q_OBJECT
 public:
  static constexpr int IDD = 307;
  static constexpr int kIdcList = 1544;
  static constexpr int kIdcDivorced = 1547;
  static constexpr int kIdcHusband = 944;
  static constexpr int kIdcWife = 945;
  static constexpr int kIdcMrin = 932;
  static constexpr int kIdcSources = 1545;
  static constexpr int kIdcNotes = 856;
  static constexpr int kIdcDelete = 857;
  static constexpr int kIdcHelp = 57670;
  static constexpr int kIdcSource = 1552;
  static constexpr int kIdcLegend = 1564;
  static constexpr int kIdcOptions = 1363;

  CMarriageDialog(QWidget* parent, CMarriageNode* marriage);
  ~CMarriageDialog() override;

  CMarriageEditSession& Session() { return session_; }
  CFieldListWidget* List() const { return list_; }
  // After the run: the marriage was deleted (the node is then null), or the
  // user left with No to the save question.
  bool IsDeleted() const { return session_.IsDeleted(); }
  bool IsCancelled() const { return session_.IsCancelled(); }
  CMarriageNode* Node() const { return session_.Node(); }
  // "Marriage of <husband> and <wife>", "Unknown" for a missing spouse.
  std::string BuildMarriageTitle() const;
  QMenu* OptionsMenu();
  void OnNewEvent();
  void OnNotes();
  void OnSources();
  // So&urce: Sources for the marriage record's own citations.
  void OnSource();
  // A row's citation button: Sources for the row's event; its new count.
  int OnRowCitations(int row, int count);
  void OnRemoveEvent();
  void OnDelete();
  void GoToSection(int labelId);

 protected:
  void OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void done(int result) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  std::string SpouseName(bool husband) const;
  // The Sources picture and the Source caption's "*".
  void UpdateSourceButtons();
  CFieldListRow* CurrentRow() const;

  CMarriageEditSession session_;
  editui::CScreenListOwner owner_;
  EditSessionHooks hooks_;
  CFieldListWidget* list_ = nullptr;
  QMenu* menu_ = nullptr;
  QAction* removeAction_ = nullptr;
  bool placed_ = false;
};
