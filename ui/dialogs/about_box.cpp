#include "ui/dialogs/about_box.h"

#include <QLabel>
#include <QPushButton>

#include "ui/dialogs/dialog_units.h"

std::unique_ptr<QDialog> make_about_box(QWidget* parent) {
  auto box = std::make_unique<QDialog>(parent);
  const DialogUnits du = set_up_template(box.get(), QStringLiteral("About :  chess program"),
                                         QFont(QStringLiteral("Helv"), 8), 145, 89);
  struct Line {
    const char* text;
    int top;
  };
  const Line lines[] = {
      {"Tolvane chess program", 8},
      {"Version 1.0", 20},
      {"The Tolvane developers", 34},
  };
  for (const Line& line : lines) {
    auto* label = new QLabel(QString::fromLatin1(line.text), box.get());
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(du.rect(4, line.top, 137, 10));
  }
  auto* ok = new QPushButton(QStringLiteral("OK"), box.get());
  name_control(ok, 1);
  ok->setGeometry(du.rect(57, 57, 32, 14));
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, box.get(), &QDialog::accept);
  return box;
}

const QString& instructions_text() {
  static const QString text = [] {
    constexpr int padded_width = 103;
    const char* const padded_lines[] = {
        " 1. The official chess rules are allowed",
        "     a) castling is possible",
        "        exceptions: king or rook had moved or the King is at check",
        "     b) capture of pawns en passent is possible",
        "     c) if you promote a pawn it will be changed automaticly to a queen",
        "",
        " 2. To move a piece:",
        "     a) move the mouse onto it, click the mouse and click the target square",
        "     b) Choose a possible move with F3",
        "",
        " 3. Play with black pieces:",
        "      perform the first move with F8 and turn the board with F7",
    };
    QString all = QStringLiteral(" short instructions: \n ========= \n") + QString(26, u' ') + u'\n';
    for (const char* line : padded_lines) {
      all += QString::fromLatin1(line).leftJustified(padded_width, u' ') + u'\n';
    }
    return all;
  }();
  return text;
}
