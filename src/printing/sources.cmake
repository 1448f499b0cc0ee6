target_sources(barlog_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PrintGrid.cpp
)
