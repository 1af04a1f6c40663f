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
  AppScreens().descendancyList = [](QWidget* parent, std::int32_t rin) -> std::int32_t {
    CDescendancyListDialog dialog(rin, parent);
    return dialog.exec() == fw::kIdOk ? dialog.rin : 0;
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
        const std::int32_t chosen = AppScreens().descendancyList(owner->GetMainFrame(), rin);
        if (chosen > 0) owner->ShowInActiveView(chosen);
      },
      true);
}
