// The modal "Simplify" dialog (F8): the moves that apply to one connected
// component of the view's spine, one entry per move and 2-cell, with the move
// the automatic simplification would take as the default button. Each move
// made replaces the document text by its report and the spine, and the list
// is built again.
//
// The normal-torus search of the dialog is not offered: its button says so.
#pragma once

#include <QDialog>

#include "moves/simplify_move_list.h"
#include "shell/options.h"

class QLabel;
class QListWidget;
class QPushButton;
class TSpineTextView;

class TSimplifyDialog : public QDialog {
 public:
  // The view's spine must be parsed, thickened and checked for moves.
  TSimplifyDialog(TSpineTextView& view, const TOptionValues& options, QWidget* parent = nullptr);

  QListWidget* List() const { return list_; }
  QPushButton* DefaultButton() const { return defaultButton_; }
  QPushButton* NextComponentButton() const { return nextButton_; }
  QLabel* StatusLine() const { return status_; }
  const TSimplifyMoveList& Moves() const { return moves_; }

  // The buttons' actions.
  void MakeSelected();
  void MakeDefault();
  void MakeAll();
  void NextComponent();

 private:
  void FillList();
  void MakeMove(int k);
  // Shows the composed report as the document text.
  void ShowReport(const std::string& text);

  TSpineTextView& view_;
  const TOptionValues& options_;
  TSimplifyMoveList moves_;
  QListWidget* list_ = nullptr;
  QPushButton* defaultButton_ = nullptr;
  QPushButton* nextButton_ = nullptr;
  QLabel* status_ = nullptr;
};
