#pragma once
// Dialog templates are laid out in dialog units: a quarter of the dialog font's average character
// width across, an eighth of its height down.
#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font);
  int x(int units) const { return units * base_width_ / 4; }
  int y(int units) const { return units * base_height_ / 8; }
  QRect rect(int left, int top, int width, int height) const {
    return QRect(x(left), y(top), x(width), y(height));
  }
  QSize size(int width, int height) const { return QSize(x(width), y(height)); }

 private:
  int base_width_;
  int base_height_;
};

// The font that templates name "System": drawn for a character cell of about 8 x 16 pixels, which
// the layouts (the coordinate picture in its frame above all) were made for.
QFont system_font();

// Gives the dialog its font and its fixed size from the template.
DialogUnits set_up_template(QWidget* dialog, const QString& title, const QFont& font, int width,
                            int height);

// Template controls are named by their identifier, so that they can be found again.
void name_control(QWidget* control, int id);
