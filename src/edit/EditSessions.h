#pragma once
// What the Edit Individual and Edit Marriage screens decide, without the
// screens: the record reserved for a new individual, the Save and Cancel
// sequences, deleting a marriage and adding user events. The screens end a
// pending cell edit first and show what these answer.

#include <cstdint>
#include <functional>
#include <memory>

#include "EditModel.h"
#include "MultimediaItem.h"

class CIndividualNode;
class CMarriageNode;

namespace editsession {
inline constexpr int kStayOpen = 0;  // the screen stays open
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
}  // namespace editsession

// What a screen lends the sequences: the edit password gate, the Sex
// question and the remembered ditto individual.
struct EditSessionHooks {
  std::function<int()> checkEditPassword;  // 1 editing allowed
  std::function<int()> askSex;             // 0 male, 1 female, 2 unknown
  std::function<void(std::int32_t rin)> setDittoIndividual;
  int CheckPassword() const { return checkEditPassword ? checkEditPassword() : 1; }
};

// True when the open family file may not be written.
bool IsFamilyFileReadOnly();
// Asks "Are you sure you want to delete the %s Event?" for a row's label;
// true on Yes.
bool ConfirmRemoveEvent(const std::string& label);

class CIndividualEditSession {
 public:
  // mode 0 edits node; mode 1 (or mode 0 without a node) adds a new
  // individual, whose record is reserved at once.
  CIndividualEditSession(CIndividualNode* node, CIndividualNode* related, int mode);
  ~CIndividualEditSession();
  CIndividualEditSession(const CIndividualEditSession&) = delete;
  CIndividualEditSession& operator=(const CIndividualEditSession&) = delete;

  CIndividualEditModel& Model() { return model_; }
  CIndividualNode* Node() const { return node_; }
  bool IsNew() const { return isNew_; }
  std::int32_t GetReservedRin() const { return reserved_; }
  std::int32_t GetRin() const;
  int GetSexChoice() const { return sexChoice_; }
  bool IsReadOnly() const { return readOnly_; }
  bool IsClosing() const { return closing_; }
  void SetChanged() { changed_ = true; }
  bool IsChanged() const { return changed_; }
  int HasMarriages() const { return hasMarriages_; }
  // The label id of the row a refused Save sends the editing to; 0 none.
  int GetFocusRow() const { return focusRow_; }
  // The name that the screens opened from this one put in their captions:
  // the name as typed, or for an individual without one "New Individual"
  // (not stored yet) or "Unknown".
  std::string CaptionName(const std::string& typedName) const;
  // The multimedia items of a new individual, collected before it is
  // stored; Save writes them as its chain.
  CMultimediaList& PendingMedia() { return pendingMedia_; }

  // Save after the pending edit was taken: stores the user events, asks the
  // gate, checks the names, asks the sex of a new individual of unknown sex
  // and writes the individual. kIdOk when written; kStayOpen without a name
  // or when a new individual's pending multimedia items could not be stored
  // (they stay pending); kIdCancel when editing is refused or the file is
  // read-only (a new individual's reservation is then deleted).
  int Save(const EditSessionHooks& hooks);
  // Cancel after the pending edit was dropped: stores the user events, asks
  // to save when a value changed, then discards. kStayOpen, kIdOk (saved) or
  // kIdCancel.
  int Cancel(const EditSessionHooks& hooks);
  // New Event/Attribute: a user event of a type, added and linked to the
  // individual and to the model; its first row, or null.
  CFieldListRow* AddUserEvent(std::int32_t eventType, const EditSessionHooks& hooks);

 private:
  void Discard(const EditSessionHooks& hooks);

  CIndividualEditModel model_;
  CIndividualNode* node_ = nullptr;  // counted
  bool isNew_ = false;
  std::int32_t reserved_ = -1;
  std::int32_t noteAtOpen_ = 0;
  int sexChoice_ = 2;
  int hasMarriages_ = 0;
  bool changed_ = false;
  bool readOnly_ = false;
  bool closing_ = false;
  int focusRow_ = 0;
  CMultimediaList pendingMedia_;
};

class CMarriageEditSession {
 public:
  explicit CMarriageEditSession(CMarriageNode* marriage);

  CMarriageEditModel& Model() { return model_; }
  CMarriageNode* Node() const { return node_; }
  std::int32_t GetMrin() const { return mrin_; }
  void SetChanged() { changed_ = true; }
  bool IsChanged() const { return changed_; }
  bool IsCancelled() const { return cancelled_; }
  bool IsDeleted() const { return deleted_; }

  // Save after the pending edit was taken, with the Divorced box's state:
  // kIdOk when written, kStayOpen when refused.
  int Save(bool divorced, const EditSessionHooks& hooks);
  // Cancel after the pending edit was dropped: the user events are stored,
  // and only a changed cell asks to save.
  int Cancel(bool divorced, const EditSessionHooks& hooks);
  // Delete: asks, unlinks and deletes the marriage; kIdCancel when deleted.
  int Delete(const EditSessionHooks& hooks);
  // New Event/Attribute: a user event of a type, added to the file and to
  // the model (the marriage lists it when the user events are next stored).
  CFieldListRow* AddUserEvent(std::int32_t eventType, const EditSessionHooks& hooks);

 private:
  CMarriageEditModel model_;
  CMarriageNode* node_ = nullptr;
  std::int32_t mrin_ = 0;
  bool changed_ = false;
  bool cancelled_ = false;
  bool deleted_ = false;
};
