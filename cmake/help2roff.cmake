# Writes a manual page from a program's --help text.
# cmake -DPROGRAM=... -DNAME=... -DSUMMARY=... -DVERSION=... -DOUT=... -P help2roff.cmake
# writes OUT and OUT.gz, the page as it is installed.
include(${CMAKE_CURRENT_LIST_DIR}/Gzip.cmake)
execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR help STREQUAL "")
  message(FATAL_ERROR "${NAME} --help failed (${rc}): a manual page needs it to work without a display")
endif()
# roff reads a backslash as an escape and a leading dot or quote as a request.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(TIMESTAMP today "%Y-%m-%d" UTC)
file(WRITE "${OUT}" ".TH ${NAME} 1 \"${today}\" \"mx615 ${VERSION}\" \"User Commands\"
.SH NAME
${NAME} \\- ${SUMMARY}
.SH SYNOPSIS AND OPTIONS
.nf
${help}
.fi
.SH SEE ALSO
mx615(1), mx615-cli(1), mx615-radio-sim(1)
")
mx615_gzip("${OUT}" "${OUT}.gz")
