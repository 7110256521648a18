#include "app/gui/simplify_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "foundation/message_box.h"
#include "foundation/status_reporter.h"
#include "foundation/stop_flags.h"
#include "foundation/stop_poll.h"
#include "foundation/string_table.h"
#include "foundation/text_format.h"
#include "invariants/normal_torus_list_search.h"
#include "model/spine.h"
#include "shell/move_commands.h"
#include "shell/spine_text_view.h"
#include "shell/task_runner.h"

namespace {

constexpr int kProceedId = 9833;    // "Simplification of component %u is finished, proceed ...?"
constexpr int kNotSpecialId = 9360;      // "Searching for surfaces is realized only for special spines"
constexpr int kTerminateId = 9361;       // "Terminate searching for normal surfaces?"
constexpr int kSearchCaptionId = 9362;   // "Search For Normal Surfaces"
constexpr int kStopCaptionId = 9363;     // "Stop Searching For Normal Surfaces"

QString Text(int id) { return QString::fromStdString(std::string(StringTableText(id).value_or(""))); }

// The wait cursor for the time of a scope.
struct TWaitCursor {
  TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

TSimplifyDialog::TSimplifyDialog(TSpineTextView& view, const TOptionValues& options, TTaskRunner& runner,
                                 QWidget* parent)
    : QDialog(parent), view_(view), options_(options), runner_(runner), moves_(view.Document().Spine()) {
  setWindowTitle(tr("Simplify"));
  list_ = new QListWidget(this);
  defaultButton_ = new QPushButton(this);
  auto* makeSelected = new QPushButton(tr("Make Selected"), this);
  makeSelected->setDefault(true);
  auto* makeAll = new QPushButton(tr("Make All"), this);
  searchButton_ = new QPushButton(Text(kSearchCaptionId), this);
  nextButton_ = new QPushButton(tr("Next Connected Component"), this);
  auto* close = new QPushButton(tr("Close"), this);
  status_ = new QLabel(this);
  status_->setWordWrap(true);

  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {makeSelected, makeAll, searchButton_, nextButton_, close}) buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addWidget(defaultButton_);
  layout->addLayout(buttons);
  layout->addWidget(status_);
  resize(800, 500);

  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { MakeSelected(); });
  connect(searchButton_, &QPushButton::clicked, this, [this] { ToggleSearch(); });
  connect(makeSelected, &QPushButton::clicked, this, [this] { MakeSelected(); });
  connect(defaultButton_, &QPushButton::clicked, this, [this] { MakeDefault(); });
  connect(makeAll, &QPushButton::clicked, this, [this] { MakeAll(); });
  connect(nextButton_, &QPushButton::clicked, this, [this] { NextComponent(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  FillList();
}

TSimplifyDialog::~TSimplifyDialog() { StopSearch(); }

void TSimplifyDialog::FillList() {
  TWaitCursor wait;
  ++searchGeneration_;
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
  if (!ConfirmStopSearch()) return;
  if (list_->currentRow() >= 0) MakeMove(list_->currentRow());
}

void TSimplifyDialog::MakeDefault() {
  if (!ConfirmStopSearch()) return;
  MakeMove(moves_.DefaultIndex());
}

bool TSimplifyDialog::ConfirmStopSearch() {
  if (!searching_) return true;
  if (ShowMessageBox(Text(kTerminateId).toStdString(), TMessageButtons::OkCancel, TMessageIcon::Question) !=
      TMessageResult::Ok) {
    return false;
  }
  StopSearch();
  return true;
}

void TSimplifyDialog::StopSearch() {
  if (!searching_) return;
  runner_.Stop();
  runner_.Wait();
  ClearStatusWindow();
  searching_ = false;
  ++searchGeneration_;
  searchButton_->setText(Text(kSearchCaptionId));
}

void TSimplifyDialog::ToggleSearch() {
  if (searching_) {
    StopSearch();
    return;
  }
  if (runner_.IsBusy()) return;
  TSpine* spine = &moves_.Component();
  const bool mayChooseDefault = moves_.DefaultIndex() == -1;
  const unsigned generation = ++searchGeneration_;
  // The worker only reads the component: every action that would change it
  // ends the search first. What it finds reaches the list through queued
  // calls, dropped when the dialog is gone or the search has ended.
  auto work = [this, spine, mayChooseDefault, generation] {
    std::string message;
    try {
      const TNormalTorusListSearch outcome = SearchNormalTori(
          *spine, mayChooseDefault, 0, [this, generation](std::vector<std::uint8_t> plates, std::string text, bool makeDefault) {
            QMetaObject::invokeMethod(
                this, [this, generation, plates = std::move(plates), text = std::move(text), makeDefault]() mutable {
                  AddTorus(generation, std::move(plates), text, makeDefault);
                },
                Qt::QueuedConnection);
          });
      if (outcome.notSpecial) message = Text(kNotSpecialId).toStdString();
    } catch (const TComputationStopped&) {
    } catch (const std::exception& error) {
      message = error.what();
    }
    QMetaObject::invokeMethod(this, [this, generation, message] { SearchEnded(generation, message); },
                              Qt::QueuedConnection);
  };
  StopFlags().stop.store(0);
  // The search's progress goes to the dialog's status line meanwhile.
  SetStatusWindow([this](const char* text) {
    const QString message = QString::fromUtf8(text);
    QMetaObject::invokeMethod(this, [this, message] { status_->setText(message); }, Qt::QueuedConnection);
  });
  if (!runner_.LaunchCommand(nullptr, work)) {
    ClearStatusWindow();
    return;
  }
  searching_ = true;
  searchButton_->setText(Text(kStopCaptionId));
}

void TSimplifyDialog::AddTorus(unsigned generation, std::vector<std::uint8_t> plates, const std::string& text,
                               bool makeDefault) {
  if (generation != searchGeneration_) return;
  moves_.AddNormalTorus(std::move(plates), text, makeDefault);
  list_->addItem(QString::fromStdString(text));
  if (makeDefault) list_->setCurrentRow(moves_.DefaultIndex());
}

void TSimplifyDialog::SearchEnded(unsigned generation, const std::string& message) {
  if (generation != searchGeneration_) return;
  runner_.Wait();
  ClearStatusWindow();
  searching_ = false;
  searchButton_->setText(Text(kSearchCaptionId));
  status_->setText(QString::fromStdString(message));
}

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
  if (!ConfirmStopSearch()) return;
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
  if (!ConfirmStopSearch()) return;
  if (!moves_.HasNextComponent()) return;
  moves_.NextComponent();
  FillList();
}
