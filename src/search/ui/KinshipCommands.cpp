#include "KinshipCommands.h"

#include "AppScreens.h"
#include "CalculatorDialogs.h"
#include "CommandIds.h"
#include "DescendancyListDialog.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "RelationshipCalculatorDialog.h"
#include "RelationshipIndicatorsDialog.h"

void RegisterKinshipCommands(CKorApp& app) {
  CKorApp* owner = &app;
  AppScreens().setRelationshipIndicators = [](QWidget* parent, std::int32_t root) {
    RunSetRelationshipIndicators(parent, root);
  };
  app.SetToolCommand(
      shell::kIdToolsRelationshipCalculator,
      [owner] {
        CRelationshipCalculatorDialog dialog(owner->ActiveViewRin(), owner->GetMainFrame());
        dialog.exec();
      },
      true);
  app.SetToolCommand(
      shell::kIdToolsSoundexCalculator,
      [owner] {
        CSoundexCalculatorDialog dialog(owner->GetMainFrame());
        dialog.exec();
      },
      false);
  app.SetToolCommand(
      shell::kIdToolsDateCalculator,
      [owner] {
        CDateCalculatorDialog dialog(owner->GetMainFrame());
        dialog.exec();
      },
      false);
  app.SetToolCommand(
      shell::kIdSearchDescendancy,
      [owner] {
        const std::int32_t rin = owner->ActiveViewRin();
        if (rin <= 0) return;
        CDescendancyListDialog dialog(rin, owner->GetMainFrame());
        if (dialog.exec() == fw::kIdOk && dialog.rin > 0) owner->ShowInActiveView(dialog.rin);
      },
      true);
}
