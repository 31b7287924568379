#pragma once
// The possible-moves dialog: the legal moves of the position in a sorted list, one to choose.
#include <cstdint>

#include "ui/dialogs/modal_dialog.h"

#include "driver/game_core.h"

class QListWidget;

constexpr int MOVE_LIST = 1008;
constexpr int CHOSEN_MOVE_SIZE = 200;
// The coordinate picture beside the list.
constexpr const char* COORDINATE_BITMAP = "133";

class MogZugeDialog : public ModalDialog {
  Q_OBJECT
 public:
  MogZugeDialog(QWidget* parent, GameState* state);

  GameState* state;
  char chosen_move[CHOSEN_MOVE_SIZE] = "";
  int32_t game_over = 0;


 protected:
  void OnInitDialog() override;
  void OnOK() override;

 private:
  QListWidget* list_;
};
