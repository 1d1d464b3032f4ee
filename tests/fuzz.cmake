# The fuzz targets' corpora replayed as tests; the fuzz build itself is `make fuzz-build`.
add_subdirectory(${CMAKE_CURRENT_SOURCE_DIR}/fuzz ${CMAKE_BINARY_DIR}/fuzz)
