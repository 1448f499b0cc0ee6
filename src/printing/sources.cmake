target_sources(barlog_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PrintLayout.cpp
)
target_sources(barlog_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Druckerwahl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Form1Printing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Printers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintGrid.cpp
)
