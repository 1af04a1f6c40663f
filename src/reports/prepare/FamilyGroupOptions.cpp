#include "FamilyGroupOptions.h"

namespace rpt {

FamilyGroupOptions ReadFamilyGroupOptions(plat::ProfilePort& profile) {
  const auto get = [&](const char* key, int def) { return profile.GetInt("FgrRpt", key, def); };
  FamilyGroupOptions o;
  o.type = get("Type", 0);
  o.cascType = get("CascType", 0);
  o.totGens = get("TotGens", 999);
  o.listOpt = get("ListOpt", 0) != 0;
  o.layout = get("Layout", 0);
  if (o.layout < 0 || o.layout > 2) o.layout = 0;
  o.sourceNotes = get("SourceNotes", 0);
  o.titleOnly = get("TitleOnly", 0) != 0;
  o.actText = get("ActText", 1) != 0;
  o.comments = get("Comments", 1) != 0;
  o.markedOnly = get("MarkedOnly", 0) != 0;
  o.confident = get("Confident", 0) != 0;
  o.notePar = get("NotePar", 0) != 0;
  o.start1st = get("Start1st", 0) != 0;
  o.includeSubmit = get("IncludeSubmit", 1) != 0;
  o.otherMarr = get("OtherMarr", 0) != 0;
  o.otherEvents = get("OtherEvents", 0) != 0;
  o.reserveStd = get("ReserveStd", 1) != 0;
  o.relInd = get("RelInd", 0) != 0;
  o.parInd = get("ParInd", 0) != 0;
  o.markDirect = get("MarkDirect", 0) != 0;
  o.suppressRin = get("SuppressRIN", 0) != 0;
  o.photoOpt = get("PhotoOpt", 0) != 0;
  o.photoX = get("PhotoX", 0);
  o.photoY = get("PhotoY", 0);
  o.photoPlace = get("PhotoPlace", 2);
  o.photoRsrv = get("PhotoRsrv", 1) != 0;
  o.pageLM = get("PageLM", 700);
  o.pageRM = get("PageRM", 300);
  o.pageTM = get("PageTM", 300);
  o.pageBM = get("PageBM", 300);
  o.showZel = profile.GetInt("Options", "ShowZelRpt", profile.GetInt("Options", "ShowZEL", 1)) != 0;
  return o;
}

}  // namespace rpt
