# Builds the Debian package of a build tree afresh into ZIEL, so that the
# package tests never look at a package of an earlier build.
# cmake -DCPACK=... -DKONFIGURATION=.../CPackConfig.cmake -DZIEL=... -P PaketBauen.cmake
file(REMOVE_RECURSE ${ZIEL})
execute_process(COMMAND ${CPACK} -G DEB --config ${KONFIGURATION} -B ${ZIEL}
                RESULT_VARIABLE ergebnis)
if(NOT ergebnis EQUAL 0)
  message(FATAL_ERROR "cpack failed: ${ergebnis}")
endif()
