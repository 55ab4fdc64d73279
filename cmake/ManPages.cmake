# mx615_man_page(TARGET SUMMARY): a manual page made from TARGET --help at
# build time, installed compressed to share/man/man1.
function(mx615_man_page target summary)
  set(out "${CMAKE_BINARY_DIR}/man/${target}.1")
  add_custom_command(OUTPUT "${out}" "${out}.gz"
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${target}> -DNAME=${target} "-DSUMMARY=${summary}"
            -DVERSION=${PROJECT_VERSION} -DOUT=${out} -P ${CMAKE_SOURCE_DIR}/cmake/help2roff.cmake
    DEPENDS ${target} ${CMAKE_SOURCE_DIR}/cmake/help2roff.cmake ${CMAKE_SOURCE_DIR}/cmake/Gzip.cmake
    COMMENT "Manual page of ${target}")
  add_custom_target(${target}-man ALL DEPENDS "${out}.gz")
  install(FILES "${out}.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
