target_sources(barlog_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/GermanNumbers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Amounts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Recalculation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyCodes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UndoBuffer.cpp
)
target_sources(barlog_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/EditorBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Form1Editing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Form1Rows.cpp
)
