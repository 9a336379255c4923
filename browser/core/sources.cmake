set(CORVANE_CORE_SOURCES
  core/Constants.h
  core/CorvaneApp.h core/CorvaneApp.cpp
  core/ControlMessage.h core/ControlMessage.cpp
  core/frmMessage.h core/frmMessage.cpp
  core/ActiveNajar.h core/ActiveNajar.cpp
  core/FirstRun.h core/FirstRun.cpp
  core/ActiveFamily.h core/ActiveFamily.cpp
  core/ControlButton.h core/ControlButton.cpp
  core/ActiveProgram.h core/ActiveProgram.cpp
  core/ControlBookmark.h core/ControlBookmark.cpp
  core/ControlAction.h core/ControlAction.cpp
  core/PageTrouble.h core/PageTrouble.cpp
  core/WindowDesign.h core/WindowDesign.cpp
  core/WindowLimits.h
)
list(TRANSFORM CORVANE_CORE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/../)
