# Windows, cross-compiled with mingw-w64 (scripts/build-windows.sh), included by the top CMakeLists.txt:
# one static executable (no runtime DLLs beside it), text from the glyph sheet, the data from a desktop
# build's program folder, and the desktop's exact arithmetic (quadruple-precision cosine, sine and
# arctangent: world/Extended.h).
if(NOT VELTRANO_PREBUILT_ASSETS)
  message(FATAL_ERROR "A Windows build takes its data from a desktop build: set VELTRANO_PREBUILT_ASSETS")
endif()
add_link_options(-static)
target_link_libraries(veltrano_world PUBLIC quadmath)

# The game: a window program (no console of its own) with its icon and a manifest that makes the
# narrow code page UTF-8 and the window sharp on a scaled desktop.
function(veltrano_windows_program target)
  set(icon ${CMAKE_BINARY_DIR}/VeltranoGame2.ico)
  add_custom_command(
    OUTPUT ${icon}
    COMMAND python3 ${CMAKE_SOURCE_DIR}/cmake/windows/IconFromPngs.py ${icon}
            ${VELTRANO_PREBUILT_ASSETS}/VeltranoGame2-64.png ${VELTRANO_PREBUILT_ASSETS}/VeltranoGame2-128.png
    DEPENDS ${CMAKE_SOURCE_DIR}/cmake/windows/IconFromPngs.py ${CMAKE_BINARY_DIR}/assets.stamp)
  set(manifest ${CMAKE_SOURCE_DIR}/cmake/windows/VeltranoGame2.exe.manifest)
  set(resources ${CMAKE_BINARY_DIR}/VeltranoGame2.rc)
  file(CONFIGURE OUTPUT ${resources} CONTENT "1 ICON \"${icon}\"\n1 24 \"${manifest}\"\n")
  set_source_files_properties(${resources} PROPERTIES OBJECT_DEPENDS "${icon};${manifest}")
  target_sources(${target} PRIVATE ${resources})
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
endfunction()

# The unit tests that need no desktop: GoogleTest built from Debian's sources, and the test files
# that drive the running game, the font, PNG files or POSIX file calls left out.
function(veltrano_windows_tests sources_var)
  set(gtest_force_shared_crt OFF)
  set(INSTALL_GTEST OFF)
  set(BUILD_GMOCK OFF)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(sources ${${sources_var}})
  list(FILTER sources EXCLUDE REGEX "/tests/(${VELTRANO_WINDOWS_SKIPPED_TESTS})\\.cpp$")
  set(${sources_var} ${sources} PARENT_SCOPE)
endfunction()
