# bench_datafiles: timings of the data files at their largest (see README.md).
add_executable(bench_datafiles ${CMAKE_CURRENT_LIST_DIR}/DataFilesBench.cpp)
target_link_libraries(bench_datafiles PRIVATE corvane_data)

# bench_bare_web_window: the yardstick of the start-up benchmark, startup_bench.py (see
# README.md): one Qt WebEngine view that loads the page it is given.
add_executable(bench_bare_web_window ${CMAKE_CURRENT_LIST_DIR}/BareWebWindow.cpp)
target_link_libraries(bench_bare_web_window PRIVATE Qt6::Widgets Qt6::WebEngineWidgets)

# bench_soak: a long session on the real main window, with the real engine and pages from
# a loopback server (see README.md). The same session and the same counts as the soak
# test's, from the same sources, which are built here also when the tests are not.
add_executable(bench_soak ${CMAKE_CURRENT_LIST_DIR}/SoakBench.cpp
  ${CMAKE_SOURCE_DIR}/browser/tests/mainwindow/LongSession.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/SessionCensus.cpp ${CMAKE_SOURCE_DIR}/tests/support/LoopbackServer.cpp)
target_include_directories(bench_soak PRIVATE ${CMAKE_SOURCE_DIR}/browser/tests/mainwindow ${CMAKE_SOURCE_DIR}/tests/support)
target_link_libraries(bench_soak PRIVATE corvane Qt6::Network Qt6::Test)
