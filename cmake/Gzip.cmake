# mx615_gzip(IN OUT): OUT becomes IN compressed as Debian wants its manual
# pages and changelogs: the best compression, no name or time stamp inside.
function(mx615_gzip in out)
  execute_process(COMMAND gzip -9 --no-name --stdout "${in}" OUTPUT_FILE "${out}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${in} (${rc})")
  endif()
endfunction()
