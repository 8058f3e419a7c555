# Fails when a file under forms/ or program/ includes a Qt header, or when the core includes
# anything above it.
file(GLOB_RECURSE files ${ROOT}/forms/*.h ${ROOT}/forms/*.cpp ${ROOT}/program/*.h ${ROOT}/program/*.cpp)
set(offenders "")
foreach(f ${files})
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|qt|Qt)")
  if(lines)
    list(APPEND offenders "${f}: ${lines}")
  endif()
endforeach()
if(offenders)
  message(FATAL_ERROR "Qt header included in a toolkit-free layer:\n${offenders}")
endif()


# The core and the file writer serve every window and depend on none of them.
file(GLOB_RECURSE core_files ${ROOT}/program/core/*.h ${ROOT}/program/core/*.cpp
     ${ROOT}/program/files/*.h ${ROOT}/program/files/*.cpp)
set(upward "")
foreach(f ${core_files})
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"(calc|shell|start|cases|report)/")
  if(lines)
    list(APPEND upward "${f}: ${lines}")
  endif()
endforeach()
if(upward)
  message(FATAL_ERROR "core/ or files/ includes a layer above it:\n${upward}")
endif()
message(STATUS "forms/ and program/ are free of Qt; core/ and files/ include nothing above them")
