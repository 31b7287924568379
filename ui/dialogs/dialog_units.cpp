#include "ui/dialogs/dialog_units.h"

#include <QFontMetrics>
#include <QWidget>

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  // The average width of the 52 letters, rounded, as the template system measures it.
  const int letters =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  base_width_ = (letters / 26 + 1) / 2;
  base_height_ = metrics.height();
}

QFont system_font() {
  QFont font(QStringLiteral("System"));
  font.setPixelSize(14);
  return font;
}

DialogUnits set_up_template(QWidget* dialog, const QString& title, const QFont& font, int width,
                            int height) {
  dialog->setWindowTitle(title);
  dialog->setFont(font);
  const DialogUnits units(font);
  dialog->setFixedSize(units.size(width, height));
  return units;
}

void name_control(QWidget* control, int id) { control->setObjectName(QString::number(id)); }
