# The layers: content/ at the bottom, the game's folders each a static library built only on the layers below
# it, the editor and the tools beside the game. A layer's files may include only its own folder, the folders
# of the layers it is built on, and content/, each named from the top (no ".."); only the platform may include
# SDL and only the editor Qt. A check at build time refuses any other include, so a wrong one does not build.

# Checks the includes of `folder` (and its subfolders with RECURSE) whenever `target` builds.
function(check_includes target folder)
  cmake_parse_arguments(CHECK "SDL;QT;RECURSE" "" "ALLOWED" ${ARGN})
  if(CHECK_RECURSE)
    file(GLOB_RECURSE files CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
  else()
    file(GLOB files CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
  endif()
  string(REPLACE ";" "," allowed "${CHECK_ALLOWED}")
  file(RELATIVE_PATH where ${PROJECT_SOURCE_DIR} ${folder})
  string(REPLACE "/" "_" stampName "${where}")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${stampName}.includes-checked)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -DFOLDER=${folder} -DALLOWED=${allowed}
            -DSDL=${CHECK_SDL} -DQT=${CHECK_QT} -DRECURSE=${CHECK_RECURSE} -DSTAMP=${stamp}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
    DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
    COMMENT "Checking the includes of ${where}"
    VERBATIM)
  target_sources(${target} PRIVATE ${stamp})
endfunction()

function(add_game_layer name)
  cmake_parse_arguments(LAYER "SDL" "" "USES;EXCLUDE" ${ARGN})
  set(folder ${CMAKE_CURRENT_SOURCE_DIR}/${name})
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${folder}/*.h)
  foreach(excluded IN LISTS LAYER_EXCLUDE)
    list(REMOVE_ITEM sources ${folder}/${excluded})
  endforeach()

  set(reach ${name})
  foreach(used IN LISTS LAYER_USES)
    get_property(below GLOBAL PROPERTY shardfall_layer_reach_${used})
    list(APPEND reach ${below})
  endforeach()
  list(REMOVE_DUPLICATES reach)
  set_property(GLOBAL PROPERTY shardfall_layer_reach_${name} ${reach})

  add_library(shardfall_${name} STATIC ${sources} ${headers})
  set(sdl "")
  if(LAYER_SDL)
    set(sdl SDL)
  endif()
  check_includes(shardfall_${name} ${folder} ${sdl} ALLOWED ${reach})
  target_include_directories(shardfall_${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(shardfall_${name} PUBLIC shardfall_content)
  foreach(used IN LISTS LAYER_USES)
    target_link_libraries(shardfall_${name} PUBLIC shardfall_${used})
  endforeach()
endfunction()
