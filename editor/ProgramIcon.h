// The program's icon: a page with a picture on it and a red link rectangle. Its windows and
// taskbar entry show it at 32 × 32 pixels; the desktop's icon theme gets it at larger sizes too.
#pragma once

#include <QIcon>
#include <QImage>

namespace pm {

inline constexpr int kProgramIconSize = 32;

// The icon drawn `size` pixels square; at multiples of 32 every pixel of the 32 × 32 design
// becomes a square block.
QImage ProgramIconImage(int size);

// The 32 × 32 icon of the program and its windows.
QIcon ProgramIcon();

}  // namespace pm
