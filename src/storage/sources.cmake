target_sources(barlog_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Cp1252.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextValues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuickKeyFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DatabaseFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DbStatus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JetReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JournalTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MonthDatabase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MonthFileWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MonthPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MonthStorage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PosixFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SheetRecords.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SqliteMonthDb.cpp
)
target_sources(barlog_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Form1Storage.cpp
)
