# Tests of the bookmark browser and the bookmark, note and home-page panels.
set(CORVANE_PANELS_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PanelsFixture.h
  ${CMAKE_CURRENT_LIST_DIR}/BookmarkPanelsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NoteHomePanelsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PanelKeysTest.cpp
)
# On the scripted engine: no engine process.
corvane_add_test(corvane_panels_tests LABELS unit SOURCES ${CORVANE_PANELS_TEST_SOURCES} LIBS corvane)
