// The modal "Simplify" dialog (F8): the moves that apply to one connected
// component of the view's spine, one entry per move and 2-cell, with the move
// the automatic simplification would take as the default button. Each move
// made replaces the document text by its report and the spine, and the list
// is built again.
//
// "Search For Normal Surfaces" searches the current component for normal
// tori on the worker thread; each torus found is added to the list as a
// cutting along it. While it runs, every other action first asks whether to
// end it; closing the dialog ends it and waits for the worker.
#pragma once

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

#include "moves/simplify_move_list.h"
#include "shell/options.h"

class QLabel;
class QListWidget;
class QPushButton;
class TSpineTextView;
class TTaskRunner;

class TSimplifyDialog : public QDialog {
 public:
  // The view's spine must be parsed, thickened and checked for moves. The
  // search runs on the runner's worker.
  TSimplifyDialog(TSpineTextView& view, const TOptionValues& options, TTaskRunner& runner,
                  QWidget* parent = nullptr);
  ~TSimplifyDialog() override;

  QListWidget* List() const { return list_; }
  QPushButton* DefaultButton() const { return defaultButton_; }
  QPushButton* NextComponentButton() const { return nextButton_; }
  QLabel* StatusLine() const { return status_; }
  QPushButton* SearchButton() const { return searchButton_; }
  bool Searching() const { return searching_; }
  const TSimplifyMoveList& Moves() const { return moves_; }

  // The buttons' actions.
  void MakeSelected();
  void MakeDefault();
  void MakeAll();
  void NextComponent();
  // Starts the search, or ends a running one.
  void ToggleSearch();

 private:
  void FillList();
  // With a search running: asks whether to end it ("Terminate searching for
  // normal surfaces?"); OK ends it and gives true, Cancel false.
  bool ConfirmStopSearch();
  void StopSearch();
  // On the user interface thread: a torus found by the search of the given
  // generation (a torus of an ended search is dropped).
  void AddTorus(unsigned generation, std::vector<std::uint8_t> plates, const std::string& text, bool makeDefault);
  void SearchEnded(unsigned generation, const std::string& message);
  void MakeMove(int k);
  // Shows the composed report as the document text.
  void ShowReport(const std::string& text);

  TSpineTextView& view_;
  const TOptionValues& options_;
  TTaskRunner& runner_;
  TSimplifyMoveList moves_;
  QListWidget* list_ = nullptr;
  QPushButton* defaultButton_ = nullptr;
  QPushButton* nextButton_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* searchButton_ = nullptr;
  bool searching_ = false;
  // Raised whenever a search ends or the list is rebuilt: what an earlier
  // search still has on its way is dropped.
  unsigned searchGeneration_ = 0;
};
