#pragma once
// The notes screens: the Notes dialog (all notes of a record, or one tag's
// paragraphs), the tag entry dialog, the Notes Selector, and View Sources.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "DialogBase.h"
#include "NotesEditing.h"
#include "SourceEditing.h"

class CCharacterMapPopup;
class QListWidget;
class QMenu;
class QPlainTextEdit;

namespace notesui {

// The edit gate of the running program: its edit password, the open file's state.
notes::EditGate AppGate();
// Notes text between the family file (CR LF) and an edit control (LF).
QString ToEditText(const std::string& crlf);
std::string FromEditText(const QString& text);
// The caption name of a stored individual or marriage, at most 60 characters.
std::string RecordName(char kind, std::int32_t rin);

class CNotesDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 314;
  static constexpr int kIdcText = 856;
  static constexpr int kIdcDelete = 980;
  static constexpr int kIdcSources = 1264;

  // kind 'I' or 'M'; tag "" for all notes; name "" for the record's own.
  CNotesDialog(char kind, std::int32_t rin, const std::string& tag, const std::string& name,
               QWidget* parent = nullptr);

  notes::CNotesSession session;
  std::string name;
  // The confirmation of Delete (tests answer it); null asks with a box.
  std::function<bool(unsigned)> confirm;
  notes::EditGate gate = AppGate();
  // The owner's primary individual, offered by Ditto Primary (0 none).
  std::int32_t primary = 0;
  // The parents' marriage a view shows for the individual in place of its
  // first parents (0: read from the family file).
  std::int32_t shownParents = 0;
  // The first note block of the notes closed last, and remembering it; the
  // current document's by default.
  std::function<std::int32_t()> lastNotesBlock;
  std::function<void(std::int32_t)> rememberNotesBlock;

  void Save();
  void Delete();
  // F7: the Character Map along the bottom of the dialog, or at its top when
  // the caret lies in that strip.
  void ShowCharacterMap();
  CCharacterMapPopup* CharacterMap() const { return map_; }
  QMenu* EditMenu() const { return editMenu_; }
  // Puts the notes of a Ditto command's record in at the caret.
  void Ditto(notes::DittoSource source);
  void done(int result) override;

 protected:
  void OnCancel() override;
  void showEvent(QShowEvent* event) override;

 private:
  notes::CNotesDitto MakeDitto() const;
  void UpdateEditMenu();
  // Moves an open map out of the way of the caret.
  void KeepCaretClearOfMap();

  QPlainTextEdit* edit_;
  QMenu* editMenu_;
  CCharacterMapPopup* map_ = nullptr;
  bool minimumSet_ = false;
};

class CNoteTagDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 333;
  static constexpr int kIdcTag = 977;
  CNoteTagDialog(const std::string& tag, bool modify, QWidget* parent = nullptr);
  std::string tag;
  // The answer to the single-word warning (tests); null asks with a box.
  std::function<bool(const std::string&)> warn;

 protected:
  void OnOK() override;
};

class CNotesSelectorDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 319;
  static constexpr int kIdcList = 976;
  static constexpr int kIdcAdd = 978;
  static constexpr int kIdcModify = 966;
  static constexpr int kIdcRemove = 964;
  static constexpr int kIdcUpDown = 1612;
  static constexpr int kIdcDefaults = 1060;
  static constexpr int kIdcExpand = 979;

  // name: shown in the caption (by default the individual's stored name).
  CNotesSelectorDialog(std::int32_t rin, QWidget* parent = nullptr, const std::string& name = {});

  notes::CNoteTagList tags;
  bool notesChanged = false;
  // Passed on to the Notes dialog for its Ditto commands.
  std::int32_t primary = 0;
  std::int32_t shownParents = 0;
  notes::EditGate gate = AppGate();
  // Runs a nested dialog (tests replace it); answers its result.
  std::function<int(QDialog&)> runNested = [](QDialog& d) { return d.exec(); };

  void Refill();
  void Open();
  void AddTag();
  void ModifyTag();
  void RemoveTag();
  void MoveTag(int delta);
  void RestoreDefaults();

 private:
  void ShowList();
  void UpdateButtons();

  std::int32_t rin_;
  std::string name_;
  QListWidget* list_;
};

class CViewSourcesDialog : public fw::CDialogBase {
  Q_OBJECT

 public:
  static constexpr int IDD = 385;
  static constexpr int kIdcText = 1113;
  static constexpr int kIdcPrevious = 1318;
  static constexpr int kIdcNext = 1264;
  CViewSourcesDialog(std::int32_t rin, char kind, const std::string& name, bool showZel,
                     QWidget* parent = nullptr);
};

// The Notes command of the views and of the editing screens: the Notes
// Selector first for an individual when selectorFirst, else the Notes dialog
// on all notes. primary and shownParents are what a view shows (see
// CNotesDialog). Answers the Notes dialog's result (0 from the selector).
// name is shown in the captions (by default the record's own name).
int RunNotesDialog(QWidget* parent, char kind, std::int32_t rin, bool selectorFirst = false,
                   std::int32_t primary = 0, std::int32_t shownParents = 0,
                   const std::string& name = {});
// View Sources for an individual or a marriage, captioned with name (by
// default the record's own name).
void RunViewSources(QWidget* parent, char kind, std::int32_t rin, const std::string& name = "");

}  // namespace notesui
