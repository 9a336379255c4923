corvane_add_test(platform_vb_tests LABELS unit
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/FormsKitTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TextControlsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyInputTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QtMessagesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CoverKeeperTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FramePacerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WindowKitTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OwnershipTest.cpp
  LIBS platform_ui Qt6::Test)
corvane_add_test(platform_vb_file_tests LABELS unit
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/FileControlsTest.cpp
  LIBS platform_ui)
# The layout walk the window tests run, on a small form of its own.
corvane_add_test(platform_layout_probe_tests LABELS unit
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/LayoutProbeTest.cpp
  LIBS platform_ui test_support_layout)
