// The GUI tests' entry: the toolkit runs offscreen unless a platform is
// named, and the program's classes are registered as at start-up. The
// toolkit's runtime and settings folders are the run's own, so that nothing
// of a test run is left in the temporary folder or in the user's settings.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "GuiSupport.h"
#include "app/Startup.h"
#include "framework/Application.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  std::vector<std::string> folders;
  for (const char* variable : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME"}) {
    std::string pattern = (std::filesystem::temp_directory_path() / "lumetra-gui-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) continue;
    folders.push_back(pattern);
    qputenv(variable, QByteArray::fromStdString(pattern));
  }
  ::testing::InitGoogleTest(&argc, argv);
  // --scale=F: the whole program scaled by F, as a desktop set to scale it.
  for (int i = 1; i < argc; ++i)
    if (std::string_view arg = argv[i]; arg.rfind("--scale=", 0) == 0)
      qputenv("QT_SCALE_FACTOR", QByteArray(arg.substr(8).data(), qsizetype(arg.size() - 8)));
  int status;
  {
    fw::Runtime runtime(argv[0], "Lumetra");
    lumetra::RegisterClasses();
    status = RUN_ALL_TESTS();
  }
  lumetra::testing::RemoveTempFiles();
  for (const std::string& folder : folders) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  return status;
}
