#include "ColorsDialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "QtPorts.h"
#include "SettingsChoosers.h"
#include "StringIds.h"
#include "StringTable.h"

// ---- the sample ----

CColorsSample::CColorsSample(const shell::ColorsModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {}

shell::ColorsSample CColorsSample::Layout() const {
  return shell::ColorsSample::Layout({0, 0, width(), height()});
}

QSize CColorsSample::sizeHint() const {
  // Wide enough for "Selected Name" in half the width, two text lines high
  // per box.
  const QFontMetrics m(font());
  const int text = m.horizontalAdvance(fw::ToQString(res::LoadString(res::kIdsSelectedName)));
  return QSize(std::max(240, (text + 24) * 2), std::max(140, m.height() * 7 / 2 * 3));
}

void CColorsSample::paintEvent(QPaintEvent*) {
  using Model = shell::ColorsModel;
  QPainter p(this);
  const shell::ColorsSample s = Layout();
  auto box = [](const shell::SampleRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
  };
  p.fillRect(box(s.whole), prefs::ToQColor(model_.colors[Model::kWindowBackground]));
  p.setPen(prefs::ToQColor(model_.colors[Model::kNameText]));
  // The joining lines, as in a pedigree chart.
  p.drawLine(s.lineX, s.nameBox.top, s.lineX, s.lineTopY);
  p.drawLine(s.lineX, s.lineTopY, s.selectedBox.left, s.lineTopY);
  p.fillRect(box(s.nameBox), prefs::ToQColor(model_.colors[Model::kNameBackground]));
  p.fillRect(box(s.selectedBox), prefs::ToQColor(model_.colors[Model::kSelectedNameBackground]));
  p.setBackgroundMode(Qt::TransparentMode);
  const int ascent = p.fontMetrics().ascent();
  p.setPen(prefs::ToQColor(model_.colors[Model::kNameText]));
  p.drawText(s.nameTextX, s.nameTextY + ascent, fw::ToQString(res::LoadString(res::kIdsName)));
  p.setPen(prefs::ToQColor(model_.colors[Model::kSelectedNameText]));
  p.drawText(s.selectedTextX, s.selectedTextY + ascent,
             fw::ToQString(res::LoadString(res::kIdsSelectedName)));
  // A frame shows where the sample ends on a background like the dialog's.
  p.setPen(palette().color(QPalette::Dark));
  p.setBrush(Qt::NoBrush);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CColorsSample::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const int which = Layout().Hit(at.x(), at.y());
  if (which >= 0) emit Picked(which);
  QWidget::mouseReleaseEvent(event);
}

// ---- the dialog ----

CColorsDialog::CColorsDialog(CAppOptions& options, QWidget* parent)
    : fw::CDialogBase(parent), options_(options) {
  setWindowTitle(QStringLiteral("Choose Colors"));
  model_.Load(options_);
  auto* which = AddControl(kIdcWhich, new QComboBox);
  for (unsigned id = res::kIdsColorNames; id < res::kIdsColorNames + 5; ++id)
    which->addItem(fw::ToQString(res::LoadString(id)));
  auto* change = AddControl(kIdcChange, new QPushButton(QStringLiteral("&Change Color")));
  auto* windows = AddControl(kIdcWindowsColors, new QPushButton(QStringLiteral("&Windows Colors")));
  sample_ = AddControl(kIdcSample, new CColorsSample(model_));
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  ok->setDefault(true);
  for (QPushButton* b : {change, windows, cancel}) b->setAutoDefault(false);

  auto* left = new QVBoxLayout;
  left->addWidget(which);
  auto* row = new QHBoxLayout;
  row->addWidget(change);
  row->addWidget(windows);
  row->addStretch();
  left->addLayout(row);
  left->addWidget(sample_, 1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addLayout(left, 1);
  top->addSpacing(DialogUnitsToPixels(7, 0).width());
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(which, &QComboBox::currentIndexChanged, this, [this](int i) { model_.selected = i; });
  connect(change, &QPushButton::clicked, this, &CColorsDialog::OnChangeColor);
  connect(windows, &QPushButton::clicked, this, &CColorsDialog::OnWindowsColors);
  connect(sample_, &CColorsSample::Picked, this, &CColorsDialog::OnPicked);
  connect(ok, &QPushButton::clicked, this, &CColorsDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CColorsDialog::reject);
}

void CColorsDialog::OnInitDialog() {
  model_.Load(options_);
  model_.selected = shell::ColorsModel::kNameText;
  if (auto* which = Control<QComboBox>(kIdcWhich)) which->setCurrentIndex(0);
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
}

void CColorsDialog::OnChangeColor() {
  QColor color = prefs::ToQColor(model_.colors[model_.selected]);
  prefs::Choosers& c = prefs::DesktopChoosers();
  if (!c.color || !c.color(this, color)) return;
  model_.colors[model_.selected] = prefs::FromQColor(color);
  sample_->update();
}

void CColorsDialog::OnWindowsColors() {
  model_.UseSystemColors();
  sample_->update();
}

void CColorsDialog::OnPicked(int which) {
  model_.selected = which;
  if (auto* combo = Control<QComboBox>(kIdcWhich)) combo->setCurrentIndex(which);
}

void CColorsDialog::OnOK() {
  model_.Store(options_);
  EndDialog(fw::kIdOk);
}
