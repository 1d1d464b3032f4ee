# The fuzz target joins the normal build when the compiler is clang (libFuzzer ships with it).
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_subdirectory(${CMAKE_CURRENT_SOURCE_DIR}/fuzz ${CMAKE_BINARY_DIR}/fuzz)
endif()
