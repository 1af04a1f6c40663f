#include "RelationshipCalculatorDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "FindRecordDialog.h"
#include "IndividualNode.h"
#include "KinshipWidgets.h"
#include "QtPorts.h"

namespace {

constexpr int kNameWidthDu = 150;
constexpr int kOtherWidthDu = 110;

QLabel* Value(QLabel* label) {
  label->setTextFormat(Qt::PlainText);
  label->setFrameShape(QFrame::StyledPanel);
  label->setFrameShadow(QFrame::Sunken);
  return label;
}

}  // namespace

CRelationshipCalculatorDialog::CRelationshipCalculatorDialog(std::int32_t first, QWidget* parent)
    : fw::CDialogBase(parent), first_(first) {
  setWindowTitle(QStringLiteral("Relationship Calculator"));
  const int nameWidth = DialogUnitsToPixels(kNameWidthDu, 0).width();
  const int otherWidth = DialogUnitsToPixels(kOtherWidthDu, 0).width();

  const auto personBox = [&](const QString& title, int which) {
    const bool one = which == 1;
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    auto* name = AddControl(one ? kIdcName1 : kIdcName2, Value(new QLabel));
    name->setMinimumWidth(nameWidth);
    auto* search =
        AddControl(one ? kIdcSearch1 : kIdcSearch2,
                   new QPushButton(one ? QStringLiteral("&Search") : QStringLiteral("Se&arch")));
    search->setAutoDefault(false);
    connect(search, &QPushButton::clicked, this, [this, which] { Search(which); });
    grid->addWidget(name, 0, 0, 1, 4);
    grid->addWidget(search, 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("RIN:")), 1, 0);
    grid->addWidget(AddControl(one ? kIdcRin1 : kIdcRin2, Value(new QLabel)), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Sex:")), 1, 2);
    grid->addWidget(AddControl(one ? kIdcSex1 : kIdcSex2, Value(new QLabel)), 1, 3);
    grid->addWidget(
        AddControl(one ? kIdcKeyEvent1 : kIdcKeyEvent2, Value(new QLabel(QStringLiteral("b.")))), 1,
        4);
    const int rows[][2] = {{kIdcFather1, kIdcFather2},
                           {kIdcMother1, kIdcMother2},
                           {kIdcSpouse1a, kIdcSpouse2a},
                           {kIdcSpouse1b, kIdcSpouse2b}};
    const char* labels[] = {"Father:", "Mother:", "Spouse:", ""};
    for (int r = 0; r < 4; ++r) {
      grid->addWidget(new QLabel(QString::fromLatin1(labels[r])), 2 + r, 0);
      auto* value = AddControl(rows[r][one ? 0 : 1], Value(new QLabel));
      value->setMinimumWidth(otherWidth);
      grid->addWidget(value, 2 + r, 1, 1, 4);
    }
    grid->setColumnStretch(4, 1);
    return box;
  };
  const std::vector<int> stops = {DialogUnitsToPixels(165, 0).width(),
                                  DialogUnitsToPixels(166, 0).width(),
                                  DialogUnitsToPixels(167, 0).width()};
  const auto list = [&](int id) {
    auto* w = AddControl(id, new QListWidget);
    w->setItemDelegate(new kinui::TabStopDelegate(stops, w));
    w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w->setMinimumWidth(DialogUnitsToPixels(230, 0).width());
    return w;
  };
  line1_ = list(kIdcLine1);
  line2_ = list(kIdcLine2);
  results_ = list(kIdcResults);
  line1_->setMinimumHeight(DialogUnitsToPixels(0, 60).height());
  line2_->setMinimumHeight(DialogUnitsToPixels(0, 60).height());
  results_->setMinimumHeight(DialogUnitsToPixels(0, 50).height());
  auto* sentence = AddControl(kIdcSentence, new QPlainTextEdit);
  sentence->setReadOnly(true);
  sentence->setMaximumHeight(DialogUnitsToPixels(0, 34).height());

  auto* calculate = AddControl(kIdcCalculate, new QPushButton(QStringLiteral("&Calculate")));
  auto* close = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("C&lose")));
  auto* help = AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help")));
  calculate->setDefault(true);
  for (QPushButton* b : {close, help}) b->setAutoDefault(false);

  auto* people = new QGridLayout;
  people->addWidget(personBox(QStringLiteral("&First Person"), 1), 0, 0);
  people->addWidget(personBox(QStringLiteral("S&econd Person"), 2), 0, 1);
  people->addWidget(new QLabel(QStringLiteral("Line of Descent to Common Ancestor")), 1, 0);
  people->addWidget(new QLabel(QStringLiteral("Line of Descent to Common Ancestor")), 1, 1);
  people->addWidget(line1_, 2, 0);
  people->addWidget(line2_, 2, 1);

  auto* relations = new QGroupBox(QStringLiteral("&Relationships"));
  auto* relationsLayout = new QVBoxLayout(relations);
  relationsLayout->addWidget(results_);
  relationsLayout->addWidget(new QLabel(QStringLiteral("Common Ancestors")));
  relationsLayout->addWidget(sentence);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(calculate);
  buttons->addWidget(close);
  buttons->addWidget(help);

  auto* top = new QVBoxLayout(this);
  top->addLayout(people, 1);
  top->addWidget(relations);
  top->addLayout(buttons);

  measure_ = std::make_unique<fw::QtTextMeasure>(font());
  model_ = std::make_unique<kin::CRelationshipCalculator>(
      measure_.get(), GetNodeOptions().appendVal,
      kin::CRelationshipCalculator::Layout{nameWidth, nameWidth, otherWidth});

  connect(calculate, &QPushButton::clicked, this, &CRelationshipCalculatorDialog::Calculate);
  connect(close, &QPushButton::clicked, this, &CRelationshipCalculatorDialog::reject);
  connect(results_, &QListWidget::currentRowChanged, this,
          &CRelationshipCalculatorDialog::ShowResult);
}

CRelationshipCalculatorDialog::~CRelationshipCalculatorDialog() = default;

void CRelationshipCalculatorDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  if (first_ > 0) SetPerson(1, first_);
}

void CRelationshipCalculatorDialog::OnCancel() {
  model_->RequestClose();
  if (!model_->Busy()) fw::CDialogBase::OnCancel();
}

void CRelationshipCalculatorDialog::SetPerson(int which, std::int32_t rin) {
  line1_->clear();
  line2_->clear();
  results_->blockSignals(true);
  results_->clear();
  results_->blockSignals(false);
  SetControlText(kIdcSentence, {});
  model_->SetPerson(which, rin);
  ShowPerson(which);
}

void CRelationshipCalculatorDialog::ShowPerson(int which) {
  const kin::PersonDisplay& p = model_->Person(which);
  const bool one = which == 1;
  SetControlText(one ? kIdcName1 : kIdcName2, p.name);
  SetControlText(one ? kIdcRin1 : kIdcRin2, p.rinText);
  SetControlText(one ? kIdcSex1 : kIdcSex2, p.sex);
  SetControlText(one ? kIdcKeyEvent1 : kIdcKeyEvent2, p.keyEvent);
  SetControlText(one ? kIdcSpouse1a : kIdcSpouse2a, p.spouse1);
  SetControlText(one ? kIdcSpouse1b : kIdcSpouse2b, p.spouse2);
  SetControlText(one ? kIdcFather1 : kIdcFather2, p.father);
  SetControlText(one ? kIdcMother1 : kIdcMother2, p.mother);
}

void CRelationshipCalculatorDialog::Search(int which) {
  CFindRecordDialog find(this);
  std::int32_t start = model_->Person(which).rin;
  if (start <= 0) start = first_;
  find.find.number = start > 0 ? start : 1;
  find.find.marriageAllowed = false;
  find.find.firstListOption = 0;  // a person is chosen here, not edited or deleted
  if (find.exec() != fw::kIdOk) return;
  SetPerson(which, find.find.number);
  const int other = which == 1 ? 2 : 1;
  if (model_->Person(other).rin > 0) GetControl(kIdcCalculate)->setFocus();
}

void CRelationshipCalculatorDialog::Calculate() {
  if (model_->Busy()) return;
  SetControlText(kIdcSentence, {});
  line1_->clear();
  line2_->clear();
  results_->blockSignals(true);
  results_->clear();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  model_->Calculate();
  QApplication::restoreOverrideCursor();
  for (const std::string& line : model_->ResultLines()) results_->addItem(fw::ToQString(line));
  results_->blockSignals(false);
  if (!model_->ResultLines().empty()) results_->setCurrentRow(0);
  if (model_->CloseRequested()) fw::CDialogBase::OnCancel();
}

void CRelationshipCalculatorDialog::ShowResult(int index) {
  if (index < 0 || index >= static_cast<int>(model_->Results().size())) return;
  const auto shown = model_->ShowResult(index);
  line1_->clear();
  line2_->clear();
  for (const std::string& line : shown.lines1) line1_->addItem(fw::ToQString(line));
  for (const std::string& line : shown.lines2) line2_->addItem(fw::ToQString(line));
  SetControlText(kIdcSentence, shown.sentence);
}
