#include <cstdio>

#include "app/Startup.h"
#include "framework/Application.h"

// The command line is not read: the program has no options.
int main(int, char** argv) {
  if (!fw::Runtime::DisplayAvailable()) {
    std::fputs("Lumetra needs a graphical display, and none was found (DISPLAY is not set).\n", stderr);
    return 1;
  }
  fw::Runtime runtime(argv[0] ? argv[0] : "lumetra", "Lumetra");
  lumetra::RegisterClasses();
  return lumetra::Main();
}
