#include "SortCountersWindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "QtPorts.h"

CSortCountersWindow::CSortCountersWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Alphabetic File Sort"));
  auto* grid = new QGridLayout;
  QLabel** counters[] = {&records_, &processed_, &sorted_};
  const char* titles[] = {"Records:", "Processed:", "Sorted:"};
  for (int row = 0; row < 3; ++row) {
    grid->addWidget(new QLabel(QString::fromLatin1(titles[row])), row, 0);
    *counters[row] = new QLabel(QStringLiteral("0"));
    (*counters[row])->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    (*counters[row])->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    grid->addWidget(*counters[row], row, 1);
  }
  auto* cancel = new QPushButton(QStringLiteral("Cancel"));
  cancel->setObjectName(QStringLiteral("cancel"));
  auto* top = new QVBoxLayout(this);
  top->addLayout(grid);
  top->addWidget(cancel, 0, Qt::AlignHCenter);
  top->setSizeConstraint(QLayout::SetFixedSize);
  connect(cancel, &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

void CSortCountersWindow::Begin(const std::string& caption, std::int32_t records) {
  cancelled_ = false;
  setWindowTitle(fw::ToQString(caption));
  records_->setText(QString::number(records));
  processed_->setText(QStringLiteral("0"));
  sorted_->setText(QStringLiteral("0"));
  show();
  if (QWidget* owner = parentWidget())
    move(owner->mapToGlobal(owner->rect().center()) - rect().center());
  QApplication::processEvents();
}

void CSortCountersWindow::Show(QLabel* label, std::int32_t count) {
  label->setText(QString::number(count));
  // Paints the count and lets Cancel be pressed.
  QApplication::processEvents();
}

void CSortCountersWindow::SetProcessed(std::int32_t count) { Show(processed_, count); }
void CSortCountersWindow::SetSorted(std::int32_t count) { Show(sorted_, count); }
bool CSortCountersWindow::CancelRequested() { return cancelled_; }
void CSortCountersWindow::End() { hide(); }

QString CSortCountersWindow::RecordsText() const { return records_->text(); }
QString CSortCountersWindow::ProcessedText() const { return processed_->text(); }
QString CSortCountersWindow::SortedText() const { return sorted_->text(); }
