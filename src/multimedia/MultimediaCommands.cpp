#include "MultimediaCommands.h"

#include "CommandIds.h"
#include "DbCalls.h"
#include "FindMultimediaDialog.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "MultimediaChain.h"
#include "MultimediaCollectionDialog.h"
#include "PhotoWindow.h"
#include "RecordAccess.h"

namespace {

constexpr std::size_t kCaptionLimit = 60;

CFindMultimediaHost& FindHost() {
  static CFindMultimediaHost host;
  return host;
}

void OpenCollection(CKorApp& app) {
  const std::int32_t rin = app.ActiveViewRin();
  if (rin <= 0) return;
  CMultimediaCollectionDialog dialog(rin, MultimediaCaptionFor(rin), app.GetMainFrame());
  CKorApp* owner = &app;
  dialog.onSaved = [owner](std::int32_t saved, bool) {
    if (CMainFrame* frame = owner->GetMainFrame()) frame->OnFlushFamilyFile();
    owner->ShowInActiveView(saved);
  };
  dialog.exec();
}

void OpenDefaultPhoto(CKorApp& app) {
  const std::int32_t rin = app.ActiveViewRin();
  if (rin <= 0) return;
  CMultimediaList defaults = DbGetDefaultMultimedia(rin, db::kIndividual);
  const CMultimediaItem* item =
      defaults && defaults->kind == CMultimediaItem::kPhoto ? defaults.get() : nullptr;
  if (!item) return;
  auto* window = new CPhotoWindow(nullptr);
  window->SetTitle(item->caption);
  if (window->Picture().LoadFile(item->GetFullPath(), item->GetSubName(), item->recordNumber,
                                 nullptr, true) != fw::kImageOk) {
    delete window;
    return;
  }
  window->SetFilePath(item->GetFullPath());
  window->Picture().SetEdits(*item);
  window->Picture().ApplyEdits();
  window->Create();
}

}  // namespace

std::string MultimediaCaptionFor(std::int32_t rin) {
  CIndividualRecord person;
  if (rin <= 0 || family::Read(person, rin) != 1) return std::string();
  std::string name = person.GetName(0, false, 0, false);
  if (name.size() > kCaptionLimit) name.resize(kCaptionLimit);
  return name;
}

void RegisterMultimediaCommands(CKorApp& app) {
  fw::SetPictureHostPort(&FindHost());
  CKorApp* owner = &app;
  app.SetToolCommand(
      shell::kIdEditMultimedia, [owner] { OpenCollection(*owner); }, true);
  app.SetToolCommand(
      shell::kIdEditPhoto, [owner] { OpenDefaultPhoto(*owner); }, true);
}
