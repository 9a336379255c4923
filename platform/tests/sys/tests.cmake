corvane_add_test(platform_sys_tests LABELS unit
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/FileSystemTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextRecordsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DataTransactionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingsStoreTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LauncherTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowFinderTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TerminationNotifierTest.cpp
  LIBS platform_sys)
