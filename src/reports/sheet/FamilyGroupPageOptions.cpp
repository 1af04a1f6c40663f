#include "FamilyGroupPageOptions.h"

#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {
namespace {

int Get(const char* key, int def) {
  return plat::Profile().GetInt(CFamilyGroupOptions::kSection, key, def);
}
void Put(const char* key, int value) {
  plat::Profile().SetInt(CFamilyGroupOptions::kSection, key, value);
}

}  // namespace

CFamilyGroupOptions::CFamilyGroupOptions(CoupleSource& source, int display)
    : identifierDisplay(display), source_(source) {
  type = Get("Type", 0);
  layout = Get("Layout", 0);
  totGens = Get("TotGens", 999);
  cascType = Get("CascType", 0);
  listOpt = Get("ListOpt", 0);
  const int notes = Get("SourceNotes", 0);
  sourceNotes = notes % 2 == 1;
  generalNotes = notes > 1;
  titleOnly = Get("TitleOnly", 0);
  actText = Get("ActText", 1);
  comments = Get("Comments", 1);
  markedOnly = Get("MarkedOnly", 0);
  confident = Get("Confident", 0);
  notePar = Get("NotePar", 0);
  start1st = Get("Start1st", 0);
  includeSubmit = Get("IncludeSubmit", 1);
  otherEvents = Get("OtherEvents", 0);
  relInd = Get("RelInd", 0);
  reserveStd = Get("ReserveStd", 1);
  otherMarr = Get("OtherMarr", 0);
  suppressRin = identifierDisplay != 0 ? Get("SuppressRIN", 0) : 1;
  parInd = Get("ParInd", 0);
  markDirect = Get("MarkDirect", 0);
  ReadMarginsAndPhotos(kSection, margins, photos);
}

void CFamilyGroupOptions::SetSpouseOf(std::int32_t mrin, std::int32_t primary) {
  std::int32_t husband = 0, wife = 0;
  std::int32_t spouse = 0;
  if (source_.ReadMarriage(mrin, husband, wife)) spouse = primary == husband ? wife : husband;
  const std::string name = spouse != 0 ? source_.SpouseName(spouse) : "";
  couple_.spouseName = name.empty() ? res::LoadString(res::kIdsUnknownSheet) : name;
}

void CFamilyGroupOptions::SetCoupleFromMarriage(std::int32_t mrin, std::int32_t rin) {
  couple_.role = StartingCouple::kParent;
  couple_.blankRole = StartingCouple::kNoBlank;
  couple_.parentFamily = -1;
  couple_.mrin = couple_.chosenMarriage = mrin;
  std::int32_t husband = 0, wife = 0;
  source_.ReadMarriage(mrin, husband, wife);
  std::int32_t primary = rin, spouse = 0;
  if (primary == 0) primary = husband != 0 ? husband : wife;
  if (primary == husband)
    spouse = wife;
  else if (rin != 0 || husband != 0)
    spouse = husband;
  couple_.primaryRin = primary;
  CoupleSource::Person person;
  const bool read = primary != 0 && source_.ReadPerson(primary, person);
  couple_.primaryName = read ? person.name : res::LoadString(res::kIdsUnknownSheet);
  const std::string spouseName = spouse != 0 ? source_.SpouseName(spouse) : "";
  couple_.spouseName = spouseName.empty() ? res::LoadString(res::kIdsUnknownSheet) : spouseName;
}

void CFamilyGroupOptions::ChooseMarriageOf(std::int32_t rin, const CoupleSource::Person& person) {
  std::int32_t chosen = 0;
  if (person.marriages.size() > 1) chosen = source_.PickMarriage(rin, person.marriages);
  if (chosen == 0) chosen = person.marriages.front();
  couple_.role = StartingCouple::kParent;
  couple_.blankRole = StartingCouple::kNoBlank;
  couple_.mrin = couple_.chosenMarriage = chosen;
  SetSpouseOf(chosen, rin);
}

void CFamilyGroupOptions::SetCoupleFromPerson(std::int32_t rin) {
  CoupleSource::Person person;
  couple_.primaryRin = rin;
  couple_.primaryName =
      source_.ReadPerson(rin, person) ? person.name : res::LoadString(res::kIdsUnknownSheet);
  couple_.spouseName.clear();
  couple_.chosenMarriage = couple_.parentFamily = couple_.mrin = -1;
  if (!person.marriages.empty()) {
    ChooseMarriageOf(rin, person);
    return;
  }
  couple_.chosenMarriage = 0;
  if (person.parentFamily != 0) {
    couple_.mrin = couple_.parentFamily = person.parentFamily;
    couple_.blankRole = StartingCouple::kNoBlank;
    couple_.role = StartingCouple::kChild;
    return;
  }
  couple_.mrin = 0;
  if (person.sex == 'F') {
    couple_.blankRole = StartingCouple::kBlankWife;
    couple_.role = StartingCouple::kParent;
  } else if (person.sex == 'M') {
    couple_.blankRole = StartingCouple::kBlankHusband;
    couple_.role = StartingCouple::kParent;
  } else {
    couple_.blankRole = StartingCouple::kBlankChild;
    couple_.role = StartingCouple::kChild;
  }
}

bool CFamilyGroupOptions::LoadStartingCouple(CReportChoiceState& choices, std::int32_t viewMrin,
                                             std::int32_t viewRin) {
  couple_.loaded = true;
  if (choices.coupleSet != 0) {
    couple_.role = choices.role;
    couple_.primaryRin = choices.familyGroupRin;
    couple_.mrin = choices.familyGroupMrin;
    couple_.chosenMarriage = choices.chosenMarriage;
    couple_.parentFamily = choices.parentFamily;
    couple_.blankRole = choices.blankRole;
    couple_.primaryName = choices.primaryName;
    couple_.spouseName = choices.spouseName;
    CoupleSource::Person person;
    if (couple_.primaryRin != 0 && !source_.ReadPerson(couple_.primaryRin, person)) return false;
    return true;
  }
  choices.coupleSet = 1;
  if (viewMrin > 0)
    SetCoupleFromMarriage(viewMrin, viewRin);
  else
    SetCoupleFromPerson(viewRin);
  return true;
}

bool CFamilyGroupOptions::ClickRole(int role) {
  if (role == couple_.role) return true;
  CoupleSource::Person person;
  source_.ReadPerson(couple_.primaryRin, person);
  if (role == StartingCouple::kParent) {
    if (!person.marriages.empty()) {
      if (couple_.chosenMarriage <= 0) {
        ChooseMarriageOf(couple_.primaryRin, person);
      } else {
        couple_.mrin = couple_.chosenMarriage;
        couple_.role = StartingCouple::kParent;
        couple_.blankRole = StartingCouple::kNoBlank;
        SetSpouseOf(couple_.mrin, couple_.primaryRin);
      }
      return true;
    }
    if (person.sex != 'M' && person.sex != 'F') {
      source_.Warn(res::LoadString(res::kIdsNoSexNoParent));
      return false;
    }
    couple_.role = StartingCouple::kParent;
    couple_.mrin = 0;
    couple_.blankRole =
        person.sex == 'M' ? StartingCouple::kBlankHusband : StartingCouple::kBlankWife;
    return true;
  }
  if (couple_.parentFamily < 0) couple_.parentFamily = person.parentFamily;
  couple_.role = StartingCouple::kChild;
  couple_.mrin = couple_.parentFamily;
  couple_.blankRole =
      couple_.parentFamily > 0 ? StartingCouple::kNoBlank : StartingCouple::kBlankChild;
  return true;
}

void CFamilyGroupOptions::SetUseList(bool on) {
  listOpt = on ? 1 : 0;
  if (on) {
    if (type == kCascading) type = kSingleFamily;
    savedPrimary_ = couple_.primaryName;
    savedSpouse_ = couple_.spouseName;
    savedRole_ = couple_.role;
    couple_.primaryName.clear();
    couple_.spouseName.clear();
  } else if (couple_.loaded) {
    couple_.primaryName = savedPrimary_;
    couple_.spouseName = savedSpouse_;
    couple_.role = savedRole_;
  }
}

std::string CFamilyGroupOptions::MrinText() const {
  if (listOpt != 0) return res::LoadString(res::kIdsSeeList);
  return std::to_string(static_cast<std::uint32_t>(couple_.mrin));
}

void CFamilyGroupOptions::KeepCouple(CReportChoiceState& choices) const {
  choices.familyGroupRin = couple_.primaryRin;
  choices.familyGroupMrin = couple_.mrin;
  choices.chosenMarriage = couple_.chosenMarriage;
  choices.parentFamily = couple_.parentFamily;
  choices.role = couple_.role;
  choices.blankRole = couple_.blankRole;
  choices.primaryName = listOpt != 0 ? savedPrimary_ : couple_.primaryName;
  choices.spouseName = listOpt != 0 ? savedSpouse_ : couple_.spouseName;
  choices.coupleSet = 1;
}

void CFamilyGroupOptions::SetChartType(int chartType) {
  type = chartType;
  if (type == kBlankForm) layout = 0;
}

CFamilyGroupOptions::Enabled CFamilyGroupOptions::EnabledStates() const {
  Enabled on;
  on.cascadingRadio = on.blankRadio = listOpt == 0;
  if (type == kBlankForm) {
    on.couple = false;
    on.suppressRin = false;
    return on;
  }
  on.cascadingOnly = type == kCascading;
  on.suppressRin = identifierDisplay != 0;
  on.markedOnly = generalNotes;
  on.titlesOnly = sourceNotes;
  on.actualText = on.comments = sourceNotes && titleOnly == 0;
  return on;
}

void CFamilyGroupOptions::WriteSettings() {
  Put("SourceNotes", SourceNotesValue());
  Put("Type", type);
  WriteMarginsAndPhotos(kSection, margins, photos);
  Put("ListOpt", listOpt);
  if (type == kCascading) {
    Put("TotGens", totGens);
    Put("CascType", cascType);
  }
  Put("OtherMarr", otherMarr);
  Put("Layout", layout);
  Put("NotePar", notePar);
  Put("Start1st", start1st);
  Put("IncludeSubmit", includeSubmit);
  Put("MarkDirect", markDirect);
  Put("OtherEvents", otherEvents);
  Put("ReserveStd", reserveStd);
  Put("SuppressRIN", suppressRin);
  Put("RelInd", relInd);
  Put("ParInd", parInd);
  Put("TitleOnly", titleOnly);
  Put("ActText", actText);
  Put("Comments", comments);
  Put("MarkedOnly", markedOnly);
  Put("Confident", confident);
}

bool CFamilyGroupOptions::FillRequest(ReportRequest& request) {
  request.mode = type;
  if (type == kCascading) request.count = totGens;
  request.nameStart.clear();
  if (listOpt != 0) {
    request.startRin = 0;
    request.familyMrin = 0;
    if (listText != nullptr) request.nameStart = *listText;
  } else {
    request.startRin = couple_.primaryRin > 0 ? couple_.primaryRin : 0;
    request.familyMrin = couple_.mrin > 0 ? couple_.mrin : 0;
  }
  request.options[kFgrSlotRole] = couple_.role;
  request.options[kFgrSlotSourceNotes] = SourceNotesValue();
  request.options[kFgrSlotOtherMarriages] = otherMarr;
  return true;
}

void CFamilyGroupOptions::BeforeRun(CReportChoiceState& choices, bool preview) {
  if (preview && couple_.primaryRin == 0) return;
  KeepCouple(choices);
}

}  // namespace rpt
