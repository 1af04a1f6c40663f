#pragma once
// What the notes screens decide without Qt: reading and storing the notes of
// an individual or a marriage, whole or by tag; the tag entry rule; and the
// list of note tags that the Notes Selector shows, with the permanent tags
// kept in the settings (section "Note Tags", values "Tag1", "Tag2", ...).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace notes {

// What a changing command may do: a read-only family file refuses it (with
// message 3411), and the edit password is asked before anything changes.
struct EditGate {
  std::function<bool()> readOnly;       // null: the open file's state
  std::function<bool()> checkPassword;  // null: granted
  // True when the change may go ahead; shows 3411 on a read-only file.
  bool Allow() const;
  bool IsReadOnly() const;
};

// The open family file is read-only.
bool FamilyFileReadOnly();

// Record kinds of notes owners.
inline constexpr char kIndividual = 'I';
inline constexpr char kMarriage = 'M';

// Modal results of the Notes dialog.
enum NotesResult : int { kSaved = 1, kCancelled = 2, kDeleted = 3 };

// The text the Save of the Notes dialog stores: leading characters of codes
// 1 to 32 skipped; for an individual also the trailing ones. "" when nothing
// is left.
std::string TrimForSave(const std::string& text, char kind);

// The notes of one stored record as the Notes dialog works on them.
class CNotesSession {
 public:
  CNotesSession(char kind, std::int32_t rin, std::string tag);

  // Reads the text: with a tag the paragraphs of that tag, else all notes
  // with their "~" paragraphs and marks kept.
  const std::string& Load();
  const std::string& Text() const { return loaded_; }
  bool TaggedTextFound() const { return taggedFound_; }
  const std::string& Tag() const { return tag_; }
  char Kind() const { return kind_; }
  std::int32_t Rin() const { return rin_; }

  // Save with the edited text: nothing is stored when it equals the loaded
  // one. 0 when the gate refused, the user kept a text that would lose
  // characters (AcceptTextLoss; lostInEditor of them already became '?') or
  // a write failed, so the dialog stays open; else kSaved.
  int Save(const std::string& edited, const EditGate& gate, int lostInEditor = 0);
  // Delete after the confirmation: the confirm callback gets the message id
  // (7148, 7149 or 7206) and answers OK. 0 when refused, not confirmed or
  // a write failed, else kDeleted.
  int Delete(const EditGate& gate, const std::function<bool(unsigned)>& confirm);
  // The result Cancel gives.
  int CancelResult() const { return taggedFound_ ? kSaved : kCancelled; }
  // Message id of the Delete confirmation.
  unsigned DeleteQuestion() const;
  // The record's first note block after the last Save or Delete.
  std::int32_t FirstNoteBlock() const;

  // The caption, "<tag>  Notes for <name>".
  std::string Caption(const std::string& name) const;

 private:
  // Writes the text as the notes (or the tag's paragraphs); false when a
  // write failed.
  bool Store(const std::string& text);
  void LogNotesChange() const;

  char kind_;
  std::int32_t rin_;
  std::string tag_;
  std::string loaded_;
  bool taggedFound_ = false;
};

// The Ditto commands of the Notes dialog: the notes of another record put in
// at the caret. Last Record reads the remembered note block; Father, Mother
// and Older Sibling come from the individual's family (or from a view that
// shows other parents); Primary is the owner's primary individual.
enum class DittoSource { kLastRecord, kFather, kMother, kOlderSibling, kPrimary };

class CNotesDitto {
 public:
  // kind and rin of the record being edited; lastBlock the first note block
  // of the notes closed last (0 none); primary the owner's primary
  // individual (0 none). The relatives of a stored individual are read.
  CNotesDitto(char kind, std::int32_t rin, std::int32_t lastBlock, std::int32_t primary);
  // The father, mother and older sibling a view shows in place of those read.
  void SetRelatives(std::int32_t father, std::int32_t mother, std::int32_t olderSibling);
  // The relatives of child rin in the parents' marriage mrin that a view
  // shows: its husband and wife and the child before rin.
  void UseParents(std::int32_t rin, std::int32_t mrin);

  // The record number a command reads (the block for Last Record).
  std::int32_t Source(DittoSource source) const;
  // The command is in the Edit menu: Primary only while it can be used.
  bool Listed(DittoSource source) const;
  // The command can be used: its record exists and has notes.
  bool Enabled(DittoSource source) const;
  // The text it inserts: with a tag that tag's paragraphs, else all notes
  // with their "~" paragraphs.
  std::string Text(DittoSource source, const std::string& tag) const;

 private:
  char kind_;
  std::int32_t lastBlock_;
  std::int32_t primary_;
  std::int32_t father_ = 0, mother_ = 0, olderSibling_ = 0;
};

// Where the Notes dialog puts its Character Map: the strip along the bottom
// of the client area, or y 1 when the caret's line (its bottom one line
// lower) reaches into that strip.
int CharacterMapTop(int clientHeight, int mapHeight, int caretLineBottom);
// The smallest client size of the Notes dialog: the edit control keeps 60
// pixels between its margins, the buttons up to Help and 20 more.
struct ClientSize {
  int width = 0;
  int height = 0;
};
ClientSize NotesMinimumSize(int editTop, int editBottomMargin, int helpRight);

// The tag entry dialog's OK: trailing blanks removed; a text with an inner
// blank is cut at its first blank (after the warning 4407); a colon added
// when missing. warn is set when the warning is due.
struct TagEntry {
  std::string tag;
  bool warn = false;
};
TagEntry NormalizeTag(const std::string& typed);
// The warning text 4407 for typed.
std::string TagWarningText(const std::string& typed);

// One entry of the Notes Selector list.
struct NoteTagEntry {
  std::string tag;
  bool marked = false;    // the individual has notes under the tag
  bool permanent = true;  // false: found only in these notes (shown grey)
  // "*" or " ", a tab and the tag.
  std::string Text() const;
};

// The Notes Selector's list with its permanent part stored in the settings.
class CNoteTagList {
 public:
  static constexpr const char* kSection = "Note Tags";
  // The standard tags: strings 6346 on, at most 48.
  static std::vector<std::string> StandardTags();

  // Fills the list for a record's notes: the permanent tags (writing the
  // standard list when none are stored), marks from tagsInNotes, then the
  // tags found only in the notes.
  void Fill(bool hasNotes, const std::vector<std::string>& tagsInNotes);
  const std::vector<NoteTagEntry>& Entries() const { return entries_; }
  int Selected() const { return selected_; }
  void Select(int index) { selected_ = index; }
  // Remove, Modify and moving: only for a permanent entry that is not the first.
  bool CanChangeSelected() const;

  // The changes of the Selector's buttons; each writes the permanent list.
  // Add: 3272 is shown for a tag already permanent (false). An empty tag does nothing.
  bool Add(const std::string& tag);
  // Modify the selected entry; empty acts as Remove (without its question).
  bool Modify(const std::string& tag);
  bool Remove();
  // delta < 0 moves up, > 0 down.
  bool Move(int delta);
  // Deletes the stored list and fills again from the standard list.
  void Defaults(bool hasNotes, const std::vector<std::string>& tagsInNotes);

  int PermanentCount() const;

 private:
  void WriteFrom(int first) const;
  void DeleteStored(int count) const;
  int IndexOf(const std::string& tag) const;

  std::vector<NoteTagEntry> entries_;
  int selected_ = -1;
};

}  // namespace notes
