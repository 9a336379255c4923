set(PLATFORM_WEB_SOURCES
  web/WebBrowser.h web/WebBrowser.cpp
  web/QtWebEngine.h web/QtWebEngine.cpp
  web/FreedMemoryRelease.h web/FreedMemoryRelease.cpp
  web/WebDialogs.h web/WebDialogs.cpp
  web/PageDialogs.h web/PageDialogs.cpp
  web/LocalPages.h web/LocalPages.cpp
  web/WebDownloads.h web/WebDownloads.cpp
  web/ScriptedWebEngine.h web/ScriptedWebEngine.cpp
)
list(TRANSFORM PLATFORM_WEB_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/../)
