set(PLATFORM_VB_SOURCES
  vb/Units.h
  vb/Runtime.h vb/Runtime.cpp
  vb/Control.h vb/Control.cpp
  vb/Form.h vb/Form.cpp
  vb/FramePacer.h vb/FramePacer.cpp
  vb/Controls.h vb/Controls.cpp
  vb/CoverKeeper.h vb/CoverKeeper.cpp
  vb/TextControls.h vb/TextControls.cpp
  vb/IndexedEvents.h
  vb/ControlArray.h
  vb/Pictures.h vb/Pictures.cpp
  vb/FileControls.h vb/FileControls.cpp
  vb/MessageLayout.h vb/MessageLayout.cpp
  vb/MessageForm.h vb/MessageForm.cpp vb/MessageText.h
  vb/Design.h vb/Design.cpp
)
list(TRANSFORM PLATFORM_VB_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/../)
