#pragma once
// What the program's own dialogs share: the fields go into the controls when the dialog opens, and
// come back from them only on OK.
#include <QDialog>

class ModalDialog : public QDialog {
 public:
  using QDialog::QDialog;

  // Fills the controls from the fields and runs the dialog modally.
  int DoModal() {
    OnInitDialog();
    return exec();
  }

 protected:
  virtual void OnInitDialog() = 0;
  // Takes the controls into the fields and closes the dialog as accepted.
  virtual void OnOK() = 0;
  void accept() override { OnOK(); }
};
