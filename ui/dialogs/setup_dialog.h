#pragma once
// The settings of the run: whether the computer answers every move, and its level.
#include <cstdint>

#include "ui/dialogs/modal_dialog.h"

class QButtonGroup;
class QCheckBox;

constexpr uint16_t LEVEL_1 = 1013;
constexpr uint16_t LEVEL_2 = 1014;
constexpr uint16_t LEVEL_3 = 1015;
constexpr uint16_t LEVEL_4 = 1016;
constexpr int AUTO_ANSWER_BOX = 200;

class SetupDialog : public ModalDialog {
  Q_OBJECT
 public:
  explicit SetupDialog(QWidget* parent);

  int32_t auto_answer = 1;
  uint16_t level = LEVEL_3;  // the identifier of the chosen level button

 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  QCheckBox* answers_box_;
  QButtonGroup* levels_;
};
