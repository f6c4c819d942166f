# cmake -DPREFISSO=... -DBUILD=... -P install_into_prefix.cmake
# Installs the build into an emptied prefix, as a packager would.
file(REMOVE_RECURSE ${PREFISSO})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFISSO}
                RESULT_VARIABLE esito)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${esito}")
endif()
