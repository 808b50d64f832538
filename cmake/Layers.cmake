# The game's layers, each a library of its folder, built so that a layer can reach only the layers
# below it: a layer that includes a higher one's header, or calls a function a higher one defines,
# stops the build. scripts/check-layers.sh keeps the finer rules (the backends among themselves).
#
#   world      the shared variables, start values, the random generator, the object kinds
#   platform   surfaces, text, input states, the mixer, files
#   engine     the per-frame services: the ship, shots, enemies, bullets, collisions
#   render     the passes that draw the world through the platform's operations
#   stages     the script model, its interpreter and every scene's script
#   app        the program's main object: start-up, the frame, menus, sound bank, replays
#
# Each layer compiles against an include root of its own (build/layers/<layer>) that holds links to its
# own folder and to the folders below it, and nothing else: `#include "stages/Stage.h"` in world/ finds
# no file. Each layer also links alone into a small probe program (build/layer-probes), the whole layer
# with only the layers below it, where a call into a higher layer is an undefined reference.
#
# VELTRANO_LAYERS is the order, lowest first; VELTRANO_LAYER_BELOW_<layer> the layers a layer may use.
set(VELTRANO_LAYERS world platform engine render stages app)
set(VELTRANO_LAYER_BELOW_world)
set(VELTRANO_LAYER_BELOW_platform world)
set(VELTRANO_LAYER_BELOW_engine world)
set(VELTRANO_LAYER_BELOW_render world platform)
set(VELTRANO_LAYER_BELOW_stages world platform engine)
set(VELTRANO_LAYER_BELOW_app world platform engine render stages)

set(VELTRANO_LAYER_SOURCES_world world/*.cpp)
set(VELTRANO_LAYER_SOURCES_platform platform/*.cpp)
if(WIN32)
  # Windows has its own files and folders (wide names, its own replace and lock); the rest is shared.
  list(APPEND VELTRANO_LAYER_SOURCES_platform platform/windows/*.cpp)
  set(VELTRANO_LAYER_EXCLUDE_platform ".*/platform/(Files|SystemFolders)\\.cpp$")
endif()
set(VELTRANO_LAYER_SOURCES_engine engine/*.cpp)
set(VELTRANO_LAYER_SOURCES_render render/*.cpp)
set(VELTRANO_LAYER_SOURCES_stages stages/*.cpp stages/*/*.cpp)
# The program entries (the desktop's and the browser's) sit above every layer, with their backends.
set(VELTRANO_LAYER_SOURCES_app app/*.cpp app/headless/*.cpp)
set(VELTRANO_LAYER_EXCLUDE_app ".*/app/ProgramEntry\\.cpp$")

set(VELTRANO_LAYER_ROOTS ${CMAKE_BINARY_DIR}/layers)

# Makes the include root of a layer: links to `folders` in the source tree, and nothing else (a link
# left from an earlier rule is removed; the links are removed as links, never followed).
function(veltrano_layer_root name)
  set(root ${VELTRANO_LAYER_ROOTS}/${name})
  file(MAKE_DIRECTORY ${root})
  file(GLOB present LIST_DIRECTORIES true RELATIVE ${root} ${root}/*)
  foreach(entry IN LISTS present)
    if(NOT entry IN_LIST ARGN)
      file(REMOVE ${root}/${entry})
    endif()
  endforeach()
  foreach(folder IN LISTS ARGN)
    if(NOT IS_SYMLINK ${root}/${folder})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
  endforeach()
endfunction()

# The folder of the layer `layer`: VELTRANO_LAYER_FOLDER_<layer>, or the layer's name.
function(veltrano_layer_folder layer out)
  if(VELTRANO_LAYER_FOLDER_${layer})
    set(${out} ${VELTRANO_LAYER_FOLDER_${layer}} PARENT_SCOPE)
  else()
    set(${out} ${layer} PARENT_SCOPE)
  endif()
endfunction()

# Builds the layer `layer` from VELTRANO_LAYER_SOURCES_<layer> (globs in the source tree, less what
# VELTRANO_LAYER_EXCLUDE_<layer> matches) over the layers VELTRANO_LAYER_BELOW_<layer>. Its include
# root shows those layers and its own folder, VELTRANO_LAYER_FOLDER_<layer> (the layer's name unless
# set: a backend's folder is platform/).
function(veltrano_add_layer layer)
  set(globs)
  foreach(glob IN LISTS VELTRANO_LAYER_SOURCES_${layer})
    list(APPEND globs ${CMAKE_SOURCE_DIR}/${glob})
  endforeach()
  file(GLOB sources CONFIGURE_DEPENDS ${globs})
  if(VELTRANO_LAYER_EXCLUDE_${layer})
    list(FILTER sources EXCLUDE REGEX "${VELTRANO_LAYER_EXCLUDE_${layer}}")
  endif()
  add_library(veltrano_${layer} STATIC ${sources})
  veltrano_layer_folder(${layer} folder)
  set(folders ${folder} ${VELTRANO_LAYER_BELOW_${layer}})
  list(REMOVE_DUPLICATES folders)
  veltrano_layer_root(${layer} ${folders})
  # PRIVATE: a layer's root is not handed to the layers that link it.
  target_include_directories(veltrano_${layer} PRIVATE ${VELTRANO_LAYER_ROOTS}/${layer})
  foreach(below IN LISTS VELTRANO_LAYER_BELOW_${layer})
    target_link_libraries(veltrano_${layer} PUBLIC veltrano_${below})
  endforeach()
endfunction()

foreach(layer IN LISTS VELTRANO_LAYERS)
  veltrano_add_layer(${layer})
endforeach()

# The core, as the tools, the tests and the program entries see it: every layer, and the source tree
# as their include root.
add_library(veltrano_core INTERFACE)
target_include_directories(veltrano_core INTERFACE ${CMAKE_SOURCE_DIR})
foreach(layer IN LISTS VELTRANO_LAYERS)
  target_link_libraries(veltrano_core INTERFACE veltrano_${layer})
endforeach()

# Links the layer `layer` alone, as a whole, with the layers below it and the system's libraries it
# names itself.
function(veltrano_layer_probe layer)
  set(probe veltrano_layer_probe_${layer})
  add_executable(${probe} ${CMAKE_SOURCE_DIR}/cmake/LayerProbe.cpp)
  target_link_libraries(${probe} PRIVATE -Wl,--whole-archive veltrano_${layer} -Wl,--no-whole-archive)
  set_target_properties(${probe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layer-probes)
  if(CMAKE_INTERPROCEDURAL_OPTIMIZATION)
    # From link-time objects: every function of the layer is kept as if called from outside (link-time
    # optimisation would drop the ones the probe does not reach, and their calls with them), and the
    # code, never run, is generated quickly.
    target_link_options(${probe} PRIVATE -rdynamic -O0)
  endif()
endfunction()

# Each layer's sources find the headers of the layers below and no others, with the include
# directories they are really compiled with (a source-tree root handed down by any layer would show).
function(veltrano_layer_include_test layer)
  veltrano_layer_folder(${layer} folder)
  add_test(NAME Layers.${layer}SeesOnlyTheLayersBelow
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/layers/include-roots.sh ${CMAKE_CXX_COMPILER} ${CMAKE_SOURCE_DIR}
                   "$<TARGET_PROPERTY:veltrano_${layer},INCLUDE_DIRECTORIES>" "${VELTRANO_LAYERS}"
                   "${folder};${VELTRANO_LAYER_BELOW_${layer}}")
endfunction()
