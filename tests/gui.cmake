# GUI tests: they drive the real windows under Qt's offscreen platform.
find_package(Qt6 REQUIRED COMPONENTS Test)

add_library(lumetra_guitest STATIC GuiMain.cpp GuiSupport.cpp)
target_link_libraries(lumetra_guitest PUBLIC lumetra_ui Qt6::Test GTest::gtest)

function(lumetra_add_gui_test name)
  lumetra_add_test(${name} GUI SOURCES ${ARGN} LIBS lumetra_guitest)
endfunction()

lumetra_add_gui_test(framework_gui_test FrameworkGuiTest.cpp)
lumetra_add_gui_test(main_window_test MainWindowTest.cpp)
lumetra_add_gui_test(shell_test ShellTest.cpp)
# The window tests again on a 1366 x 768 laptop screen at 150 %, and the
# logo on the desktop scaled to 150 % and 200 %, as a desktop set to scale does.
function(lumetra_on_screen target prefix filter screen scale)
  # One variable only: a list in ENVIRONMENT loses all but its first item on
  # its way through test discovery, so the scale goes as an argument.
  gtest_discover_tests(${target}
    TEST_PREFIX "${prefix}."
    TEST_FILTER "${filter}"
    EXTRA_ARGS --scale=${scale}
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_CURRENT_SOURCE_DIR}/screen-${screen}.json"
    DISCOVERY_TIMEOUT 30)
endfunction()
lumetra_on_screen(shell_test SmallScreen "Screen.*" laptop 1)
lumetra_on_screen(framework_gui_test Scaled150 "GuiTest.PictureDraws*" desktop 1.5)
lumetra_on_screen(framework_gui_test Scaled200 "GuiTest.PictureDraws*" desktop 2)
lumetra_add_gui_test(startup_test StartupTest.cpp)
lumetra_add_gui_test(startup_failure_test StartupFailureTest.cpp)

# Started without a display, the program says so in one line and exits
# non-zero instead of letting the toolkit abort.
add_test(NAME NoDisplay.SaysSoAndExitsNonZero
  COMMAND sh -c "out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \"$1\" 2>&1); rc=$?; echo \"$out\"; [ $rc -ne 0 ] && [ \"$out\" = 'Lumetra needs a graphical display, and none was found (DISPLAY is not set).' ]"
    sh $<TARGET_FILE:lumetra>)

# The command line reaches neither the program nor the toolkit: with options
# the toolkit would take (a platform that does not exist), the program still
# comes up on a real X display and shows its window.
find_program(LUMETRA_XVFB Xvfb)
find_program(LUMETRA_XWININFO xwininfo)
if(LUMETRA_XVFB AND LUMETRA_XWININFO)
  add_test(NAME CommandLine.TheToolkitsOptionsAreIgnored
    COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/toolkit-options.sh $<TARGET_FILE:lumetra>)
endif()
