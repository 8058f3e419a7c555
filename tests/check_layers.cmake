# Fails when a file under forms/ or program/ includes a Qt header, or when a lower layer of the
# program includes one above it: core/ includes nothing of files/ or above, and files/ (the
# whole-file writer) rests on core/ alone.

# The include lines of the files matching the globs whose header matches `header` (from the
# opening quote or bracket on), one "file: line" each, in `out`.
function(includes_of out header)
  file(GLOB_RECURSE files ${ARGN})
  set(found "")
  foreach(f ${files})
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*${header}")
    foreach(line ${lines})
      list(APPEND found "${f}: ${line}")
    endforeach()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

# A list of "file: line" rows, one a line, for a message.
function(fail_with title rows)
  list(JOIN rows "\n" text)
  message(FATAL_ERROR "${title}:\n${text}")
endfunction()

includes_of(offenders "[<\"](Q[A-Za-z]|qt|Qt)" ${ROOT}/forms/*.h ${ROOT}/forms/*.cpp
            ${ROOT}/program/*.h ${ROOT}/program/*.cpp)
if(offenders)
  fail_with("Qt header included in a toolkit-free layer" "${offenders}")
endif()

# The core and the file writer serve every window and depend on none of them.
includes_of(upward "[<\"](calc|shell|start|cases|report)/"
            ${ROOT}/program/core/*.h ${ROOT}/program/core/*.cpp
            ${ROOT}/program/files/*.h ${ROOT}/program/files/*.cpp)
if(upward)
  fail_with("core/ or files/ includes a layer above it" "${upward}")
endif()

# The writer rests on the core, never the other way round.
includes_of(writer "[<\"]files/" ${ROOT}/program/core/*.h ${ROOT}/program/core/*.cpp)
if(writer)
  fail_with("core/ includes the file writer above it" "${writer}")
endif()

# Of the program's own headers the writer takes the core's and its own only: no window, no
# shell service, not even the forms toolkit.
includes_of(beyond "\"" ${ROOT}/program/files/*.h ${ROOT}/program/files/*.cpp)
list(FILTER beyond EXCLUDE REGEX "#[ \t]*include[ \t]*\"(core|files)/")
if(beyond)
  fail_with("files/ includes more than core/" "${beyond}")
endif()
message(STATUS "forms/ and program/ are free of Qt; core/ includes nothing above it, files/ "
               "nothing but core/")
