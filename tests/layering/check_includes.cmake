# Fails when a source folder includes a folder it may not: each layer sees only what lies
# below it. The rooms of platform/ and editor/ are layers of their own, and so is the game's
# program (game/main.cpp), which alone of the game makes the SDL window and the OpenGL device.
# Every include is read, however written: quotes or angle brackets, spaces before or after the
# '#', a path relative to the including file, and one that climbs out of a folder and back
# into another ("platform/../world/..."). Includes of folders outside the source tree
# (system headers) are not layers and pass. Run with -DROOT=<source folder>.
cmake_minimum_required(VERSION 3.25)
set(ALLOWED_platform platform)
set(ALLOWED_platform/machine platform/machine platform)
set(ALLOWED_platform/formats platform/formats platform)
set(ALLOWED_platform/threads platform/threads platform/formats platform)
set(ALLOWED_platform/gl platform/gl platform/formats platform)
set(ALLOWED_platform/sdl platform/sdl platform/gl platform/formats platform)
set(ALLOWED_platform/recording platform/recording platform/formats platform)
set(ALLOWED_shared shared platform)
set(ALLOWED_world world shared platform/formats platform)
set(ALLOWED_game game ui world shared platform/machine platform/formats platform/threads platform)
set(ALLOWED_ui ${ALLOWED_game})
set(ALLOWED_game/main.cpp ${ALLOWED_game} platform/sdl platform/gl)
set(ALLOWED_editor editor world shared platform/formats platform)
set(ALLOWED_editor/qt editor/qt editor world shared platform/gl platform/formats platform)
# The tools stand above both programs; bench_world plays in the tests' scratch copy of the
# game's folder.
set(ALLOWED_tools tools editor game ui world shared platform platform/machine platform/formats platform/threads
    platform/gl platform/sdl platform/recording tests/support)
set(CHECKED platform shared world game ui editor tools)
set(SOURCE_FOLDERS ${CHECKED} tests)
set(ROOMS platform/machine platform/formats platform/threads platform/gl platform/sdl platform/recording editor/qt
    game/main.cpp tests/support)
set(SOURCE_GLOBS *.h *.hh *.hpp *.inl *.ipp *.c *.cc *.cpp *.cxx)

# The layer a path (a source's, relative to ROOT, or an include's) belongs to: its room when it
# is or lies in one, otherwise its top folder.
function(layer_of path out)
  foreach(room ${ROOMS})
    if(path STREQUAL room OR path MATCHES "^${room}/")
      set(${out} ${room} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  string(REGEX REPLACE "/.*" "" top "${path}")
  set(${out} ${top} PARENT_SCOPE)
endfunction()

# The path, relative to ROOT and with every "." and ".." taken out, that an include names: a
# quoted one may be relative to the including file's folder, as the compiler looks there
# first; otherwise it is found from ROOT, the one include folder of the sources.
function(included_path source name out)
  cmake_path(GET source PARENT_PATH folder)
  if(name MATCHES "^\\.\\.?/" OR EXISTS "${folder}/${name}")
    cmake_path(ABSOLUTE_PATH name BASE_DIRECTORY "${folder}" NORMALIZE OUTPUT_VARIABLE absolute)
    cmake_path(RELATIVE_PATH absolute BASE_DIRECTORY "${ROOT}" OUTPUT_VARIABLE name)
  endif()
  cmake_path(NORMAL_PATH name)
  set(${out} "${name}" PARENT_SCOPE)
endfunction()

set(include_line "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]+)[\">]")
set(failures "")
foreach(folder ${CHECKED})
  set(globs "")
  foreach(glob ${SOURCE_GLOBS})
    list(APPEND globs "${ROOT}/${folder}/${glob}")
  endforeach()
  file(GLOB_RECURSE sources ${globs})
  foreach(source ${sources})
    file(RELATIVE_PATH name ${ROOT} ${source})
    layer_of(${name} layer)
    file(STRINGS ${source} lines REGEX "${include_line}")
    foreach(line ${lines})
      string(REGEX MATCH "${include_line}" _ "${line}")
      included_path(${source} "${CMAKE_MATCH_1}" included)
      string(REGEX REPLACE "/.*" "" top "${included}")
      if(NOT top IN_LIST SOURCE_FOLDERS)
        continue()  # a system header
      endif()
      layer_of("${included}" included_layer)
      if(NOT included_layer IN_LIST ALLOWED_${layer})
        string(APPEND failures "\n  ${name}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "includes across the layers:${failures}")
endif()
