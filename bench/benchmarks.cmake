# bench_datafiles: timings of the data files at their largest (see README.md).
add_executable(bench_datafiles ${CMAKE_CURRENT_LIST_DIR}/DataFilesBench.cpp)
target_link_libraries(bench_datafiles PRIVATE corvane_data)

# bench_bare_web_window: the yardstick of the start-up benchmark, startup_bench.py (see
# README.md): one Qt WebEngine view that loads the page it is given.
add_executable(bench_bare_web_window ${CMAKE_CURRENT_LIST_DIR}/BareWebWindow.cpp)
target_link_libraries(bench_bare_web_window PRIVATE Qt6::Widgets Qt6::WebEngineWidgets)
