#include "ui/dialogs/mog_zuge_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

#include "common/bounded_text.h"
#include "ui/app/interpreter_calls.h"
#include "ui/board/piece_bitmaps.h"
#include "ui/dialogs/dialog_units.h"

namespace {
// No position has more legal moves than this; it also ends the listing should the interpreter
// never give the empty message.
constexpr int MOST_LIST_LINES = 512;
}  // namespace

MogZugeDialog::MogZugeDialog(QWidget* parent, GameState* game_state)
    : ModalDialog(parent), state(game_state) {
  const DialogUnits du = set_up_template(this, QStringLiteral("moves"), system_font(),
                                         265, 179);
  auto* moves_frame = new QGroupBox(QStringLiteral("possible moves"), this);
  moves_frame->setGeometry(du.rect(11, 8, 72, 155));
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  name_control(ok, 1);
  ok->setGeometry(du.rect(96, 12, 32, 14));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &MogZugeDialog::accept);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  name_control(cancel, 2);
  cancel->setGeometry(du.rect(206, 13, 44, 14));
  connect(cancel, &QPushButton::clicked, this, &MogZugeDialog::reject);

  list_ = new QListWidget(this);
  name_control(list_, MOVE_LIST);
  list_->setGeometry(du.rect(19, 23, 56, 132));
  list_->setSortingEnabled(true);
  list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  auto* picture_frame = new QGroupBox(QStringLiteral("system of coordinates"), this);
  picture_frame->setGeometry(du.rect(97, 44, 154, 120));
  auto* picture = new QLabel(this);
  picture->setObjectName(QString::fromLatin1(COORDINATE_BITMAP));
  const QPixmap diagram = QPixmap::fromImage(LoadBitmap(QString::fromLatin1(COORDINATE_BITMAP)));
  picture->setPixmap(diagram);
  picture->setGeometry(QRect(QPoint(du.x(105), du.y(58)), diagram.size()));
}

void MogZugeDialog::OnInitDialog() {
  list_->clear();
  const char* line = call_run_command("lf", state);
  for (int lines = 0; line[0] != '\0' && lines < MOST_LIST_LINES; ++lines) {
    list_->addItem(QString::fromLatin1(line));
    line = call_run_command("ln", state);
  }
  chosen_move[0] = '\0';
  game_over = 0;
  if (list_->count() == 0) {
    list_->addItem(QStringLiteral(" end of game:"));
    list_->addItem(QStringLiteral("mate or draw"));
    game_over = 1;
  }
}

void MogZugeDialog::OnOK() {
  QListWidgetItem* item = list_->currentItem();
  if (item && item->isSelected()) copy_text(chosen_move, sizeof chosen_move, item->text().toLatin1().constData());
  if (game_over == 1) chosen_move[0] = '\0';
  QDialog::accept();
}
