# Tests of the drop-down menus and their slide-out, the Controls bar and the full-window bar.
corvane_add_test(corvane_menus_tests LABELS unit
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MenusFixture.h
    ${CMAKE_CURRENT_LIST_DIR}/MenusTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ControlsBarTest.cpp
  LIBS corvane)
