#include "ui/dialogs/setup_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "ui/dialogs/dialog_units.h"

SetupDialog::SetupDialog(QWidget* parent) : ModalDialog(parent) {
  const DialogUnits du = set_up_template(this, QStringLiteral("setup"), system_font(),
                                         192, 141);
  auto* power = new QGroupBox(QStringLiteral("computer power"), this);
  power->setGeometry(du.rect(9, 35, 116, 84));

  answers_box_ = new QCheckBox(QStringLiteral("computer &Answers automatically"), this);
  name_control(answers_box_, AUTO_ANSWER_BOX);
  answers_box_->setGeometry(du.rect(11, 12, 132, 12));

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  name_control(ok, 1);
  ok->setGeometry(du.rect(139, 39, 42, 15));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &SetupDialog::accept);

  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  name_control(cancel, 2);
  cancel->setGeometry(du.rect(139, 105, 42, 14));
  connect(cancel, &QPushButton::clicked, this, &SetupDialog::reject);

  struct LevelButton {
    uint16_t id;
    const char* text;
    QRect place;
  };
  const LevelButton buttons[] = {
      {LEVEL_1, "Level 1 (foo)", du.rect(19, 53, 71, 10)},
      {LEVEL_2, "Level 2 (beginner)", du.rect(19, 69, 83, 10)},
      {LEVEL_3, "Level 3 (club player)", du.rect(19, 85, 81, 10)},
      {LEVEL_4, "Level 4 (master)", du.rect(19, 100, 67, 10)},
  };
  levels_ = new QButtonGroup(this);
  for (const LevelButton& b : buttons) {
    auto* radio = new QRadioButton(QString::fromLatin1(b.text), this);
    name_control(radio, b.id);
    radio->setGeometry(b.place);
    levels_->addButton(radio, b.id);
  }
  // A clicked level counts at once, so that Cancel keeps it.
  connect(levels_, &QButtonGroup::idClicked, this, [this](int id) { level = static_cast<uint16_t>(id); });
}

void SetupDialog::OnInitDialog() {
  answers_box_->setChecked(auto_answer != 0);
  // Unchecking every button needs the group open for a moment; a level outside the four checks none.
  levels_->setExclusive(false);
  for (QAbstractButton* button : levels_->buttons()) button->setChecked(levels_->id(button) == level);
  levels_->setExclusive(true);
}

void SetupDialog::OnOK() {
  auto_answer = answers_box_->isChecked() ? 1 : 0;
  level = levels_->checkedId() < 0 ? 0 : static_cast<uint16_t>(levels_->checkedId());
  QDialog::accept();
}
