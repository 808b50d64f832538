# The names of the files beside the program, read from app/ProgramFiles.h, where the game and the
# generator read them: VELTRANO_SHEET_FILES (the picture sheets), VELTRANO_CONFIG_FILE and
# VELTRANO_SAVE_FILE.
file(STRINGS ${CMAKE_SOURCE_DIR}/app/ProgramFiles.h VELTRANO_PROGRAM_FILE_LINES ENCODING UTF-8
     REGEX "(SheetFile|FileName) = \"")
set(VELTRANO_SHEET_FILES)
foreach(line IN LISTS VELTRANO_PROGRAM_FILE_LINES)
  string(REGEX MATCH "([^\\\"]+)\";" name "${line}")
  set(name ${CMAKE_MATCH_1})
  if(line MATCHES "SheetFile")
    list(APPEND VELTRANO_SHEET_FILES ${name})
  elseif(line MATCHES "ConfigFileName")
    set(VELTRANO_CONFIG_FILE ${name})
  elseif(line MATCHES "SaveFileName")
    set(VELTRANO_SAVE_FILE ${name})
  endif()
endforeach()
list(LENGTH VELTRANO_SHEET_FILES VELTRANO_SHEET_COUNT)
if(NOT VELTRANO_SHEET_COUNT EQUAL 3 OR NOT VELTRANO_CONFIG_FILE OR NOT VELTRANO_SAVE_FILE)
  message(FATAL_ERROR "app/ProgramFiles.h: expected three sheets, the ini and the save file; found "
                      "${VELTRANO_SHEET_FILES} ${VELTRANO_CONFIG_FILE} ${VELTRANO_SAVE_FILE}")
endif()
