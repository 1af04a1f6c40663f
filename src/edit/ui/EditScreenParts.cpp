#include "EditScreenParts.h"

#include <QPainter>
#include <QPixmap>
#include <QShortcut>
#include <QWidget>

#include "CalculatorDialogs.h"
#include "CharacterMapPopup.h"
#include "FieldListRow.h"
#include "FieldListWidget.h"
#include "KorApp.h"
#include "MainFrame.h"
#include "PickerDialogs.h"
#include "ResizableDialog.h"
#include "SourceDialogs.h"
#include "UserEventRecord.h"

namespace editui {

int CScreenListOwner::OnCellDone(const FieldCellDone& done) {
  if (dropping || done.list == nullptr || done.column != 1 || done.cell == nullptr) return 0;
  CFieldListRow* row = done.list->GetRowObject(done.row);
  if (row == nullptr) return 0;
  if (!row->IsChanged(model_, done.list, done.cell)) return 0;
  // Told after the commit, which may ask the user first ("Is this name
  // correct?"): the screen then shows what was stored.
  const int committed = row->Commit(model_, done.list, done.cell);
  if (onChanged_) onChanged_();
  return committed ? 0 : 1;
}

QIcon ButtonPicture(int kind, bool hasData) {
  QPixmap pixmap(20, 20);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink(40, 40, 40);
  const QColor fill = hasData ? QColor(240, 200, 60) : QColor(255, 255, 255);
  p.setPen(QPen(ink, 1.2));
  p.setBrush(fill);
  switch (kind) {
    case 0:  // an envelope
      p.drawRect(QRectF(2.5, 5.5, 15, 10));
      p.drawLine(QPointF(2.5, 5.5), QPointF(10, 11));
      p.drawLine(QPointF(17.5, 5.5), QPointF(10, 11));
      break;
    case 1:  // a framed picture
      p.drawRect(QRectF(2.5, 3.5, 15, 13));
      p.drawLine(QPointF(4, 15), QPointF(8, 9));
      p.drawLine(QPointF(8, 9), QPointF(11, 13));
      p.drawLine(QPointF(11, 13), QPointF(13, 11));
      p.drawLine(QPointF(13, 11), QPointF(16, 15));
      break;
    case 2:  // a note sheet
      p.drawRect(QRectF(4.5, 2.5, 11, 15));
      for (int y = 6; y <= 14; y += 3) p.drawLine(QPointF(6.5, y), QPointF(13.5, y));
      break;
    default:  // a book
      p.drawRect(QRectF(3.5, 3.5, 13, 13));
      p.drawLine(QPointF(10, 3.5), QPointF(10, 16.5));
      break;
  }
  return QIcon(pixmap);
}

EditSessionHooks ApplicationHooks(QWidget* parent) {
  EditSessionHooks hooks;
  hooks.checkEditPassword = [] {
    CKorApp* app = CKorApp::Instance();
    return app != nullptr ? app->CheckEditPassword() : 1;
  };
  hooks.setDittoIndividual = [](std::int32_t rin) {
    CKorApp* app = CKorApp::Instance();
    CMainFrame* frame = app != nullptr ? app->GetMainFrame() : nullptr;
    if (frame != nullptr) frame->OnSetDittoRin(0, rin);
  };
  hooks.askSex = [parent] {
    CSexDialog dialog(parent);
    dialog.exec();
    return dialog.choice;
  };
  return hooks;
}

WindowRect RectOf(const QWidget* window) {
  const QRect r = window->geometry();
  return WindowRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void PlaceOnFirstShow(fw::CResizableDialog* dialog, const std::string& name, bool& placed) {
  if (placed) return;
  placed = true;
  int minWidth = 0, minHeight = 0;
  LoadMinimumSize(name, dialog->width(), dialog->height(), minWidth, minHeight);
  dialog->setMinimumSize(minWidth, minHeight);
  WindowRect stored;
  if (LoadPlacement(name, RectOf(dialog), stored))
    dialog->setGeometry(stored.left, stored.top, stored.Width(), stored.Height());
  dialog->SetMinimumTrackSize(minWidth, minHeight);
}

void FitValueColumn(CFieldListWidget* list) {
  const int width = list->viewport()->width() - kLabelWidth - kMarkerWidth;
  if (width > 0) list->List().SetColumnWidth(1, width);
  list->Refresh();
  list->viewport()->update();
}

void GoToSection(CFieldListWidget* list, int labelId) {
  const int line = list->List().FindRowIndexById(labelId);
  if (line < 0) return;
  list->List().BeginEdit(1, line, true);
  list->setFocus();
}

CUserEventRecord* UserEventOfRow(CEditModel& model, const CFieldListRow* row) {
  return row != nullptr ? model.KeptUserEvent(row->GetLinked()) : nullptr;
}

void RunRowSourcesFor(QWidget* screen, const RowCitationOwner& target, const std::string& name1,
                      const std::string& name2) {
  CKorApp* app = CKorApp::Instance();
  if (app != nullptr) app->SetAcceleratorWindow(nullptr);
  notesui::RunSourcesFor(screen, target.owner, target.letter, target.second, target.label, name1,
                         name2, target.first);
  if (app != nullptr) app->SetAcceleratorWindow(screen);
}

void RunDateCalculator(QWidget* parent) {
  CDateCalculatorDialog dialog(parent);
  dialog.exec();
}

void AddEditingKeys(QWidget* screen, CFieldListWidget* list) {
  AddShortcut(screen, "F7", [list] { list->List().ShowCharacterMapForCell(); });
  AddShortcut(screen, "Shift+F7", [screen] { RunDateCalculator(screen); });
}

void AddShortcut(QWidget* screen, const char* keys, std::function<void()> handler) {
  QObject::connect(new QShortcut(QKeySequence(QString::fromLatin1(keys)), screen),
                   &QShortcut::activated, screen, std::move(handler));
}

void ReleaseScreen(QWidget* screen, CFieldListWidget* list) {
  list->List().SetOwner(nullptr);
  list->List().DeleteAllLines();
  CKorApp* app = CKorApp::Instance();
  if (app != nullptr && app->GetAcceleratorWindow() == screen) app->SetAcceleratorWindow(nullptr);
}

}  // namespace editui
