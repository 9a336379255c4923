# Tests of the start-up and the main window.
set(CORVANE_MAINWINDOW_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/StartupFixture.h
  ${CMAKE_CURRENT_LIST_DIR}/StartupTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowTest.cpp
)
# The start-up and the window with the scripted engine: no engine process.
corvane_add_test(corvane_mainwindow_tests LABELS unit SOURCES ${CORVANE_MAINWINDOW_TEST_SOURCES} LIBS corvane)

# The real program from a temporary copy of the portable folder, with the real engine.
if(CORVANE_ENGINE_TESTS)
  corvane_add_test(corvane_program_run_tests LABELS engine
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ProgramRunTest.cpp LIBS corvane)
  target_compile_definitions(corvane_program_run_tests PRIVATE CORVANE_PORTABLE_DIR="${CORVANE_PORTABLE_DIR}")
  add_dependencies(corvane_program_run_tests Corvane site)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/browse_tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/tabs_tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/menus_tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/panels_tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/actions_tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/dialogs_tests.cmake)
