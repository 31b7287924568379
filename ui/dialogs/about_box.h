#pragma once
// The about box, a plain dialog on its template, and the texts of the two help boxes.
#include <memory>

#include <QDialog>
#include <QString>

std::unique_ptr<QDialog> make_about_box(QWidget* parent);

// Fifteen lines, each ending in a line feed; lines 4 to 15 padded with blanks to 103 characters.
const QString& instructions_text();
