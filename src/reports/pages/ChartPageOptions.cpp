#include "ChartPageOptions.h"

#include <algorithm>
#include <cstdlib>

#include "AppOptions.h"
#include "DbCalls.h"
#include "EventTypeRecord.h"
#include "FontDescription.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

namespace rpt {

namespace {

int FontPoints(const std::string& description) {
  std::string face;
  int size = 10, weight = 400, italic = 0;
  ParseFontDescription(description, face, size, weight, italic);
  return size > 0 ? size : 10;
}

}  // namespace

ChartPageOptions ReadChartPageOptions(bool ancestry) {
  plat::ProfilePort& p = plat::Profile();
  const std::string s = ancestry ? "AncRpt" : "DescRpt";
  auto i = [&](const char* key, int def) { return p.GetInt(s, key, def); };
  auto b = [&](const char* key, int def) { return p.GetInt(s, key, def) != 0; };
  ChartPageOptions o;
  o.ancestry = ancestry;
  o.wallChart = (ancestry ? CAppOptions::GetAncRptType() : CAppOptions::GetDescRptType()) != 0;
  o.titlePrefix =
      p.GetString(s, "TitlePrefix",
                  res::LoadString(ancestry ? res::kIdsAncestorsOf : res::kIdsDescendantsOf) + " ");
  o.useName = b("UseName", 1);
  o.titleSuffix = p.GetString(s, "TitleSuffix", "");
  o.generations = i("Gens", 999);
  // 0 would divide by zero in the tile columns and the page count.
  o.gensPerPage = std::max(1, i("GensPg", 3));
  o.indent = i("Indent", 3);
  o.pageNumber = b("Title", 1);
  o.printGens = b("PrintGens", ancestry ? 0 : 1);
  o.birthPlace = b("StdBirthPl", 0);
  o.deathPlace = b("StdDeathPl", 0);
  o.dateType = i("DateType", 1);
  o.suppressRin = b("SuppressRIN", 0);
  o.parInd = b("ParInd", 0);
  o.relInd = b("RelInd", 0);
  o.nameBirth = b("WCNameB", 1);
  o.nameMarriage = b("WCNameM", ancestry ? 0 : 1);
  o.nameDeath = b("WCNameD", 1);
  o.shading = p.GetInt("Options", "Shading", 1) != 0;
  o.hideShade = CAppOptions::GetReportsHideShade() != 0;
  o.shadeColor = CAppOptions::GetReportsShadeClr();
  o.wallShadeColor = CAppOptions::GetReportsWallShadeClr();
  o.wallShadowColor = CAppOptions::GetReportsWallShadowClr();
  o.boxShade = b("BoxShade", 0);
  o.noteTagName = b("WCTagNm", 1);
  o.photoReserve = b("PhotoRsrv", 1);
  const std::string f = ancestry ? "FontAnc" : "FontDesc";
  o.wallMain = p.GetString("Options", f + "Main", "Arial;Bold;14pt");
  o.wallGen = p.GetString("Options", f + "Gen", "Arial;Normal;11pt");
  o.wallPrim = p.GetString("Options", f + "Prim", "Times New Roman;Bold;10pt");
  o.wallOther = p.GetString("Options", f + "Other", "Times New Roman;Normal;9pt");
  o.stdMain = p.GetString("Options", f + "StdMain", "Arial;Bold;14pt");
  o.stdPrim = p.GetString("Options", f + "StdPrim", "Times New Roman;Bold;10pt");
  o.stdOther = p.GetString("Options", f + "StdOther", "Times New Roman;Normal;9pt");
  o.standardMargins = {CAppOptions::GetAncRptStdPageLM(), CAppOptions::GetAncRptStdPageTM(),
                       CAppOptions::GetAncRptStdPageRM(), CAppOptions::GetAncRptStdPageBM()};
  o.wallMargins = {CAppOptions::GetDescRptWCPageLM(), CAppOptions::GetDescRptWCPageTM(),
                   CAppOptions::GetDescRptWCPageRM(), CAppOptions::GetDescRptWCPageBM()};

  WallChartOptions& w = o.wall;
  w.otherEvents = {p.GetString(s, "WCEvent1", ""), p.GetString(s, "WCEvent2", "")};
  w.birth = b("WCBirth", 0);
  w.christening = b("WCChr", 0);
  w.birthOrChristening = b("WCBorC", 0);
  w.death = b("WCDeath", 0);
  w.burial = b("WCBurial", 0);
  w.deathOrBurial = b("WCDorBu", 0);
  w.marriage = b("WCMar", 0);
  w.date = b("WCDate", 0);
  w.place = b("WCPlace", 0);
  w.dateAndPlace = b("WCDNP", 0);
  w.descriptionLine = b("WCDescr", 0);
  w.id = b("WCID", 0);
  w.causeOfDeath = b("WCDthCs", 0);
  w.sbn = ancestry && b("WCSBN", 0);
  w.zel = b("WCZEL", 0);
  w.showZel = p.GetInt("Options", "ShowZEL", 1) != 0;
  w.noteTags = {p.GetString(s, "WCNote1", ""), p.GetString(s, "WCNote2", "")};
  w.noteLines = i("WCLpt", ancestry ? 0 : 1);
  w.box = b("Box", 0);
  w.boxCorner = i("BoxCorner", 0);
  w.boxLine = i("BoxLine", 0);
  w.boxShadow = b("BoxShadow", 0);
  w.photoOpt = i("PhotoOpt", 0);
  w.photoX = i("PhotoX", 1000);
  w.photoY = i("PhotoY", 1000);
  // PhotoPlace 1 has no placement of its own: it is placed as 0.
  w.photoPlace = i("PhotoPlace", 3) == 1 ? 0 : i("PhotoPlace", 3);
  w.gensPerPage = o.gensPerPage;
  w.pageLeft = o.wallMargins.left;
  w.pageTop = o.wallMargins.top;
  w.pageRight = o.wallMargins.right;
  w.pageBottom = o.wallMargins.bottom;
  w.namePoints = FontPoints(o.wallPrim);
  w.textPoints = FontPoints(o.wallOther);
  w.headingPoints = FontPoints(o.wallMain);
  w.footerPoints = FontPoints(o.wallGen);
  // An extra event type counts when one has that title; its description
  // flag says whether it takes a description line.
  w.eventKindDigit = [](const std::string& title) {
    CEventTypeRecord type;
    return DbFindEventType(title, type) > 0 ? int{type.hasDescription} : -1;
  };
  return o;
}

}  // namespace rpt
