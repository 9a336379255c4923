# Tests of the secondary browser window.
include(${CMAKE_CURRENT_LIST_DIR}/webwindow_tests.cmake)
