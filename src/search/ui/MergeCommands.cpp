#include "MergeCommands.h"

#include "CommandIds.h"
#include "GlobalReplaceDialog.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "MergeIndividualsDialog.h"
#include "Ports.h"
#include "StringTable.h"

namespace {

constexpr unsigned kIdsAppTitle = 101;
constexpr unsigned kIdsBackupFirst = 7173;
constexpr unsigned kIdsWarning = 7174;

}  // namespace

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
        if (plat::MessageBox(res::LoadString(kIdsBackupFirst), res::LoadString(kIdsWarning),
                             plat::kMbYesNo) == plat::kIdYes)
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
        dialog.job.Run(plat::Progress(), res::LoadString(kIdsAppTitle));
        const std::int32_t rin = owner->ActiveViewRin();
        if (rin > 0) owner->ShowInActiveView(rin);
      },
      true);
}
