# Tests of main-browser switching, the tabs and the bookmark store.
set(CORVANE_TABS_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.h
  ${CMAKE_CURRENT_LIST_DIR}/TabsFixture.h
  ${CMAKE_CURRENT_LIST_DIR}/SwitchTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BookmarkStoreTest.cpp
)
# On the scripted engine: no engine process.
corvane_add_test(corvane_tabs_tests LABELS unit SOURCES ${CORVANE_TABS_TEST_SOURCES} LIBS corvane)

# The same on the real engine after the whole start-up, with pages served by a loopback
# HTTP server: six main browsers, 24 tabs from a pop-up page, and the soak: tabs opened and
# closed, and a user's long session (shared with the benchmark bench_soak), each cycle
# leaving no browser, page, widget, timer or picture behind.
if(CORVANE_ENGINE_TESTS)
  corvane_add_test(corvane_tabs_engine_tests LABELS engine
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/StartupFixture.h ${CMAKE_CURRENT_LIST_DIR}/TabsSoakTest.cpp
      ${CMAKE_CURRENT_LIST_DIR}/LongSession.h ${CMAKE_CURRENT_LIST_DIR}/LongSession.cpp
      ${CMAKE_CURRENT_LIST_DIR}/LongSessionTest.cpp
    LIBS corvane test_support_engine)
endif()
