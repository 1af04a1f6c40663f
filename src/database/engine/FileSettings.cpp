// The per-file options kept in the header and the preparer record
// (db::kPreparer, always in the header).
#include "FileSettings.h"

#include <algorithm>

#include "Ansel.h"
#include "BlockStore.h"
#include "ORV3.h"
#include "PreparerRecord.h"

using namespace orv;

FileSettings::FileSettings(EngineHost* host, BlockStore& blocks)
    : host_(host), blocks_(blocks), head_(blocks.Head()) {}

// ---- file options ----------------------------------------------------------

namespace {

// Where each preparer field lies in the header.
struct PreparerField {
  int offset;
  int width;  // characters
  std::string CPreparerRecord::*member;
};

constexpr PreparerField kPreparerFields[] = {
    {kHeadPreparer + 0 * 61, 60, &CPreparerRecord::givenNames},
    {kHeadPreparer + 1 * 61, 60, &CPreparerRecord::surname},
    {kHeadPreparer + 2 * 61, 60, &CPreparerRecord::address1},
    {kHeadPreparer + 3 * 61, 60, &CPreparerRecord::address2},
    {kHeadPreparer + 4 * 61, 60, &CPreparerRecord::address3},
    {kHeadPreparer + 5 * 61, 60, &CPreparerRecord::unused},
    {kHeadPreparer + 6 * 61, 60, &CPreparerRecord::country},
    {kHeadPreparerPhone, 25, &CPreparerRecord::phone},
    {kHeadPreparerSbn, 12, &CPreparerRecord::sbn},
    {kHeadPreparerEmail, 60, &CPreparerRecord::email},
};

}  // namespace

FileOptions FileSettings::GetFileOptions() {
  FileOptions o;
  o.logChanges = head_.Byte(kHeadLogChanges) != 0;
  o.optionA = head_.I32(kHeadOptionA);
  o.optionB = head_.I32(kHeadOptionB);
  o.optionC = head_.I16(kHeadOptionC);
  o.optionD = head_.I16(kHeadOptionD);
  o.optionE = head_.I32(kHeadOptionE);
  host_->logChanges = o.logChanges;
  return o;
}

int FileSettings::SetFileOptions(const FileOptions& o, const AppFileOptions& app) {
  head_.SetByte(kHeadLogChanges, o.logChanges ? 1 : 0);
  head_.SetI32(kHeadOptionA, o.optionA);
  head_.SetI32(kHeadOptionB, o.optionB);
  head_.SetI16(kHeadOptionC, o.optionC);
  head_.SetI16(kHeadOptionD, o.optionD);
  head_.SetI32(kHeadOptionE, o.optionE);
  head_.SetByte(kHeadShowZel, app.showZel ? 1 : 0);
  static constexpr char kAppend[] = {'N', 'R', 'I', 'A'};
  head_.SetByte(kHeadAppendLetter,
                static_cast<std::uint8_t>(kAppend[std::clamp(app.appendValue, 0, 3)]));
  head_.SetByte(kHeadCapSurname, app.capSurname ? 1 : 0);
  host_->logChanges = o.logChanges;
  return blocks_.WriteHeader(HeadPart::Whole) ? 1 : 0;
}

int FileSettings::GetFileOption(int flag) const { return flag == 1 ? head_.Byte(kHeadFlag1) : 0; }

int FileSettings::SetFileOption(int flag, int value) {
  if (flag != 1) return 0;
  const std::uint8_t v = static_cast<std::uint8_t>(value);
  if (head_.Byte(kHeadFlag1) == v) return 1;
  head_.SetByte(kHeadFlag1, v);
  return blocks_.WriteHeader(HeadPart::Whole) ? 1 : 0;
}

// ---- preparer --------------------------------------------------------------

int FileSettings::ReadPreparer(CPreparerRecord& rec) {
  for (const PreparerField& f : kPreparerFields)
    rec.*f.member = AnselToAnsi(head_.Text(f.offset, f.width + 1));
  return 1;
}

int FileSettings::WritePreparer(const CPreparerRecord& rec) {
  for (int off = kHeadPreparer; off < 882; ++off) head_.SetByte(off, 0);
  for (const PreparerField& f : kPreparerFields)
    head_.SetText(f.offset, f.width + 1, AnsiToAnsel(rec.*f.member, f.width));
  return blocks_.WriteHeader(HeadPart::Whole) ? 1 : 0;
}
