#include "app/gui/simplify_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "foundation/message_box.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "foundation/string_table.h"
#include "foundation/text_format.h"
#include "model/spine.h"
#include "shell/move_commands.h"
#include "shell/spine_text_view.h"

namespace {

constexpr int kProceedId = 9833;    // "Simplification of component %u is finished, proceed ...?"
constexpr int kNoSearchId = 9834;   // the search is not available

QString Text(int id) { return QString::fromStdString(std::string(StringTableText(id).value_or(""))); }

// The wait cursor for the time of a scope.
struct TWaitCursor {
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

TSimplifyDialog::TSimplifyDialog(TSpineTextView& view, const TOptionValues& options, QWidget* parent)
    : QDialog(parent), view_(view), options_(options), moves_(view.Document().Spine()) {
  setWindowTitle(tr("Simplify"));
  list_ = new QListWidget(this);
  defaultButton_ = new QPushButton(this);
  auto* makeSelected = new QPushButton(tr("Make Selected"), this);
  makeSelected->setDefault(true);
  auto* makeAll = new QPushButton(tr("Make All"), this);
  auto* search = new QPushButton(tr("Search For Normal Surfaces"), this);
  search->setEnabled(false);
  search->setToolTip(Text(kNoSearchId));
  nextButton_ = new QPushButton(tr("Next Connected Component"), this);
  auto* close = new QPushButton(tr("Close"), this);
  status_ = new QLabel(this);
  status_->setWordWrap(true);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {makeSelected, makeAll, search, nextButton_, close}) buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addWidget(defaultButton_);
  layout->addLayout(buttons);
  layout->addWidget(status_);
  resize(800, 500);

  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { MakeSelected(); });
  connect(makeSelected, &QPushButton::clicked, this, [this] { MakeSelected(); });
  connect(defaultButton_, &QPushButton::clicked, this, [this] { MakeDefault(); });
  connect(makeAll, &QPushButton::clicked, this, [this] { MakeAll(); });
  connect(nextButton_, &QPushButton::clicked, this, [this] { NextComponent(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  FillList();
}

void TSimplifyDialog::FillList() {
  TWaitCursor wait;
  moves_.Fill();
  // A finished component offers the next one; the offer goes forward only,
  // so that it ends when no component can be simplified any more.
  while (moves_.DefaultIndex() == -1 && moves_.Component().Next() != nullptr) {
    const std::string question =
        FormatText(Text(kProceedId).toStdString(), static_cast<unsigned>(moves_.ComponentNumber()));
    if (ShowMessageBox(question, TMessageButtons::OkCancel, TMessageIcon::Question) != TMessageResult::Ok) break;
    moves_.NextComponent();
  }
  list_->clear();
  for (const TSimplifyEntry& entry : moves_.Entries()) list_->addItem(QString::fromStdString(entry.text));
  defaultButton_->setText(QString::fromStdString(moves_.DefaultCaption()));
  nextButton_->setEnabled(moves_.HasNextComponent());
  if (moves_.DefaultIndex() != -1) list_->setCurrentRow(moves_.DefaultIndex());
}

void TSimplifyDialog::MakeSelected() {
  if (list_->currentRow() >= 0) MakeMove(list_->currentRow());
}

void TSimplifyDialog::MakeDefault() { MakeMove(moves_.DefaultIndex()); }

void TSimplifyDialog::ShowReport(const std::string& text) {
  view_.WriteText(text, false);
  view_.Document().SetParsedText(text, options_);
  view_.SetTransformedState(true);
}

void TSimplifyDialog::MakeMove(int k) {
  if (k < 0 || k >= static_cast<int>(moves_.Entries().size())) return;
  TWaitCursor wait;
  // A move the user asks for is new work: a stop asked of an earlier
  // computation does not apply to it.
  StopFlags().stop.store(0);
  std::string moveText;
  int moved = 0;
  try {
    moved = moves_.MakeMove(k, moveText);
  } catch (const TComputationStopped&) {
    moved = 0;
  }
  status_->setText(QString::fromStdString(moveText));
  if (moved == 0) return;
  TCommandRun run(view_.Document(), view_.CommandText(), options_);
  run.stepCounter = view_.StepCounter() + 1;
  PrintStepHeader(run, options_.ReportType, 1, run.stepCounter, moveText);
  WriteMoveReportAndSpine(run);
  ShowReport(run.output.Text());
  FillList();
}

void TSimplifyDialog::MakeAll() {
  int total = 0;
  std::string text;
  {
    TWaitCursor wait;
    StopFlags().stop.store(0);
    TCommandRun run(view_.Document(), view_.CommandText(), options_);
    try {
      total = MakeDefaultMoves(run, text);
    } catch (const TComputationStopped&) {
      total = 0;
    }
    if (total != 0) {
      WriteMoveReportAndSpine(run);
      ShowReport(run.output.Text());
    }
  }
  status_->setText(QString::fromStdString(text));
  if (total != 0) FillList();
}

void TSimplifyDialog::NextComponent() {
  if (!moves_.HasNextComponent()) return;
  moves_.NextComponent();
  FillList();
}
