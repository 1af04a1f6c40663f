#include "MultimediaCommands.h"

#include "AppScreens.h"
#include "CommandIds.h"
#include "DbCalls.h"
#include "EditPhotoDialog.h"
#include "FindMultimediaDialog.h"
#include "IndividualRecord.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "MultimediaChain.h"
#include "MultimediaCollectionDialog.h"
#include "MultimediaItemDialog.h"
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

// A copy of a chain, item by item, so that a collection closed without Save
// leaves the pending items as they were.
CMultimediaList CopyChain(const CMultimediaItem* first) {
  CMultimediaList copy;
  CMultimediaList* tail = &copy;
  for (const CMultimediaItem* item = first; item; item = item->next.get()) {
    *tail = std::make_unique<CMultimediaItem>(*item);
    tail = &(*tail)->next;
  }
  return copy;
}

bool RunCollection(CKorApp& app, QWidget* parent, std::int32_t rin, CMultimediaList& pending) {
  CMultimediaCollectionDialog dialog(rin, MultimediaCaptionFor(rin), parent);
  CKorApp* owner = &app;
  dialog.onSaved = [owner](std::int32_t, bool) {
    if (CMainFrame* frame = owner->GetMainFrame()) frame->OnFlushFamilyFile();
  };
  if (rin <= 0) dialog.SetPendingItems(CopyChain(pending.get()));
  if (dialog.exec() != fw::kIdOk) return false;
  if (rin <= 0) {
    DbFreeMultimediaList(pending);
    pending = dialog.TakePendingItems();
  }
  return true;
}

void OpenDefaultPhoto(CKorApp& app) {
  const std::int32_t rin = app.ActiveViewRin();
  if (rin <= 0) return;
  CMultimediaList defaults = DbGetDefaultMultimedia(rin, db::kIndividual);
  const CMultimediaItem* item =
      defaults && defaults->kind == CMultimediaItem::kPhoto ? defaults.get() : nullptr;
  if (!item) return;
  ShowItemPhoto(nullptr, *item, item->caption);
}

bool EditItem(QWidget* parent, const std::string& suffix, CMultimediaItem& item) {
  CMultimediaItemDialog dialog(item.fileName.empty() ? nullptr : &item, parent);
  dialog.ownerCaption = suffix;
  dialog.editPhoto = [&dialog, &suffix](CMultimediaItem& photo) {
    CEditPhotoDialog edit(photo, &dialog);
    edit.ownerCaption = suffix;
    edit.exec();
  };
  if (dialog.exec() != fw::kIdOk) return false;
  if (std::unique_ptr<CMultimediaItem> built = dialog.TakeBuiltItem()) item = *built;
  item.caption = dialog.caption;
  item.description = dialog.description;
  item.kind = media::KindOfWord(dialog.typeText);
  if (item.kind == 0) item.kind = CMultimediaItem::kPhoto;
  item.fileName = dialog.fileName;
  return true;
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
  AppScreens().multimediaCollection = [owner](QWidget* parent, std::int32_t rin,
                                              CMultimediaList& pending) {
    return RunCollection(*owner, parent, rin, pending);
  };
  AppScreens().editMultimediaItem = EditItem;
  AppScreens().showPhoto = [](QWidget* owner, QWidget* window, const CMultimediaItem& item,
                              const std::string& title) -> QWidget* {
    return ShowItemPhoto(qobject_cast<CPhotoWindow*>(window), item, title, owner);
  };
  app.SetToolCommand(
      shell::kIdEditMultimedia, [owner] { OpenCollection(*owner); }, true);
  app.SetToolCommand(
      shell::kIdEditPhoto, [owner] { OpenDefaultPhoto(*owner); }, true);
}
