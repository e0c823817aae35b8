// The logo picture, opened once from the program's resources and shared by
// the main window's and the splash window's logo canvas.
#pragma once

#include <memory>

#include "framework/Dialogs.h"

namespace lumetra {

// The cached logo; nullptr while "Lbig.png" yields no picture (then the
// next call tries again).
std::shared_ptr<fw::Picture> Lbig();

}  // namespace lumetra
