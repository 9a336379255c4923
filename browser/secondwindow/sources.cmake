set(CORVANE_SECONDWINDOW_SOURCES
  secondwindow/frmWeb.h secondwindow/frmWeb.cpp
  secondwindow/frmWebDesign.cpp
  secondwindow/frmWebAddress.cpp
  secondwindow/frmWebBrowse.cpp
  secondwindow/frmWebTabs.cpp
  secondwindow/frmWebPanels.cpp
  secondwindow/frmWebBars.cpp
)
list(TRANSFORM CORVANE_SECONDWINDOW_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/../)
