# The names of the files beside the program, read from app/ProgramFiles.h and world/Sounds.h, where the
# game and the generator read them: VELTRANO_SHEET_FILES (the picture sheets), VELTRANO_GLYPH_FILE (the
# browser's text), VELTRANO_CONFIG_FILE, VELTRANO_SAVE_FILE and VELTRANO_SOUNDS_FOLDER (every wave file,
# installed whole).
file(STRINGS ${CMAKE_SOURCE_DIR}/app/ProgramFiles.h VELTRANO_PROGRAM_FILE_LINES ENCODING UTF-8
     REGEX "(SheetFile|FileName) = \"")
file(STRINGS ${CMAKE_SOURCE_DIR}/world/Sounds.h VELTRANO_SOUNDS_FOLDER_LINES REGEX "SoundsFolderName = \"")
# Configured again when either header changes, so a renamed file is installed under its new name.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/ProgramFiles.h
                                                               ${CMAKE_SOURCE_DIR}/world/Sounds.h)
set(VELTRANO_SHEET_FILES)
foreach(line IN LISTS VELTRANO_PROGRAM_FILE_LINES VELTRANO_SOUNDS_FOLDER_LINES)
  string(REGEX MATCH "([^\\\"]+)\";" name "${line}")
  set(name ${CMAKE_MATCH_1})
  if(line MATCHES "GlyphSheetFile")
    set(VELTRANO_GLYPH_FILE ${name})
  elseif(line MATCHES "SheetFile")
    list(APPEND VELTRANO_SHEET_FILES ${name})
  elseif(line MATCHES "ConfigFileName")
    set(VELTRANO_CONFIG_FILE ${name})
  elseif(line MATCHES "SaveFileName")
    set(VELTRANO_SAVE_FILE ${name})
  elseif(line MATCHES "SoundsFolderName")
    set(VELTRANO_SOUNDS_FOLDER ${name})
  endif()
endforeach()
list(LENGTH VELTRANO_SHEET_FILES VELTRANO_SHEET_COUNT)
if(NOT VELTRANO_SHEET_COUNT EQUAL 3 OR NOT VELTRANO_GLYPH_FILE OR NOT VELTRANO_CONFIG_FILE OR NOT VELTRANO_SAVE_FILE
   OR NOT VELTRANO_SOUNDS_FOLDER)
  message(FATAL_ERROR "app/ProgramFiles.h, world/Sounds.h: expected three sheets, the glyph sheet, the ini, "
                      "the save file and the Sounds folder; found ${VELTRANO_SHEET_FILES} ${VELTRANO_GLYPH_FILE} "
                      "${VELTRANO_CONFIG_FILE} ${VELTRANO_SAVE_FILE} ${VELTRANO_SOUNDS_FOLDER}")
endif()
# The same names, one a line, for the scripts that copy them (scripts/build-web.sh packs these).
list(JOIN VELTRANO_SHEET_FILES "\n" VELTRANO_SHEET_LINES)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/program-files.txt
     CONTENT "${VELTRANO_SHEET_LINES}\n${VELTRANO_GLYPH_FILE}\n${VELTRANO_CONFIG_FILE}\n${VELTRANO_SAVE_FILE}\n")
