target_sources(barlog_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Form1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Form1Startup.cpp
)
