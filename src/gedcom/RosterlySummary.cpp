#include "RosterlySummary.h"

#include <cstdio>

#include "Clock.h"
#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventValue.h"
#include "FileSystem.h"
#include "FileUtil.h"
#include "GedcomExporter.h"
#include "IndividualRecord.h"
#include "MarriageRecord.h"
#include "Ports.h"
#include "RecordAccess.h"
#include "ZelQualification.h"

namespace gedcom {

namespace {

constexpr const char* kSeparator =
    "-------------------------------------------------------------------\r\n";
constexpr const char* kRecordEnd = "---\r\n";
constexpr std::size_t kNameColumn = 56;
constexpr const char* kEnglishMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kInstructions =
    "Instructions: Review the information on the report for accuracy. Then take the labeled "
    "disk to your local Arvendel Center, run the file through the Rosterly program there, and "
    "submit the file that Rosterly creates.\r\n";
constexpr const char* kFacilitateParents =
    "This record added to facilitate sealing a child to parent.\r\n";
constexpr const char* kFacilitateSpouse =
    "This record added to facilitate a sealing to spouse.\r\n";

// Reasons of the qualification rules, then the summary's own two.
constexpr int kParentsNotSelected = 100;
constexpr int kSpouseNotSelected = 101;
constexpr int kNoSpouse = 8;

std::string ReasonText(int reason) {
  static const char* const texts[] = {"",
                                      "Missing event date/place",
                                      "Not deceased for 1 year",
                                      "No father",
                                      "No mother",
                                      "Father not dec. for 1 year",
                                      "Mother not dec. for 1 year",
                                      "Spouse not dec. for 1 year",
                                      "No spouse",
                                      "Insufficient place info",
                                      "No sex code",
                                      "Father's name is missing",
                                      "Insufficient info on mother",
                                      "Missing spouse's name",
                                      "Insufficient marriage data",
                                      "Missing name",
                                      "Living/no death date info",
                                      "No death info on father",
                                      "No death info on mother",
                                      "No death info on spouse"};
  if (reason == kParentsNotSelected) return "Parents Not Selected";
  if (reason == kSpouseNotSelected) return "Spouse Not Selected";
  if (reason > 0 && reason < static_cast<int>(std::size(texts))) return texts[reason];
  return "";
}

std::string Padded(std::string name) {
  if (name.size() < kNameColumn) name.resize(kNameColumn, ' ');
  return name;
}

// The status lines of one ordinance: nothing when it qualifies.
std::string StatusLine(const char* prefix, int status, int reason) {
  if (status == kZelNotNeeded) return std::string(prefix) + "(Not needed)\r\n";
  if (status == kZelNotQualified)
    return std::string(prefix) + "(Not qualified) " + ReasonText(reason) + "\r\n";
  return "";
}

// The first recorded of birth, christening, death and burial.
std::string KeyEventLine(const CIndividualRecord& p) {
  const std::pair<const char*, const CEventValue*> events[] = {{"Birth:", &p.birth},
                                                               {"Christen:", &p.christening},
                                                               {"Death:", &p.death},
                                                               {"Burial:", &p.burial}};
  for (const auto& [label, e] : events) {
    if (!e->date.IsSet() && CEventValue::IsPlaceEmpty(e)) continue;
    return std::string("  ") + label + " " + e->date.ToString() + "   " +
           JoinPlaceParts(e->place[0], e->place[1], e->place[2], e->place[3], ", ") + "\r\n";
  }
  return "";
}

CDateValue SubmittedToday() {
  CDateValue date;
  date.SetToday();
  date.qualifier = CDateValue::kQualSub;
  return date;
}

class Report {
 public:
  explicit Report(const RosterlySummaryInput& in) : in_(in) {}
  bool Open() {
    if (!in_.writeReport) return true;
    file_ = std::fopen(in_.reportPath.c_str(), "w+b");
    if (!file_) {
      plat::MessageBox(kCannotCreateReport, kExportCaption, plat::kMbOk | plat::kMbIconExclamation);
      return false;
    }
    return true;
  }
  // Writes a block of code page text as UTF-8, the desktop's text files'
  // form; false (reported once) when it does not go whole.
  bool Write(const std::string& text) {
    if (!file_) return !failed_;
    const std::string block = plat::AnsiToUtf8(text);
    if (std::fwrite(block.data(), 1, block.size(), file_) != block.size() ||
        std::fflush(file_) != 0) {
      plat::MessageBox(kCannotWriteReport, kExportCaption, plat::kMbOk | plat::kMbIconExclamation);
      std::fclose(file_);
      file_ = nullptr;
      failed_ = true;
      return false;
    }
    return true;
  }
  bool Close() {
    const bool ok = !file_ || std::fclose(file_) == 0;
    file_ = nullptr;
    return ok && !failed_;
  }
  ~Report() {
    if (file_) std::fclose(file_);
  }

 private:
  const RosterlySummaryInput& in_;
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

}  // namespace

std::string RosterlyReportPath(const std::string& familyPath) {
  return SetExtensionLastCharStr(familyPath, 'r');
}

bool RunRosterlySummary(const RosterlySummaryInput& in) {
  Report report(in);
  if (!report.Open()) return false;
  auto selected = [&](std::int32_t rin) {
    return rin != 0 && in.selected != nullptr && in.selected->Contains(rin);
  };
  const plat::LocalTime today = plat::ToLocalTime(plat::Now());
  char date[32];
  std::snprintf(date, sizeof date, "%2d %s %04d", today.day,
                kEnglishMonths[(today.month + 11) % 12], today.year);

  std::string block = in.productName + "\r\nTemple Names Preparation Summary\r\nFile: " +
                      plat::PathText(in.gedcomPath) + "\r\nDate: " + date + "\r\n" + kSeparator +
                      kInstructions + kSeparator;
  if (!in.preparerName.empty()) block += in.preparerName + "\r\n\r\n";
  block += std::string("Codes:\r\n    B-Baptism\r\n    E-Endowment\r\n    SP-Seal to Parents\r\n") +
           "    SS-Seal to Spouse\r\n" + kSeparator;
  block += "Records selected from: " + plat::PathText(in.familyPath) + "\r\n" + kSeparator +
           "Individuals                                   Qualified Ordinances\r\n" + kSeparator;
  if (!report.Write(block)) return false;

  long baptisms = 0, endowments = 0, sealingsToParents = 0, sealingsToSpouse = 0;
  for (std::int32_t rin = 1; rin <= in.maxRin; ++rin) {
    if (!in.individualExported(rin)) continue;
    CIndividualRecord p;
    if (family::Read(p, rin) != 1) continue;
    block = Padded(p.GetName(0, false, 0, false));
    std::string statusLines;
    if (selected(rin)) {
      const std::int32_t parents = p.numbers[CIndividualRecord::kParentsMrin];
      CMarriageRecord family;
      std::int32_t father = 0;
      if (parents != 0 && DbGetRecord(parents, db::kMarriage, &family) == 1)
        father = family.husband;
      int bReason = 0, eReason = 0, sReason = 0;
      const int b = GetZelStatusForRecord(p, 0, kZelBaptism, bReason);
      const int e = GetZelStatusForRecord(p, 0, kZelEndowment, eReason);
      int s = GetZelStatusForRecord(p, parents, kZelSealingToParents, sReason);
      if (s == kZelQualified && in.submitAllSelected && !selected(father)) {
        s = kZelNotQualified;
        sReason = kParentsNotSelected;
      }
      baptisms += b == kZelQualified;
      endowments += e == kZelQualified;
      sealingsToParents += s == kZelQualified;
      block += std::string(b == kZelQualified ? "B" : " ") + "  " +
               (e == kZelQualified ? "E" : " ") + "  " + (s == kZelQualified ? "SP" : "  ") +
               "\r\n";
      statusLines = StatusLine("B: ", b, bReason) + StatusLine("E: ", e, eReason) +
                    StatusLine("SP: ", s, sReason);
      if (in.markSubmitted && (b == kZelQualified || e == kZelQualified)) {
        if (b == kZelQualified) p.baptism.date = SubmittedToday();
        if (e == kZelQualified) p.endowment.date = SubmittedToday();
        // A mark that cannot be written (told by the engine) leaves the
        // ordinance unmarked; the report says what qualified all the same.
        (void)family::Update(p, 0);
      }
      if (b != kZelQualified && e != kZelQualified && s != kZelQualified)
        statusLines += kFacilitateSpouse;
    } else {
      block += "        \r\n";  // blank codes
      statusLines = kFacilitateParents;
    }
    block += KeyEventLine(p) + statusLines + kRecordEnd;
    if (!report.Write(block)) return false;
  }
  char totals[160];
  std::snprintf(totals, sizeof totals, "B: %ld  E: %ld  SP: %ld", baptisms, endowments,
                sealingsToParents);
  block = std::string(kSeparator) + "Total Individual Ordinances -- " + totals + "\r\n\r\n" +
          kSeparator + "Marriages                                     Qualified Ordinances\r\n" +
          kSeparator;
  if (!report.Write(block)) return false;

  for (std::int32_t mrin = 1; mrin <= in.maxMrin; ++mrin) {
    if (!in.marriageExported(mrin)) continue;
    CMarriageRecord m;
    if (DbGetRecord(mrin, db::kMarriage, &m) != 1) continue;
    CIndividualRecord husband, wife;
    const bool hasHusband = m.husband != 0 && family::Read(husband, m.husband) == 1;
    const bool hasWife = m.wife != 0 && family::Read(wife, m.wife) == 1;
    block = Padded(hasHusband ? husband.GetName(0, false, 0, false) : "");
    const bool anySelected = selected(m.husband) || selected(m.wife);
    int status = kZelNotQualified, reason = kNoSpouse;
    if (anySelected) {
      if (hasHusband || hasWife)
        status =
            GetZelStatusForRecord(hasHusband ? husband : wife, mrin, kZelSealingToSpouse, reason);
      if (status == kZelQualified && selected(m.husband) && selected(m.wife)) {
        block += "SS";
        ++sealingsToSpouse;
      } else if (status == kZelQualified) {
        status = kZelNotQualified;
        reason = kSpouseNotSelected;
      }
    }
    block += "\r\n" + (hasWife ? wife.GetName(0, false, 0, false) : std::string()) + "\r\n";
    block += "   Marriage: " + m.marriage.date.ToString() + "-MRIN " + std::to_string(mrin) +
             " - " + "   " +
             JoinPlaceParts(m.marriage.place[0], m.marriage.place[1], m.marriage.place[2],
                            m.marriage.place[3], ",") +
             "\r\n";
    if (anySelected) {
      if (in.markSubmitted && status == kZelQualified) {
        m.sealingToSpouse.date = SubmittedToday();
        (void)family::Update(m, 0);  // as for the individuals above
      }
      block += StatusLine("SS: ", status, reason);
    } else {
      block += kFacilitateParents;
    }
    block += kRecordEnd;
    if (!report.Write(block)) return false;
  }
  block = std::string(kSeparator) +
          "Total Marriage Ordinances -- SS: " + std::to_string(sealingsToSpouse) + "\r\n\r\n";
  if (!report.Write(block)) return false;
  return report.Close();
}

}  // namespace gedcom
