target_sources(barlog_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Design.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Icons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Skalieren.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Form1Design.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Einstellungen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Form2.cpp
)
