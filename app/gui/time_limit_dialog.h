// The "Time Limit" dialog: one integer field with "+" and "-", a text above,
// a note below and a message line, for the value options (the step of the
// default moves, the time limits, the maximal order of the invariants, the
// number of boundary tori).
#pragma once

#include <QDialog>

#include "shell/time_limit_rules.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TTimeLimitDialog : public QDialog {
  Q_OBJECT

 public:
  // Edits dialog.value; on OK the value is stored there and dialog.changed set.
  TTimeLimitDialog(TTimeLimitDlg& dialog, QWidget* parent);

  QLineEdit* Field() const { return field_; }
  QLabel* MessageLine() const { return message_; }
  QPushButton* PlusButton() const { return plus_; }
  QPushButton* MinusButton() const { return minus_; }

 public slots:
  void accept() override;

 private:
  void Show(const TTimeLimitDlg::TPress& press);

  TTimeLimitDlg& dialog_;
  QLineEdit* field_ = nullptr;
  QLabel* message_ = nullptr;
  QPushButton* plus_ = nullptr;
  QPushButton* minus_ = nullptr;
};
