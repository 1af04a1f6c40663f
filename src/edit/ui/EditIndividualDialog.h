#pragma once
// The Edit Individual screen: the field list of one individual's names,
// events, ordinances, other facts and user events, with Save, Cancel and an
// Options menu. A new individual's record is reserved when the screen opens
// and freed when the screen is discarded. The sequences are
// CIndividualEditSession's.

#include <QPointer>
#include <cstdint>
#include <memory>
#include <string>

#include "EditScreenParts.h"
#include "EditSessions.h"
#include "ResizableDialog.h"

class QLabel;
class QMenu;
class QPushButton;
class CFieldListWidget;
class CIndividualNode;

class CEditIndividualDialog : public fw::CResizableDialog {
  Q_OBJECT
 public:
  static constexpr int IDD = 310;
  static constexpr int kIdcHeading = 845;
  static constexpr int kIdcList = 1544;
  static constexpr int kIdcOptions = 1363;
  static constexpr int kIdcHelp = 57670;
  static constexpr int kIdcNotes = 856;
  static constexpr int kIdcSources = 1545;
  static constexpr int kIdcAddress = 1551;
  static constexpr int kIdcMedia = 864;
  static constexpr int kIdcLegend = 1564;
  static constexpr int kIdcRin = 875;
  static constexpr int kIdcSbn = 1067;
  static constexpr int kIdcLastChanged = 1556;
  // Menu commands.
  static constexpr int kIdNewEvent = 1548;
  static constexpr int kIdRemoveEvent = 1549;
  static constexpr int kIdEditParents = 1546;
  static constexpr int kIdCharacterMap = 1557;
  static constexpr int kIdDateCalculator = 1558;

  // mode 0 edits individual; mode 1 (or mode 0 without one) adds a new
  // individual. related is the spouse the caller has in mind.
  CEditIndividualDialog(QWidget* parent, CIndividualNode* individual, CIndividualNode* related,
                        int mode);
  ~CEditIndividualDialog() override;

  // Set by the caller before the run: the caption (default "Add
  // Individual"), a surname and sex to start a new individual with, and for
  // the commands that add relatives the command and the child's marriage.
  std::string caption;
  std::string presetSurname;
  char presetSex = 0;
  unsigned commandButton = 0;
  std::int32_t childMrin = 0;

  CIndividualEditSession& Session() { return session_; }
  CFieldListWidget* List() const { return list_; }
  // The Options menu as it is before it opens (tests look at its state).
  QMenu* OptionsMenu();
  // Commands of the Options menu and the section keys.
  // Contact Information for the individual being edited.
  void OnAddress();
  void OnNotes();
  void OnSources();
  // The Multimedia Collection of the individual (Media, Alt+M).
  void OnMultimedia();
  // A row's citation button: Sources for the row's event (or the
  // individual's own citations); the row's new count.
  int OnRowCitations(int row, int count);
  void OnNewEvent();
  void OnRemoveEvent();
  void GoToSection(int labelId);

 protected:
  void OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void done(int result) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // The name the screen shows for the individual, as typed so far.
  std::string ShownName();
  void UpdateHeading();
  void UpdatePictures();
  void PrepareMenu();
  CFieldListRow* CurrentRow() const;

  CIndividualEditSession session_;
  editui::CScreenListOwner owner_;
  EditSessionHooks hooks_;
  CFieldListWidget* list_ = nullptr;
  QMenu* menu_ = nullptr;
  QAction* removeAction_ = nullptr;
  QAction* parentsAction_ = nullptr;
  bool placed_ = false;
};
