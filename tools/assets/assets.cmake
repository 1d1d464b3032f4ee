# Asset generators: each gen_*.cpp becomes a program that writes its files into the output
# folder given as its only argument. They are deterministic, so the build reruns them only
# when they change. The kit holds what they share: pictures, sounds and their files.
file(GLOB ASSETKIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/kit/*.cpp)
add_library(assetkit STATIC ${ASSETKIT_SOURCES})
target_include_directories(assetkit PUBLIC ${CMAKE_SOURCE_DIR})
target_include_directories(assetkit SYSTEM PRIVATE ${STB_INCLUDE_DIR})
target_link_libraries(assetkit PUBLIC PkgConfig::VORBIS)

file(GLOB GENERATORS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/gen_*.cpp)
set(ASSET_STAMPS)
foreach(source ${GENERATORS})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE assetkit)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${name}.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${name} ${VELORUNE_OUT}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${name}
    COMMENT "Generating assets with ${name}")
  list(APPEND ASSET_STAMPS ${stamp})
endforeach()
add_custom_target(assets ALL DEPENDS ${ASSET_STAMPS})

# The read-me the main menu's web-site buttons open, beside the program.
configure_file(${CMAKE_CURRENT_LIST_DIR}/readme.txt ${VELORUNE_OUT}/readme.txt COPYONLY)
