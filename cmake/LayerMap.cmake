# Writes, at generate time, what the layer check needs to know of every target defined
# so far under the current source tree: its folder, its sources and the libraries it
# links (PUBLIC and PRIVATE). The check reads this file, so a new library is checked as
# soon as CMake knows it.
#
#   vt2_write_layer_map(<output file> LAYERS <layer>...)
#
# Each layer is a space-separated list of folders (relative to the source root), lowest
# layer first; the folders of one layer are beside each other.
#
# One line per fact, tab-separated:  build|layer|target|sources|links <TAB> <name> <TAB>
# <value> (layers, sources and links are CMake lists; sources relative to the target's
# folder or absolute).

function(_vt2_collect_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    _vt2_collect_targets(${sub} sub_targets)
    list(APPEND targets ${sub_targets})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

function(vt2_write_layer_map output)
  cmake_parse_arguments(M "" "" "LAYERS" ${ARGN})
  _vt2_collect_targets(${CMAKE_CURRENT_SOURCE_DIR} targets)
  # Generated sources (moc, uic) live here, also when the build folder is inside the
  # source tree; the check leaves them out.
  set(content "build\t-\t${CMAKE_BINARY_DIR}\n")
  set(index 0)
  foreach(layer IN LISTS M_LAYERS)
    string(REPLACE " " ";" folders "${layer}")
    string(APPEND content "layer\t${index}\t${folders}\n")
    math(EXPR index "${index} + 1")
  endforeach()
  foreach(t ${targets})
    get_target_property(type ${t} TYPE)
    # Only what compiles sources; custom targets (translations, resources) link nothing.
    if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE|INTERFACE_LIBRARY)$")
      continue()
    endif()
    get_target_property(folder ${t} SOURCE_DIR)
    string(APPEND content "target\t${t}\t${folder}\n")
    if(type STREQUAL "INTERFACE_LIBRARY")
      string(APPEND content "sources\t${t}\t$<TARGET_PROPERTY:${t},INTERFACE_SOURCES>\n")
      string(APPEND content "links\t${t}\t$<TARGET_PROPERTY:${t},INTERFACE_LINK_LIBRARIES>\n")
    else()
      string(APPEND content "sources\t${t}\t$<TARGET_PROPERTY:${t},SOURCES>\n")
      string(APPEND content "links\t${t}\t$<TARGET_PROPERTY:${t},LINK_LIBRARIES>\n")
    endif()
  endforeach()
  file(GENERATE OUTPUT ${output} CONTENT "${content}")
endfunction()
