#pragma once
// Screens of libraries that sit above the shell's windows (GEDCOM transfer,
// editing, reports), reached from the application's commands through hooks
// that the program sets at start-up. An unset hook leaves its command
// without a screen, and the command stays disabled.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class CMultimediaItem;
class QWidget;

// What the Find dialog hands a list it opens to choose one record instead
// of a typed number, and what the list hands back.
struct CFindListRequest {
  std::int32_t low = 0;  // the range of live records the list covers
  std::int32_t high = 0;
  std::int32_t start = 0;   // the record the list opens on
  std::string titleWord;    // the word after "Find" in the list's caption
  std::string searchText;   // positions the Individual List by name
  bool allowEditing = true;  // the Individual List offers Edit and Delete
  std::int32_t chosen = 0;  // after OK: the chosen record, 0 for none
};

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
  // The Marriage screen on mrin; false when the marriage cannot be read.
  std::function<bool(QWidget* parent, std::int32_t mrin)> editMarriage;
  // The Individual List in select-set mode, opened on startRin; the chosen
  // set becomes the document's filter set. templeNames: the set is for a
  // temple-names submission. Answers the person the list closed on with OK
  // (0 when it closed without one).
  std::function<std::int32_t(QWidget* parent, std::int32_t startRin, bool templeNames)>
      selectIndividuals;
  // Other Marriages of rin with line index selected: the index of the
  // marriage chosen, -1 for none.
  std::function<int(QWidget* parent, std::int32_t rin, int index)> otherMarriages;
  // Spouse Order of rin with marriage index current: the MRIN current when
  // the new order was stored, 0 for none.
  std::function<std::int32_t(QWidget* parent, std::int32_t rin, int index)> spouseOrder;
  // Marriages for rin, choosing only: the chosen MRIN, 0 for none.
  std::function<std::int32_t(QWidget* parent, std::int32_t rin)> marriagesFor;
  // Families for rin: false for Cancel; value 0 all families, -1 all as a
  // parent, -2 all as a child, else one MRIN.
  std::function<bool(QWidget* parent, std::int32_t rin, std::int32_t& value)> familiesFor;
  // The lists of the Find dialog: the Individual List and the Marriages
  // Search List on request. Each answers its dialog result and leaves the
  // choice in request.chosen. (Its Descendancy List is descendancyList.)
  std::function<int(QWidget* parent, CFindListRequest& request)> findIndividualList;
  std::function<int(QWidget* parent, CFindListRequest& request)> findMarriageList;
  // The Multimedia Collection of the individual rin; for an individual not
  // stored yet (rin 0) it works on pending, which after Save holds the items
  // chosen. True when it closed with Save.
  std::function<bool(QWidget* parent, std::int32_t rin, std::unique_ptr<CMultimediaItem>& pending)>
      multimediaCollection;
  // The Add Multimedia Object dialog for an owner captioned suffix, on item
  // (modify mode when it names a file): after OK the item holds the kind,
  // file name, caption, description and photo edits chosen. True on OK.
  std::function<bool(QWidget* parent, const std::string& suffix, CMultimediaItem& item)>
      editMultimediaItem;
  // The photo of item in the photo window: in window when that is a photo
  // window still shown, else in a new one of owner titled title. The window
  // showing it, or null when the file cannot be loaded.
  std::function<QWidget*(QWidget* owner, QWidget* window, const CMultimediaItem& item,
                         const std::string& title)>
      showPhoto;
  // The Descendancy List opened on rin, for the views, Search > Descendancy
  // List and the Find dialog: the RIN chosen with OK, 0 for none.
  std::function<std::int32_t(QWidget* parent, std::int32_t rin)> descendancyList;
  // Select Repository: the chosen repository, 0 for none.
  std::function<std::int32_t(QWidget* parent)> selectRepository;
};

CAppScreens& AppScreens();
