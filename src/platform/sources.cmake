target_sources(barlog_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FlexGridStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Clock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileSystem.cpp
)
target_sources(barlog_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/MessageBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Screen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FlexGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridPainter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Fonts.cpp
)
