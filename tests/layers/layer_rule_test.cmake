# Each case is one file holding one include, checked as a folder allowed to reach the folders listed, with the
# check's switches; the case says whether the check lets it through.
cmake_minimum_required(VERSION 3.25)
set(cases
  "pass|core||#include \"core/game.h\""
  "pass|core||#include \"content/names.h\""
  "pass|core||#include \"local.h\""
  "pass|core||#include <vector>"
  "pass|platform|SDL|#include <SDL.h>"
  "pass|editor,tools|QT|#include <QString>"
  "pass|tools||#include <nlohmann/json.hpp>"
  "fail|platform|SDL|#include \"../gameplay/bricks.h\""
  "fail|core||  #  include \"core/../gameplay/bricks.h\""
  "fail|core||#include \"gameplay/bricks.h\""
  "fail|core||#include <gameplay/bricks.h>"
  "fail|core||#include <SDL.h>"
  "fail|content||#include \"game/core/game.h\""
  "fail|content||#include \"editor/playfield.h\""
  "fail|content||#include \"tools/content_tool/content_check.h\""
  "fail|content||#include <QString>"
  "fail|editor,tools|QT|#include \"game/core/world.h\""
  "fail|tools||#include \"editor/level_editor.h\""
  "fail|tools||#include \"game/platform/display.h\""
  "fail|tools||#include \"proof/level_proof.h\""
  "pass|tools,proof||#include \"proof/level_proof.h\""
  "fail|tools,proof||#include \"shell/main_loop.h\""
  "fail|tools,proof||#include \"game/proof/level_proof.h\"")

execute_process(COMMAND mktemp -d OUTPUT_VARIABLE work OUTPUT_STRIP_TRAILING_WHITESPACE)
set(failures "")
set(number 0)
foreach(case IN LISTS cases)
  math(EXPR number "${number} + 1")
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 expected)
  list(GET parts 1 allowed)
  list(GET parts 2 switch)
  list(GET parts 3 line)
  set(folder ${work}/case${number})
  file(WRITE ${folder}/file.cpp "${line}\n")
  set(switches "")
  if(switch)
    list(APPEND switches -D${switch}=ON)
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${ROOT} -DFOLDER=${folder} -DALLOWED=${allowed} ${switches}
                          -DSTAMP=${folder}/stamp -P ${ROOT}/cmake/CheckLayerIncludes.cmake
                  RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  if(status EQUAL 0)
    set(got pass)
  else()
    set(got fail)
  endif()
  if(NOT got STREQUAL expected)
    string(APPEND failures "\n  ${line} (allowed ${allowed} ${switch}): expected ${expected}, got ${got}")
  endif()
endforeach()
file(REMOVE_RECURSE ${work})
if(failures)
  message(FATAL_ERROR "The include check went wrong:${failures}")
endif()
message(STATUS "${number} includes checked")
