#include "EditSessions.h"

#include "DbCalls.h"
#include "DbCodes.h"
#include "DbWholeChange.h"
#include "FamilyDatabase.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageNode.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"
#include "UserEventRecord.h"

namespace {

int Ask(int id, unsigned flags) {
  return plat::MessageBox(res::LoadString(id), res::LoadString(res::kIdsAppName), flags);
}

std::int32_t ReserveIndividual() { return DbAddRecord(db::kIndividual, 1, std::monostate{}); }

}  // namespace

bool IsFamilyFileReadOnly() {
  return CurrentDatabase != nullptr && CurrentDatabase->ReadOnly() == CFamilyDatabase::kReadOnly;
}

bool ConfirmRemoveEvent(const std::string& label) {
  std::string text = res::LoadString(res::kIdsAskRemoveEvent);
  const auto at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, label);
  return plat::MessageBox(text, res::LoadString(res::kIdsAppName),
                          plat::kMbYesNo | plat::kMbIconQuestion | plat::kMbDefButton2) ==
         plat::kIdYes;
}

// ---- individual ----

CIndividualEditSession::CIndividualEditSession(CIndividualNode* node, CIndividualNode* related,
                                               int mode) {
  if (mode == 0 && node != nullptr) {
    node_ = node;
    node_->AddRef();
    model_.LoadFromIndividual(node_);
    hasMarriages_ = DbGetRelationCount(node_->GetRin(), db::kRelSpouses, 1, 1) > 0 ? 1 : 0;
  } else {
    isNew_ = true;
    reserved_ = ReserveIndividual();
    CIndividualRecord blank;
    node_ = CIndividualNode::New(blank, 3, 0, 0, nullptr);
    node_->AddRef();
    node_->SetRin(reserved_);
    model_.LoadFromIndividual(node_);
  }
  model_.SetRelatedIndividual(related);
  const char sex = model_.GetSex();
  sexChoice_ = sex == 'F' ? 1 : sex == 'M' ? 0 : 2;
  noteAtOpen_ = node_->GetNoteLink();
  readOnly_ = IsFamilyFileReadOnly();
  model_.SetHasMarriages(hasMarriages_);
}

CIndividualEditSession::~CIndividualEditSession() {
  DbFreeMultimediaList(pendingMedia_);
  if (node_ != nullptr) node_->Release();
}

std::int32_t CIndividualEditSession::GetRin() const { return node_ ? node_->GetRin() : 0; }

std::string CIndividualEditSession::CaptionName(const std::string& typedName) const {
  if (!typedName.empty()) return typedName;
  return res::LoadString(isNew_ ? res::kIdsNewIndividual : res::kIdsUnknown);
}

int CIndividualEditSession::Save(const EditSessionHooks& hooks) {
  using namespace editsession;
  model_.StoreUserEvents();
  if (!hooks.CheckPassword()) {
    Discard(hooks);
    return kIdCancel;
  }
  if (readOnly_ || IsFamilyFileReadOnly()) {
    Ask(res::kIdsReadOnlyDevice, plat::kMbOk | plat::kMbIconExclamation);
    Discard(hooks);
    return kIdCancel;
  }
  if (model_.GetSurname().empty() && model_.GetGivenName().empty() &&
      model_.GetTitlePrefix().empty()) {
    Ask(res::kIdsNoName, plat::kMbOk | plat::kMbIconExclamation);
    focusRow_ = res::kIdsGivenName;
    return kStayOpen;
  }
  if (isNew_) {
    if (reserved_ <= 0) reserved_ = ReserveIndividual();
    node_->SetRin(reserved_);
    if (model_.GetSex() == 'U' && hooks.askSex) {
      const int choice = hooks.askSex();
      if (choice == 0) model_.SetSex('M');
      if (choice == 1) model_.SetSex('F');
    }
  }
  if (!node_->SetFromScreen(model_.GetValues())) return kIdCancel;
  ScratchIndividualRecord.SetFromIndividualNode(*node_);
  if (DbUpdateRecord(node_->GetRin(), db::kIndividual, &ScratchIndividualRecord, 0) != 1)
    return kIdCancel;
  if (isNew_ && pendingMedia_) {
    // Items that did not reach the file stay pending, and the screen open,
    // so that OK stores them again.
    if (DbSaveMultimediaChain(node_->GetRin(), pendingMedia_.get(), db::kIndividual) != 1)
      return kStayOpen;
    DbFreeMultimediaList(pendingMedia_);
  }
  isNew_ = false;
  reserved_ = -1;
  if (hooks.setDittoIndividual) hooks.setDittoIndividual(node_->GetRin());
  return kIdOk;
}

int CIndividualEditSession::Cancel(const EditSessionHooks& hooks) {
  using namespace editsession;
  model_.StoreUserEvents();
  if (changed_) {
    const int answer = Ask(res::kIdsAskSave, plat::kMbYesNoCancel | plat::kMbIconQuestion);
    if (answer == plat::kIdYes) return Save(hooks);
    if (answer == plat::kIdCancel) return kStayOpen;
  }
  Discard(hooks);
  return kIdCancel;
}

void CIndividualEditSession::Discard(const EditSessionHooks& hooks) {
  closing_ = true;
  // Giving up an edit takes back what it wrote on the way; a write that
  // fails here was told by the engine, and closing the screen goes on.
  if (isNew_) {
    if (reserved_ > 0) (void)DbDeleteRecord(reserved_, db::kIndividual);
    reserved_ = -1;
    const std::int32_t note = node_->GetNoteLink();
    if (note != 0) (void)DbDeleteRecord(note, db::kNoteBlock);
    return;
  }
  const std::int32_t rin = node_->GetRin();
  if (hooks.setDittoIndividual) hooks.setDittoIndividual(rin);
  const std::int32_t note = node_->GetNoteLink();
  if (note != noteAtOpen_ && note != 0)
    (void)DbUpdateRecord(rin, db::kIndividualNoteBlock, note, 0);
}

CFieldListRow* CIndividualEditSession::AddUserEvent(std::int32_t eventType,
                                                    const EditSessionHooks& hooks) {
  if (!hooks.CheckPassword()) return nullptr;
  const std::int32_t rin = model_.GetRecordNumber();
  auto event = std::make_unique<CUserEventRecord>(rin, db::kOwnerIndividual, eventType, 1);
  const auto number = static_cast<std::int32_t>(family::Add(*event, 1));
  if (number <= 0) return nullptr;
  if (DbLinkRecord(number, db::kUserEvent, rin, db::kOwnerIndividual, 0, 1) <= 0) {
    // An event no owner's chain reaches is taken back (best effort: the
    // failed write was told).
    (void)DbDeleteRecord(number, db::kUserEvent);
    return nullptr;
  }
  return model_.AddUserEventRow(std::move(event));
}

// ---- marriage ----

CMarriageEditSession::CMarriageEditSession(CMarriageNode* marriage) : node_(marriage) {
  model_.LoadFromMarriage(marriage);
  mrin_ = marriage != nullptr ? marriage->GetMrin() : 0;
}

int CMarriageEditSession::Save(bool divorced, const EditSessionHooks& hooks) {
  using namespace editsession;
  if (!hooks.CheckPassword()) return kStayOpen;
  if (IsFamilyFileReadOnly()) {
    Ask(res::kIdsReadOnlyDevice, plat::kMbOk | plat::kMbIconExclamation);
    return kStayOpen;
  }
  model_.StoreUserEvents();
  model_.SetDivorced(divorced);
  if (node_ != nullptr) {
    node_->SetFromScreen(model_.GetValues());
    ScratchMarriageRecord.SetFromNode(*node_);
    if (DbUpdateRecord(mrin_, db::kMarriage, &ScratchMarriageRecord, 0) != 1) return kIdCancel;
  }
  return kIdOk;
}

int CMarriageEditSession::Cancel(bool divorced, const EditSessionHooks& hooks) {
  using namespace editsession;
  model_.StoreUserEvents();
  int answer = plat::kIdNo;
  if (changed_) answer = Ask(res::kIdsAskSave, plat::kMbYesNoCancel | plat::kMbIconQuestion);
  if (answer == plat::kIdYes) return Save(divorced, hooks);
  if (answer == plat::kIdNo) {
    cancelled_ = true;
    return kIdCancel;
  }
  return kStayOpen;
}

int CMarriageEditSession::Delete(const EditSessionHooks& hooks) {
  using namespace editsession;
  if (!hooks.CheckPassword()) return kStayOpen;
  if (IsFamilyFileReadOnly()) {
    Ask(res::kIdsReadOnlyDevice, plat::kMbOk | plat::kMbIconExclamation);
    return kStayOpen;
  }
  if (Ask(res::kIdsAskDeleteMarriage,
          plat::kMbOkCancel | plat::kMbIconExclamation | plat::kMbDefButton2) != plat::kIdOk)
    return kStayOpen;
  // Unlinked and deleted as one change; a failed write (told by the engine)
  // leaves the marriage on the screen, and in the file as it was.
  DbWholeChange change;
  const bool deleted =
      DbUnlinkRIN(mrin_, db::kMarriage) != 0 && DbDeleteRecord(mrin_, db::kMarriage) == 1;
  if (!change.End() || !deleted) return kStayOpen;
  node_ = nullptr;
  deleted_ = true;
  return kIdCancel;
}

CFieldListRow* CMarriageEditSession::AddUserEvent(std::int32_t eventType,
                                                  const EditSessionHooks& hooks) {
  if (!hooks.CheckPassword()) return nullptr;
  auto event = std::make_unique<CUserEventRecord>(mrin_, db::kOwnerMarriage, eventType, 1);
  if (family::Add(*event, 1) <= 0) return nullptr;
  return model_.AddUserEventRow(std::move(event));
}
