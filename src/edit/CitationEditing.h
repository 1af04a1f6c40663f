#pragma once
// What the Sources for dialog decides without Qt: the citations of one
// owner shown one at a time, the save decision on leaving one, New, Delete,
// and the memorized citation that can be pasted into other owners.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CitationRecord.h"
#include "NotesEditing.h"
#include "SourceRecord.h"

namespace sources {

// The answers of a save of the shown citation.
enum class SaveAnswer { kDone, kRefused, kFailed };

// The program-wide memorized citation (present when its source is not 0).
CCitationRecord& MemorizedCitation();
bool HasMemorizedCitation();

// The caption suffix: the event label ("Sealing" alone when it contains that
// word), " of " and the names joined by "/"; only the names without a label.
std::string SourcesForSuffix(const std::string& label, const std::string& name1,
                             const std::string& name2);

class CSourcesForModel {
 public:
  CSourcesForModel(std::int32_t citation, std::int32_t owner, char ownerLetter,
                   std::int32_t secondOwner);

  // Fetches the owner's citations and loads the given one (the first when
  // the owner does not have it). False when the owner has none: the dialog
  // then starts in mode new and runs the source choice first.
  bool Open();

  // ---- state ----
  int Position() const { return position_; }
  int Count() const { return static_cast<int>(chain_.size()); }
  bool IsNew() const { return mode_ == 1; }
  // "p of n" (string 3632).
  std::string PositionText() const;
  int TabCount() const;
  CCitationRecord& Shown() { return shown_; }
  const CCitationRecord& Shown() const { return shown_; }
  std::int32_t ShownRin() const { return rin_; }
  const std::vector<std::int32_t>& Chain() const { return chain_; }
  bool HasSource() const { return shown_.sourceRin != 0; }
  bool HasPrevious() const { return position_ > 1; }
  bool HasNext() const { return position_ < Count(); }
  // The cited source, when it can be read (null otherwise).
  const CSourceRecord* Source() const { return source_.get(); }
  // The name of the source's repository ("" when none or unreadable).
  std::string RepositoryName() const;
  // A new image was set for the shown citation (taken over).
  void SetImage(std::unique_ptr<CMultimediaItem> image);

  // ---- commands ----
  // Stores the shown citation; ask puts 5372 first (yesNo answers Yes).
  SaveAnswer Save(bool ask, const notes::EditGate& gate,
                  const std::function<bool(unsigned)>& yesNo = {});
  // Tab, Previous and Next: saves the shown citation without asking, then
  // loads position (clamped to 1..count). False when it did not move.
  bool MoveTo(int position, const notes::EditGate& gate);
  // New: saves and starts an empty citation after the last one. False when
  // refused. The caller then runs the source choice and ends with
  // ChooseSource or CancelNew.
  bool BeginNew(const notes::EditGate& gate);
  // Back to the citation shown before New after a cancelled source choice.
  void CancelNew();
  // The source choice ended with OK: the memorized citation's texts first
  // when asked, then the chosen source (a new citation takes its quality).
  void ChooseSource(std::int32_t sourceRin, bool useMemorized);
  // A new source made with Create: format code 3 and the source's quality.
  void TakeNewSource(std::int32_t sourceRin);
  // Deletes the shown citation after confirm (5375). Answers true when no
  // citation remains (the dialog closes as by Cancel).
  bool Delete(const notes::EditGate& gate, const std::function<bool(unsigned)>& yesNo,
              bool* deleted = nullptr);
  void Memorize();
  // Paste: a new citation after the last one, filled from the memorized one.
  bool PasteMemorized(const notes::EditGate& gate);
  // OK: saves without asking; true when the dialog may close.
  bool Ok(const notes::EditGate& gate);

  // Whether the shown fields differ from what was loaded.
  bool Changed() const;

 private:
  void Load(int position);
  void LoadSource();
  void ClearShown();
  void CopyTexts(const CCitationRecord& from);

  std::int32_t requested_;
  std::int32_t owner_;
  char letter_;
  std::int32_t second_;
  std::vector<std::int32_t> chain_;
  int position_ = 1;
  int mode_ = 0;  // 0 a stored citation, 1 a new one
  std::int32_t rin_ = 0;
  CCitationRecord loaded_;
  CCitationRecord shown_;
  bool imageChanged_ = false;
  std::unique_ptr<CSourceRecord> source_;
  int positionBeforeNew_ = 0;
};

}  // namespace sources
