#include "ui/dialogs/zug_dialog.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "common/bounded_text.h"
#include "ui/dialogs/dialog_units.h"

ZugDialog::ZugDialog(QWidget* parent) : ModalDialog(parent) {
  const DialogUnits du = set_up_template(this, QStringLiteral("moves"), system_font(),
                                         114, 75);
  auto* frame = new QGroupBox(QStringLiteral("enter a move"), this);
  frame->setGeometry(du.rect(11, 8, 90, 36));
  edit_ = new QLineEdit(this);
  name_control(edit_, MOVE_EDIT);
  edit_->setGeometry(du.rect(22, 25, 62, 12));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  name_control(ok, 1);
  ok->setGeometry(du.rect(12, 51, 32, 14));
  ok->setDefault(true);  // Enter in the edit field means OK
  connect(ok, &QPushButton::clicked, this, &ZugDialog::accept);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  name_control(cancel, 2);
  cancel->setGeometry(du.rect(57, 51, 44, 14));
  connect(cancel, &QPushButton::clicked, this, &ZugDialog::reject);
}

void ZugDialog::OnInitDialog() {
  edit_->selectAll();
  edit_->clear();
  move_text[0] = '\0';
  edit_->setFocus();
}

void ZugDialog::OnOK() {
  copy_text(move_text, sizeof move_text, edit_->text().toLatin1().constData());
  QDialog::accept();
}
