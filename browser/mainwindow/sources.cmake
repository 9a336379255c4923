set(CORVANE_MAINWINDOW_SOURCES
  mainwindow/frmMain.h mainwindow/frmMain.cpp mainwindow/frmMainDesign.cpp
  mainwindow/frmMainBrowse.cpp
  mainwindow/frmMainTabs.cpp
  mainwindow/frmMove.h mainwindow/frmMove.cpp
)
list(TRANSFORM CORVANE_MAINWINDOW_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/../)
