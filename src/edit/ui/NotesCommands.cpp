#include "NotesCommands.h"

#include "CommandIds.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "KorApp.h"
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
        notesui::RunNotesDialog(owner->GetMainFrame(), notes::kIndividual, rin,
                                owner->m_options.noteTool != 0);
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
