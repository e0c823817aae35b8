#include "app/Lbig.h"

namespace lumetra {

std::shared_ptr<fw::Picture> Lbig() {
  static std::shared_ptr<fw::Picture> cache;
  if (!cache) cache = fw::Picture::OpenFromApp("Lbig.png");
  return cache;
}

}  // namespace lumetra
