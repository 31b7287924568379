#pragma once
// The enter-a-move dialog: one line of text that becomes a user move.
#include "ui/dialogs/modal_dialog.h"

class QLineEdit;

constexpr int MOVE_EDIT = 131;
constexpr int MOVE_TEXT_SIZE = 10;

class ZugDialog : public ModalDialog {
  Q_OBJECT
 public:
  explicit ZugDialog(QWidget* parent);

  char move_text[MOVE_TEXT_SIZE] = "";  // at most 9 characters


 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  QLineEdit* edit_;
};
