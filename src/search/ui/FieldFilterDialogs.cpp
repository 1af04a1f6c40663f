#include "FieldFilterDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "AppOptions.h"
#include "AppScreens.h"
#include "CodePage.h"
#include "DbCalls.h"
#include "DbCodes.h"
#include "EventTypeRecord.h"
#include "FamilyDatabase.h"
#include "IndividualNode.h"
#include "IndividualRecord.h"
#include "KinshipWidgets.h"
#include "NamedItemDialogs.h"
#include "Ports.h"
#include "QtPorts.h"
#include "RepositoryRecord.h"
#include "SourceRecord.h"
#include "StringIds.h"
#include "StringTable.h"
#include "TempleTable.h"
#include "TextRoutines.h"

namespace {

QString Q(const std::string& s) { return fw::ToQString(s); }
QString L(unsigned id) { return fw::ToQString(res::LoadString(id)); }

bool IsCurrentFormat() {
  return CurrentDatabase == nullptr || CurrentDatabase->type == CFamilyDatabase::kCurrentFormat;
}

bool IsUserEventField(int id) {
  return id == ffield::kUserEvents || id == ffield::kMarriageUserEvents;
}
bool IsSourceField(int id) { return id == ffield::kSources || id == ffield::kMarriageSources; }

// The criterion screen of a field: its kind.
int KindOfField(int id, int sub) {
  if (IsUserEventField(id)) {
    switch (sub) {
      case ffield::kUeDate:
        return fkind::kDate;
      case ffield::kUePlace:
        return fkind::kPlace;
      case ffield::kUeConfidential:
      case ffield::kUeSource:
        return fkind::kYesNo;
      case ffield::kUeType:
        return fkind::kCode;
      default:
        return fkind::kText;
    }
  }
  if (IsSourceField(id)) {
    if (sub == ffield::kCitEntryDate) return fkind::kDate;
    const bool list = (sub == ffield::kSrcTitle && IsCurrentFormat()) ||
                      (sub == ffield::kSrcName && !IsCurrentFormat());
    return list ? fkind::kCode : fkind::kText;
  }
  switch (id) {
    case ffield::kName:
      return fkind::kName;
    case ffield::kRin:
    case ffield::kMrin:
    case ffield::kMarriageCount:
    case ffield::kChildCount:
    case ffield::kParentCount:
      return fkind::kNumber;
    case ffield::kSex:
    case ffield::kParentRelationship:
    case ffield::kMarriageStatus:
      return fkind::kCode;
    case ffield::kAnyPlace:
    case ffield::kBirthPlace:
    case ffield::kChristeningPlace:
    case ffield::kDeathPlace:
    case ffield::kBurialPlace:
    case ffield::kMarriagePlace:
      return fkind::kPlace;
    case ffield::kDeceased:
    case ffield::kMultimedia:
    case ffield::kEndOfLine:
    case ffield::kLiveBaptism:
    case ffield::kQualifiedBaptism:
    case ffield::kQualifiedSealParents:
    case ffield::kQualifiedSealSpouse:
      return fkind::kYesNo;
    case ffield::kNotes:
    case ffield::kMarriageNotes:
      return fkind::kNotes;
    case ffield::kAnyTemple:
    case ffield::kBaptismTemple:
    case ffield::kEndowmentTemple:
    case ffield::kSealParentsTemple:
    case ffield::kSealSpouseTemple:
      return fkind::kTemple;
    case ffield::kAnyDate:
    case ffield::kBirthDate:
    case ffield::kChristeningDate:
    case ffield::kDeathDate:
    case ffield::kBurialDate:
    case ffield::kCreatedDate:
    case ffield::kChangedDate:
    case ffield::kMarriageDate:
    case ffield::kAnyOrdinanceDate:
    case ffield::kBaptismDate:
    case ffield::kEndowmentDate:
    case ffield::kSealParentsDate:
    case ffield::kSealSpouseDate:
      return fkind::kDate;
    default:
      return fkind::kText;
  }
}

bool IsCountField(int id) {
  return id == ffield::kMarriageCount || id == ffield::kChildCount || id == ffield::kParentCount;
}

// The date rules' context of a date field.
int DateCategory(int id) {
  switch (id) {
    case ffield::kDeathDate:
      return 5;
    case ffield::kMarriageDate:
      return 4;
    case ffield::kAnyOrdinanceDate:
    case ffield::kBaptismDate:
    case ffield::kEndowmentDate:
      return 1;
    case ffield::kSealParentsDate:
      return 2;
    case ffield::kSealSpouseDate:
      return 3;
    default:
      return 0;
  }
}

// Items of a "L=Text,L=Text|L=Text" list: letters and texts, those after
// the '|' only with all.
std::vector<std::pair<char, std::string>> LetterItems(unsigned id, bool all = false) {
  std::string text = res::LoadString(id);
  if (all)
    std::replace(text.begin(), text.end(), '|', ',');
  else
    text = text.substr(0, text.find('|'));
  std::vector<std::pair<char, std::string>> items;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find(',', pos);
    if (end == std::string::npos) end = text.size();
    const std::string entry = text.substr(pos, end - pos);
    const std::size_t eq = entry.find('=');
    if (eq != std::string::npos) items.emplace_back(entry[0], entry.substr(eq + 1));
    pos = end + 1;
  }
  return items;
}

std::string Text(const std::unique_ptr<std::string>& t) { return t ? *t : std::string(); }

// The OK, Cancel and Help buttons in a right-aligned row at the foot of
// layout: OK is the default and accepts, Cancel rejects, Help is offered
// disabled.
void AddOkCancelHelp(fw::CDialogBase& dialog, QBoxLayout* layout) {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = dialog.AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = dialog.AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  auto* help = dialog.AddControl(fw::kIdHelp, new QPushButton(QStringLiteral("&Help")));
  help->setEnabled(false);
  ok->setDefault(true);
  for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
  layout->addLayout(buttons);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
}

}  // namespace

std::vector<std::string> OperatorWords(unsigned firstId, int max) {
  std::vector<std::string> words;
  for (unsigned id = firstId; static_cast<int>(words.size()) < max && res::HasString(id); ++id)
    words.push_back(res::LoadString(id));
  return words;
}

std::vector<std::pair<int, std::string>> FilterFieldList(bool showZel) {
  std::vector<std::pair<int, std::string>> fields;
  for (int id = ffield::kName; id < 4865 && res::HasString(static_cast<unsigned>(id)); ++id)
    fields.emplace_back(id, res::LoadString(static_cast<unsigned>(id)));
  if (showZel)
    for (int id = ffield::kAnyOrdinanceDate; id < 4899 && res::HasString(static_cast<unsigned>(id));
         ++id)
      fields.emplace_back(id, res::LoadString(static_cast<unsigned>(id)));
  return fields;
}

// ---- one criterion ------------------------------------------------------------

namespace {

// "<field> Field Filter", or "<field> (<sub-field>) Field Filter"; a list
// of event types or sources is named by the list.
std::string CriterionCaption(int fieldId, int kind, int subField, bool typeList, bool sourceList) {
  std::string fieldName = res::LoadString(static_cast<unsigned>(fieldId));
  if (typeList) fieldName = res::LoadString(res::kIdsUserEventType);
  if (sourceList)
    fieldName = res::LoadString(IsCurrentFormat() ? res::kIdsSourceTitle : res::kIdsSourceName);
  std::string caption =
      kind == fkind::kName ? std::string("Name Field Filter") : fieldName + " Field Filter";
  if (subField != 0 && !typeList && !sourceList) {
    std::string sub = res::LoadString(static_cast<unsigned>(subField));
    if (!sub.empty() && sub[0] == '!') sub.erase(0, 1);
    caption = fieldName + " (" + sub + ") Field Filter";
  }
  return caption;
}

}  // namespace

std::vector<std::string> CCriterionDialog::AddKindControls(QVBoxLayout* layout, bool typeList,
                                                           bool sourceList) {
  auto addRadios = [&](const char* title, const std::vector<QString>& labels) {
    auto* box = new QGroupBox(QString::fromLatin1(title));
    auto* v = new QVBoxLayout(box);
    for (std::size_t i = 0; i < labels.size(); ++i)
      v->addWidget(AddControl(kIdcFirstRadio + static_cast<int>(i), new QRadioButton(labels[i])));
    layout->addWidget(box);
  };
  switch (kind_) {
    case fkind::kName:
      addRadios("Part of Name",
                {QStringLiteral("Full &name (LNF)"), QStringLiteral("&Surname only"),
                 QStringLiteral("&Given names only")});
      return OperatorWords(res::kIdsNameOps);
    case fkind::kPlace:
      addRadios("Place Level", {QStringLiteral("Full &place"), QStringLiteral("&1 (City)"),
                                QStringLiteral("&2 (County)"), QStringLiteral("&3 (State)"),
                                QStringLiteral("&4 (Country)")});
      return OperatorWords(res::kIdsTextOps);
    case fkind::kDate:
      return OperatorWords(res::kIdsDateOps);
    case fkind::kNumber:
      return IsCountField(fieldId_) ? SplitComboItems(res::LoadString(res::kIdsCounts))
                                    : OperatorWords(res::kIdsNumberOps);
    case fkind::kTemple:
      return OperatorWords(res::kIdsTextOps, 6);
    case fkind::kCode:
      return typeList || sourceList ? OperatorWords(res::kIdsTextOps, 2)
                                    : SplitComboItems(res::LoadString(res::kIdsCodes));
    case fkind::kNotes:
      return OperatorWords(res::kIdsNotesOps, fieldId_ == ffield::kMarriageNotes ? 4 : 8);
    case fkind::kYesNo: {
      std::vector<QString> labels = {L(res::kIdsIs), L(res::kIdsIsNot)};
      if (fieldId_ == ffield::kMultimedia || subField_ == ffield::kUeSource)
        labels = {L(res::kIdsExistsOps), L(res::kIdsDoesNotExist)};
      if (fieldId_ == ffield::kLiveBaptism)
        labels = {L(res::kIdsWas) + " ", L(res::kIdsWasNot) + " "};
      labels[0].insert(0, '&');
      labels[1].insert(labels[1].size() > 3 ? 3 : 0, '&');
      auto* v = new QVBoxLayout;
      for (int i = 0; i < 2; ++i)
        v->addWidget(AddControl(kIdcFirstRadio + i, new QRadioButton(labels[i])));
      layout->addLayout(v);
      return {};
    }
    default:
      return OperatorWords(res::kIdsTextOps, IsCustomId() ? 9 : 6);
  }
}

void CCriterionDialog::HideTextControls() {
  for (int id : {kIdcTextLabel, kIdcText, kIdcToLabel, kIdcTo}) GetControl(id)->hide();
}

void CCriterionDialog::AddChoiceCombo(QGridLayout* grid) {
  auto* textLabel = Control<QLabel>(kIdcTextLabel);
  auto* choice = AddControl(kIdcChoice, new QComboBox);
  choice->setMinimumWidth(DialogUnitsToPixels(140, 0).width());
  if (kind_ == fkind::kTemple) {
    choice->setEditable(true);
    choice->lineEdit()->setMaxLength(5);
    for (const std::string& e : TempleComboEntries()) choice->addItem(Q(e));
  } else if (kind_ == fkind::kNotes) {
    textLabel->setText(QStringLiteral("&Tag:"));
    choice->setEditable(true);
    choice->addItem(QString());
    for (const std::string& tag : NotesCriterionTags()) choice->addItem(Q(tag));
  } else {
    std::vector<std::pair<char, std::string>> items;
    if (fieldId_ == ffield::kSex) {
      items = LetterItems(res::kIdsSexes);
      if (items.size() == 3) items[2].first = ' ';
    } else if (fieldId_ == ffield::kMarriageStatus) {
      items = LetterItems(res::kIdsMarriageStatuses);
    } else {
      for (const auto& item : LetterItems(res::kIdsRelationships, true))
        if (item.first != 's' || GetNodeOptions().showZel) items.push_back(item);
    }
    for (const auto& [letter, label] : items) {
      choice->addItem(Q(label));
      itemData_.push_back(letter);
    }
  }
  if (kind_ != fkind::kNotes) {
    grid->addWidget(choice, 1, 0, 1, 2);
    HideTextControls();
    return;
  }
  // Notes: the tag in the combo, the text below it.
  auto* toLabel = Control<QLabel>(kIdcToLabel);
  grid->addWidget(textLabel, 1, 0);
  grid->addWidget(choice, 1, 1);
  toLabel->setText(L(res::kIdsText));
  grid->addWidget(toLabel, 2, 0);
  grid->addWidget(GetControl(kIdcText), 2, 1);
  GetControl(kIdcTo)->hide();
}

void CCriterionDialog::AddRecordList(QGridLayout* grid, bool typeList) {
  auto* list = AddControl(kIdcList, new QListWidget);
  list->setMinimumHeight(DialogUnitsToPixels(0, 60).height());
  if (typeList) {
    std::vector<CEventTypeRecord> types;
    DbGetRecord(0, db::kEventTypeList, &types);
    const char owner = fieldId_ == ffield::kUserEvents ? db::kOwnerIndividual : db::kOwnerMarriage;
    for (const CEventTypeRecord& t : types) {
      if (t.ownerKind != owner) continue;
      list->addItem(Q(t.title));
      itemData_.push_back(plat::CompareAnsi(t.tag, "CHR", true) == 0 ? 0 : t.recordNumber);
    }
  } else {
    std::vector<CSourceRecord> sources;
    DbGetRecord(0, db::kSourceList, &sources);
    for (const CSourceRecord& s : sources) {
      list->addItem(Q(IsCurrentFormat() ? s.title : s.abbreviatedTitle));
      itemData_.push_back(s.recordNumber);
    }
  }
  grid->addWidget(list, 1, 0, 1, 2);
  HideTextControls();
}

CCriterionDialog::CCriterionDialog(int fieldId, int kind, int subField, CFilterCriterion* criterion,
                                   QWidget* parent)
    : fw::CDialogBase(parent),
      fieldId_(fieldId),
      kind_(kind),
      subField_(subField),
      criterion_(criterion) {
  const bool typeList = kind == fkind::kCode && IsUserEventField(fieldId);
  const bool sourceList = kind == fkind::kCode && IsSourceField(fieldId);
  setWindowTitle(Q(CriterionCaption(fieldId, kind, subField, typeList, sourceList)));

  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  auto* op = AddControl(kIdcOperator, new QComboBox);
  auto* textLabel = AddControl(kIdcTextLabel, new QLabel(L(res::kIdsText)));
  auto* text = AddControl(kIdcText, new QLineEdit);
  auto* toLabel = AddControl(kIdcToLabel, new QLabel(QStringLiteral("&To:")));
  auto* to = AddControl(kIdcTo, new QLineEdit);
  textLabel->setBuddy(text);
  toLabel->setBuddy(to);
  text->setMinimumWidth(DialogUnitsToPixels(140, 0).width());

  for (const std::string& w : AddKindControls(layout, typeList, sourceList)) op->addItem(Q(w));
  if (kind == fkind::kYesNo) op->hide();
  if (kind == fkind::kDate) {
    auto* options = new QLabel(QStringLiteral("&Options:"));
    options->setBuddy(op);
    grid->addWidget(options, 0, 0);
    grid->addWidget(op, 0, 1);
  } else {
    grid->addWidget(op, 0, 0, 1, 2);
  }
  if (kind == fkind::kTemple || kind == fkind::kNotes ||
      (kind == fkind::kCode && !typeList && !sourceList)) {
    AddChoiceCombo(grid);
  } else if (typeList || sourceList) {
    AddRecordList(grid, typeList);
  } else if (kind != fkind::kYesNo) {
    grid->addWidget(textLabel, 1, 0);
    grid->addWidget(text, 1, 1);
    grid->addWidget(toLabel, 2, 0);
    grid->addWidget(to, 2, 1);
  } else {
    HideTextControls();
  }
  layout->addLayout(grid);
  AddOkCancelHelp(*this, layout);
  connect(op, &QComboBox::currentIndexChanged, this, [this] { ShowForOperator(); });

  if (kind == fkind::kNumber && !IsCountField(fieldId)) {
    const int type = fieldId == ffield::kMrin ? db::kQueryMarriages : db::kQueryIndividuals;
    lowest_ = DbGetRIN(1, type, db::kWalkNextOrSame);
    highest_ = DbGetRIN(std::numeric_limits<std::int32_t>::max(), type, db::kWalkPreviousOrSame);
  }
}

std::vector<int> CCriterionDialog::Radios() const {
  const int n = kind_ == fkind::kName    ? 3
                : kind_ == fkind::kPlace ? 5
                : kind_ == fkind::kYesNo ? 2
                                         : 0;
  std::vector<int> ids;
  for (int i = 0; i < n; ++i) ids.push_back(kIdcFirstRadio + i);
  return ids;
}

int CCriterionDialog::Operator() const {
  if (kind_ == fkind::kYesNo) return GetCheckedRadio(Radios()) == 1 ? 1 : 0;
  return std::max(0, Control<QComboBox>(kIdcOperator)->currentIndex());
}

void CCriterionDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
  auto* op = Control<QComboBox>(kIdcOperator);
  if (!Radios().empty()) CheckRadio(Radios(), 0);
  if (kind_ == fkind::kNumber && !IsCountField(fieldId_)) {
    SetControlText(kIdcText, std::to_string(lowest_));
    SetControlText(kIdcTo, std::to_string(highest_));
  }
  if (criterion_) {
    const CFilterCriterion& c = *criterion_;
    if (kind_ == fkind::kYesNo) {
      CheckRadio(Radios(), c.op == 1 ? 1 : 0);
    } else {
      op->setCurrentIndex(std::min<int>(c.op, op->count() - 1));
    }
    if (kind_ == fkind::kName || kind_ == fkind::kPlace) CheckRadio(Radios(), c.subField);
    if (kind_ == fkind::kDate) {
      SetControlText(kIdcText, c.date1 ? c.date1->Format() : "");
      SetControlText(kIdcTo, c.date2 ? c.date2->Format() : "");
    } else if (kind_ == fkind::kNumber) {
      SetControlText(kIdcText, std::to_string(c.value1));
      SetControlText(kIdcTo, std::to_string(c.value2));
    } else if (kind_ == fkind::kNotes) {
      Control<QComboBox>(kIdcChoice)->setCurrentText(Q(Text(c.text1)));
      SetControlText(kIdcText, Text(c.text2));
    } else if (kind_ == fkind::kTemple) {
      auto* choice = Control<QComboBox>(kIdcChoice);
      const QString t = Q(Text(c.text1));
      int found = t.size() > 3 ? choice->findText(t, Qt::MatchStartsWith) : -1;
      if (found < 0 && !t.isEmpty()) {
        choice->addItem(t);
        found = choice->count() - 1;
      }
      choice->setCurrentIndex(std::max(found, 0));
    } else if (kind_ == fkind::kCode) {
      if (auto* list = Control<QListWidget>(kIdcList)) {
        int row = 0;
        for (int i = 0; i < list->count(); ++i)
          if (list->item(i)->text().startsWith(Q(Text(c.text1)))) {
            row = i;
            break;
          }
        list->setCurrentRow(row);
      } else if (auto* choice = Control<QComboBox>(kIdcChoice)) {
        choice->setCurrentIndex(std::max(0, std::min<int>(c.value2, choice->count() - 1)));
      }
    } else {
      SetControlText(kIdcText, Text(c.text1));
      SetControlText(kIdcTo, Text(c.text2));
    }
  } else if (auto* list = Control<QListWidget>(kIdcList); list && list->count() > 0) {
    list->setCurrentRow(0);
  }
  ShowForOperator();
}

void CCriterionDialog::ShowForOperator() {
  const int op = Operator();
  auto show = [&](bool text, bool to, unsigned label) {
    ShowControl(kIdcTextLabel, text);
    ShowControl(kIdcText, text);
    ShowControl(kIdcToLabel, to);
    ShowControl(kIdcTo, to);
    if (label) SetControlText(kIdcTextLabel, res::LoadString(label));
  };
  // No value for the operators noneA and noneB, a range for the operator
  // range, else one value under label.
  auto byOperator = [&](int noneA, int noneB, int range, unsigned label) {
    if (op == noneA || op == noneB)
      show(false, false, 0);
    else if (op == range)
      show(true, true, res::kIdsFromLabel);
    else
      show(true, false, label);
  };
  switch (kind_) {
    case fkind::kName:
      byOperator(6, 7, 10, res::kIdsText);
      break;
    case fkind::kPlace:
    case fkind::kText:
      byOperator(4, 5, 8, res::kIdsText);
      break;
    case fkind::kDate:
      byOperator(4, 5, 8, res::kIdsDate);
      break;
    case fkind::kNumber:
      if (IsCountField(fieldId_))
        show(true, false, res::kIdsValue);
      else if (op == 2)
        show(true, true, res::kIdsFromLabel);
      else
        show(true, false, res::kIdsValue);
      break;
    case fkind::kTemple:
      ShowControl(kIdcChoice, op <= 3);
      break;
    case fkind::kNotes: {
      const bool tag = op >= 4;
      const bool text = op == 0 || op == 1 || op == 4 || op == 5;
      ShowControl(kIdcTextLabel, tag);
      ShowControl(kIdcChoice, tag);
      ShowControl(kIdcToLabel, text);
      ShowControl(kIdcText, text);
      break;
    }
    default:
      break;
  }
}

void CCriterionDialog::OnOK() {
  std::uint16_t op = static_cast<std::uint16_t>(Operator());
  std::string text1 = GetControlText(kIdcText), text2 = GetControlText(kIdcTo);
  std::int32_t value1 = 0, value2 = 0;
  std::unique_ptr<CDateValue> date1, date2;
  int sub = subField_;
  switch (kind_) {
    case fkind::kName:
    case fkind::kPlace:
      NormalizeCriterionTexts(kind_, op, text1, text2);
      sub = GetCheckedRadio(Radios());
      if (kind_ == fkind::kPlace) value1 = subField_ == ffield::kUePlace ? ffield::kUePlace : 0;
      break;
    case fkind::kText:
      NormalizeCriterionTexts(kind_, op, text1, text2);
      break;
    case fkind::kDate: {
      const int category = DateCategory(fieldId_);
      auto check = [&](int id, std::string& text, std::unique_ptr<CDateValue>& out) {
        out = std::make_unique<CDateValue>();
        if (op == 4 || op == 5 || text.empty()) return true;
        if (out->CheckEntry(text, true, category, true, false, false, false) != 1) {
          plat::MessageBox(text + res::LoadString(res::kIdsInvalidDate), "", plat::kMbOk);
          GetControl(id)->setFocus();
          return false;
        }
        SetControlText(id, text);
        return true;
      };
      if (!check(kIdcText, text1, date1)) return;
      if (op == 8 && !check(kIdcTo, text2, date2)) return;
      if (!date2) date2 = std::make_unique<CDateValue>();
      text1.clear();
      text2.clear();
      break;
    }
    case fkind::kNumber:
      if (IsCountField(fieldId_)) {
        if (!ExchangeInt(true, kIdcText, value1, 0, 9999)) return;
      } else {
        const int type = fieldId_ == ffield::kMrin ? 1 : 0;
        (void)type;
        if (!ExchangeInt(true, kIdcText, value1, lowest_, highest_)) return;
        if (op == 2 && !ExchangeInt(true, kIdcTo, value2, lowest_, highest_)) return;
      }
      text1.clear();
      text2.clear();
      break;
    case fkind::kTemple:
      text1 = op <= 3 ? fw::FromQString(Control<QComboBox>(kIdcChoice)->currentText()) : "";
      text2.clear();
      break;
    case fkind::kNotes:
      text2 = op == 0 || op == 1 || op == 4 || op == 5 ? GetControlText(kIdcText) : "";
      text1 = op >= 4 ? fw::FromQString(Control<QComboBox>(kIdcChoice)->currentText()) : "";
      break;
    case fkind::kCode:
      if (auto* list = Control<QListWidget>(kIdcList)) {
        const int row = list->currentRow();
        text1 = row >= 0 ? fw::FromQString(list->item(row)->text()) : "";
        value1 = row >= 0 ? itemData_[static_cast<std::size_t>(row)] : 0;
        sub = IsUserEventField(fieldId_) ? ffield::kUeType : ffield::kSrcTitle;
      } else {
        auto* choice = Control<QComboBox>(kIdcChoice);
        const int row = choice->currentIndex();
        value1 =
            row >= 0 ? static_cast<unsigned char>(itemData_[static_cast<std::size_t>(row)]) : 0;
        value2 = row;
        text1 = row >= 0 ? fw::FromQString(choice->currentText()) : "";
      }
      text2.clear();
      break;
    default:  // yes/no
      text1.clear();
      text2.clear();
      break;
  }
  CFilterCriterion* c = criterion_;
  if (!c) {
    made_ = std::make_unique<CFilterCriterion>(static_cast<std::uint16_t>(fieldId_),
                                               static_cast<std::uint16_t>(kind_));
    c = made_.get();
  }
  c->op = op;
  c->subField = static_cast<std::uint16_t>(sub);
  c->value1 = value1;
  c->value2 = value2;
  c->text1 = text1.empty() ? nullptr : std::make_unique<std::string>(text1);
  c->text2 = text2.empty() ? nullptr : std::make_unique<std::string>(text2);
  c->date1 = std::move(date1);
  c->date2 = std::move(date2);
  EndDialog(fw::kIdOk);
}

// ---- the sub-field chooser ------------------------------------------------------

CSubFieldDialog::CSubFieldDialog(unsigned captionId, unsigned firstId, bool currentFormat,
                                 QWidget* parent)
    : fw::CDialogBase(parent) {
  const std::string pair = res::LoadString(captionId);
  const std::size_t bar = pair.find('|');
  setWindowTitle(Q("Select " + pair.substr(0, bar)));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel(Q("&Select the " + pair.substr(bar + 1) + " to use for filtering:")));
  list_ = AddControl(kIdcList, new QListWidget);
  for (unsigned id = firstId; res::HasString(id); ++id) {
    std::string text = res::LoadString(id);
    if (!text.empty() && text[0] == '!') {
      if (currentFormat) continue;
      text.erase(0, 1);
    }
    auto* item = new QListWidgetItem(Q(text), list_);
    item->setData(Qt::UserRole, static_cast<int>(id));
  }
  list_->setCurrentRow(0);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = AddControl(fw::kIdCancel, new QPushButton(QStringLiteral("Cancel")));
  ok->setDefault(true);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &CSubFieldDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CSubFieldDialog::reject);
  connect(list_, &QListWidget::itemDoubleClicked, this, &CSubFieldDialog::accept);
}

void CSubFieldDialog::OnOK() {
  if (QListWidgetItem* item = list_->currentItem()) chosen = item->data(Qt::UserRole).toInt();
  EndDialog(fw::kIdOk);
}

// ---- Field Filtering ---------------------------------------------------------------

CFieldFilterDialog::CFieldFilterDialog(CFilterSet* set, int combineOp, bool showZel, bool readOnly,
                                       QWidget* parent)
    : fw::CDialogBase(parent),
      editor_(set, combineOp, readOnly),
      showZel_(showZel),
      readOnly_(readOnly) {
  setWindowTitle(QStringLiteral("Field Filtering"));
  fields_ = AddControl(kIdcFields, new QListWidget);
  expression_ = AddControl(kIdcExpression, new QListWidget);
  fields_->setMinimumSize(DialogUnitsToPixels(110, 120));
  expression_->setMinimumSize(DialogUnitsToPixels(190, 120));
  auto button = [&](int id, const char* text) {
    auto* b = AddControl(id, new QPushButton(QString::fromLatin1(text)));
    b->setAutoDefault(false);
    return b;
  };
  auto* open = button(kIdcOpen, "(");
  auto* close = button(kIdcClose, ")");
  auto* andB = button(kIdcAnd, "&AND");
  auto* orB = button(kIdcOr, "O&R");
  auto* add = button(kIdcAdd, ">");
  auto* remove = button(kIdcRemove, "<");
  auto* removeAll = button(kIdcRemoveAll, "<<");
  auto* modify = button(kIdcModify, "&Modify");
  auto* save = button(kIdcSave, "&Save...");
  auto* retrieve = button(kIdcRetrieve, "Retr&ieve...");
  auto* spin = AddControl(kIdcSpin, new QSpinBox);
  spin->setRange(-1000, 1000);
  spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  // As wide as its widest text (the range's ends in its font) and arrows
  // need, so that the value it shows is not cut.
  spin->setFixedWidth(spin->sizeHint().width());
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("&OK")));
  auto* cancel = button(fw::kIdCancel, "Cancel");
  auto* help = button(fw::kIdHelp, "&Help");
  help->setEnabled(false);
  ok->setDefault(true);

  auto* fieldsLabel = new QLabel(QStringLiteral("&Possible Fields:"));
  fieldsLabel->setBuddy(fields_);
  auto* exprLabel = new QLabel(QStringLiteral("Current &Filter:"));
  exprLabel->setBuddy(expression_);
  auto* middle = new QVBoxLayout;
  middle->addStretch();
  auto* parens = new QHBoxLayout;
  parens->addWidget(open);
  parens->addWidget(close);
  middle->addLayout(parens);
  for (QPushButton* b : {andB, orB, add, remove, removeAll}) middle->addWidget(b);
  middle->addStretch();
  auto* left = new QVBoxLayout;
  left->addWidget(fieldsLabel);
  left->addWidget(fields_, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(exprLabel);
  auto* exprRow = new QHBoxLayout;
  exprRow->addWidget(expression_, 1);
  exprRow->addWidget(spin, 0, Qt::AlignVCenter);
  right->addLayout(exprRow, 1);
  auto* under = new QHBoxLayout;
  under->addWidget(modify);
  under->addStretch();
  under->addWidget(save);
  under->addWidget(retrieve);
  right->addLayout(under);
  auto* top = new QHBoxLayout;
  top->addLayout(left, 2);
  top->addLayout(middle);
  top->addLayout(right, 3);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  for (QPushButton* b : {ok, cancel, help}) bottom->addWidget(b);
  auto* whole = new QVBoxLayout(this);
  whole->addLayout(top, 1);
  whole->addLayout(bottom);

  newCriterion = [this](int fieldId) { return NewCriterion(fieldId, this); };
  editCriterion = [this](CFilterCriterion& c) { return EditCriterion(c, this); };
  chooseSaveFile = [this](std::string& path, std::string& name) {
    CNamedItemSaveDialog dialog(".fld", this);
    dialog.caption = res::LoadString(res::kIdsSaveFilter);
    dialog.prompt = res::LoadString(res::kIdsFieldListName);
    dialog.proposedName = editor_.fieldListName;
    if (dialog.SaveOrPrompt(false) != fw::kIdOk) return false;
    path = dialog.chosenPath;
    name = dialog.chosenName;
    return true;
  };
  chooseOpenFile = [this](std::string& path, std::string& name) {
    COpenNamedFileDialog dialog(".fld", this);
    dialog.caption = res::LoadString(res::kIdsOpenFilter);
    dialog.prompt = res::LoadString(res::kIdsFieldListName);
    if (dialog.exec() != fw::kIdOk) return false;
    path = dialog.chosenPath;
    name = dialog.chosenName;
    return true;
  };

  connect(open, &QPushButton::clicked, this, [this] { InsertToken(CFilterCriterion::kOpenParen); });
  connect(close, &QPushButton::clicked, this,
          [this] { InsertToken(CFilterCriterion::kCloseParen); });
  connect(andB, &QPushButton::clicked, this, [this] { InsertToken(CFilterCriterion::kAnd); });
  connect(orB, &QPushButton::clicked, this, [this] { InsertToken(CFilterCriterion::kOr); });
  connect(add, &QPushButton::clicked, this, &CFieldFilterDialog::OnAddField);
  connect(fields_, &QListWidget::itemDoubleClicked, this, &CFieldFilterDialog::OnAddField);
  connect(remove, &QPushButton::clicked, this, &CFieldFilterDialog::OnRemove);
  connect(removeAll, &QPushButton::clicked, this, &CFieldFilterDialog::OnRemoveAll);
  connect(modify, &QPushButton::clicked, this, &CFieldFilterDialog::OnModify);
  connect(expression_, &QListWidget::itemDoubleClicked, this, &CFieldFilterDialog::OnModify);
  connect(expression_, &QListWidget::currentRowChanged, this,
          [this](int row) { editor_.Select(row); });
  connect(spin, &QSpinBox::valueChanged, this, [this, spin](int v) {
    if (v == 0) return;
    // The up arrow moves the selected line up.
    if (v > 0)
      OnMoveUp();
    else
      OnMoveDown();
    const QSignalBlocker block(spin);
    spin->setValue(0);
  });
  connect(save, &QPushButton::clicked, this, &CFieldFilterDialog::OnSaveFilter);
  connect(retrieve, &QPushButton::clicked, this, &CFieldFilterDialog::OnRetrieveFilter);
  connect(ok, &QPushButton::clicked, this, &CFieldFilterDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CFieldFilterDialog::reject);
}

void CFieldFilterDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  PlaceWindowAtParentBottom(this);
  for (const auto& [id, name] : FilterFieldList(showZel_)) {
    auto* item = new QListWidgetItem(Q(name), fields_);
    item->setData(Qt::UserRole, id);
  }
  fields_->setCurrentRow(0);
  ShowExpression();
}

void CFieldFilterDialog::ShowExpression() {
  const QSignalBlocker block(expression_);
  expression_->clear();
  for (const std::string& line : editor_.Lines()) expression_->addItem(Q(line));
  expression_->setCurrentRow(editor_.Selected());
  EnableControl(kIdcSave, editor_.SaveEnabled());
}

void CFieldFilterDialog::OnAddField() {
  QListWidgetItem* item = fields_->currentItem();
  if (!item) return;
  std::unique_ptr<CFilterCriterion> c = newCriterion(item->data(Qt::UserRole).toInt());
  if (!c) return;
  editor_.Insert(std::move(c));
  ShowExpression();
}

void CFieldFilterDialog::InsertToken(std::uint16_t tokenId) {
  editor_.InsertToken(tokenId);
  ShowExpression();
}

void CFieldFilterDialog::OnRemove() {
  editor_.Remove();
  ShowExpression();
}

void CFieldFilterDialog::OnRemoveAll() {
  editor_.RemoveAll();
  ShowExpression();
}

void CFieldFilterDialog::OnModify() {
  CFilterCriterion* c = editor_.SelectedCriterion();
  if (!c || c->kind == fkind::kToken) return;
  if (editCriterion(*c)) ShowExpression();
}

void CFieldFilterDialog::OnMoveUp() {
  editor_.MoveUp();
  ShowExpression();
}

void CFieldFilterDialog::OnMoveDown() {
  editor_.MoveDown();
  ShowExpression();
}

bool CFieldFilterDialog::ReportSyntax(const FilterSyntaxFault& fault) {
  plat::MessageBox(res::LoadString(static_cast<unsigned>(fault.textId)),
                   res::LoadString(static_cast<unsigned>(fault.captionId)), plat::kMbOk);
  editor_.Select(fault.line);
  ShowExpression();
  expression_->setFocus();
  return false;
}

void CFieldFilterDialog::OnSaveFilter() {
  FilterSyntaxFault fault;
  if (!editor_.CheckSyntax(&fault)) {
    ReportSyntax(fault);
    return;
  }
  if (checkEditPassword && !checkEditPassword()) return;
  std::string path, name;
  if (!chooseSaveFile(path, name)) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const int result = editor_.SaveFieldFilter(path, name);
  QApplication::restoreOverrideCursor();
  if (result != 0) plat::MessageBox(res::LoadString(res::kIdsCouldNotSaveFilter), "", plat::kMbOk);
}

void CFieldFilterDialog::OnRetrieveFilter() {
  std::string path, name;
  if (!chooseOpenFile(path, name)) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const int result = editor_.RetrieveFieldFilter(path, name);
  QApplication::restoreOverrideCursor();
  if (result != 0) {
    plat::MessageBox(res::LoadString(res::kIdsCouldNotOpenFilter), "", plat::kMbOk);
    return;
  }
  ShowExpression();
}

void CFieldFilterDialog::OnOK() {
  FilterSyntaxFault fault;
  const int result = editor_.OK(&fault);
  if (result == CFieldFilterEditor::kSyntaxFault) {
    ReportSyntax(fault);
    return;
  }
  if (result == CFieldFilterEditor::kPassCancelled) return;
  EndDialog(fw::kIdOk);
}

void CFieldFilterDialog::OnCancel() {
  editor_.Cancel();
  EndDialog(fw::kIdCancel);
}

std::unique_ptr<CFilterCriterion> CFieldFilterDialog::NewCriterion(int fieldId, QWidget* parent) {
  int sub = 0;
  if (IsUserEventField(fieldId) || IsSourceField(fieldId)) {
    const bool ue = IsUserEventField(fieldId);
    CSubFieldDialog chooser(ue ? res::kIdsUserEventField : res::kIdsSourceField,
                            ue ? ffield::kUeDate : ffield::kSrcAll, IsCurrentFormat(), parent);
    if (chooser.exec() != fw::kIdOk) return nullptr;
    sub = chooser.chosen;
    // Citation quality opens nothing and adds nothing.
    if (sub == ffield::kCitQuality) return nullptr;
    if (sub == ffield::kSrcRepository) {
      if (!AppScreens().selectRepository) return nullptr;
      const std::int32_t chosen = AppScreens().selectRepository(parent);
      CRepositoryRecord repository;
      if (chosen <= 0 || DbGetRecord(chosen, db::kRepository, &repository) != 1) return nullptr;
      auto c = std::make_unique<CFilterCriterion>(static_cast<std::uint16_t>(fieldId),
                                                  static_cast<std::uint16_t>(fkind::kRepository));
      c->subField = ffield::kSrcRepository;
      c->text1 = std::make_unique<std::string>(repository.name);
      c->value1 = chosen;
      return c;
    }
  }
  CCriterionDialog dialog(fieldId, KindOfField(fieldId, sub), sub, nullptr, parent);
  if (dialog.exec() != fw::kIdOk) return nullptr;
  return dialog.TakeCriterion();
}

bool CFieldFilterDialog::EditCriterion(CFilterCriterion& criterion, QWidget* parent) {
  const int sub = criterion.kind == fkind::kPlace && criterion.value1 != 0 ? criterion.value1
                                                                           : criterion.subField;
  int kind = criterion.kind;
  if (kind == fkind::kRepository) return false;
  CCriterionDialog dialog(criterion.fieldId, kind, sub, &criterion, parent);
  return dialog.exec() == fw::kIdOk;
}

// ---- Ancestors of ----------------------------------------------------------------------

CAncestorsOfDialog::CAncestorsOfDialog(const std::string& name, bool ancestors, QWidget* parent)
    : fw::CDialogBase(parent), ancestors_(ancestors) {
  plat::ProfilePort& p = plat::Profile();
  if (ancestors) {
    choice.generations = p.GetInt("Search", "FilterAncGens", 999);
    choice.descendantGenerations = p.GetInt("Search", "FilterAncDescGens", 2);
    choice.spouses = p.GetInt("Search", "FilterAncSpouse", 1) != 0;
    choice.allParents = p.GetInt("Search", "FilterAncParents", 0) != 0;
  } else {
    choice.generations = p.GetInt("Search", "FilterDescGens", 999);
    choice.spouses = p.GetInt("Search", "FilterDescSpouse", 1) != 0;
  }
  setWindowTitle(
      Q((ancestors ? std::string("Ancestors of") : res::LoadString(res::kIdsDescendantsOf)) + " " +
        name));
  auto wrap = [](QLabel* l) {
    l->setWordWrap(true);
    return l;
  };
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(AddControl(
      kIdcQuestion, wrap(new QLabel(Q(res::FormatString(
                        res::kIdsGenerationsQuestion,
                        {name, res::LoadString(ancestors ? res::kIdsAncestorsWord
                                                         : res::kIdsDescendantsWord)}))))));
  auto addNumber = [&](int labelId, const char* label, int editId) {
    auto* row = new QHBoxLayout;
    auto* l = AddControl(labelId, new QLabel(QString::fromLatin1(label)));
    auto* e = AddControl(editId, new QLineEdit);
    e->setMaxLength(3);
    e->setFixedWidth(DialogUnitsToPixels(24, 0).width());
    l->setBuddy(e);
    row->addWidget(l);
    row->addWidget(e);
    row->addStretch();
    layout->addLayout(row);
  };
  addNumber(1369, "&Number of generations:", kIdcGenerations);
  layout->addWidget(AddControl(
      kIdcDescText, wrap(new QLabel(QStringLiteral(
                        "For each ancestor, how many generations of descendants do "
                        "you want to select? (1 = Children, 2 = Grandchildren, etc)")))));
  addNumber(kIdcDescLabel, "&Descendant generations:", kIdcDescGenerations);
  layout->addWidget(AddControl(
      kIdcSpouseText,
      wrap(new QLabel(
          ancestors ? QStringLiteral("In addition to the direct-line spouses, do you want to "
                                     "include the other spouses of ancestors, the other spouses "
                                     "of the selected person, and all spouses of included "
                                     "descendants?")
                    : Q(res::FormatString(res::kIdsDescendantSpouses, {name}))))));
  layout->addWidget(AddControl(kIdcSpouses, new QCheckBox(QStringLiteral("Include &spouses"))));
  layout->addWidget(AddControl(
      kIdcParentsText, wrap(new QLabel(QStringLiteral(
                           "Do you want to include the primary parents only or all the parents "
                           "of a person?")))));
  layout->addWidget(
      AddControl(kIdcAllParents, new QCheckBox(QStringLiteral("Include all p&arents"))));
  if (!ancestors) {
    for (int id :
         {kIdcDescLabel, kIdcDescGenerations, kIdcDescText, kIdcParentsText, kIdcAllParents})
      GetControl(id)->hide();
  }
  AddOkCancelHelp(*this, layout);
  setMinimumWidth(DialogUnitsToPixels(220, 0).width());
}

bool CAncestorsOfDialog::DoDataExchange(bool save) {
  std::int32_t n = choice.generations, d = choice.descendantGenerations;
  int spouses = choice.spouses ? 1 : 0, all = choice.allParents ? 1 : 0;
  if (!ExchangeInt(save, kIdcGenerations, n, 1, 999)) return false;
  if (ancestors_ && !ExchangeInt(save, kIdcDescGenerations, d, 0, 999)) return false;
  ExchangeCheck(save, kIdcSpouses, spouses);
  ExchangeCheck(save, kIdcAllParents, all);
  if (save) {
    choice.generations = n;
    choice.descendantGenerations = d;
    choice.spouses = spouses != 0;
    choice.allParents = all != 0;
  }
  return true;
}

void CAncestorsOfDialog::OnOK() {
  if (!UpdateData(true)) return;
  plat::ProfilePort& p = plat::Profile();
  if (ancestors_) {
    p.SetInt("Search", "FilterAncGens", choice.generations);
    p.SetInt("Search", "FilterAncDescGens", choice.descendantGenerations);
    p.SetInt("Search", "FilterAncSpouse", choice.spouses ? 1 : 0);
    p.SetInt("Search", "FilterAncParents", choice.allParents ? 1 : 0);
  } else {
    p.SetInt("Search", "FilterDescGens", choice.generations);
    p.SetInt("Search", "FilterDescSpouse", choice.spouses ? 1 : 0);
  }
  EndDialog(fw::kIdOk);
}

RelationshipFilterHooks RelationshipFilterScreens(QWidget* parent) {
  RelationshipFilterHooks hooks;
  hooks.askGenerations = [parent](std::int32_t rin, bool ancestors, GenerationChoice& choice) {
    CIndividualRecord record;
    std::string name;
    if (DbGetIndividualRecord(rin, record, 3) == 1) name = record.GetName(0, false, 0, false);
    CAncestorsOfDialog dialog(name, ancestors, parent);
    if (dialog.exec() != fw::kIdOk) return false;
    choice = dialog.choice;
    return true;
  };
  if (AppScreens().marriagesFor)
    hooks.chooseMarriage = [parent](std::int32_t rin) {
      return AppScreens().marriagesFor(parent, rin);
    };
  if (AppScreens().familiesFor)
    hooks.chooseFamily = [parent](std::int32_t rin, int& choice, std::int32_t& mrin) {
      std::int32_t value = 0;
      if (!AppScreens().familiesFor(parent, rin, value)) return false;
      choice = value == 0 ? 0 : value == -1 ? 1 : value == -2 ? 2 : 3;
      mrin = value > 0 ? value : 0;
      return true;
    };
  hooks.dispatch = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
  return hooks;
}
