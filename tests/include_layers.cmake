cmake_minimum_required(VERSION 3.25)
# Holds the core to its layers. A file of a core folder includes only headers of its
# own folder and of the folders below it, and no Qt header; only the shells' CMake
# files look for Qt. Every breach is listed before the script fails.
# Usage: cmake -DROOT=<source tree> -P include_layers.cmake
set(layers foundation model language engine results editor commands)

set(breaches "")

# Counts a CMake file of the core (`listed` is its path below ROOT) that looks for Qt.
macro(refuse_qt_lookup listed)
  if(EXISTS "${ROOT}/${listed}")
    file(STRINGS "${ROOT}/${listed}" qt_lookups REGEX "find_package\\(Qt")
    if(qt_lookups)
      list(APPEND breaches "${listed} looks for Qt")
    endif()
  endif()
endmacro()

set(allowed "")
foreach(folder ${layers})
  list(APPEND allowed ${folder})
  file(GLOB_RECURSE sources RELATIVE "${ROOT}" "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(source ${sources})
    file(STRINGS "${ROOT}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${includes})
      if(line MATCHES "include[ \t]*<Q")
        list(APPEND breaches "${source} includes Qt: ${line}")
      elseif(line MATCHES "include[ \t]*\"([^/\"]+)/")
        if(NOT CMAKE_MATCH_1 IN_LIST allowed)
          list(APPEND breaches "${source} (layer ${folder}) includes ${CMAKE_MATCH_1}/: ${line}")
        endif()
      endif()
    endforeach()
  endforeach()
  refuse_qt_lookup("${folder}/CMakeLists.txt")
endforeach()
refuse_qt_lookup("CMakeLists.txt")

if(breaches)
  list(JOIN breaches "\n  " listed)
  message(FATAL_ERROR "Includes against the layers (${layers}):\n  ${listed}")
endif()
message(STATUS "every core folder keeps to its layer")
