#include "CalculatorDialogs.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "QtPorts.h"
#include "Soundex.h"
#include "StringIds.h"
#include "StringTable.h"

// ---- Soundex Code Calculator ----

CSoundexCalculatorDialog::CSoundexCalculatorDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Soundex Code Calculator"));
  auto* label = new QLabel(QStringLiteral("&Name:"));
  auto* name = AddControl(kIdcName, new QLineEdit);
  name->setMaxLength(255);
  name->setMinimumWidth(DialogUnitsToPixels(120, 0).width());
  label->setBuddy(name);
  auto* code = AddControl(kIdcCode, new QLabel);
  code->setMinimumWidth(DialogUnitsToPixels(40, 0).width());
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help")));
  ok->setDefault(true);
  help->setAutoDefault(false);

  auto* grid = new QGridLayout;
  grid->addWidget(label, 0, 0);
  grid->addWidget(name, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Soundex code:")), 1, 0);
  grid->addWidget(code, 1, 1);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(help);
  buttons->addStretch();
  auto* top = new QHBoxLayout(this);
  top->addLayout(grid, 1);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(name, &QLineEdit::textChanged, this, &CSoundexCalculatorDialog::OnNameChanged);
  connect(ok, &QPushButton::clicked, this, &CSoundexCalculatorDialog::accept);
}

void CSoundexCalculatorDialog::OnNameChanged() {
  std::string text = GetControlText(kIdcName);
  Soundex(text);
  SetControlText(kIdcCode, text);
}

// ---- Solver ----

CDateCalculatorSolverDialog::CDateCalculatorSolverDialog(QWidget* parent)
    : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Date Calculator Solver"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Solve for...")));
  auto* row = new QHBoxLayout;
  const struct {
    int id;
    const char* text;
    int result;
  } buttons[] = {{kIdcStart, "&Start Date", kin::CDateCalculatorLogic::kSolveStart},
                 {kIdcDifference, "&Difference", kin::CDateCalculatorLogic::kSolveDifference},
                 {kIdcEnd, "&End Date", kin::CDateCalculatorLogic::kSolveEnd},
                 {fw::kIdCancel, "Cancel", kin::CDateCalculatorLogic::kSolveCancel}};
  for (const auto& b : buttons) {
    auto* button = AddControl(b.id, new QPushButton(QString::fromLatin1(b.text)));
    const int result = b.result;
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    row->addWidget(button);
  }
  layout->addLayout(row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

// ---- Date Calculator ----

CDateCalculatorDialog::CDateCalculatorDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(QStringLiteral("Date Calculator"));
  const auto edit = [this](int id, int maxLength, int widthDu) {
    auto* e = AddControl(id, new QLineEdit);
    e->setMaxLength(maxLength);
    e->setMinimumWidth(DialogUnitsToPixels(widthDu, 0).width());
    return e;
  };
  auto* start = edit(kIdcStart, 255, 90);
  auto* years = edit(kIdcYears, 4, 24);
  auto* months = edit(kIdcMonths, 2, 24);
  auto* days = edit(kIdcDays, 3, 24);
  auto* end = edit(kIdcEnd, 255, 90);

  const QString note = fw::ToQString(res::LoadString(res::kIdsCalendarNote));
  for (int side = 0; side < 2; ++side) {
    auto* calendar =
        AddControl(side == 0 ? kIdcStartCalendar : kIdcEndCalendar, new QCalendarWidget);
    calendar->setGridVisible(true);
    auto* text = AddControl(side == 0 ? kIdcStartNote : kIdcEndNote, new QLabel(note));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    auto* stack = new QStackedWidget;
    stack->addWidget(calendar);
    stack->addWidget(text);
    // The note takes the calendar's place and size.
    stack->setMinimumSize(calendar->minimumSizeHint());
    calendars_[side] = calendar;
    stacks_[side] = stack;
    connect(calendar, &QCalendarWidget::selectionChanged, this,
            [this, side] { OnCalendarChanged(side == 0); });
  }

  auto* calculate = AddControl(kIdcCalculate, new QPushButton(QStringLiteral("&Calculate")));
  auto* clear = AddControl(kIdcClear, new QPushButton(QStringLiteral("Clea&r Fields")));
  auto* close = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("C&lose")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help")));
  calculate->setDefault(true);
  for (QPushButton* b : {clear, close, help}) b->setAutoDefault(false);

  const auto labelled = [](const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setBuddy(buddy);
    return label;
  };
  auto* difference = new QGroupBox(QStringLiteral("Difference"));
  auto* diffLayout = new QGridLayout(difference);
  diffLayout->addWidget(labelled("&Years:", years), 0, 0);
  diffLayout->addWidget(years, 0, 1);
  diffLayout->addWidget(labelled("&Months:", months), 1, 0);
  diffLayout->addWidget(months, 1, 1);
  diffLayout->addWidget(labelled("&Days:", days), 2, 0);
  diffLayout->addWidget(days, 2, 1);

  auto* grid = new QGridLayout;
  grid->addWidget(labelled("&Start date:", start), 0, 0);
  grid->addWidget(start, 1, 0);
  grid->addWidget(stacks_[0], 2, 0);
  grid->addWidget(difference, 2, 1, Qt::AlignTop);
  grid->addWidget(labelled("&End date:", end), 0, 2);
  grid->addWidget(end, 1, 2);
  grid->addWidget(stacks_[1], 2, 2);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* b : {calculate, clear, close, help}) buttons->addWidget(b);
  auto* top = new QVBoxLayout(this);
  top->addLayout(grid);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  start->installEventFilter(this);
  end->installEventFilter(this);
  connect(calculate, &QPushButton::clicked, this, &CDateCalculatorDialog::Calculate);
  connect(clear, &QPushButton::clicked, this, &CDateCalculatorDialog::ClearFields);
  connect(close, &QPushButton::clicked, this, &CDateCalculatorDialog::reject);
}

void CDateCalculatorDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  ShowCalendars();
}

bool CDateCalculatorDialog::DoDataExchange(bool save) {
  ExchangeText(save, kIdcStart, logic.startText);
  if (!ExchangeInt(save, kIdcYears, logic.span.years, 0, 9999)) return false;
  if (!ExchangeInt(save, kIdcMonths, logic.span.months, 0, 12)) return false;
  if (!ExchangeInt(save, kIdcDays, logic.span.days, 0, 366)) return false;
  ExchangeText(save, kIdcEnd, logic.endText);
  if (!save) ShowCalendars();
  return true;
}

void CDateCalculatorDialog::ShowCalendars() {
  refreshing_ = true;
  const CDateValue* values[2] = {&logic.startValue, &logic.endValue};
  const bool hidden[2] = {logic.startCalendarHidden, logic.endCalendarHidden};
  for (int side = 0; side < 2; ++side) {
    const CDateValue& v = *values[side];
    if (!hidden[side] && v.year != 0 && !v.bc)
      calendars_[side]->setSelectedDate(QDate(v.year, v.month ? v.month : 1, v.day ? v.day : 1));
    stacks_[side]->setCurrentIndex(hidden[side] ? 1 : 0);
  }
  refreshing_ = false;
}

void CDateCalculatorDialog::OnCalendarChanged(bool start) {
  if (refreshing_ || !UpdateData(true)) return;
  const QDate d = calendars_[start ? 0 : 1]->selectedDate();
  logic.ChooseDay(start, d.year(), d.month(), d.day());
  UpdateData(false);
}

void CDateCalculatorDialog::OnEditLeft(bool start) {
  QWidget* next = QApplication::focusWidget();
  if (next == GetControl(fw::kIdCancel) || next == GetControl(kIdcClear)) return;
  if (!UpdateData(true)) return;
  if (!logic.AcceptText(start)) {
    GetControl(start ? kIdcStart : kIdcEnd)->setFocus();
    return;
  }
  UpdateData(false);
}

bool CDateCalculatorDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && !refreshing_) {
    if (watched == GetControl(kIdcStart)) OnEditLeft(true);
    if (watched == GetControl(kIdcEnd)) OnEditLeft(false);
  }
  return fw::CDialogBase::eventFilter(watched, event);
}

void CDateCalculatorDialog::Calculate() {
  if (!UpdateData(true)) return;
  const auto ask = [this] {
    if (solver) return solver();
    CDateCalculatorSolverDialog dialog(this);
    return dialog.exec();
  };
  refreshing_ = true;
  const int focus = logic.Calculate(ask);
  refreshing_ = false;
  UpdateData(false);
  if (focus) GetControl(focus)->setFocus();
}

void CDateCalculatorDialog::ClearFields() {
  logic.Clear();
  UpdateData(false);
}

void CDateCalculatorDialog::OnCancel() {
  logic.Clear();
  fw::CDialogBase::OnCancel();
}
