#include "ui/prompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

class QtPrompts : public Prompts {
 public:
  BoxAnswer show_box(QWidget* parent, const QString& text, const QString& caption,
                     BoxButtons buttons, BoxIcon icon) override {
    QMessageBox box(icon_of(icon), caption, text, buttons_of(buttons), parent);
    switch (box.exec()) {
      case QMessageBox::Yes: return BoxAnswer::Yes;
      case QMessageBox::No: return BoxAnswer::No;
      case QMessageBox::Ok: return BoxAnswer::Ok;
      default: return BoxAnswer::Cancel;  // also the window's close button on a box
    }
  }

  QString choose_save_path(QWidget* parent, const QString& initial_name, const QString& filter,
                           const QString& default_suffix) override {
    return choose_path(parent, initial_name, filter, default_suffix, QFileDialog::AcceptSave,
                       QFileDialog::AnyFile);
  }

  QString choose_open_path(QWidget* parent, const QString& initial_name, const QString& filter,
                           const QString& default_suffix) override {
    return choose_path(parent, initial_name, filter, default_suffix, QFileDialog::AcceptOpen,
                       QFileDialog::ExistingFile);
  }

 private:
  // The chosen file, or an empty text when the dialog was cancelled.
  static QString choose_path(QWidget* parent, const QString& initial_name, const QString& filter,
                             const QString& default_suffix, QFileDialog::AcceptMode accept_mode,
                             QFileDialog::FileMode file_mode) {
    QFileDialog dialog(parent, QString(), initial_name, filter);
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
