# Sources of corvane_data (no widgets, no web engine).
set(CORVANE_DATA_SOURCES
  core/ActiveDeclaration.h
  core/MediaAddress.h core/MediaAddress.cpp
  core/frmHid.h core/frmHid.cpp
  core/ActiveVelmora.h core/ActiveVelmora.cpp
  core/VelmoraFormat.h core/VelmoraSave.cpp
  core/BrowserState.h core/BrowserState.cpp
  core/AddressRules.h core/AddressRules.cpp
)
list(TRANSFORM CORVANE_DATA_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/../)
