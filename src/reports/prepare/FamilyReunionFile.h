#pragma once
// The Family Reunion Contact List file: one entry per descendant prepared by
// PrepareFamilyReunionList who can be contacted, as a phone, address or
// e-mail list, in plain text with CR LF line ends. A person whose contact
// name is "NC" or "No Contact" is never listed; a person without contact
// data of their own takes the spouse's (a married woman without a married
// name also the spouse's surname); with include-no-contact on, people born
// before a year are listed even without contact data.

#include <cstdint>
#include <functional>
#include <string>

#include "FamilyReunion.h"
#include "RandomAccessFile.h"

namespace rpt {

struct FamilyReunionFileOptions {
  enum ListType { kPhone = 0, kAddress = 1, kEmail = 2 };
  int listType = kPhone;
  bool includeNoContact = false;
  int bornBefore = 0;  // a year; used only with includeNoContact
};

// The RIN at position n of the prepared sequence; 0 ends it.
using FamilyReunionEntries = std::function<std::int32_t(std::int64_t n)>;

// Writes the entries into file from offset 0, reading people through source.
// False when a write failed.
bool WriteFamilyReunionEntries(plat::RandomAccessFile& file, const FamilyReunionEntries& entries,
                               const FamilyReunionFileOptions& options, ReunionSource& source);

// Prepares the descendants of startRin, writes the list to path and opens it
// in the desktop's text editor through the shell port. A file that cannot be
// created or written is reported (file error, "Family Reunion Contact List",
// "List File") and not opened. True when the file was written.
bool WriteFamilyReunionFile(const std::string& path, std::int32_t startRin,
                            const FamilyReunionFileOptions& options,
                            ReunionSource* source = nullptr);

}  // namespace rpt
