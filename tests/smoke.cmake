# The real program, started headless under a virtual X server, must reach the main menu and
# end cleanly on a close request.
add_test(NAME smoke_start_and_close
  COMMAND ${WITH_X_SERVER} 1024x768x24 ${CMAKE_CURRENT_SOURCE_DIR}/smoke_test.sh ${VELORUNE_OUT})
set_tests_properties(smoke_start_and_close PROPERTIES TIMEOUT 60 RUN_SERIAL TRUE)
