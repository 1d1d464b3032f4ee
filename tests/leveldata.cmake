# The level-data tests read the generated levels.dat and run the level builder.
add_dependencies(velorune_tests levels)
target_compile_definitions(velorune_tests PRIVATE VELORUNE_LEVELBUILDER="$<TARGET_FILE:levelbuilder>")
