#pragma once
// Screens of libraries that sit above the shell's windows (GEDCOM transfer,
// editing, reports), reached from the application's commands through hooks
// that the program sets at start-up. An unset hook leaves its command
// without a screen, and the command stays disabled.

#include <cstdint>
#include <functional>
#include <string>

class QWidget;

struct CAppScreens {
  // File > Export: the Export dialog and the export it runs; answers true
  // when records may have changed (submission marks).
  std::function<bool(QWidget* parent)> exportGedcom;
  // The import of a GEDCOM file into the open family file, from the Import
  // dialog on; answers true when anything was imported.
  std::function<bool(QWidget* parent, const std::string& gedcomPath)> importGedcom;
  // Set Relationship Indicators on the open family file around root (0:
  // none); stores the file's show-relationships option after OK.
  std::function<void(QWidget* parent, std::int32_t root)> setRelationshipIndicators;
  // Edit Individual on rin, captioned "Edit Individual"; true after Save.
  std::function<bool(QWidget* parent, std::int32_t rin)> editIndividual;
  // The Individual List in select-set mode, opened on startRin; the chosen
  // set becomes the document's filter set. templeNames: the set is for a
  // temple-names submission. Answers the person the list closed on with OK
  // (0 when it closed without one).
  std::function<std::int32_t(QWidget* parent, std::int32_t startRin, bool templeNames)>
      selectIndividuals;
  // Other Marriages of rin with line index selected: the index of the
  // marriage chosen, -1 for none.
  std::function<int(QWidget* parent, std::int32_t rin, int index)> otherMarriages;
  // Marriages for rin, choosing only: the chosen MRIN, 0 for none.
  std::function<std::int32_t(QWidget* parent, std::int32_t rin)> marriagesFor;
  // Families for rin: false for Cancel; value 0 all families, -1 all as a
  // parent, -2 all as a child, else one MRIN.
  std::function<bool(QWidget* parent, std::int32_t rin, std::int32_t& value)> familiesFor;
  // The Descendancy List opened on rin: the RIN chosen with OK, 0 for none.
  std::function<std::int32_t(QWidget* parent, std::int32_t rin)> descendancyList;
  // Select Repository: the chosen repository, 0 for none.
  std::function<std::int32_t(QWidget* parent)> selectRepository;
};

CAppScreens& AppScreens();
