#include "PersonPageOptions.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {
namespace {

// Reads and writes one section's ints.
class Section {
 public:
  explicit Section(const char* name) : name_(name) {}
  int Get(const char* key, int def) const { return plat::Profile().GetInt(name_, key, def); }
  void Put(const char* key, int value) const { plat::Profile().SetInt(name_, key, value); }
  void PutMargins(const PageMargins& m) const {
    Put("PageLM", m.left);
    Put("PageRM", m.right);
    Put("PageTM", m.top);
    Put("PageBM", m.bottom);
  }
  void GetMargins(PageMargins& m) const {
    m = {Get("PageLM", m.left), Get("PageTM", m.top), Get("PageRM", m.right),
         Get("PageBM", m.bottom)};
  }
  // The margins, then the photo size and placement.
  void PutMarginsAndPhotos(const PageMargins& m, const PagePhotos& photos) const {
    PutMargins(m);
    Put("PhotoX", photos.width);
    Put("PhotoY", photos.height);
    Put("PhotoPlace", photos.place);
    Put("PhotoRsrv", photos.reserve);
  }
  void GetMarginsAndPhotos(PageMargins& m, PagePhotos& photos) const {
    GetMargins(m);
    photos.width = Get("PhotoX", photos.width);
    photos.height = Get("PhotoY", photos.height);
    photos.place = Get("PhotoPlace", photos.place);
    photos.reserve = Get("PhotoRsrv", photos.reserve);
  }

 private:
  const char* name_;
};

std::uint32_t ReadColour(const char* section, const char* key, std::uint32_t def) {
  return plat::Profile().GetColor(section, key, def);
}
void WriteColour(const char* section, const char* key, std::uint32_t colour) {
  plat::Profile().SetColor(section, key, colour);
}

std::string CountText(long count) {
  const std::string format = res::LoadString(res::kIdsIndividualsCount);
  char text[128];
  std::snprintf(text, sizeof text, format.c_str(), count);
  return text;
}

}  // namespace

StartingGroupTexts MakeStartingGroupTexts(bool useList, const FilterSummary& filter,
                                          const std::string& startingName) {
  if (!useList)
    return {res::LoadString(res::kIdsStartingPerson), startingName,
            res::LoadString(res::kIdsSearch)};
  std::string group = res::LoadString(res::kIdsFilter);
  if (filter.present) group += " - " + filter.name;
  return {group, CountText(filter.present ? filter.count : 0), res::LoadString(res::kIdsSelect)};
}

// ---- Individual Summary ----

CIndividualSummaryOptions::CIndividualSummaryOptions(int display) : identifierDisplay(display) {
  const Section s(kSection);
  listOpt = s.Get("ListOpt", 0);
  notes = s.Get("Notes", 1);
  markedOnly = s.Get("MarkedOnly", 0);
  source = s.Get("Source", 1);
  titleOnly = s.Get("TitleOnly", 0);
  actText = s.Get("ActText", 1);
  comments = s.Get("Comments", 1);
  photos.opt = s.Get("PhotoOpt", 0);
  suppressRin = identifierDisplay != 0 ? s.Get("SuppressRIN", 0) : 1;
  relInd = s.Get("RelInd", 0);
  parInd = s.Get("ParInd", 0);
  confident = s.Get("Confident", 0);
  contact = s.Get("Contact", 0);
  s.GetMarginsAndPhotos(margins, photos);
}

CIndividualSummaryOptions::Enabled CIndividualSummaryOptions::EnabledStates() const {
  Enabled on;
  on.markedOnly = notes != 0;
  on.titlesOnly = source != 0;
  on.actualText = on.comments = source != 0 && titleOnly == 0;
  on.suppressRin = identifierDisplay != 0;
  return on;
}

void CIndividualSummaryOptions::WriteSettings() {
  const Section s(kSection);
  if (identifierDisplay == 0) suppressRin = 1;
  s.Put("Notes", notes);
  s.Put("SuppressRIN", suppressRin);
  s.Put("Source", source);
  s.Put("MarkedOnly", markedOnly);
  s.Put("TitleOnly", titleOnly);
  s.Put("ActText", actText);
  s.Put("Comments", comments);
  s.Put("ParInd", parInd);
  s.Put("RelInd", relInd);
  s.Put("Confident", confident);
  s.Put("Contact", contact);
  s.Put("PhotoOpt", photos.opt);
  s.PutMarginsAndPhotos(margins, photos);
  s.Put("ListOpt", listOpt);
}

bool CIndividualSummaryOptions::FillRequest(ReportRequest& request) {
  request.startRin = listOpt != 0 ? 0 : startingRin;
  return true;
}

// ---- Scrapbook ----

CScrapbookOptions::CScrapbookOptions(int display) : identifierDisplay(display) {
  const Section s(kSection);
  listOpt = s.Get("ListOpt", 0);
  caption = s.Get("Caption", 1);
  capPos = s.Get("CapPos", 1);
  fileName = s.Get("FN", 0);
  descr = s.Get("Descr", 1);
  box = s.Get("Box", 1);
  across = s.Get("Across", 2);
  down = s.Get("Down", 3);
  photoUse = s.Get("PhotoUse", 1);
  suppressRin = identifierDisplay != 0 ? s.Get("SuppressRIN", 1) : 1;
  photos.width = s.Get("PhotoX", photos.width);
  photos.height = s.Get("PhotoY", photos.height);
  s.GetMargins(margins);
}

CScrapbookOptions::Enabled CScrapbookOptions::EnabledStates() const {
  Enabled on;
  on.boxStyles = box != 0;
  on.captionPosition = caption != 0;
  on.suppressRin = identifierDisplay != 0;
  return on;
}

int CScrapbookOptions::Step(int value, int delta) {
  return std::clamp(value + delta, kMinPerPage, kMaxPerPage);
}

std::string CScrapbookOptions::PhotoSizeLabel() const {
  const std::string format = res::LoadString(res::kIdsPhotoSize);
  char text[160];
  std::snprintf(text, sizeof text, format.c_str(), photos.height / 1000, photos.height % 1000,
                photos.width / 1000, photos.width % 1000);
  return text;
}

void CScrapbookOptions::SetShownCaptionPosition(int position) {
  if (caption != 0) capPos = position;
}

void CScrapbookOptions::WriteSettings() {
  const Section s(kSection);
  if (identifierDisplay == 0) suppressRin = 1;
  s.Put("SuppressRIN", suppressRin);
  s.Put("Caption", caption);
  s.Put("CapPos", capPos);
  s.Put("FN", fileName);
  s.Put("Descr", descr);
  s.Put("Box", box);
  s.Put("Across", across);
  s.Put("Down", down);
  s.Put("PhotoUse", photoUse);
  s.Put("PhotoX", photos.width);
  s.Put("PhotoY", photos.height);
  s.PutMargins(margins);
  s.Put("ListOpt", listOpt);
}

bool CScrapbookOptions::FillRequest(ReportRequest& request) {
  request.startRin = listOpt != 0 ? 0 : startingRin;
  return true;
}

// ---- Books ----

CBooksOptions::CBooksOptions(int display, bool zelShown)
    : identifierDisplay(display), showZel(zelShown) {
  const Section s(kSection);
  type = s.Get("Type", 0) == kModifiedRegister ? kModifiedRegister : kAhnentafel;
  sourceNotes = s.Get("SourceNotes", 1);
  titleOnly = s.Get("TitleOnly", 0);
  actText = s.Get("ActText", 1);
  comments = s.Get("Comments", 1);
  endChap = s.Get("EndChap", 1);
  otherNotes = s.Get("OtherNotes", 1);
  markedOnly = s.Get("MarkedOnly", 0);
  embedNotes = s.Get("EmbedNotes", 1);
  repeat = s.Get("Repeat", 0);
  gens = s.Get("Gens", 32);
  index = s.Get("Index", 1);
  suppressRin = identifierDisplay != 0 ? s.Get("SuppressRIN", 0) : 1;
  relInd = s.Get("RelInd", 0);
  newPg = endChap != 0 ? 1 : s.Get("NewPg", 0);
  photos.opt = s.Get("PhotoOpt", 0);
  parInd = s.Get("ParInd", 0);
  otherEvents = s.Get("OtherEvents", 0);
  confident = s.Get("Confident", 0);
  zel = showZel ? s.Get("ZEL", 0) : 0;
  s.GetMarginsAndPhotos(margins, photos);
}

CBooksOptions::Enabled CBooksOptions::EnabledStates() const {
  Enabled on;
  on.titlesOnly = on.endOfChapter = sourceNotes != 0;
  on.text = on.comments = sourceNotes != 0 && titleOnly == 0;
  on.markedOnly = on.embed = otherNotes != 0;
  on.suppressRin = identifierDisplay != 0;
  on.zelShown = showZel;
  return on;
}

void CBooksOptions::SetEndOfChapter(bool on) {
  endChap = on ? 1 : 0;
  if (on) newPg = 1;
}

void CBooksOptions::SetNewPage(bool on) {
  newPg = on ? 1 : 0;
  if (!on) endChap = 0;
}

void CBooksOptions::WriteSettings() {
  const Section s(kSection);
  if (identifierDisplay == 0) suppressRin = 1;
  if (!showZel) zel = 0;
  s.Put("Type", type);
  s.Put("SuppressRIN", suppressRin);
  s.Put("EmbedNotes", embedNotes);
  s.Put("EndChap", endChap);
  s.Put("SourceNotes", sourceNotes);
  s.Put("OtherNotes", otherNotes);
  s.Put("MarkedOnly", markedOnly);
  s.Put("TitleOnly", titleOnly);
  s.Put("ActText", actText);
  s.Put("Comments", comments);
  s.Put("Confident", confident);
  s.Put("ParInd", parInd);
  s.Put("RelInd", relInd);
  s.Put("OtherEvents", otherEvents);
  s.Put("Index", index);
  s.Put("PhotoOpt", photos.opt);
  s.Put("ZEL", zel);
  s.PutMarginsAndPhotos(margins, photos);
  s.Put("Gens", gens);
  s.Put("NewPg", newPg);
  s.Put("Repeat", repeat);
}

bool CBooksOptions::FillRequest(ReportRequest& request) {
  request.startRin = startingRin;
  return true;
}

// ---- Calendar ----

CCalendarOptions::CCalendarOptions(int currentYear, int currentMonth) {
  const Section s(kSection);
  year = s.Get("Year", 0);
  month = s.Get("Month", 0);
  if (year == 0) {
    year = currentYear;
    month = currentMonth;
  }
  month = std::clamp(month, 0, 11);
  living = s.Get("Living", 1);
  birthday = s.Get("Birthday", 1);
  anniversary = s.Get("Anniversary", 1);
  divorceStat = s.Get("DivorceStat", 0);
  age = s.Get("Age", 1);
  ageUnder = s.Get("AgeUnder", 999);
  womenName = s.Get("WomenName", 1);
  startDayOfWeek = std::clamp(s.Get("StartDayOfWeek", 0), 0, 6);
  borderLineColour = ReadColour(kSection, "BorderLineClr", 0x000000);
  lineColour = ReadColour(kSection, "LineClr", 0x000000);
  backColour = ReadColour(kSection, "BackClr", 0xFFFFFF);
  shadeColour = ReadColour(kSection, "ShadeClr", 0xF0F0F0);
  boxCorner = s.Get("BoxCorner", 0);
  boxLine = s.Get("BoxLine", 0);
  boxShade = s.Get("BoxShade", 0);
  s.GetMargins(margins);
}

int CCalendarOptions::StepYear(int y, int delta) {
  return std::clamp(y + delta, kYearLow, kYearHigh);
}

std::uint32_t CCalendarOptions::ColourOf(int which) const {
  switch (which) {
    case kBorderLines:
      return borderLineColour;
    case kLines:
      return lineColour;
    default:
      return backColour;
  }
}

void CCalendarOptions::SetColour(int which, std::uint32_t colour) {
  switch (which) {
    case kBorderLines:
      borderLineColour = colour;
      WriteColour(kSection, "BorderLineClr", colour);
      break;
    case kLines:
      lineColour = colour;
      WriteColour(kSection, "LineClr", colour);
      break;
    default:
      backColour = colour;
      WriteColour(kSection, "BackClr", colour);
      break;
  }
}

void CCalendarOptions::SetBorderStyle(int corner, int line, int shade, std::uint32_t shadeC) {
  boxCorner = corner;
  boxLine = line;
  boxShade = shade;
  shadeColour = shadeC;
  const Section s(kSection);
  s.Put("BoxCorner", corner);
  s.Put("BoxLine", line);
  s.Put("BoxShade", shade);
  WriteColour(kSection, "ShadeClr", shadeC);
}

void CCalendarOptions::WriteSettings() {
  const Section s(kSection);
  s.PutMargins(margins);
  s.Put("Year", year);
  s.Put("Living", living);
  s.Put("Birthday", birthday);
  s.Put("Anniversary", anniversary);
  s.Put("Age", age);
  s.Put("AgeUnder", ageUnder);
  s.Put("WomenName", womenName);
  s.Put("DivorceStat", divorceStat);
  s.Put("StartDayOfWeek", startDayOfWeek);
  s.Put("Month", month);
}

bool CCalendarOptions::FillRequest(ReportRequest& request) {
  request.startRin = 0;
  return true;
}

}  // namespace rpt
