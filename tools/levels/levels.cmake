# The level builder turns the level sources of levels/ into levels.dat and the editor's track
# files beside the programs, so the shipped levels are always built from the repository.
add_executable(levelbuilder ${CMAKE_CURRENT_LIST_DIR}/levelbuilder.cpp)
target_link_libraries(levelbuilder PRIVATE velorune_trackcodec)

file(GLOB LEVEL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/levels/*.lvs)
list(SORT LEVEL_SOURCES)
add_custom_command(OUTPUT ${VELORUNE_OUT}/levels.dat
  COMMAND levelbuilder --out ${VELORUNE_OUT} ${LEVEL_SOURCES}
  DEPENDS levelbuilder ${LEVEL_SOURCES}
  COMMENT "Building levels.dat from the level sources")
add_custom_target(levels ALL DEPENDS ${VELORUNE_OUT}/levels.dat)
