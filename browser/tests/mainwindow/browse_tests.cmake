# Tests of the main road: the current-browser display, addresses and location lists, the
# browser events and new windows, and navigation.
corvane_add_test(corvane_browse_tests LABELS unit
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.h
    ${CMAKE_CURRENT_LIST_DIR}/BrowseFixture.h
    ${CMAKE_CURRENT_LIST_DIR}/AddressRulesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BrowseDisplayTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BrowseEventsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BrowseNavigationTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LocationKeysTest.cpp
  LIBS corvane)

# The same road on the real engine, with pages served by a loopback HTTP server.
if(CORVANE_ENGINE_TESTS)
  corvane_add_test(corvane_browse_engine_tests LABELS engine
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.h ${CMAKE_CURRENT_LIST_DIR}/BrowseEngineTest.cpp
    LIBS corvane test_support_engine)
  # Pages that misbehave on purpose: one row each, see the table at the end of the file.
  corvane_add_test(corvane_hostile_pages_tests LABELS engine
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.h ${CMAKE_CURRENT_LIST_DIR}/HostilePagesTest.cpp
    LIBS corvane test_support_engine)
  corvane_add_test(corvane_page_address_engine_tests LABELS engine
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/MainWindowFixture.h ${CMAKE_CURRENT_LIST_DIR}/PageAddressEngineTest.cpp
    LIBS corvane test_support_engine)
endif()
