# Checks every system file named in system-files.txt and sets SHARDFALL_<NAME> to its path.
# A missing file stops the configuration with the Debian package that holds it. The packages of the files the
# programs read go into SHARDFALL_RUNTIME_FILE_PACKAGES, for the package's dependencies.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/system-files.txt system_file_lines REGEX "^[A-Z]")
set(SHARDFALL_RUNTIME_FILE_PACKAGES "")
foreach(line IN LISTS system_file_lines)
  string(REGEX MATCHALL "[^ \t]+" fields "${line}")
  list(GET fields 0 name)
  list(GET fields 1 path)
  list(GET fields 2 package)
  list(GET fields 3 neededBy)
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "Missing ${path}: it comes from the Debian package ${package} "
                        "(bash scripts/install-deps.sh installs every package the build needs).")
  endif()
  set(SHARDFALL_${name} ${path})
  if(neededBy STREQUAL "run")
    list(APPEND SHARDFALL_RUNTIME_FILE_PACKAGES ${package})
  endif()
endforeach()
list(REMOVE_DUPLICATES SHARDFALL_RUNTIME_FILE_PACKAGES)
