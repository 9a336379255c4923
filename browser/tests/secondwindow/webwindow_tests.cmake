# The secondary window on the scripted engine: display, events, navigation and tabs,
# panels, bars, and the main window opening it.
corvane_add_test(corvane_webwindow_tests LABELS unit
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/WebWindowFixture.h
    ${CMAKE_CURRENT_LIST_DIR}/WindowDisplayTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowEventsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowNavigationTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowPanelsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowKeysTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowBarsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowFromMainTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PageTroubleWindowsTest.cpp
  LIBS corvane Qt6::Test)

# A main browser's pop-up opening a window on the real engine.
if(CORVANE_ENGINE_TESTS)
  corvane_add_test(corvane_webwindow_engine_tests LABELS engine
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/WebWindowFixture.h ${CMAKE_CURRENT_LIST_DIR}/WindowEngineTest.cpp
    LIBS corvane test_support_engine)
  corvane_add_test(corvane_webwindow_address_engine_tests LABELS engine
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/WebWindowFixture.h ${CMAKE_CURRENT_LIST_DIR}/WindowPageAddressEngineTest.cpp
    LIBS corvane test_support_engine)
endif()
