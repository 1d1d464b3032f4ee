# The layering check on a tree of its own: in every layer, an include of a folder it may not
# see fails the check however it is written, and the check names each such line and no other;
# the includes it may make, and system headers, pass. Run with -DCHECK=<the check's script>
# -DTREE=<a scratch folder, emptied first>.
cmake_minimum_required(VERSION 3.25)

# A source of each layer, an include of a folder it may see and one of a folder it may not.
set(layers
  "platform/Device.cpp|platform/Clock.h|shared/Makers.h"
  "platform/machine/SysInfo.cpp|platform/Paths.h|platform/formats/XFile.h"
  "platform/formats/XFile.cpp|platform/Device.h|platform/threads/PicturePrefetch.h"
  "platform/threads/PicturePrefetch.cpp|platform/formats/TextureImage.h|platform/gl/GlDevice.h"
  "platform/gl/GlDevice.cpp|platform/formats/XFile.h|platform/sdl/SdlWindow.h"
  "platform/sdl/SdlWindow.cpp|platform/gl/GlDevice.h|platform/recording/RecordingDevice.h"
  "platform/recording/RecordingDevice.cpp|platform/formats/XFile.h|platform/gl/GlDevice.h"
  "shared/Makers.cpp|platform/Device.h|world/TrackBox.h"
  "world/TrackBox.cpp|platform/formats/XFile.h|ui/GUI.h"
  "game/frmGame.cpp|ui/GUI.h|platform/sdl/SdlWindow.h"
  "game/main.cpp|platform/sdl/SdlWindow.h|editor/frmMain.h"
  "ui/GUI.cpp|game/Globals.h|platform/gl/GlDevice.h"
  "editor/frmMain.cpp|world/TrackBox.h|game/Globals.h"
  "editor/qt/MainWindow.cpp|platform/gl/GlDevice.h|ui/GUI.h"
  "tools/replay/KeyScript.cpp|tests/support/files/GameFolder.h|tests/render/RenderHarness.h"
  "tools/bench/bench_world.cpp|editor/frmMain.h|editor/qt/MainWindow.h")

file(REMOVE_RECURSE "${TREE}")

# Runs the check on the tree; sets passed and output.
function(check)
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${TREE} -P ${CHECK} RESULT_VARIABLE code ERROR_VARIABLE output)
  if(code EQUAL 0)
    set(passed TRUE PARENT_SCOPE)
  else()
    set(passed FALSE PARENT_SCOPE)
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

# Every layer's source includes what it may, written each way the compiler reads, its own
# folder's neighbour by a plain and by a relative name, and system headers.
foreach(entry ${layers})
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 source)
  list(GET entry 1 allowed)
  cmake_path(GET source PARENT_PATH folder)
  cmake_path(GET folder FILENAME last)
  file(WRITE "${TREE}/${folder}/Neighbour.h" "")
  file(WRITE "${TREE}/${source}"
       "#include \"${allowed}\"\n#include <${allowed}>\n  #include \"${allowed}\"\n#  include <${allowed}>\n"
       "#include <sys/stat.h>\n#include <QtWidgets/QWidget>\n#include \"Neighbour.h\"\n"
       "#include \"../${last}/Neighbour.h\"\n#include \"shared/../${allowed}\"\n")
endforeach()
check()
if(NOT passed)
  message(FATAL_ERROR "includes each layer may make fail the check:\n${output}")
endif()

# Then each layer's source includes what it may not, written each way the compiler reads.
set(planted "")
foreach(entry ${layers})
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 source)
  list(GET entry 2 forbidden)
  cmake_path(GET source PARENT_PATH folder)
  cmake_path(RELATIVE_PATH TREE BASE_DIRECTORY "${TREE}/${folder}" OUTPUT_VARIABLE up)
  set(ways "#include \"${forbidden}\"" "#include <${forbidden}>" "    #include \"${forbidden}\""
      "#  include \"${forbidden}\"" "\t#\tinclude<${forbidden}>" "#include \"${up}/${forbidden}\""
      "#include \"platform/../${forbidden}\"")
  foreach(line IN LISTS ways)
    file(APPEND "${TREE}/${source}" "${line}\n")
    list(APPEND planted "${source}: ${line}")
  endforeach()
endforeach()
check()
if(passed)
  message(FATAL_ERROR "the check passes includes across the layers")
endif()
foreach(line IN LISTS planted)
  string(FIND "${output}" " ${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the check misses\n  ${line}\n${output}")
  endif()
endforeach()
string(REGEX MATCHALL "\n *[A-Za-z_/]+\\.(cpp|h): " named "${output}")
list(LENGTH named count)
list(LENGTH planted expected)
if(NOT count EQUAL expected)
  message(FATAL_ERROR "the check names ${count} includes, not the ${expected} planted:\n${output}")
endif()
