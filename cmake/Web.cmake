# The browser's build, included by the top CMakeLists.txt under emcmake: the core, the web backend
# and the page's module. The data are packed from a program folder that a desktop build generated
# (scripts/build-web.sh prepares it: pictures, glyph sheet, ini, save file, effects).
set(VELTRANO_WEB_DATA "" CACHE PATH "Program folder to pack with the page")
if(NOT VELTRANO_WEB_DATA)
  message(FATAL_ERROR "VELTRANO_WEB_DATA must name the program folder to pack (scripts/build-web.sh sets it)")
endif()

# -O2: as fast in the browser as -O3 here, and quicker to build.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")
# Start-up reports a file it cannot load by its exception, as on the desktop.
foreach(layer IN LISTS VELTRANO_LAYERS)
  target_compile_options(veltrano_${layer} PUBLIC -fexceptions -msimd128)
endforeach()

# The browser's backend, a layer over the platform alone; the program entry sits above it all.
set(VELTRANO_LAYER_SOURCES_web platform/web/*.cpp)
set(VELTRANO_LAYER_BELOW_web platform)
set(VELTRANO_LAYER_FOLDER_web platform)
veltrano_add_layer(web)
add_executable(VeltranoGame2 app/web/WebEntry.cpp)
target_link_libraries(VeltranoGame2 PRIVATE veltrano_core veltrano_web)
set_target_properties(VeltranoGame2 PROPERTIES SUFFIX ".js")
set(WEB_JS ${CMAKE_SOURCE_DIR}/platform/web/web-platform.js)
set(WEB_PRE ${CMAKE_SOURCE_DIR}/platform/web/web-files.js)
target_link_options(VeltranoGame2 PRIVATE
  -fexceptions -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864 -sENVIRONMENT=web -sTOTAL_STACK=1048576
  --js-library ${WEB_JS} --pre-js ${WEB_PRE}
  "SHELL:--preload-file ${VELTRANO_WEB_DATA}@/program"
  -sEXPORTED_FUNCTIONS=_main,_malloc,_free
  -sEXPORTED_RUNTIME_METHODS=ccall,cwrap,FS,UTF8ToString)
set_property(TARGET VeltranoGame2 APPEND PROPERTY LINK_DEPENDS ${WEB_JS} ${WEB_PRE})
