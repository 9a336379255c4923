# The web-browser control: with the scripted engine (fast, no engine process) and with
# the real engine on local pages (label "engine").
corvane_add_test(platform_web_tests LABELS unit
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/WebBrowserTest.cpp ${CMAKE_CURRENT_LIST_DIR}/BrowserForm.h
          ${CMAKE_CURRENT_LIST_DIR}/PageDialogsTest.cpp ${CMAKE_CURRENT_LIST_DIR}/LocalPagesTest.cpp
  LIBS platform_ui Qt6::Test)

if(CORVANE_ENGINE_TESTS)
  corvane_add_test(platform_web_engine_tests LABELS engine
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/QtWebEngineTest.cpp ${CMAKE_CURRENT_LIST_DIR}/EngineFixture.h
            ${CMAKE_CURRENT_LIST_DIR}/BrowserForm.h
    LIBS platform_ui test_support_engine)
  corvane_add_test(platform_web_trouble_tests LABELS engine
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/PageTroubleTest.cpp ${CMAKE_CURRENT_LIST_DIR}/EngineFixture.h
            ${CMAKE_CURRENT_LIST_DIR}/BrowserForm.h
    LIBS platform_ui test_support_engine)
  corvane_add_test(platform_web_prompt_tests LABELS engine
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/WebPromptsTest.cpp ${CMAKE_CURRENT_LIST_DIR}/EngineFixture.h
            ${CMAKE_CURRENT_LIST_DIR}/BrowserForm.h
    LIBS platform_ui test_support_engine)
endif()
