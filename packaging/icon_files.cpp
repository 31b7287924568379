// Writes the program's icon as PNG files for the icon theme:
// OUTPUT_DIRECTORY/hicolor/<size>x<size>/apps/NAME.png for every size the window uses too.
// Usage: tolvane-icon-files OUTPUT_DIRECTORY NAME
#include <QDir>
#include <QString>

#include <cstdio>

#include "ui/board/application_icon.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY NAME\n", argv[0]);
    return 2;
  }
  for (const int size : APPLICATION_ICON_SIZES) {
    const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
    const QString file = folder + QStringLiteral("/%1.png").arg(QString::fromLocal8Bit(argv[2]));
    if (!QDir().mkpath(folder) || !draw_application_icon(size).save(file, "PNG")) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
      return 1;
    }
  }
  return 0;
}
