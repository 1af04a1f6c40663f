#include "MergeCommands.h"

#include "CommandIds.h"
#include "GlobalReplaceDialog.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "MergeIndividualsDialog.h"
#include "Ports.h"
#include "StringIds.h"
#include "StringTable.h"

void RegisterMergeCommands(CKorApp& app) {
  CKorApp* owner = &app;
  app.SetToolCommand(
      shell::kIdToolsMatchMerge,
      [owner] {
        CMergeIndividualsDialog dialog(owner->m_options, CMergeWorkFile::kNameMode,
                                       owner->GetMainFrame());
        dialog.editAllowed = [owner] { return owner->CheckEditPassword() != 0; };
        dialog.backup = [owner] { owner->BackupFamilyFile(); };
        dialog.suggestedPrimary = owner->ActiveViewRin();
        dialog.CenterWindow();
        dialog.exec();
        const std::int32_t rin = owner->ActiveViewRin();
        if (dialog.merged && rin > 0) owner->ShowInActiveView(rin);
      },
      true);
  app.SetToolCommand(
      shell::kIdToolsMergeSbns,
      [owner] {
        if (plat::MessageBox(res::LoadString(res::kIdsBackupFirst),
                             res::LoadString(res::kIdsWarning), plat::kMbYesNo) == plat::kIdYes)
          owner->BackupFamilyFile();
        CMergeIndividualsDialog dialog(owner->m_options, CMergeWorkFile::kSbnMode,
                                       owner->GetMainFrame());
        dialog.editAllowed = [owner] { return owner->CheckEditPassword() != 0; };
        dialog.CenterWindow();
        dialog.show();
        dialog.AutoMerge([&dialog] {
          CConfirmMergeDialog confirm(&dialog);
          return CConfirmMergeDialog::AnswerOf(confirm.exec());
        });
        dialog.close();
        const std::int32_t rin = owner->ActiveViewRin();
        if (dialog.merged && rin > 0) owner->ShowInActiveView(rin);
      },
      true);
  app.SetToolCommand(
      shell::kIdToolsSearchReplace,
      [owner] {
        CGlobalReplaceDialog dialog(owner->GetMainFrame());
        dialog.CenterWindow();
        if (dialog.exec() != fw::kIdOk) return;
        dialog.job.Run(plat::Progress(), res::LoadString(res::kIdsAppName));
        const std::int32_t rin = owner->ActiveViewRin();
        if (rin > 0) owner->ShowInActiveView(rin);
      },
      true);
}
