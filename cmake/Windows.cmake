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
  # The window subsystem (no console opens with the game) over the C runtime's start for main(),
  # which SDL's header then leaves as it is.
  target_link_options(${target} PRIVATE -Wl,--subsystem,windows)
  target_compile_definitions(${target} PRIVATE SDL_MAIN_HANDLED)
endfunction()

# The unit tests that need no desktop, GoogleTest built from Debian's sources: the Windows layer's own
# (tests/windows/) and the shared ones that hold what differs on Windows: the arithmetic, the world and
# the engine's motion. (The tests that set up a program folder of their own link the built files in,
# which wine cannot; the start-up and the files beside the program are tested on the zip itself.)
set(VELTRANO_WINDOWS_TESTS WorldExtendedTest WorldTest EngineCollisionTest EngineShotsTest EngineFireTest)
function(veltrano_windows_tests sources_var)
  set(gtest_force_shared_crt OFF)
  set(INSTALL_GTEST OFF)
  set(BUILD_GMOCK OFF)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  list(JOIN VELTRANO_WINDOWS_TESTS "|" chosen)
  set(sources ${${sources_var}})
  list(FILTER sources INCLUDE REGEX "/tests/(${chosen})\\.cpp$")
  file(GLOB windows_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*.cpp)
  set(${sources_var} ${sources} ${windows_sources} PARENT_SCOPE)
endfunction()
