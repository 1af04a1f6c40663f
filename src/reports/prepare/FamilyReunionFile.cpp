#include "FamilyReunionFile.h"

#include <cctype>
#include <cstdio>

#include "FileCopy.h"
#include "FileHandle.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {
namespace {

constexpr std::size_t kListNameChars = 48;
constexpr std::size_t kMaxContactName = 255;

using Field = CIndividualRecord::ContactField;

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool IsNoContact(const std::string& contactName) {
  return EqualNoCase(contactName, res::LoadString(res::kIdsNoContactShort)) ||
         EqualNoCase(contactName, res::LoadString(res::kIdsNoContactLong));
}

int BirthYear(const CIndividualRecord& person) {
  const int birth = person.birth.date.year;
  return birth != 0 ? birth : person.christening.date.year;
}

// The person's name as the list shows it: given names first on the address
// list, surname first and cut to 48 characters on the others.
std::string ListName(const CIndividualRecord& person, int listType) {
  if (listType == FamilyReunionFileOptions::kAddress) return person.GetName(0, false, 0, false);
  return person.GetNameSurnameFirst().substr(0, kListNameChars);
}

// The contact data of the list type: the phone, the e-mail address or the
// six address fields (first the street line the entry depends on).
struct ContactData {
  std::string fields[6];
  const std::string& First() const { return fields[0]; }
};

ContactData DataOf(const CIndividualRecord& person, int listType) {
  ContactData data;
  if (listType == FamilyReunionFileOptions::kPhone) {
    data.fields[0] = person.contact[Field::kContactPhone];
  } else if (listType == FamilyReunionFileOptions::kEmail) {
    data.fields[0] = person.contact[Field::kContactEmail];
  } else {
    static constexpr Field kAddress[] = {Field::kContactAddress1,   Field::kContactAddress2,
                                         Field::kContactCity,       Field::kContactState,
                                         Field::kContactPostalCode, Field::kContactCountry};
    for (int i = 0; i < 6; ++i) data.fields[i] = person.contact[kAddress[i]];
  }
  return data;
}

std::string Printf(const char* format, const std::string& a, const std::string& b) {
  const int n = std::snprintf(nullptr, 0, format, a.c_str(), b.c_str());
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  std::snprintf(out.data(), out.size() + 1, format, a.c_str(), b.c_str());
  return out;
}

std::string EntryText(const std::string& name, const ContactData& data, int listType) {
  switch (listType) {
    case FamilyReunionFileOptions::kPhone:
      return (data.First().empty() ? name : Printf("%-48.48s %20.20s", name, data.First())) +
             "\r\n";
    case FamilyReunionFileOptions::kEmail:
      return (data.First().empty() ? name : Printf("%-48.48s %s", name, data.First())) + "\r\n";
    default: {
      const std::string& street2 = data.fields[1];
      std::string out = name + "\r\n" + data.fields[0] + "\r\n";
      if (!street2.empty()) out += street2 + "\r\n";
      out +=
          data.fields[2] + ", " + data.fields[3] + "  " + data.fields[4] + "\r\n" + data.fields[5];
      if (street2.empty())
        out += "\r\n\r\n\r\n";
      else if (street2.find_first_of("\r\n") != std::string::npos)
        out += "\r\n";
      else
        out += "\r\n\r\n";
      return out;
    }
  }
}

// The entry of one person, or "" when the person is not listed.
std::string PersonEntry(std::int32_t rin, const FamilyReunionFileOptions& options,
                        ReunionSource& source) {
  CIndividualRecord person;
  if (!source.ReadIndividual(rin, person)) return {};
  const int listType = options.listType;
  const int year = BirthYear(person);
  const bool bornBefore = options.includeNoContact && year != 0 && year < options.bornBefore;

  const std::string& marriedName = person.texts2[1];
  const std::string nickname = person.nameExtensions[0];
  if (!nickname.empty()) {
    person.givenNames[0] = nickname;
    person.givenNames[1].clear();
    person.givenNames[2].clear();
    person.suffix.clear();
    person.title.clear();
  }
  std::string name = !marriedName.empty() ? marriedName : ListName(person, listType);

  const std::string& contactName = person.contact[Field::kContactName];
  if (IsNoContact(contactName)) return {};

  bool spouseLooked = false;
  bool noContact = false;
  CIndividualRecord spouse;
  bool haveSpouse = false;
  auto findSpouse = [&] {
    spouseLooked = true;
    const std::vector<std::int32_t> marriages = source.Marriages(rin);
    CMarriageRecord marriage;
    if (marriages.empty() || !source.ReadMarriage(marriages.front(), marriage)) {
      noContact = true;
      return;
    }
    const std::int32_t other = marriage.husband == rin ? marriage.wife : marriage.husband;
    haveSpouse = other > 0 && source.ReadIndividual(other, spouse);
    if (!haveSpouse) noContact = true;
  };

  if (!contactName.empty()) {
    name = contactName.substr(0, kMaxContactName);
  } else {
    findSpouse();
    if (haveSpouse) {
      const std::string& spouseContact = spouse.contact[Field::kContactName];
      if (IsNoContact(spouseContact)) {
        noContact = true;
      } else if (!spouseContact.empty()) {
        name = spouseContact.substr(0, kMaxContactName);
      } else if (marriedName.empty() && person.sex == 'F') {
        person.surname = spouse.surname;
        name = ListName(person, listType);
      }
    }
  }

  ContactData data = DataOf(person, listType);
  if (data.First().empty() && !noContact) {
    if (!spouseLooked) findSpouse();
    if (haveSpouse && !noContact) data = DataOf(spouse, listType);
  }
  if (data.First().empty() && !bornBefore) return {};
  return EntryText(name, data, listType);
}

}  // namespace

bool WriteFamilyReunionEntries(plat::RandomAccessFile& file, const FamilyReunionEntries& entries,
                               const FamilyReunionFileOptions& options, ReunionSource& source) {
  std::uint64_t pos = 0;
  for (std::int64_t n = 0;; ++n) {
    const std::int32_t rin = entries(n);
    if (rin == 0) break;
    const std::string entry = PersonEntry(rin, options, source);
    if (entry.empty()) continue;
    if (!file.WriteAt(pos, entry.data(), entry.size())) return false;
    pos += entry.size();
  }
  return file.Flush();
}

bool WriteFamilyReunionFile(const std::string& path, std::int32_t startRin,
                            const FamilyReunionFileOptions& options, ReunionSource* source) {
  ReunionSource plain;
  ReunionSource& reads = source ? *source : plain;
  if (PrepareFamilyReunionList(startRin, source) == 0) return false;
  const std::string title = res::LoadString(res::kIdsReunionContactListTitle);
  const std::string action = res::LoadString(res::kIdsListFile);
  plat::FileHandle file;
  if (const int error = file.Create(path); error != 0) {
    ShowFileError(error, title, action);
    CloseFamilyReunionWorkFile();
    return false;
  }
  const bool written = WriteFamilyReunionEntries(file, GetFamilyReunionEntry, options, reads);
  file.Close();
  CloseFamilyReunionWorkFile();
  if (!written) {
    ShowFileError(plat::kFileDiskFull, title, action);
    return false;
  }
  plat::Shell().Open(path);
  return true;
}

}  // namespace rpt
