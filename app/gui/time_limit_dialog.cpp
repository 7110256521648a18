#include "app/gui/time_limit_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TTimeLimitDialog::TTimeLimitDialog(TTimeLimitDlg& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  setWindowTitle(QString::fromStdString(dialog_.Title()));
  auto* layout = new QVBoxLayout(this);
  if (!dialog_.upperText.empty()) {
    layout->addWidget(new QLabel(QString::fromStdString(dialog_.upperText), this));
  }
  auto* row = new QGridLayout;
  field_ = new QLineEdit(QString::fromStdString(TTimeLimitDlg::FieldText(dialog_.value)), this);
  field_->setMaxLength(20);
  plus_ = new QPushButton(QStringLiteral("+"), this);
  minus_ = new QPushButton(QStringLiteral("-"), this);
  plus_->setAutoDefault(false);
  minus_->setAutoDefault(false);
  row->addWidget(field_, 0, 0);
  row->addWidget(plus_, 0, 1);
  row->addWidget(minus_, 0, 2);
  layout->addLayout(row);
  message_ = new QLabel(this);
  layout->addWidget(message_);
  if (!dialog_.lowerText.empty()) {
    // The notes are kept with CR LF line ends.
    QString note = QString::fromStdString(dialog_.lowerText);
    note.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    layout->addWidget(new QLabel(note, this));
  }
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(tr("Ok"), QDialogButtonBox::AcceptRole);
  buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &TTimeLimitDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &TTimeLimitDialog::reject);
  connect(plus_, &QPushButton::clicked, this,
          [this] { Show(dialog_.Plus(field_->text().toStdString())); });
  connect(minus_, &QPushButton::clicked, this,
          [this] { Show(dialog_.Minus(field_->text().toStdString())); });
}

void TTimeLimitDialog::Show(const TTimeLimitDlg::TPress& press) {
  if (press.accepted) {
    field_->setText(QString::fromStdString(press.fieldText));
    message_->clear();
  } else {
    message_->setText(QString::fromStdString(press.message));
  }
}

void TTimeLimitDialog::accept() {
  const TTimeLimitDlg::TPress press = dialog_.Ok(field_->text().toStdString());
  if (!press.accepted) {
    message_->setText(QString::fromStdString(press.message));
    return;
  }
  QDialog::accept();
}
