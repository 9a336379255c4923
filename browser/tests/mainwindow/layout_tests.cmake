# The layout walk of the main window in every state a user reaches (scripted engine).
corvane_add_test(corvane_layout_tests LABELS unit
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.h
    ${CMAKE_CURRENT_LIST_DIR}/TabsFixture.h
    ${CMAKE_CURRENT_LIST_DIR}/LayoutTest.cpp
  LIBS corvane test_support_layout)
