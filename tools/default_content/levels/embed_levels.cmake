# Turns the level text sources (levels/<set>/*.txt) into a generated .cpp of raw strings in shardfall_defaults.
file(GLOB level_texts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/levels/*/*.txt)
set(level_sources_cpp ${CMAKE_CURRENT_BINARY_DIR}/level_sources.cpp)
add_custom_command(
  OUTPUT ${level_sources_cpp}
  COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_CURRENT_SOURCE_DIR}/levels -DOUT=${level_sources_cpp}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/levels/embed_texts.cmake
  DEPENDS ${level_texts} ${CMAKE_CURRENT_SOURCE_DIR}/levels/embed_texts.cmake
  COMMENT "Embedding level texts")
target_sources(shardfall_defaults PRIVATE ${level_sources_cpp})
