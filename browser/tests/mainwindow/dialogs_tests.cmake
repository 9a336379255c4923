# Tests of the options dialog and the file and picture chooser, on the scripted engine.
corvane_add_test(corvane_dialogs_tests LABELS unit
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DialogsFixture.h
    ${CMAKE_CURRENT_LIST_DIR}/OptionsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ChooserTest.cpp
  LIBS corvane)
