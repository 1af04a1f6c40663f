#include "NotesCommands.h"

#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "KorApp.h"
#include "KorView.h"
#include "MainFrame.h"
#include "NotesDialogs.h"
#include "SourceDialogs.h"

void RegisterNotesCommands(CKorApp& app) {
  CKorApp* owner = &app;
  app.SetToolCommand(
      shell::kIdEditNotes,
      [owner] {
        const std::int32_t rin = owner->ActiveViewRin();
        if (rin <= 0) return;
        // The family view offers its primary individual to Ditto Primary and,
        // for the primary, the parents it shows.
        shell::famview::CommandFocus focus;
        std::int32_t primary = 0;
        std::int32_t shownParents = 0;
        if (owner->ActiveFamilyFocus(focus)) {
          primary = focus.primary;
          if (rin == focus.primary) shownParents = focus.parents;
        } else if (CKorView* pedigree = owner->ActivePedigreeView()) {
          primary = pedigree->Tree().RinOf(0);
        }
        notesui::RunNotesDialog(owner->GetMainFrame(), notes::kIndividual, rin,
                                owner->m_options.noteTool != 0, primary, shownParents);
      },
      true);
  app.SetToolCommand(
      shell::kIdEditSourceList, [owner] { notesui::RunSourceList(owner->GetMainFrame()); }, true);
  app.SetToolCommand(
      shell::kIdEditRepositoryList, [owner] { notesui::RunRepositoryList(owner->GetMainFrame()); },
      true);
  app.SetToolCommand(
      shell::kIdToolsMergeSources,
      [] {
        if (DbGetRecordCount(db::kSource) > 1) notesui::RunMergeDuplicateSources();
      },
      true);
}
