# Tests of the browser core. Add sources to these lists; the targets are made below.
set(CORVANE_DATA_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MediaAddressTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HidListTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListFilesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FamilyRegisterTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VelmoraFixture.h
)
set(CORVANE_CORE_TEST_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ActiveFamilyTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ActiveNajarTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageDialogTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppFixture.h
)

# Pure data pieces: QtCore only.
corvane_add_test(corvane_data_tests LABELS unit SOURCES ${CORVANE_DATA_TEST_SOURCES} LIBS corvane_data)
# Procedures that need the application object (messages, settings store).
corvane_add_test(corvane_core_tests LABELS unit SOURCES ${CORVANE_CORE_TEST_SOURCES} LIBS corvane)
