# Writes a manual page from a program's --help text.
# cmake -DPROGRAM=... -DNAME=... -DSUMMARY=... -DVERSION=... -DOUT=... -P help2roff.cmake
# writes OUT and OUT.gz, the page as it is installed.
cmake_policy(SET CMP0054 NEW)
include(${CMAKE_CURRENT_LIST_DIR}/Gzip.cmake)
execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR help STREQUAL "")
  message(FATAL_ERROR "${NAME} --help failed (${rc}): a manual page needs it to work without a display")
endif()
# roff reads a backslash as an escape and a leading dot or quote as a request.
function(roff_text text out)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A program with commands lists them in its help as "  NAME COMMAND ...": each
# command's own help (NAME COMMAND --help) is a section of the page.
set(commands "")
string(REGEX MATCHALL "\n  ${NAME} [a-z][a-z-]*" listed "${help}")
foreach(line IN LISTS listed)
  string(REGEX REPLACE "^\n  ${NAME} " "" command "${line}")
  if(NOT command STREQUAL "help")
    list(APPEND commands "${command}")
  endif()
endforeach()
list(REMOVE_DUPLICATES commands)
set(sections "")
foreach(command IN LISTS commands)
  execute_process(COMMAND "${PROGRAM}" ${command} --help OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR text STREQUAL "")
    message(FATAL_ERROR "${NAME} ${command} --help failed (${rc})")
  endif()
  roff_text("${text}" text)
  string(TOUPPER "${command}" title)
  string(APPEND sections ".SH COMMAND ${title}\n.nf\n${text}.fi\n")
endforeach()

roff_text("${help}" help)
# The other programs of the package, not the page's own.
set(others "")
foreach(program mx615 mx615-cli mx615-radio-sim)
  if(NOT program STREQUAL NAME)
    list(APPEND others "${program}(1)")
  endif()
endforeach()
list(JOIN others ", " others)
string(TIMESTAMP today "%Y-%m-%d" UTC)
file(WRITE "${OUT}" ".TH ${NAME} 1 \"${today}\" \"mx615 ${VERSION}\" \"User Commands\"
.SH NAME
${NAME} \\- ${SUMMARY}
.SH SYNOPSIS AND OPTIONS
.nf
${help}
.fi
${sections}.SH SEE ALSO
${others}
")
mx615_gzip("${OUT}" "${OUT}.gz")
