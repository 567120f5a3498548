# Runs the game with no display to open its window on and checks that it
# says so and exits with status 1, rather than being killed by a signal.
#   cmake -DPROGRAM=<path to quillamon> -P no_display.cmake
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
          ${PROGRAM}
  RESULT_VARIABLE status
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  TIMEOUT 15)

message(STATUS "exit status: ${status}")
message(STATUS "standard error:\n${err}")
# A number is an exit status; a signal comes back as text such as "Aborted"
# or "Segmentation fault".
if(NOT status STREQUAL "1")
  message(FATAL_ERROR "expected exit status 1, got '${status}'")
endif()
if(NOT err MATCHES "needs a graphical display")
  message(FATAL_ERROR "standard error does not say that a display is needed")
endif()
if(err MATCHES "Sanitizer|runtime error:")
  message(FATAL_ERROR "a sanitizer reported a fault")
endif()
