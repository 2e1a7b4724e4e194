# Writes the delivered database when it is absent; an existing one is never touched.
# Called with -DZEMLO_CLI=<zemlo-cli> -DDATABASE=<path>.
if(NOT EXISTS "${DATABASE}")
  execute_process(COMMAND "${ZEMLO_CLI}" nieuwe-database "${DATABASE}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Writing ${DATABASE} failed")
  endif()
endif()
