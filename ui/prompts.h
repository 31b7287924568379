#pragma once
// Every message box and file dialog of the window goes through one Prompts object, so that tests can
// answer them instead of a person.
#include <QString>

class QWidget;

enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class BoxIcon { None, Information, Question, Warning, Error };
enum class BoxAnswer { Ok, Cancel, Yes, No };

class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual BoxAnswer show_box(QWidget* parent, const QString& text, const QString& caption,
                             BoxButtons buttons, BoxIcon icon) = 0;
  // Both open in folder with initial_name filled in, and return the chosen path, or an empty
  // string when the user cancelled.
  virtual QString choose_save_path(QWidget* parent, const QString& folder, const QString& initial_name,
                                   const QString& filter, const QString& default_suffix) = 0;
  virtual QString choose_open_path(QWidget* parent, const QString& folder, const QString& initial_name,
                                   const QString& filter, const QString& default_suffix) = 0;
};

// The real Qt boxes and dialogs, unless a test installed its own.
Prompts& prompts();
// nullptr brings the real ones back.
void set_prompts(Prompts* replacement);
