# Tests of the Open, Help, Choices, Create, Change Name and Report Bug panels, the Run box,
# the notices and the About banner, the page actions and the user picture.
set(CORVANE_ACTIONS_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ActionsFixture.h
  ${CMAKE_CURRENT_LIST_DIR}/ActionsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ActionKeysTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageActionsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileDialogTest.cpp
)
# On the scripted engine with a recording launcher: nothing reaches the desktop.
corvane_add_test(corvane_actions_tests LABELS unit SOURCES ${CORVANE_ACTIONS_TEST_SOURCES} LIBS corvane)
