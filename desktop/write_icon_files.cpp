// Build step: writes the program's icon as PNG files for the desktop's icon theme.
// Usage: write_icon_files FILE SIZE [FILE SIZE]...
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "editor/ProgramIcon.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc % 2 != 1) {
    std::fprintf(stderr, "usage: %s FILE SIZE [FILE SIZE]...\n", argv[0]);
    return 2;
  }
  for (int i = 1; i < argc; i += 2) {
    const int size = std::atoi(argv[i + 1]);
    if (size <= 0 || !pm::ProgramIconImage(size).save(QString::fromLocal8Bit(argv[i]), "PNG")) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[i]);
      return 1;
    }
  }
  return 0;
}
