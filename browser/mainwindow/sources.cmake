set(CORVANE_MAINWINDOW_SOURCES
  mainwindow/frmMain.h mainwindow/frmMain.cpp mainwindow/frmMainDesign.cpp
  mainwindow/frmMainBrowse.cpp mainwindow/frmMainNotices.cpp
  mainwindow/frmMainTabs.cpp
  mainwindow/frmMainMenus.cpp
  mainwindow/frmMainPanels.cpp
  mainwindow/frmMainActions.cpp
  mainwindow/frmMove.h mainwindow/frmMove.cpp
  mainwindow/frmOptions.h mainwindow/frmOptions.cpp
)
list(TRANSFORM CORVANE_MAINWINDOW_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/../)
