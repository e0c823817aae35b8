// The GUI tests' entry: the toolkit runs offscreen unless a platform is
// named, and the program's classes are registered as at start-up.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

#include "app/Startup.h"
#include "framework/Application.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  ::testing::InitGoogleTest(&argc, argv);
  fw::Runtime runtime(argv[0], "Lumetra");
  lumetra::RegisterClasses();
  return RUN_ALL_TESTS();
}
