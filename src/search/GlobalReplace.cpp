#include "GlobalReplace.h"

#include <cctype>

#include "DbCalls.h"
#include "DbCodes.h"
#include "EventValue.h"
#include "FileCopy.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "MultimediaItem.h"
#include "PlaceEventObject.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "StringIds.h"
#include "StringTable.h"
#include "UserEventRecord.h"

namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

int ReplaceText(const std::string& text, const std::string& search, const std::string& replacement,
                bool caseSensitive, std::string& out) {
  out = text;
  if (search.empty()) return 0;
  const std::string hay = caseSensitive ? text : Upper(text);
  const std::string needle = caseSensitive ? search : Upper(search);
  const std::size_t at = hay.find(needle);
  if (at == std::string::npos) return 0;
  if (replacement.size() > search.size()) {
    const std::string there = hay.substr(at, replacement.size());
    const std::string wanted = caseSensitive ? replacement : Upper(replacement);
    if (there == wanted) return 0;
  }
  out = text.substr(0, at) + replacement + text.substr(at + search.size());
  return 1;
}

bool CGlobalReplaceJob::ReplaceInPlace(CEventValue& event) const {
  const std::string place = event.FormatPlace(", ");
  std::string changed;
  if (!ReplaceText(place, search, replacement, caseSensitive, changed)) return false;
  SplitPlaceParts(changed, event.place);
  return true;
}

std::uint32_t CGlobalReplaceJob::ReplacePlaces(plat::ProgressPort* progress) const {
  std::uint32_t changes = 0;
  long records = 0;
  const auto tick = [&]() {
    ++records;
    if (records % 100 != 0 || progress == nullptr) return false;
    progress->SetPosition(static_cast<int>(records));
    return progress->CancelRequested();
  };
  const std::int32_t people = DbGetMaxRecordCount(db::kIndividual);
  for (std::int32_t rin = 1; rin <= people; ++rin) {
    CIndividualRecord person;
    if (DbGetIndividualRecord(rin, person, 9) == 1) {
      std::uint32_t replaced = 0;
      for (CEventValue* event :
           {&person.birth, &person.christening, &person.death, &person.burial, &person.fifthEvent})
        if (ReplaceInPlace(*event)) ++replaced;
      // As for the multimedia names: what cannot be stored is not counted.
      if (replaced > 0 && family::Update(person, 0) == 1) changes += replaced;
    }
    if (tick()) return changes;
  }
  const std::int32_t marriages = DbGetMaxRecordCount(db::kMarriage);
  for (std::int32_t mrin = 1; mrin <= marriages; ++mrin) {
    CMarriageRecord marriage;
    if (family::Read(marriage, mrin) == 1 && ReplaceInPlace(marriage.marriage) &&
        family::Update(marriage, 0) == 1)
      ++changes;
    if (tick()) return changes;
  }
  const std::int32_t userEvents = DbGetMaxRecordCount(db::kUserEvent);
  for (std::int32_t rin = 1; rin <= userEvents; ++rin) {
    CUserEventRecord event;
    CPlaceEventObject* place = family::Read(event, rin) == 1 ? event.GetEvent() : nullptr;
    std::string changed;
    if (place != nullptr &&
        ReplaceText(place->GetPlace(), search, replacement, caseSensitive, changed)) {
      std::string error;
      place->SetPlaceText(changed, nullptr, error);
      if (family::Update(event, 0) == 1) ++changes;
    }
    if (tick()) return changes;
  }
  return changes;
}

std::uint32_t CGlobalReplaceJob::ReplaceMultimediaNames(plat::ProgressPort* progress) const {
  std::uint32_t changes = 0;
  const std::int32_t items = DbGetMaxRecordCount(db::kMultimedia);
  for (std::int32_t n = 1; n <= items; ++n) {
    CMultimediaItem item;
    std::string changed;
    if (DbGetRecord(n, db::kMultimedia, &item) == 1 &&
        ReplaceText(item.fileName, search, replacement, caseSensitive, changed)) {
      item.fileName = changed;
      // A read-only file refuses the new name; the item keeps its old one.
      if (DbUpdateRecord(n, db::kMultimedia, &item, 0) == 1) ++changes;
    }
    if (n % 100 == 0 && progress != nullptr) {
      progress->SetPosition(static_cast<int>(n));
      if (progress->CancelRequested()) return changes;
    }
  }
  if (progress != nullptr) progress->SetPosition(static_cast<int>(items));
  return changes;
}

long CGlobalReplaceJob::Run(plat::ProgressPort& progress, const std::string& title) const {
  if (target != kPlacesTarget && target != kMultimediaTarget) return -1;
  const bool places = target == kPlacesTarget;
  const long total = places ? static_cast<long>(DbGetMaxRecordCount(db::kIndividual)) +
                                  static_cast<long>(DbGetMaxRecordCount(db::kMarriage)) +
                                  static_cast<long>(DbGetMaxRecordCount(db::kUserEvent))
                            : static_cast<long>(DbGetMaxRecordCount(db::kMultimedia));
  progress.Begin(title, static_cast<int>(total));
  progress.SetText(res::LoadString(places ? res::kIdsChangingPlaces : res::kIdsChangingItems));
  const std::uint32_t changed =
      places ? ReplacePlaces(&progress) : ReplaceMultimediaNames(&progress);
  progress.End();
  const std::string count = std::to_string(static_cast<unsigned long>(changed));
  plat::MessageBox(
      FormatInsertsAndArgs(res::LoadString(places ? res::kIdsChangedPlaces : res::kIdsChangedItems),
                           {count}, {count}),
      title, plat::kMbOk);
  return static_cast<long>(changed);
}

bool CanReplace(const std::string& search, const std::string& replacement) {
  return !search.empty() && search != replacement;
}
