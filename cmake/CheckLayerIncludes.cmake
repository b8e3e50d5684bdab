# CheckLayerIncludes.cmake: the include check of one source folder (see Layers.cmake).
#   cmake -DROOT=<source dir> -DFOLDER=files -DALLOWED=files,plan,model,io [-DQT=ON]
#         [-DSTAMP=<file touched on success>] -P CheckLayerIncludes.cmake
# Fails, naming each offending line, when a file of src/FOLDER includes `"X/..."` with X outside
# ALLOWED, or (without QT) a Qt header.
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" allowed "${ALLOWED}")
file(GLOB files ${ROOT}/src/${FOLDER}/*.h ${ROOT}/src/${FOLDER}/*.cpp)
set(quoted "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\"")
set(angled "^[ \t]*#[ \t]*include[ \t]*<(Q[A-Za-z]*|Qt[A-Za-z]*/[^>]*)>")
set(bad "")
foreach(file ${files})
  file(RELATIVE_PATH name ${ROOT} ${file})
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${lines})
    if(line MATCHES "${quoted}")
      set(header ${CMAKE_MATCH_1})
      if(header MATCHES "^([^/]*)/")
        set(folder ${CMAKE_MATCH_1})
        if(NOT folder IN_LIST allowed)
          string(APPEND bad "\n  ${name}: #include \"${header}\"")
        endif()
      endif()
    elseif(NOT QT AND line MATCHES "${angled}")
      string(APPEND bad "\n  ${name}: #include <${CMAKE_MATCH_1}> (Qt belongs to src/ui)")
    endif()
  endforeach()
endforeach()
if(bad)
  list(JOIN allowed ", " list)
  # NOTICE prints the lines as they are; FATAL_ERROR would rewrap them.
  message(NOTICE
    "src/${FOLDER} uses a layer it does not declare:${bad}\n"
    "Files in src/${FOLDER} may include only: ${list}. Move the code to a layer that may use "
    "both, or declare the use in src/CMakeLists.txt if it goes downwards (see src/README.md).")
  message(FATAL_ERROR "The include check of src/${FOLDER} failed.")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
