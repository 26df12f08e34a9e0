# cmake -P run_validator.cmake <validator> <arguments...>
# Fails when the validator is missing, reports a problem by its exit status, or
# prints an error, a warning or (desktop-file-validate) a hint: that tool exits
# 0 on warnings, and a missing main category is only a hint.
cmake_minimum_required(VERSION 3.21)
set(command)
set(i 3) # CMAKE_ARGV0..2 are cmake, -P and this script
while(i LESS CMAKE_ARGC)
  list(APPEND command "${CMAKE_ARGV${i}}")
  math(EXPR i "${i} + 1")
endwhile()
list(GET command 0 tool)
find_program(tool_path ${tool})
if(NOT tool_path)
  message(FATAL_ERROR "${tool} is not installed (scripts/setup.sh installs it)")
endif()
list(GET command -1 target)
if(NOT EXISTS "${target}")
  message(FATAL_ERROR "${target} is missing: was the installation test run?")
endif()

execute_process(COMMAND ${command} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${tool} failed with exit status ${rc}")
endif()
# desktop-file-validate: "error:", "warning:", "hint:"; appstreamcli: "E:", "W:".
if(out MATCHES "(^|\n)[^\n]*: (error|warning|hint): " OR out MATCHES "(^|\n) *[EW]: ")
  message(FATAL_ERROR "${tool} reported problems")
endif()
