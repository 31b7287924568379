#pragma once
// The enter-a-move dialog: one line of text that becomes a user move.
#include <QDialog>

class QLineEdit;

constexpr int MOVE_EDIT = 131;
constexpr int MOVE_TEXT_SIZE = 10;

class ZugDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ZugDialog(QWidget* parent);

  char move_text[MOVE_TEXT_SIZE] = "";  // at most 9 characters

  int DoModal();

 protected:
  void OnInitDialog();
  void OnOK();
  void accept() override { OnOK(); }

 private:
  QLineEdit* edit_;
};
