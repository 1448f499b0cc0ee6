target_sources(barlog_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/GermanNumbers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Amounts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Recalculation.cpp
)
