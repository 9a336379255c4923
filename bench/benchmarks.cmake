# bench_datafiles: timings of the data files at their largest (see README.md).
add_executable(bench_datafiles ${CMAKE_CURRENT_LIST_DIR}/DataFilesBench.cpp)
target_link_libraries(bench_datafiles PRIVATE corvane_data)
