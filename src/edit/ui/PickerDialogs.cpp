#include "PickerDialogs.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "FindRecordDialog.h"
#include "IndividualNode.h"
#include "Ports.h"
#include "QtPorts.h"
#include "RelativeLink.h"
#include "StringIds.h"
#include "StringTable.h"

namespace {

QString Text(const char* text) { return QString::fromLatin1(text); }

}  // namespace

// ---- Sex ----

CSexDialog::CSexDialog(QWidget* parent) : fw::CDialogBase(parent) {
  setWindowTitle(Text("Sex"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Text("Please select the sex:")));
  auto* group = new QButtonGroup(this);
  const struct {
    int id;
    const char* text;
  } radios[] = {{kIdcMale, "&Male"}, {kIdcFemale, "&Female"}, {kIdcUnknown, "&Unknown"}};
  for (const auto& r : radios) {
    auto* radio = AddControl(r.id, new QRadioButton(Text(r.text)));
    group->addButton(radio);
    layout->addWidget(radio);
  }
  auto* ok = AddControl(fw::kIdOk, new QPushButton(Text("OK")));
  ok->setDefault(true);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(ok, &QPushButton::clicked, this, &CSexDialog::accept);
}

bool CSexDialog::DoDataExchange(bool save) {
  ExchangeRadio(save, {kIdcMale, kIdcFemale, kIdcUnknown}, choice);
  return true;
}

// ---- Add or Find ----

CAddOrFindIndividualDialog::CAddOrFindIndividualDialog(bool fatherAllowed, bool motherAllowed,
                                                       QWidget* parent)
    : fw::CDialogBase(parent), fatherAllowed_(fatherAllowed), motherAllowed_(motherAllowed) {
  setWindowTitle(Text("Add or Find an Individual"));
  auto* top = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  left->addWidget(new QLabel(Text("\nAdd a new or find an existing")));
  const struct {
    int id;
    const char* text;
  } radios[] = {{kIdcFather, "&Father"},
                {kIdcMother, "&Mother"},
                {kIdcSpouse, "&Spouse"},
                {kIdcChild, "&Child"},
                {kIdcUnlinked, "New &unlinked individual"}};
  auto* group = new QButtonGroup(this);
  int index = 0;
  for (const auto& r : radios) {
    auto* radio = AddControl(r.id, new QRadioButton(Text(r.text)));
    group->addButton(radio);
    left->addWidget(radio);
    connect(radio, &QRadioButton::clicked, this, [this, index] { OnRadio(index); });
    ++index;
  }
  left->addStretch();
  auto* buttons = new QVBoxLayout;
  auto* add = AddControl(fw::kIdOk, new QPushButton(Text("&Add New")));
  auto* find = AddControl(kIdcFindExisting, new QPushButton(Text("Find &Existing")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(Text("Cancel")));
  add->setDefault(true);
  buttons->addWidget(add);
  buttons->addWidget(find);
  buttons->addWidget(cancel);
  buttons->addStretch();
  top->addLayout(left, 1);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
  connect(add, &QPushButton::clicked, this, &CAddOrFindIndividualDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CAddOrFindIndividualDialog::reject);
  connect(find, &QPushButton::clicked, this, [this] {
    UpdateData(true);
    selection += 5;
    done(fw::kIdOk);
  });
}

void CAddOrFindIndividualDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  EnableControl(kIdcFather, fatherAllowed_);
  EnableControl(kIdcMother, motherAllowed_);
  if (!caption.empty()) setWindowTitle(fw::ToQString(caption));
  EnableControl(kIdcFindExisting, selection != kNewUnlinked);
}

bool CAddOrFindIndividualDialog::DoDataExchange(bool save) {
  ExchangeRadio(save, {kIdcFather, kIdcMother, kIdcSpouse, kIdcChild, kIdcUnlinked}, selection);
  return true;
}

void CAddOrFindIndividualDialog::OnRadio(int index) {
  selection = index;
  EnableControl(kIdcFindExisting, index != kNewUnlinked);
}

// ---- Add or Select ----

CAddOrSelectIndividualDialog::CAddOrSelectIndividualDialog(const CIndividualNode* individual,
                                                           unsigned promptId, bool showUnknown,
                                                           QWidget* parent)
    : fw::CDialogBase(parent) {
  if (individual != nullptr && promptId != 0)
    prompt_ = res::FormatString(
        promptId, {individual->FormatName(0, CIndividualNode::kMaxNameChars, 0, nullptr)});
  Build(showUnknown);
}

CAddOrSelectIndividualDialog::CAddOrSelectIndividualDialog(const std::string& text,
                                                           unsigned promptId, bool showUnknown,
                                                           QWidget* parent)
    : fw::CDialogBase(parent) {
  if (!text.empty() && promptId != 0) prompt_ = res::FormatString(promptId, {text});
  Build(showUnknown);
}

void CAddOrSelectIndividualDialog::Build(bool showUnknown) {
  setWindowTitle(Text("Add or Select Individual"));
  auto* layout = new QVBoxLayout(this);
  auto* prompt = AddControl(kIdcPrompt, new QLabel(Text("Add or Select Individual")));
  prompt->setWordWrap(true);
  if (!prompt_.empty()) prompt->setText(fw::ToQString(prompt_));
  layout->addWidget(prompt);
  const struct {
    int id;
    const char* text;
  } choices[] = {{kIdcAddNew, "&Add New Individual"},
                 {kIdcSelectExisting, "&Select Existing Individual"},
                 {kIdcUnknown, "&Unknown"}};
  for (const auto& c : choices) {
    auto* button = AddControl(c.id, new QPushButton(Text(c.text)));
    layout->addWidget(button);
    const int result = c.id - kIdcAddNew;
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
  }
  // Without Unknown the button is gone and the window shorter.
  if (!showUnknown) {
    EnableControl(kIdcUnknown, false);
    ShowControl(kIdcUnknown, false);
  }
  auto* row = new QHBoxLayout;
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(Text("Cancel")));
  auto* help = AddControl(kIdcHelp, new QPushButton(Text("Help")));
  help->setEnabled(false);
  row->addWidget(cancel);
  row->addWidget(help);
  layout->addLayout(row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(cancel, &QPushButton::clicked, this, [this] { done(kCancelled); });
}

// ---- relative picker ----

std::int32_t PickRelativeByFind(std::int32_t rin, const std::string& seed,
                                const std::string& listTitle, char requiredSex, int& messageId,
                                bool showMessage, int listMode, QWidget* parent) {
  CFindRecordDialog find(parent);
  find.find.marriageAllowed = false;
  find.find.marriageMode = false;
  find.find.kindLabel = listTitle;
  find.find.searchText = seed;
  find.find.listState = listMode;
  find.find.firstListOption = 0;  // a person is chosen here, not edited or deleted
  if (find.exec() != fw::kIdOk) return 0;
  const std::int32_t chosen = find.find.number;
  bool answered = false;
  messageId = CheckRelativeLink(rin, chosen, requiredSex, answered);
  if (showMessage && messageId != 0 && !answered)
    plat::MessageBox(res::LoadString(static_cast<unsigned>(messageId)),
                     res::LoadString(res::kIdsAppName), plat::kMbOk | plat::kMbIconExclamation);
  return chosen;
}

std::int32_t SelectExistingRelative(const CIndividualNode* individual, const std::string& listTitle,
                                    char requiredSex, int& messageId, bool showMessage,
                                    int listMode, QWidget* parent) {
  if (individual == nullptr) return 0;
  const std::string seed = individual->GetSurname() + ", " + individual->GetGivenNames();
  return PickRelativeByFind(individual->GetRin(), seed, listTitle, requiredSex, messageId,
                            showMessage, listMode, parent);
}
