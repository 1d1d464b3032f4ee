# The read-me the main menu's web-site buttons open, beside the program.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/readme.txt ${VELORUNE_OUT}/readme.txt COPYONLY)
