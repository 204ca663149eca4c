# Installs the build folder BUILD under /usr into DESTDIR, first removing an earlier test install, whose data
# folders are read-only.
if(EXISTS ${DESTDIR})
  file(CHMOD_RECURSE ${DESTDIR} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE)
  file(REMOVE_RECURSE ${DESTDIR})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${DESTDIR} ${CMAKE_COMMAND} --install ${BUILD} --prefix /usr
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install ${BUILD} failed with ${result}")
endif()
