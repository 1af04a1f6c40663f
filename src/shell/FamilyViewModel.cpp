#include "FamilyViewModel.h"

#include <algorithm>
#include <cctype>

#include "DateValue.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "FamilyLinkRecord.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "MarriageNode.h"
#include "MarriageRecord.h"
#include "MultimediaChain.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"

namespace shell::famview {

namespace {

// Fitted lengths of the pane lines.
constexpr int kNameChars = 128;
constexpr int kEventChars = 81;

// Nodes of the view are read with their details (christening, burial and
// ordinances) and names built on demand.
constexpr int kLevel = 3;

CIndividualNode* ReadNode(std::int32_t rin, int appendVal) {
  if (rin <= 0) return nullptr;
  CIndividualRecord record;
  if (DbGetRecord(rin, CIndividualRecord::kRecordType, &record, 0, db::kWalkExact, 0, 1) != 1)
    return nullptr;
  return CIndividualNode::New(record, kLevel, appendVal, 0, nullptr);
}

bool HasMultimediaChain(const CIndividualNode* node) {
  return node && DbGetMultimediaHead(node->GetRin(), db::kIndividual) != 0;
}

// "*" and the christening (or burial) when the main event has no date.
std::string EventLine(const CPlaceEventObject* main, const CPlaceEventObject* fallback,
                      const plat::TextMeasure* measure, int width) {
  if (main && main->date.IsSet()) return main->FormatDatePlace(kEventChars, measure, width, 0);
  if (fallback && fallback->date.IsSet()) {
    const int starWidth = measure ? measure->TextWidth("*") : 0;
    return "*" + fallback->FormatDatePlace(kEventChars, measure, width - starWidth, 0);
  }
  return main ? main->FormatDatePlace(kEventChars, measure, width, 0) : std::string();
}

// State 0-3 of an ordinance kept in the node's ordinance bits (0 baptism,
// 1 endowment, 2 sealing to parents).
int OrdinanceBits(const CIndividualNode& node, int which) {
  const CIndividualLinks* links = node.GetLinks();
  return links ? (links->ordinanceFlags >> (2 * which)) & 3 : 0;
}

std::string OrdinanceColumn(int state, unsigned letterId) {
  switch (state) {
    case CDateValue::kOrdinanceNotToBeDone:
      return "-";
    case CDateValue::kOrdinanceDone:
      return res::LoadString(letterId);
    case CDateValue::kOrdinanceClearedOrSubmitted: {
      std::string letter = res::LoadString(letterId);
      for (char& c : letter) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      return letter;
    }
    default:
      return std::string();
  }
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The sealing-to-spouse column of a child over its marriages.
std::string SealingToSpouseColumn(std::int32_t rin, int marriageCount, bool female) {
  if (marriageCount <= 0) return "-";
  std::vector<std::int32_t> mrins;
  DbGetRelation(rin, db::kRelMarriages, marriageCount, mrins);
  const std::string letter = res::LoadString(res::kIdsSealingToSpouseLetter);
  std::string text = female ? "-" : letter;
  for (std::int32_t mrin : mrins) {
    if (!female && text.empty()) break;
    CMarriageRecord marriage;
    if (family::Read(marriage, mrin) != 1) continue;
    const int state = CDateValue::GetOrdinanceState(&marriage.sealingToSpouse.date, 'S');
    if (female) {
      if (state == CDateValue::kOrdinanceDone) return letter;
      if (state == CDateValue::kOrdinanceClearedOrSubmitted) return Lower(letter);
      if (state == CDateValue::kOrdinanceNothing) text.clear();
    } else if (state == CDateValue::kOrdinanceNothing) {
      text.clear();
    } else if (state == CDateValue::kOrdinanceNotToBeDone) {
      text = "-";
    } else if (state == CDateValue::kOrdinanceClearedOrSubmitted) {
      text = Lower(text);
    }
  }
  return text;
}

}  // namespace

std::vector<std::int32_t> ParentFamiliesOf(std::int32_t rin) {
  std::vector<std::int32_t> links, mrins;
  if (rin <= 0) return mrins;
  DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, rin, 0);
  for (std::int32_t number : links) {
    CFamilyLinkRecord link;
    if (DbGetRecord(number, CFamilyLinkRecord::kRecordType, &link) == 1 && link.mrin != 0)
      mrins.push_back(link.mrin);
  }
  return mrins;
}

FamilyViewModel::FamilyViewModel(std::vector<std::uint32_t>& history, std::int32_t* lastShown)
    : history_(history), lastShown_(lastShown) {}

FamilyViewModel::~FamilyViewModel() { Release(); }

// ---- loading ----

void FamilyViewModel::Release() {
  if (primary_) {
    for (int i = 0; i < primary_->GetLoadedMarriageCount(); ++i)
      primary_->GetMarriage(i)->ReleaseLoadedChildren();
    primary_->ReleaseMarriages();
    primary_->ReleaseParents();
    ReleaseIndividualRef(primary_);
  }
  if (lone_) {
    lone_->ReleaseLoadedChildren();
    ReleaseMarriageRef(lone_);
  }
  currentMarriage_ = -1;
  childInfo_.clear();
  multimedia_.clear();
  cursor_.Reset(0);
  parentButtonBitmap_[0] = parentButtonBitmap_[1] = 0;
}

void FamilyViewModel::Load() {
  loaded_ = true;
  currentMarriage_ = -1;
  parentButtonBitmap_[0] = parentButtonBitmap_[1] = 0;
  if (primary_) {
    if (lastShown_) *lastShown_ = primary_->GetRin();
    primary_->LoadParents(kLevel, options_.appendVal, true, false, 0, nullptr);
    if (CMarriageNode* parents = primary_->GetParents()) {
      const CIndividualNode* both[2] = {parents->HusbandNode(), parents->WifeNode()};
      for (int i = 0; i < 2; ++i)
        if (both[i])
          parentButtonBitmap_[i] =
              DbHasParents(both[i]->GetRin()) ? kBitmapParentHasParents : kBitmapParentNoParents;
    }
    primary_->LoadMarriages(kLevel, options_.appendVal, 0, nullptr);
    const int count = primary_->GetLoadedMarriageCount();
    if (count > 0) {
      if (preferredMrin_ == 0) preferredMrin_ = primary_->GetMarriage(0)->GetMrin();
      currentMarriage_ = 0;
      for (int i = 0; i < count; ++i)
        if (primary_->GetMarriage(i)->GetMrin() == preferredMrin_) currentMarriage_ = i;
      preferredMrin_ = primary_->GetMarriage(currentMarriage_)->GetMrin();
    }
  }
  cursor_.Reset(0);
  CMarriageNode* marriage = GetCurrentMarriage();
  if (marriage) {
    marriage->LoadChildren(kLevel, options_.appendVal, 0, nullptr);
    cursor_.Reset(marriage->GetLoadedChildCount());
  } else {
    history_.clear();
  }
  LoadChildInfo();
  multimedia_.clear();
  for (int pane : {kPanePrimary, kPaneSpouse, kPaneFather, kPaneMother})
    if (HasMultimediaChain(GetPaneContent(pane))) multimedia_.push_back(GetPaneContent(pane));
  if (marriage)
    for (int i = 0; i < marriage->GetLoadedChildCount(); ++i)
      if (HasMultimediaChain(marriage->GetChild(i))) multimedia_.push_back(marriage->GetChild(i));
}

bool FamilyViewModel::HasMultimedia(const CIndividualNode* node) const {
  return node && std::find(multimedia_.begin(), multimedia_.end(), node) != multimedia_.end();
}

void FamilyViewModel::LoadChildInfo() {
  childInfo_.clear();
  CMarriageNode* marriage = GetCurrentMarriage();
  if (!marriage) return;
  for (int i = 0; i < marriage->GetLoadedChildCount(); ++i)
    childInfo_.push_back(InfoOf(*marriage->GetChild(i), marriage->GetMrin()));
}

FamilyViewModel::ChildInfo FamilyViewModel::InfoOf(const CIndividualNode& child,
                                                   std::int32_t mrin) const {
  ChildInfo info;
  const std::int32_t rin = child.GetRin();
  info.marriageCount = std::max(0, DbGetRelationCount(rin, db::kRelSpouses, 1, 1));
  if (CIndividualLinks* links = const_cast<CIndividualNode&>(child).GetLinks())
    links->marriageCount = static_cast<std::int16_t>(info.marriageCount);
  if (options_.showSpsBullet && info.marriageCount > 0)
    info.hasChildren = DbHasChildren(rin, db::kIndividual) == 1;

  std::vector<std::int32_t> links;
  DbGetRelationList(links, db::kRelFamilyLinks, db::kRelParents, rin, 0);
  for (std::int32_t number : links) {
    CFamilyLinkRecord link;
    if (DbGetRecord(number, CFamilyLinkRecord::kRecordType, &link) != 1 || link.mrin != mrin)
      continue;
    switch (link.firstParentRelation) {
      case 'a':
        info.parentLink = res::LoadString(res::kIdsAdopted);
        break;
      case 'c':
        info.parentLink = res::LoadString(res::kIdsChallenged);
        break;
      case 'd':
        info.parentLink = res::LoadString(res::kIdsDisproved);
        break;
      case 'g':
        info.parentLink = res::LoadString(res::kIdsGuardian);
        break;
      case 's':
        info.parentLink = res::LoadString(res::kIdsSealing);
        break;
      default:
        break;
    }
    break;
  }

  if (options_.showZel) {
    const int sealing = OrdinanceBits(child, 2);
    std::string parents;
    if (sealing == CDateValue::kOrdinanceDone)
      parents = res::LoadString(res::kIdsSealingToParentsLetter);
    else if (sealing == CDateValue::kOrdinanceClearedOrSubmitted)
      parents = Lower(res::LoadString(res::kIdsSealingToParentsLetter));
    info.ordinances = OrdinanceColumn(OrdinanceBits(child, 0), res::kIdsBaptismLetter) + "\t" +
                      OrdinanceColumn(OrdinanceBits(child, 1), res::kIdsEndowmentLetter) + "\t" +
                      parents + "\t" +
                      SealingToSpouseColumn(rin, info.marriageCount, child.GetSexLetter() == 'F');
  }
  return info;
}

bool FamilyViewModel::ShowIndividual(std::int32_t rin, std::int32_t preferredMrin,
                                     std::int32_t parentsMrin) {
  CIndividualNode* node = ReadNode(rin, options_.appendVal);
  if (!node) return false;
  node->AddRef();  // held while the old family goes
  Release();
  SetIndividualRef(primary_, node);
  node->Release();
  if (parentsMrin != 0 && primary_->GetLinks() &&
      primary_->GetLinks()->ParentsMrin() != parentsMrin) {
    const std::vector<std::int32_t> families = ParentFamiliesOf(rin);
    if (std::find(families.begin(), families.end(), parentsMrin) != families.end())
      primary_->GetLinks()->chosenParentsMrin = parentsMrin;
  }
  preferredMrin_ = preferredMrin;
  Load();
  selected_ = kPanePrimary;
  return true;
}

bool FamilyViewModel::ShowLoneMarriage(std::int32_t mrin) {
  CMarriageRecord record;
  if (mrin <= 0 || family::Read(record, mrin) != 1) return false;
  Release();
  SetMarriageRef(lone_, CMarriageNode::New(record));
  // The partners load on first use.
  lone_->GetHusband();
  lone_->GetWife();
  preferredMrin_ = 0;
  Load();
  selected_ = kPaneChildren;
  return true;
}

bool FamilyViewModel::ShowMarriage(std::int32_t mrin) {
  CMarriageRecord record;
  if (mrin <= 0 || family::Read(record, mrin) != 1) return false;
  const std::int32_t partner = record.husband != 0 ? record.husband : record.wife;
  if (partner != 0 && ShowIndividual(partner, mrin)) return true;
  return ShowLoneMarriage(mrin);
}

void FamilyViewModel::Reload() {
  if (primary_) {
    const int current = cursor_.Current(), first = cursor_.FirstRow();
    CIndividualNode* node = primary_;
    node->AddRef();
    const std::int32_t chosen = node->GetLinks() ? node->GetLinks()->chosenParentsMrin : 0;
    Release();
    // A fresh read: the record may have changed.
    CIndividualNode* fresh = ReadNode(node->GetRin(), options_.appendVal);
    node->Release();
    if (!fresh) {
      loaded_ = true;
      return;
    }
    SetIndividualRef(primary_, fresh);
    if (chosen != 0 && primary_->GetLinks()) primary_->GetLinks()->chosenParentsMrin = chosen;
    Load();
    cursor_.Restore(current, first);
  } else if (lone_) {
    ShowLoneMarriage(lone_->GetMrin());
  }
}

void FamilyViewModel::Clear() {
  Release();
  preferredMrin_ = 0;
  selected_ = kPanePrimary;
  loaded_ = true;
}

void FamilyViewModel::OnShowMessage(std::intptr_t a) {
  if (listChoice_) {
    history_.clear();
    listChoice_ = false;
  }
  if (a > 0) {
    ShowIndividual(static_cast<std::int32_t>(a));
    return;
  }
  if (a < 0 && primary_) {
    // The primary individual was deleted.
    const std::int32_t gone = static_cast<std::int32_t>(-a);
    if (CMarriageNode* parents = ParentsMarriage()) {
      for (std::int32_t rin : {parents->GetHusbandRin(), parents->GetWifeRin()})
        if (rin != 0 && rin != gone && ShowIndividual(rin)) return;
    }
    const std::int32_t first = DbGetRIN(1, db::kQueryIndividuals, db::kWalkNextOrSame);
    if (first <= 0 || !ShowIndividual(first)) Clear();
    return;
  }
  if (a < 0 && lone_) {
    const std::int32_t gone = static_cast<std::int32_t>(-a);
    const std::int32_t other =
        lone_->GetHusbandRin() == gone ? lone_->GetWifeRin() : lone_->GetHusbandRin();
    if (other != 0 && ShowIndividual(other)) return;
    if (lone_->GetLoadedChildCount() > 0 && ShowIndividual(lone_->GetChild(0)->GetRin())) return;
    Clear();
    return;
  }
  if (a == 0 && primary_) {
    std::int32_t rin = DbGetRIN(primary_->GetRin(), db::kQueryIndividuals, db::kWalkNextOrSame);
    if (rin <= 0)
      rin = DbGetRIN(primary_->GetRin(), db::kQueryIndividuals, db::kWalkPreviousOrSame);
    if (rin <= 0) {
      Clear();
    } else if (rin != primary_->GetRin()) {
      ShowIndividual(rin);
    } else {
      Reload();
    }
    return;
  }
  if (a == 0 && lone_) {
    std::int32_t mrin = DbGetRIN(lone_->GetMrin(), db::kQueryMarriages, db::kWalkNextOrSame);
    if (mrin <= 0) mrin = DbGetRIN(lone_->GetMrin(), db::kQueryMarriages, db::kWalkPreviousOrSame);
    if (mrin <= 0 || !ShowLoneMarriage(mrin)) Clear();
    return;
  }
  // Nothing shown yet: individual -a, else the first live one.
  std::int32_t rin = a < 0 ? static_cast<std::int32_t>(-a) : 0;
  if (rin > 0 && ShowIndividual(rin)) return;
  rin = DbGetRIN(1, db::kQueryIndividuals, db::kWalkNextOrSame);
  if (rin <= 0 || !ShowIndividual(rin)) Clear();
}

// ---- content ----

CMarriageNode* FamilyViewModel::GetCurrentMarriage() const {
  if (primary_) return currentMarriage_ >= 0 ? primary_->GetMarriage(currentMarriage_) : nullptr;
  return lone_;
}

CMarriageNode* FamilyViewModel::ParentsMarriage() const {
  return primary_ ? primary_->GetParents() : nullptr;
}

CIndividualNode* FamilyViewModel::GetSpouseOfMarriage(int index) const {
  if (!primary_) return nullptr;
  CMarriageNode* marriage = primary_->GetMarriage(index < 0 ? currentMarriage_ : index);
  if (!marriage) return nullptr;
  // The partner's side comes from the marriage, never from the sex.
  return marriage->GetHusbandRin() == primary_->GetRin() ? marriage->WifeNode()
                                                         : marriage->HusbandNode();
}

CIndividualNode* FamilyViewModel::GetPaneContent(int pane, int childIndex) const {
  switch (pane) {
    case kPanePrimary:
      return primary_;
    case kPaneSpouse:
      return GetSpouseOfMarriage();
    case kPaneFather:
      return ParentsMarriage() ? ParentsMarriage()->HusbandNode() : nullptr;
    case kPaneMother:
      return ParentsMarriage() ? ParentsMarriage()->WifeNode() : nullptr;
    case kPaneChildren: {
      CMarriageNode* marriage = GetCurrentMarriage();
      if (!marriage) return nullptr;
      return marriage->GetChild(childIndex < 0 ? cursor_.Current() : childIndex);
    }
    default:
      return nullptr;
  }
}

CIndividualNode* FamilyViewModel::GetLastChild() const {
  CMarriageNode* marriage = GetCurrentMarriage();
  if (!marriage || marriage->GetLoadedChildCount() == 0) return nullptr;
  return marriage->GetChild(marriage->GetLoadedChildCount() - 1);
}

int FamilyViewModel::MarriageCount() const {
  return primary_ ? primary_->GetLoadedMarriageCount() : 0;
}

int FamilyViewModel::ParentFamilyCount() const {
  if (!primary_) return 0;
  return CIndividualLinks::GetParentFamilyCount(primary_->GetLinks(), primary_->GetRin(), false);
}

CIndividualNode* FamilyViewModel::FocusIndividual() const {
  return selected_ == kPaneMarriage ? primary_ : GetSelectedContent();
}

CMarriageNode* FamilyViewModel::FocusMarriage() const {
  if (selected_ <= kPaneSpouse) return GetCurrentMarriage();
  if (selected_ <= kPaneMother) return ParentsMarriage();
  return GetPaneContent(kPaneChildren) ? nullptr : GetCurrentMarriage();
}

CommandFocus FamilyViewModel::Focus() const {
  auto rin = [](const CIndividualNode* node) { return node ? node->GetRin() : 0; };
  auto mrin = [](const CMarriageNode* node) { return node ? node->GetMrin() : 0; };
  CommandFocus f;
  f.primary = rin(primary_);
  f.lone = mrin(lone_);
  f.individual = rin(FocusIndividual());
  f.marriage = mrin(FocusMarriage());
  f.current = mrin(GetCurrentMarriage());
  f.parents = mrin(ParentsMarriage());
  f.marriagePane = selected_ == kPaneMarriage;
  f.relativeSelected =
      selected_ != kPanePrimary && selected_ != kPaneMarriage && GetSelectedContent() != nullptr;
  const bool spouseOfPane = selected_ != kPaneMarriage && GetSelectedContent() != nullptr;
  f.spouseFor = spouseOfPane ? rin(GetSelectedContent()) : f.primary;
  if (const CMarriageNode* marriage = GetCurrentMarriage();
      marriage && f.primary != 0 && f.spouseFor == f.primary) {
    // The partner's side comes from the marriage, never from the sex.
    const std::int32_t partner =
        marriage->GetHusbandRin() == f.primary ? marriage->GetWifeRin() : marriage->GetHusbandRin();
    if (partner == 0) f.partnerless = f.current;
  }
  return f;
}

UnlinkPlan FamilyViewModel::PlanUnlink() const {
  UnlinkPlan plan;
  const CIndividualNode* selected = GetSelectedContent();
  if (!selected || selected_ == kPanePrimary || selected_ == kPaneMarriage) return plan;
  const CMarriageNode* marriage = selected_ == kPaneFather || selected_ == kPaneMother
                                      ? ParentsMarriage()
                                      : GetCurrentMarriage();
  if (!marriage) return plan;
  plan.rin = selected->GetRin();
  plan.mrin = marriage->GetMrin();
  switch (selected_) {
    case kPaneSpouse:
      // The spouse's side comes from the marriage, never from the sex.
      plan.relation = marriage->GetHusbandRin() == plan.rin ? db::kRelHusband : db::kRelWife;
      plan.question = res::kIdsUnlinkSpouse;
      break;
    case kPaneFather:
      plan.relation = db::kRelFather;
      plan.question = res::kIdsUnlinkFather;
      break;
    case kPaneMother:
      plan.relation = db::kRelMother;
      plan.question = res::kIdsUnlinkMother;
      break;
    default:
      plan.relation = db::kRelChildren;
      plan.question = res::kIdsUnlinkChild;
      break;
  }
  return plan;
}

// ---- selection and keys ----

Outcome FamilyViewModel::Click(int pane, int row) {
  Outcome out;
  if (pane < 0 || pane >= kPaneCount) return out;
  const int oldPane = selected_, oldChild = cursor_.Current();
  selected_ = pane;
  if (pane == kPaneChildren && row >= 0) cursor_.SelectRow(row);
  out.selectionChanged = oldPane != selected_ || oldChild != cursor_.Current();
  return out;
}

Outcome FamilyViewModel::DoubleClick(bool ctrl) {
  Outcome out;
  if (selected_ == kPaneMarriage) {
    if (GetCurrentMarriage()) out.command = kCmdEditMarriage;
    return out;
  }
  if (GetSelectedContent()) {
    if (ctrl) {
      out.familyChanged = MoveToPrimary();
    } else {
      out.command = kCmdEditIndividualFrame;
    }
    return out;
  }
  switch (selected_) {
    case kPanePrimary:
      out.command = kCmdAddIndividualFrame;
      break;
    case kPaneSpouse:
      if (primary_) out.command = kCmdAddSpouse;
      break;
    case kPaneFather:
      if (primary_) out.command = kCmdAddFather;
      break;
    case kPaneMother:
      if (primary_) out.command = kCmdAddMother;
      break;
    case kPaneChildren:
      if (primary_ || lone_) out.command = kCmdAddChild;
      break;
    default:
      break;
  }
  return out;
}

Outcome FamilyViewModel::HandleKey(NavKey key, bool ctrl) {
  Outcome out;
  const int oldPane = selected_, oldChild = cursor_.Current(), oldFirst = cursor_.FirstRow();
  const bool inChildren = selected_ == kPaneChildren;
  switch (key) {
    case NavKey::kEnter:
      return DoubleClick(false);
    case NavKey::kPageUp:
      if (inChildren)
        cursor_.PageUp();
      else
        out.familyChanged = ShowOtherMarriage(currentMarriage_ - 1);
      break;
    case NavKey::kPageDown:
      if (inChildren)
        cursor_.PageDown();
      else
        out.familyChanged = ShowOtherMarriage(currentMarriage_ + 1);
      break;
    case NavKey::kEnd:
      selected_ = kPaneChildren;
      cursor_.End();
      break;
    case NavKey::kHome:
      selected_ = kPanePrimary;
      if (ctrl) out.command = kCmdHomePerson;
      break;
    case NavKey::kLeft:
      if (selected_ <= kPaneSpouse)
        selected_ = kPaneChildren;
      else if (selected_ <= kPaneMother)
        selected_ = kPanePrimary;
      else
        out.familyChanged = MoveToChild(cursor_.Current());
      break;
    case NavKey::kUp:
      if (selected_ == kPaneMarriage)
        selected_ = kPanePrimary;
      else if (selected_ == kPaneSpouse)
        selected_ = kPaneMarriage;
      else if (selected_ == kPaneMother)
        selected_ = kPaneFather;
      else if (inChildren && !cursor_.Previous())
        selected_ = kPaneSpouse;
      break;
    case NavKey::kRight:
      if (selected_ == kPanePrimary || selected_ == kPaneMarriage)
        selected_ = kPaneFather;
      else if (selected_ == kPaneSpouse)
        selected_ = kPaneMother;
      else if (selected_ == kPaneFather)
        out.familyChanged = MoveToFather();
      else if (selected_ == kPaneMother)
        out.familyChanged = MoveToMother();
      break;
    case NavKey::kDown:
      if (selected_ == kPanePrimary) {
        selected_ = kPaneMarriage;
      } else if (selected_ == kPaneMarriage) {
        selected_ = kPaneSpouse;
      } else if (selected_ == kPaneSpouse || selected_ == kPaneMother) {
        selected_ = kPaneChildren;
        cursor_.Restore(0, 0);
      } else if (selected_ == kPaneFather) {
        selected_ = kPaneMother;
      } else {
        cursor_.Next();
      }
      break;
    case NavKey::kDescend:
      out.familyChanged = Descend();
      break;
    case NavKey::kFather:
      out.familyChanged = MoveToFather();
      break;
    case NavKey::kMother:
      out.familyChanged = MoveToMother();
      break;
    case NavKey::kSpouse:
      out.familyChanged = MoveToSpouse();
      break;
  }
  if (!out.familyChanged) {
    out.selectionChanged = oldPane != selected_ || oldChild != cursor_.Current();
    out.scrolled = oldFirst != cursor_.FirstRow();
  }
  return out;
}

Outcome FamilyViewModel::ShowAdjacentMarriage(bool next) {
  Outcome out;
  std::int32_t from = 0;
  if (CMarriageNode* marriage = GetCurrentMarriage())
    from = marriage->GetMrin();
  else if (CMarriageNode* parents = ParentsMarriage())
    from = parents->GetMrin();
  if (from == 0) return out;
  const std::int32_t mrin =
      DbGetRIN(from, db::kQueryMarriages, next ? db::kWalkNext : db::kWalkPrevious);
  if (mrin <= 0 || mrin == from) return out;
  out.familyChanged = ShowMarriage(mrin);
  return out;
}

Outcome FamilyViewModel::Scroll(ScrollAction action, int position) {
  Outcome out;
  out.scrolled = cursor_.Scroll(action, position);
  return out;
}

// ---- moves ----

bool FamilyViewModel::MoveToParent(bool mother) {
  CMarriageNode* parents = ParentsMarriage();
  CIndividualNode* parent = GetPaneContent(mother ? kPaneMother : kPaneFather);
  if (!parents || !parent) return false;
  const std::uint32_t from = static_cast<std::uint32_t>(primary_->GetRin());
  if (!ShowIndividual(parent->GetRin(), parents->GetMrin())) return false;
  history_.push_back(from);
  return true;
}

bool FamilyViewModel::MoveToFather() { return MoveToParent(false); }
bool FamilyViewModel::MoveToMother() { return MoveToParent(true); }

bool FamilyViewModel::MoveToSpouse() {
  CIndividualNode* spouse = GetSpouseOfMarriage();
  CMarriageNode* marriage = GetCurrentMarriage();
  if (!spouse || !marriage) return false;
  return ShowIndividual(spouse->GetRin(), marriage->GetMrin());
}

void FamilyViewModel::ChildMoveHistory(std::int32_t childRin) {
  if (history_.empty()) return;
  if (history_.back() == static_cast<std::uint32_t>(childRin))
    history_.pop_back();
  else
    history_.clear();
}

bool FamilyViewModel::MoveToChild(int index) {
  CIndividualNode* child = GetPaneContent(kPaneChildren, index);
  if (!child) return false;
  const std::int32_t rin = child->GetRin();
  ChildMoveHistory(rin);
  return ShowIndividual(rin);
}

std::int32_t FamilyViewModel::DescendListStart(const std::function<bool(int)>& throughList) const {
  if (!history_.empty() || !primary_ || !GetCurrentMarriage()) return 0;
  const std::int32_t rin = primary_->GetRin();
  return throughList(DbGetRelationCount(rin, db::kRelChildren, 0, 1)) ? rin : 0;
}

bool FamilyViewModel::Descend() {
  if (!history_.empty()) {
    const std::int32_t rin = static_cast<std::int32_t>(history_.back());
    history_.pop_back();
    return ShowIndividual(rin);
  }
  CMarriageNode* marriage = GetCurrentMarriage();
  if (!primary_ || !marriage) return false;
  const std::int32_t child = DbFindChildWithChildren(primary_->GetRin(), marriage->GetMrin());
  if (child <= 0) return false;
  return ShowIndividual(child, 0, marriage->GetMrin());
}

bool FamilyViewModel::ShowOtherMarriage(int index) {
  if (!primary_ || index < 0 || index >= primary_->GetLoadedMarriageCount()) return false;
  preferredMrin_ = primary_->GetMarriage(index)->GetMrin();
  history_.clear();
  const std::int32_t preferred = preferredMrin_;
  const std::int32_t chosen = primary_->GetLinks() ? primary_->GetLinks()->chosenParentsMrin : 0;
  if (!ShowIndividual(primary_->GetRin(), preferred, chosen)) return false;
  return true;
}

bool FamilyViewModel::ShowReorderedMarriage(std::int32_t mrin) {
  if (!primary_ || mrin <= 0) return false;
  const CMarriageNode* current = GetCurrentMarriage();
  if (!current || current->GetMrin() != mrin) history_.clear();
  preferredMrin_ = mrin;
  const std::int32_t chosen = primary_->GetLinks() ? primary_->GetLinks()->chosenParentsMrin : 0;
  return ShowIndividual(primary_->GetRin(), mrin, chosen);
}

bool FamilyViewModel::MoveToPrimary() {
  switch (selected_) {
    case kPaneSpouse:
      return MoveToSpouse();
    case kPaneFather:
      return MoveToFather();
    case kPaneMother:
      return MoveToMother();
    case kPaneChildren:
      return MoveToChild(cursor_.Current());
    default:
      return false;
  }
}

// ---- texts ----

bool FamilyViewModel::ShowsUnknown(int pane) const {
  if (GetPaneContent(pane)) return false;
  switch (pane) {
    case kPanePrimary:
      return lone_ != nullptr;
    case kPaneSpouse:
      return GetCurrentMarriage() != nullptr;
    case kPaneFather:
    case kPaneMother:
      return ParentsMarriage() != nullptr;
    default:
      return false;
  }
}

bool FamilyViewModel::HasPhotoArea() const {
  return options_.multimediaPhoto && HasMultimedia(primary_);
}

PaneText FamilyViewModel::IndividualPaneText(int pane, const plat::TextMeasure* measure,
                                             int pixelWidth) const {
  PaneText text;
  const CIndividualNode* node = GetPaneContent(pane);
  if (!node) {
    if (ShowsUnknown(pane)) {
      text.empty = false;
      text.lines[0] = res::LoadString(res::kIdsUnknown);
    }
    return text;
  }
  text.empty = false;
  text.lines[0] = node->FormatName(options_.appendVal, kNameChars, pixelWidth, measure);
  text.lines[1] = EventLine(node->GetBirth(), node->GetChristening(), measure, pixelWidth);
  text.lines[2] = EventLine(node->GetDeath(), node->GetBurial(), measure, pixelWidth);
  text.notesMark = node->HasNotes();
  text.multimediaMark = HasMultimedia(node);
  return text;
}

std::string FamilyViewModel::MarriagePaneText(const plat::TextMeasure* measure,
                                              int pixelWidth) const {
  const CMarriageNode* marriage = GetCurrentMarriage();
  if (!marriage) return std::string();
  std::string head = res::LoadString(res::kIdsMarriageLabel) + " ";
  std::string date = marriage->GetMarriageDateText();
  if (date.size() > kEventChars) date.resize(kEventChars);
  std::string tail;
  if (marriage->status == 'D') tail += res::LoadString(res::kIdsDivorcedShort);
  if (options_.appendVal == 1) tail += " --" + std::to_string(marriage->GetMrin());
  if (measure) {
    const int room = pixelWidth - measure->TextWidth(head) - measure->TextWidth(tail);
    while (!date.empty() && measure->TextWidth(date) > room) date.pop_back();
  }
  if (!date.empty() && marriage->status == 'D') date += ' ';
  return head + date + tail;
}

ChildRowText FamilyViewModel::ChildRow(int index, const plat::TextMeasure* measure, int nameWidth,
                                       int birthWidth) const {
  ChildRowText row;
  const CIndividualNode* child = GetPaneContent(kPaneChildren, index);
  if (!child || index < 0) return row;
  row.number = std::to_string(index + 1);
  row.name = child->FormatName(options_.appendVal, kNameChars, nameWidth, measure);
  const CBirthEvent* birth = child->GetBirth();
  const CChristeningEvent* christening = child->GetChristening();
  if (birth && birth->date.IsSet())
    row.birth = birth->FormatDateFitted(birthWidth, measure);
  else if (christening && christening->date.IsSet())
    row.birth = "*" + christening->FormatDateFitted(birthWidth, measure);
  row.notesMark = child->HasNotes();
  row.multimediaMark = HasMultimedia(child);
  if (index < static_cast<int>(childInfo_.size())) {
    const ChildInfo& info = childInfo_[index];
    row.parentLink = info.parentLink;
    row.ordinances = info.ordinances;
    if (info.marriageCount == 0)
      row.bitmap = kBitmapChildUnmarried;
    else if (options_.showSpsBullet && !info.hasChildren)
      row.bitmap = kBitmapChildMarriedNoChildren;
    else
      row.bitmap = kBitmapChildMarried;
  }
  return row;
}

// ---- status and controls ----

StatusValues FamilyViewModel::Status() const {
  StatusValues status;
  if (selected_ != kPaneMarriage)
    if (const CIndividualNode* node = GetSelectedContent()) status.rin = node->GetRin();
  if (const CMarriageNode* marriage = GetCurrentMarriage()) {
    status.mrin = marriage->GetMrin();
    status.children = marriage->GetLoadedChildCount();
  }
  if (primary_) status.marriages = primary_->GetLoadedMarriageCount();
  return status;
}

bool FamilyViewModel::ControlShown(int id) const {
  switch (id) {
    case kIdFatherButton:
      return GetPaneContent(kPaneFather) != nullptr;
    case kIdMotherButton:
      return GetPaneContent(kPaneMother) != nullptr;
    case kIdOtherParents:
      return ParentFamilyCount() >= 2;
    case kIdOtherMarriages:
      return MarriageCount() >= 2;
    case kIdSpouseButton:
      return MarriageCount() >= 1;
    case kIdChildScrollBar:
      return cursor_.ScrollBarShown();
    default:
      if (id >= kIdFirstChildButton && id < kIdFirstChildButton + kChildRows)
        return cursor_.FirstRow() + (id - kIdFirstChildButton) < cursor_.Count();
      return false;
  }
}

int FamilyViewModel::ControlBitmap(int id) const {
  if (!ControlShown(id)) return 0;
  switch (id) {
    case kIdFatherButton:
      return parentButtonBitmap_[0];
    case kIdMotherButton:
      return parentButtonBitmap_[1];
    case kIdSpouseButton:
      return kBitmapSpouse;
    default:
      if (id >= kIdFirstChildButton && id < kIdFirstChildButton + kChildRows) {
        const int index = cursor_.FirstRow() + (id - kIdFirstChildButton);
        return index < static_cast<int>(childInfo_.size()) ? ChildRow(index, nullptr, 0, 0).bitmap
                                                           : 0;
      }
      return 0;
  }
}

}  // namespace shell::famview
