# Layers.cmake: one static library per source folder, and the two checks that keep the layers
# apart (the picture is in src/README.md).
#
# stundenwerk_layer(NAME USES LOWER...) builds src/NAME/*.cpp as the library stundenwerk_NAME and
# links it with the libraries of the layers it uses; their own layers come along. Two checks
# fail the build when the folder uses a layer it does not declare:
# - the include check: every `#include "FOLDER/..."` in src/NAME must name NAME itself or a layer
#   reached through USES, and no file outside src/ui includes Qt. It runs before the library is
#   compiled, so it also catches a header that is used without any symbol of its layer;
# - the link check: a small program links the whole library (--whole-archive) with the declared
#   layers only, so a call into any other layer leaves an undefined symbol and the link fails.
# A layer must be declared before the layers that use it, so no cycle can be declared either.

set(STUNDENWERK_CMAKE_DIR ${CMAKE_CURRENT_LIST_DIR})

# The folders that code using `layers` may include from: the layers and everything below them.
function(stundenwerk_reachable out)
  set(folders "")
  foreach(layer ${ARGN})
    get_property(known GLOBAL PROPERTY STUNDENWERK_REACH_${layer} SET)
    if(NOT known)
      message(FATAL_ERROR "The layer '${layer}' is used before it is declared: declare the "
                          "layers bottom up in src/CMakeLists.txt.")
    endif()
    get_property(reach GLOBAL PROPERTY STUNDENWERK_REACH_${layer})
    list(APPEND folders ${reach})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  set(${out} ${folders} PARENT_SCOPE)
endfunction()

# Runs the include check on src/FOLDER before `target` is built. ALLOWED lists the folders its
# files may include from; QT allows Qt headers.
function(stundenwerk_check_includes target folder)
  cmake_parse_arguments(C "QT" "" "ALLOWED" ${ARGN})
  set(dir ${PROJECT_SOURCE_DIR}/src/${folder})
  file(GLOB files CONFIGURE_DEPENDS ${dir}/*.h ${dir}/*.cpp)
  list(JOIN C_ALLOWED "," allowed)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/layer_includes_${folder}.stamp)
  set(qt OFF)
  if(C_QT)
    set(qt ON)
  endif()
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -DFOLDER=${folder}
            -DALLOWED=${allowed} -DQT=${qt} -DSTAMP=${stamp}
            -P ${STUNDENWERK_CMAKE_DIR}/CheckLayerIncludes.cmake
    DEPENDS ${files} ${STUNDENWERK_CMAKE_DIR}/CheckLayerIncludes.cmake
    COMMENT "Checking the includes of src/${folder}"
    VERBATIM)
  add_custom_target(${target}_includes DEPENDS ${stamp})
  add_dependencies(${target} ${target}_includes)
endfunction()

# Links the whole of `library` with what it declares, and nothing else.
function(stundenwerk_link_check library)
  add_executable(${library}_link_check ${STUNDENWERK_CMAKE_DIR}/LinkCheck.cpp)
  target_link_libraries(${library}_link_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${library}>")
  set_target_properties(${library}_link_check PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                        ${PROJECT_BINARY_DIR}/layer_checks)
endfunction()

# Records `folder` as a layer reaching itself and everything its `uses` reach.
function(stundenwerk_record_layer folder)
  stundenwerk_reachable(below ${ARGN})
  set_property(GLOBAL PROPERTY STUNDENWERK_REACH_${folder} ${folder} ${below})
endfunction()

function(stundenwerk_layer name)
  cmake_parse_arguments(L "" "" "USES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp)
  set(target stundenwerk_${name})
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  foreach(layer ${L_USES})
    target_link_libraries(${target} PUBLIC stundenwerk_${layer})
  endforeach()
  stundenwerk_record_layer(${name} ${L_USES})
  get_property(reach GLOBAL PROPERTY STUNDENWERK_REACH_${name})
  stundenwerk_check_includes(${target} ${name} ALLOWED ${reach})
  stundenwerk_link_check(${target})
endfunction()

# The name the system's loader knows the shared library `lib` by (its soname, "libcairo.so.2"),
# for a library the program opens when it first needs it.
function(stundenwerk_soname out lib)
  find_library(STUNDENWERK_LIBRARY_${lib} NAMES ${lib} REQUIRED)
  execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${STUNDENWERK_LIBRARY_${lib}}
                  OUTPUT_VARIABLE dump RESULT_VARIABLE status)
  string(REGEX MATCH "SONAME +([^ \n]+)" found "${dump}")
  if(NOT status EQUAL 0 OR NOT found)
    message(FATAL_ERROR "The soname of ${STUNDENWERK_LIBRARY_${lib}} could not be read.")
  endif()
  set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()
