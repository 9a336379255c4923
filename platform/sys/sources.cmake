set(PLATFORM_SYS_SOURCES
  sys/FileSystem.h sys/FileSystem.cpp
  sys/TextRecords.h sys/TextRecords.cpp
  sys/SettingsStore.h sys/SettingsStore.cpp
  sys/Launcher.h sys/Launcher.cpp
  sys/WindowFinder.h sys/WindowFinder.cpp
  sys/TerminationNotifier.h sys/TerminationNotifier.cpp
  sys/FamilyRegister.h sys/FamilyRegister.cpp
  sys/DataTransaction.h sys/DataTransaction.cpp
)
list(TRANSFORM PLATFORM_SYS_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/../)
