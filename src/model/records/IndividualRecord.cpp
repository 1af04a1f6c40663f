#include "IndividualRecord.h"

#include <algorithm>

#include "CodePage.h"

CIndividualRecord ScratchIndividualRecord;

namespace {

// Frees a chain node by node, so a long chain cannot exhaust the stack.
void FreeExtensionChain(std::unique_ptr<CIndividualExtensionNode>& head) {
  while (head) head = std::move(head->next);
}

void ResetOrdinance(COrdinanceValue& value) {
  const char kind = value.kind;
  value = COrdinanceValue{};
  value.kind = kind;
}

// Appends part after a blank when out is not empty; an empty part adds nothing.
void AppendPart(std::string& out, const std::string& part) {
  if (part.empty()) return;
  if (!out.empty()) out += ' ';
  out += part;
}

}  // namespace

CIndividualRecord::CIndividualRecord() {
  baptism.kind = 'B';
  endowment.kind = 'E';
  sealingToParents.kind = 'P';
  Clear();
}

CIndividualRecord::CIndividualRecord(const CIndividualRecord& other) : CRecordObject(other) {
  *this = other;
}

CIndividualRecord& CIndividualRecord::operator=(const CIndividualRecord& other) {
  if (this == &other) return *this;
  std::copy(std::begin(other.numbers), std::end(other.numbers), std::begin(numbers));
  marriageCount = other.marriageCount;
  parentFamilyCount = other.parentFamilyCount;
  surname = other.surname;
  std::copy(std::begin(other.givenNames), std::end(other.givenNames), std::begin(givenNames));
  suffix = other.suffix;
  std::copy(std::begin(other.nameExtensions), std::end(other.nameExtensions),
            std::begin(nameExtensions));
  std::copy(std::begin(other.texts1), std::end(other.texts1), std::begin(texts1));
  title = other.title;
  std::copy(std::begin(other.texts2), std::end(other.texts2), std::begin(texts2));
  std::copy(std::begin(other.contact), std::end(other.contact), std::begin(contact));
  linkText = other.linkText;
  sex = other.sex;
  flags = other.flags;
  birth = other.birth;
  christening = other.christening;
  death = other.death;
  burial = other.burial;
  fifthEvent = other.fifthEvent;
  baptism = other.baptism;
  endowment = other.endowment;
  sealingToParents = other.sealingToParents;
  // The extension chain belongs to the record the engine filled; it is not
  // shared with a copy.
  FreeExtensionChain(extension);
  std::copy(std::begin(other.trailing), std::end(other.trailing), std::begin(trailing));
  return *this;
}

CIndividualRecord::~CIndividualRecord() { FreeExtensionChain(extension); }

void CIndividualRecord::Reset() {
  std::fill(std::begin(numbers), std::end(numbers), 0);
  marriageCount = -1;
  parentFamilyCount = -1;
  sex = 'U';
  flags = 0;
  FreeExtensionChain(extension);
  std::fill(std::begin(trailing), std::end(trailing), 0);
}

void CIndividualRecord::Clear() {
  surname.clear();
  for (auto& s : givenNames) s.clear();
  suffix.clear();
  for (auto& s : nameExtensions) s.clear();
  for (auto& s : texts1) s.clear();
  title.clear();
  for (auto& s : texts2) s.clear();
  for (auto& s : contact) s.clear();
  linkText.clear();
  for (CEventValue* e : {&birth, &christening, &death, &burial, &fifthEvent}) *e = CEventValue{};
  ResetOrdinance(baptism);
  ResetOrdinance(endowment);
  ResetOrdinance(sealingToParents);
  Reset();
}

const std::string& CIndividualRecord::BuildName(std::string& out, int suffixKind, bool upperSurname,
                                                long number, bool surnameFirst) const {
  const std::string shownSurname = upperSurname ? plat::AnsiUpper(surname) : surname;
  out.clear();
  if (surnameFirst) {
    AppendPart(out, shownSurname);
    AppendPart(out, title);
    for (const auto& given : givenNames) AppendPart(out, given);
  } else {
    AppendPart(out, title);
    for (const auto& given : givenNames) AppendPart(out, given);
    AppendPart(out, shownSurname);
  }
  AppendPart(out, suffix);
  if (suffixKind == 1) {
    out += '-';
    out += std::to_string(static_cast<long long>(numbers[kRin]) + number - 1);
  } else if (suffixKind != 0) {
    out += '-';
    out += suffixKind == 3 ? Sbn() : CustomId();
  }
  return out;
}

std::string CIndividualRecord::GetName(int suffixKind, bool upperSurname, long number,
                                       bool surnameFirst) const {
  std::string out;
  BuildName(out, suffixKind, upperSurname, number, surnameFirst);
  return out;
}

std::string CIndividualRecord::GetGivenNames() const {
  std::string out;
  for (const auto& given : givenNames) AppendPart(out, given);
  return out;
}

std::string CIndividualRecord::GetNameSurnameFirst() const {
  const std::string given = GetGivenNames();
  std::string out = surname + ",";
  if (!given.empty()) out += " " + given;
  return out;
}

bool CIndividualRecord::HasContactInfo() const {
  return std::any_of(std::begin(contact), std::end(contact),
                     [](const std::string& s) { return !s.empty(); });
}
