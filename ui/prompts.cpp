#include "ui/prompts.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {

// Room in a title bar beside its caption: the window manager's icon and buttons.
constexpr int TITLE_BAR_BUTTONS_PIXELS = 160;

// A box is as wide as its text needs, and a window manager cuts a longer caption short; the
// caption (in a title bar's bold type) sets the least width instead.
void make_room_for_caption(QMessageBox& box, const QString& caption) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  QFont title_font = box.font();
  title_font.setBold(true);
  const int width = QFontMetrics(title_font).horizontalAdvance(caption) + TITLE_BAR_BUTTONS_PIXELS;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                grid->columnCount());
}

class QtPrompts : public Prompts {
 public:
  BoxAnswer show_box(QWidget* parent, const QString& text, const QString& caption,
                     BoxButtons buttons, BoxIcon icon) override {
    QMessageBox box(icon_of(icon), caption, text, buttons_of(buttons), parent);
    make_room_for_caption(box, caption);
    switch (box.exec()) {
      case QMessageBox::Yes: return BoxAnswer::Yes;
      case QMessageBox::No: return BoxAnswer::No;
      case QMessageBox::Ok: return BoxAnswer::Ok;
      default: return BoxAnswer::Cancel;  // also the window's close button on a box
    }
  }

  QString choose_save_path(QWidget* parent, const QString& folder, const QString& initial_name,
                           const QString& filter, const QString& default_suffix) override {
    return choose_path(parent, folder, initial_name, filter, default_suffix, QFileDialog::AcceptSave,
                       QFileDialog::AnyFile);
  }

  QString choose_open_path(QWidget* parent, const QString& folder, const QString& initial_name,
                           const QString& filter, const QString& default_suffix) override {
    return choose_path(parent, folder, initial_name, filter, default_suffix, QFileDialog::AcceptOpen,
                       QFileDialog::ExistingFile);
  }

 private:
  // The chosen file, or an empty text when the dialog was cancelled.
  static QString choose_path(QWidget* parent, const QString& folder, const QString& initial_name,
                             const QString& filter, const QString& default_suffix,
                             QFileDialog::AcceptMode accept_mode, QFileDialog::FileMode file_mode) {
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.selectFile(initial_name);
    dialog.setAcceptMode(accept_mode);
    dialog.setFileMode(file_mode);
    dialog.setDefaultSuffix(default_suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
  }

  static QMessageBox::Icon icon_of(BoxIcon icon) {
    switch (icon) {
      case BoxIcon::Information: return QMessageBox::Information;
      case BoxIcon::Question: return QMessageBox::Question;
      case BoxIcon::Warning: return QMessageBox::Warning;
      case BoxIcon::Error: return QMessageBox::Critical;
      case BoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
  }

  static QMessageBox::StandardButtons buttons_of(BoxButtons buttons) {
    switch (buttons) {
      case BoxButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
      case BoxButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
      case BoxButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      case BoxButtons::Ok: break;
    }
    return QMessageBox::Ok;
  }
};

QtPrompts qt_prompts;
Prompts* installed = nullptr;

}  // namespace

Prompts& prompts() { return installed ? *installed : qt_prompts; }

void set_prompts(Prompts* replacement) { installed = replacement; }
