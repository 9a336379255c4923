# The layout walk of the main window and of the secondary window in every state a user
# reaches, with real clicks on the key roads (scripted engine).
corvane_add_test(corvane_layout_tests LABELS unit
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/mainwindow/MainWindowFixture.h
    ${CMAKE_CURRENT_LIST_DIR}/mainwindow/TabsFixture.h
    ${CMAKE_CURRENT_LIST_DIR}/mainwindow/LayoutTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/secondwindow/WebWindowFixture.h
    ${CMAKE_CURRENT_LIST_DIR}/secondwindow/WindowLayoutTest.cpp
  LIBS corvane test_support_layout)
target_include_directories(corvane_layout_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow ${CMAKE_CURRENT_LIST_DIR}/secondwindow)
