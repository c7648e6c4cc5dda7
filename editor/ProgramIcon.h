// The program's 32 × 32 icon, shared by its windows and its taskbar entry.
#pragma once

#include <QIcon>

namespace pm {

QIcon ProgramIcon();

}  // namespace pm
