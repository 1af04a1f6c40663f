#pragma once
// The Family Group Record's report options (profile section "FgrRpt") and
// the display preference that shows ZEL ordinance data, read once per run
// so that the pass and the pages decide from the same values.

#include "Ports.h"

namespace rpt {

struct FamilyGroupOptions {
  int type = 0;      // 0 single family, 1 cascading, 2 blank form
  int cascType = 0;  // 0 up, 1 down
  int totGens = 999;
  bool listOpt = false;
  int layout = 0;       // 0 Expanded, 1 Medium, 2 Condensed
  int sourceNotes = 0;  // bit 0 source notes, bit 1 general notes
  bool titleOnly = false;
  bool actText = true;
  bool comments = true;
  bool markedOnly = false;
  bool confident = false;
  bool notePar = false;
  bool start1st = false;
  bool includeSubmit = true;
  bool otherMarr = false;
  bool otherEvents = false;
  bool reserveStd = true;
  bool relInd = false;
  bool parInd = false;
  bool markDirect = false;
  bool suppressRin = false;
  bool photoOpt = false;
  int photoX = 0;
  int photoY = 0;
  int photoPlace = 2;  // 0 left, any other right
  bool photoRsrv = true;
  int pageLM = 700, pageRM = 300, pageTM = 300, pageBM = 300;
  bool showZel = false;  // Options/ShowZelRpt

  bool SourceNotesOn() const { return (sourceNotes & 1) != 0; }
  bool GeneralNotesOn() const { return sourceNotes >= 2; }
  bool Legend() const { return relInd || parInd; }
};

FamilyGroupOptions ReadFamilyGroupOptions(plat::ProfilePort& profile);

}  // namespace rpt
