#include "ConversionDialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "CompactPath.h"
#include "FamilyDatabase.h"
#include "FileSystem.h"
#include "QtPorts.h"
#include "QtTextMeasure.h"

namespace {

QPushButton* Button(const char* text) {
  auto* b = new QPushButton(QString::fromUtf8(text));
  b->setAutoDefault(false);
  return b;
}

}  // namespace

// ---- the introduction ----

CConversionOptionsDialog::CConversionOptionsDialog(shell::ConversionIntro& intro, QWidget* parent)
    : fw::CDialogBase(parent), intro_(intro) {
  setWindowTitle(QString::fromUtf8(shell::kConversionCaption));
  auto* statement = new QLabel(QString::fromUtf8(shell::kConversionStatement));
  statement->setWordWrap(true);
  statement->setMinimumWidth(DialogUnitsToPixels(220, 0).width());
  auto* facts = new QFormLayout;
  // The location is a folder path: file-system bytes, not code-page text.
  facts->addRow(
      QStringLiteral("Location:"),
      AddControl(shell::kIdcIntroLocation, new QLabel(QString::fromStdString(intro.location))));
  facts->addRow(QStringLiteral("Title:"),
                AddControl(shell::kIdcIntroTitle, new QLabel(fw::ToQString(intro.title))));
  facts->addRow(QStringLiteral("Individuals:"),
                AddControl(shell::kIdcIntroCount, new QLabel(fw::ToQString(intro.count))));
  auto* wrap = AddControl(shell::kIdcWrapNotes,
                          new QCheckBox(QStringLiteral("&Wrap note lines into paragraphs")));
  auto* preserve = AddControl(shell::kIdcPreserveNumbers,
                              new QCheckBox(QStringLiteral("&Preserve old RIN numbers")));
  auto* sources = AddControl(
      shell::kIdcConvertSourceNotes,
      new QCheckBox(
          QStringLiteral("Convert old &source notes into new source citation records (see Help)")));
  auto* ok = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("OK")));
  auto* cancel = AddControl(fw::kIdCancel, Button("Cancel"));
  ok->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* top = new QVBoxLayout(this);
  top->addWidget(statement);
  top->addLayout(facts);
  top->addWidget(wrap);
  top->addWidget(preserve);
  top->addWidget(sources);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);
  connect(ok, &QPushButton::clicked, this, &CConversionOptionsDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &CConversionOptionsDialog::reject);
}

void CConversionOptionsDialog::OnInitDialog() {
  SetCheck(shell::kIdcWrapNotes, intro_.options.wrap ? 1 : 0);
  SetCheck(shell::kIdcPreserveNumbers, intro_.options.preserveNumbers ? 1 : 0);
  SetCheck(shell::kIdcConvertSourceNotes, intro_.options.convertSourceNotes ? 1 : 0);
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
}

void CConversionOptionsDialog::OnOK() {
  intro_.options.wrap = GetCheck(shell::kIdcWrapNotes) != 0;
  intro_.options.preserveNumbers = GetCheck(shell::kIdcPreserveNumbers) != 0;
  intro_.options.convertSourceNotes = GetCheck(shell::kIdcConvertSourceNotes) != 0;
  fw::CDialogBase::OnOK();
}

// ---- the File Converter ----

CFileConverterDialog::CFileConverterDialog(CFamilyDatabase& source,
                                           const orv2::ConversionOptions& options,
                                           std::string destination, QWidget* parent)
    : fw::CDialogBase(parent),
      source_(source),
      options_(options),
      destination_(std::move(destination)) {
  setWindowTitle(QString::fromUtf8(shell::kConverterCaption));
  auto* heading = new QLabel(QStringLiteral("NOW CONVERTING"));
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  heading->setAlignment(Qt::AlignCenter);
  const int pathWidth = DialogUnitsToPixels(200, 0).width();
  auto* from = AddControl(shell::kIdcConverterFrom, new QLabel);
  auto* to = AddControl(shell::kIdcConverterTo, new QLabel);
  from->setFixedWidth(pathWidth);
  to->setFixedWidth(pathWidth);
  auto* pass = AddControl(shell::kIdcConverterPass, new QLabel);
  auto* counter = AddControl(shell::kIdcConverterCounter, new QLabel);
  pass->setMinimumWidth(DialogUnitsToPixels(90, 0).width());
  counter->setMinimumWidth(DialogUnitsToPixels(60, 0).width());
  auto* convert = AddControl(shell::kIdcConvert, Button("Convert"));
  auto* close = AddControl(fw::kIdCancel, Button("&Close"));

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("From:")), 0, 0);
  grid->addWidget(from, 0, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("To:")), 1, 0);
  grid->addWidget(to, 1, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Progress:")), 2, 0);
  grid->addWidget(pass, 2, 1);
  grid->addWidget(counter, 2, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(convert);
  buttons->addWidget(close);
  auto* top = new QVBoxLayout(this);
  top->addWidget(heading);
  top->addLayout(grid);
  top->addLayout(buttons);
  top->setSizeConstraint(QLayout::SetFixedSize);

  state_.refresh = [this] { Refresh(); };
  state_.pump = [] {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return true;
  };
  state_.askSourceNote = [this](const std::string& name, const orv2::SourceNote& note) {
    shell::SourceNoteForm form(name, note);
    CConvertSourceNotesDialog dialog(form, this);
    return dialog.DoModal();
  };
  connect(convert, &QPushButton::clicked, this, &CFileConverterDialog::OnConvert);
  connect(close, &QPushButton::clicked, this, &CFileConverterDialog::reject);
}

void CFileConverterDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  auto* from = Control<QLabel>(shell::kIdcConverterFrom);
  const fw::QtTextMeasure measure(from->font(), from);
  std::string folder = source_.folder;
  SetControlText(shell::kIdcConverterFrom,
                 CompactPathToWidth(plat::PathText(folder), measure, from->width()));
  SetControlText(shell::kIdcConverterTo,
                 CompactPathToWidth(plat::PathText(destination_), measure, from->width()));
  CenterWindow();
  // The conversion starts by itself once the dialog is up.
  QTimer::singleShot(0, this, &CFileConverterDialog::OnConvert);
}

int CFileConverterDialog::DoModal() {
  exec();
  return result_;
}

void CFileConverterDialog::Refresh() {
  SetControlText(shell::kIdcConverterPass, state_.PassLabel());
  SetControlText(shell::kIdcConverterCounter, state_.Counter());
  update();
}

void CFileConverterDialog::OnConvert() {
  if (running_) return;
  running_ = true;
  EnableControl(shell::kIdcConvert, false);
  orv2::COrv2Converter converter(source_, options_, state_);
  result_ = converter.Run(destination_);
  running_ = false;
  EndDialog(result_ == 1 ? fw::kIdOk : fw::kIdCancel);
}

void CFileConverterDialog::reject() {
  if (running_) {
    state_.RequestCancel();
    return;
  }
  fw::CDialogBase::reject();
}

// ---- Convert Source Notes ----

CConvertSourceNotesDialog::CConvertSourceNotesDialog(shell::SourceNoteForm& form, QWidget* parent)
    : fw::CDialogBase(parent), form_(form) {
  setWindowTitle(fw::ToQString(form.Caption()));
  auto* original = AddControl(shell::kIdcOriginalNote, new QPlainTextEdit);
  original->setReadOnly(true);
  original->setPlainText(fw::ToQString(form.note.original));
  original->setMinimumSize(DialogUnitsToPixels(260, 40));

  auto field = [&](int id, const std::string& text) {
    auto* edit = AddControl(id, new QLineEdit(fw::ToQString(text)));
    edit->setMinimumWidth(DialogUnitsToPixels(180, 0).width());
    return edit;
  };
  auto* fields = new QFormLayout;
  fields->addRow(QStringLiteral("&Title:"), field(shell::kIdcSourceTitle, form.note.title));
  fields->addRow(QStringLiteral("A&uthor:"), field(shell::kIdcSourceAuthor, form.note.author));
  fields->addRow(QStringLiteral("Publication/&Facts:"),
                 field(shell::kIdcSourcePublication, form.note.publication));
  fields->addRow(QStringLiteral("&Page/Film Number:"),
                 field(shell::kIdcSourcePage, form.note.page));
  fields->addRow(QStringLiteral("Co&mments:"),
                 field(shell::kIdcSourceComments, form.note.comments));
  fields->addRow(QStringLiteral("&Repository:"),
                 field(shell::kIdcSourceRepository, form.note.repository));
  fields->addRow(QStringLiteral("Ca&ll Number:"),
                 field(shell::kIdcSourceCallNumber, form.note.callNumber));

  auto list = [&](int id, const std::vector<std::string>& tags) {
    auto* l = AddControl(id, new QListWidget);
    for (const std::string& t : tags) l->addItem(fw::ToQString(t));
    l->setMaximumHeight(DialogUnitsToPixels(0, 50).height());
    return l;
  };
  auto* lists = new QGridLayout;
  auto* citing = new QLabel(QStringLiteral("Citing &Events"));
  auto* citingList = list(shell::kIdcCitingEvents, form.note.cited);
  citing->setBuddy(citingList);
  lists->addWidget(citing, 0, 0);
  lists->addWidget(new QLabel(QStringLiteral("Tags Not Cited")), 0, 1);
  lists->addWidget(citingList, 1, 0);
  lists->addWidget(list(shell::kIdcTagsNotCited, form.note.notCited), 1, 1);

  auto* retain = AddControl(shell::kIdcRetain, new QCheckBox(QStringLiteral("Retain")));
  auto* convertAll = AddControl(shell::kIdcConvertAll, Button("Convert &All"));
  auto* convert = AddControl(fw::kIdOk, new QPushButton(QStringLiteral("&Convert")));
  auto* dont = AddControl(shell::kIdcDontConvert, Button("&Don't Convert"));
  auto* dontAny = AddControl(fw::kIdCancel, Button("Don't Convert A&ny"));
  auto* help = Button("Help");
  help->setEnabled(false);  // the help system is not part of this program yet
  convert->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(retain);
  buttons->addStretch();
  for (QPushButton* b : {convertAll, convert, dont, dontAny, help}) buttons->addWidget(b);
  auto* top = new QVBoxLayout(this);
  top->addWidget(new QLabel(QStringLiteral("Original Source Note:")));
  top->addWidget(original);
  top->addLayout(fields);
  top->addLayout(lists);
  top->addLayout(buttons);

  connect(convertAll, &QPushButton::clicked, this,
          [this] { Finish(orv2::SourceNoteChoice::kConvertAll); });
  connect(convert, &QPushButton::clicked, this,
          [this] { Finish(orv2::SourceNoteChoice::kConvert); });
  connect(dont, &QPushButton::clicked, this,
          [this] { Finish(orv2::SourceNoteChoice::kDontConvert); });
  connect(dontAny, &QPushButton::clicked, this,
          [this] { Finish(orv2::SourceNoteChoice::kDontConvertAny); });
}

void CConvertSourceNotesDialog::OnInitDialog() {
  fw::CDialogBase::OnInitDialog();
  CenterWindow();
}

void CConvertSourceNotesDialog::Finish(orv2::SourceNoteChoice choice) {
  orv2::SourceNote& n = form_.note;
  n.title = GetControlText(shell::kIdcSourceTitle);
  n.author = GetControlText(shell::kIdcSourceAuthor);
  n.publication = GetControlText(shell::kIdcSourcePublication);
  n.page = GetControlText(shell::kIdcSourcePage);
  n.comments = GetControlText(shell::kIdcSourceComments);
  n.repository = GetControlText(shell::kIdcSourceRepository);
  n.callNumber = GetControlText(shell::kIdcSourceCallNumber);
  form_.retain = GetCheck(shell::kIdcRetain) != 0;
  answer_ = form_.Answer(choice);
  done(choice == orv2::SourceNoteChoice::kDontConvertAny ? fw::kIdCancel : fw::kIdOk);
}

void CConvertSourceNotesDialog::reject() { Finish(orv2::SourceNoteChoice::kDontConvertAny); }

orv2::SourceNoteAnswer CConvertSourceNotesDialog::DoModal() {
  answer_ = form_.Answer(orv2::SourceNoteChoice::kDontConvert);
  exec();
  return answer_;
}
