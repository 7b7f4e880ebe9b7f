# Runs a host program (zqthost.exe, the test driver, the example host) once and compares its output, line
# ends aside, and exit code with the expected ones.
#   EMULATOR, HOST: how to run the host; ARGS: its arguments separated by "|"
#   EXPECTED: file with the expected output; @VAR@ in it is replaced from this script's variables
#   EXPECTED_REGEX: instead of EXPECTED, a regular expression the whole output must match
#   EXPECTED_RC: exit code; DB: database file removed before the run; STDIN: file fed to standard input
#   BMP: a screenshot file that must exist afterwards as a 24-bit BMP that is not all black
# Window handles differ from run to run: each distinct one becomes <window1>, <window2>, ... in order.
cmake_minimum_required(VERSION 3.21)

if(DB)
  file(REMOVE "${DB}")
endif()
if(BMP)
  file(REMOVE "${BMP}")
endif()
string(REPLACE "|" ";" host_args "${ARGS}")
set(input_option)
if(STDIN)
  set(input_option INPUT_FILE "${STDIN}")
endif()
execute_process(COMMAND ${EMULATOR} "${HOST}" ${host_args} ${input_option}
                RESULT_VARIABLE rc OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 120)
string(REPLACE "\r\n" "\n" output "${output}")

string(REGEX MATCHALL "window=0x[0-9a-f]+" handles "${output}")
list(REMOVE_DUPLICATES handles)
set(number 0)
foreach(handle IN LISTS handles)
  math(EXPR number "${number} + 1")
  string(REPLACE "${handle}" "window=<window${number}>" output "${output}")
endforeach()

if(EXPECTED_REGEX)
  set(expected "${EXPECTED_REGEX}")
  string(REGEX MATCH "^${EXPECTED_REGEX}$" matched "${output}")
  set(same_output FALSE)
  if(matched STREQUAL output)
    set(same_output TRUE)
  endif()
else()
  file(READ "${EXPECTED}" expected)
  string(CONFIGURE "${expected}" expected @ONLY)
  set(same_output FALSE)
  if(output STREQUAL expected)
    set(same_output TRUE)
  endif()
endif()
if(NOT same_output OR NOT rc STREQUAL EXPECTED_RC)
  message(FATAL_ERROR "zqthost ${ARGS}\nexit code ${rc}, expected ${EXPECTED_RC}\n"
                      "--- output\n${output}--- expected\n${expected}--- stderr\n${errors}")
endif()

if(BMP)
  file(READ "${BMP}" header LIMIT 30 HEX)
  string(SUBSTRING "${header}" 0 4 magic)
  string(SUBSTRING "${header}" 56 4 bits)
  if(NOT magic STREQUAL "424d" OR NOT bits STREQUAL "1800")
    message(FATAL_ERROR "${BMP} is not a 24-bit BMP: ${header}")
  endif()
  file(READ "${BMP}" pixels OFFSET 54 HEX)
  if(NOT pixels MATCHES "[1-9a-f]")
    message(FATAL_ERROR "${BMP} is all black: nothing was read from the screen")
  endif()
endif()
