set(CORVANE_HELP_SOURCES
  HelpDeclaration.h HelpConstants.h
  HelpApp.h HelpApp.cpp
  FirstRun.h FirstRun.cpp
  ActiveHelp.h ActiveHelp.cpp
  ControlMessage.h ControlMessage.cpp
  frmMessage.h frmMessage.cpp
  frmMain.h frmMain.cpp frmMainDesign.cpp
  TopicEngine.h TopicEngine.cpp
  ControlTopic.h ControlTopic.cpp ControlTopicTexts.cpp ControlTopicMainButtons.cpp
  ControlTopicBrowse.cpp ControlTopicFullWindow.cpp
  DemoAddress.h DemoAddress.cpp
  HelpPictures.h HelpPictures.cpp
)
list(TRANSFORM CORVANE_HELP_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
