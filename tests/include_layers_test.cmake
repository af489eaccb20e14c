cmake_minimum_required(VERSION 3.25)
# The layer guard on small trees made for it: it must pass a sound tree and fail on
# each kind of breach, naming the file.
# Usage: cmake -DGUARD=<include_layers.cmake> -DWORK=<scratch folder> -P include_layers_test.cmake

# Each case: name|file|its text|expected: "pass" or the text the failure must name.
set(cases
  "sound|results/report.h|#include \"engine/simulation.h\"|pass"
  "engine_includes_results|engine/simulation.h|#include \"results/report.h\"|engine/simulation.h (layer engine) includes results/"
  "model_includes_app|model/store.cpp|#include \"app/main_window.h\"|model/store.cpp (layer model) includes app/"
  "editor_includes_qt|editor/canvas.cpp|#include <QImage>|editor/canvas.cpp includes Qt"
  "core_looks_for_qt|engine/CMakeLists.txt|find_package(Qt6 REQUIRED)|engine/CMakeLists.txt looks for Qt")

set(failed "")
foreach(case ${cases})
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 file)
  list(GET fields 2 text)
  list(GET fields 3 expected)
  set(tree "${WORK}/${name}")
  file(REMOVE_RECURSE "${tree}")
  file(WRITE "${tree}/foundation/error.h" "#include <string>\n")
  file(WRITE "${tree}/${file}" "${text}\n")
  execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${tree} -P ${GUARD}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(expected STREQUAL "pass")
    if(NOT status EQUAL 0)
      list(APPEND failed "${name}: refused a sound tree: ${out}")
    endif()
  elseif(status EQUAL 0)
    list(APPEND failed "${name}: passed")
  else()
    string(FIND "${out}" "${expected}" at)
    if(at EQUAL -1)
      list(APPEND failed "${name}: failed without naming '${expected}': ${out}")
    endif()
  endif()
endforeach()

if(failed)
  list(JOIN failed "\n  " listed)
  message(FATAL_ERROR "The layer guard:\n  ${listed}")
endif()
