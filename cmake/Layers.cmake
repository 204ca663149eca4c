# The game's layers: one static library per folder of game/, each built only on the layers below it. A layer's
# files may include only its own folder, the folders of the layers it is built on, and content/; only the
# platform may include SDL. A check at build time refuses any other include, so a wrong one does not build.
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

  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${name}.includes-checked)
  string(REPLACE ";" "," allowed "${reach}")
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DALLOWED=${allowed} -DSDL=${LAYER_SDL} -DSTAMP=${stamp}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
    DEPENDS ${sources} ${headers} ${PROJECT_SOURCE_DIR}/cmake/CheckLayerIncludes.cmake
    COMMENT "Checking the includes of game/${name}"
    VERBATIM)

  add_library(shardfall_${name} STATIC ${sources} ${headers} ${stamp})
  target_include_directories(shardfall_${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(shardfall_${name} PUBLIC shardfall_content)
  foreach(used IN LISTS LAYER_USES)
    target_link_libraries(shardfall_${name} PUBLIC shardfall_${used})
  endforeach()
endfunction()
