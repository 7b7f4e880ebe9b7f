# Builds the control probe, which must succeed, then each upward-include probe, which must fail because the
# compiler cannot find the header of the higher layer.
function(build target result output)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${target}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(${result} ${rc} PARENT_SCOPE)
  set(${output} "${out}" PARENT_SCOPE)
endfunction()

build(${CONTROL} rc out)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the allowed includes do not build:\n${out}")
endif()

list(LENGTH PROBES count)
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  list(GET PROBES ${i} probe)
  list(GET HEADERS ${i} header)
  build(${probe} rc out)
  string(REPLACE "." "[.]" pattern "${header}")
  if(rc EQUAL 0)
    message(FATAL_ERROR "${probe}: the include of ${header} compiled; the layers are not enforced")
  elseif(NOT out MATCHES "${pattern}: No such file")
    message(FATAL_ERROR "${probe} failed, but not for want of ${header}:\n${out}")
  endif()
  message(STATUS "${probe}: ${header} not found, as it must be")
endforeach()
