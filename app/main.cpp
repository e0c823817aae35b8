#include <cstdio>

#include "app/Startup.h"
#include "framework/Application.h"

int main(int argc, char** argv) {
  if (!fw::Runtime::DisplayAvailable()) {
    std::fputs("Lumetra needs a graphical display, and none was found (DISPLAY is not set).\n", stderr);
    return 1;
  }
  fw::Runtime runtime(argc, argv, "Lumetra");
  lumetra::RegisterClasses();
  return lumetra::Main();
}
