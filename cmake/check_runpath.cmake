# Checks the run paths of built programs and libraries: an empty element in RUNPATH or RPATH
# makes the loader search the working directory, so none may have one.
#
#   cmake -DREADELF=readelf -DDIRECTORY=dir -DREQUIRED="file;..." -P check_runpath.cmake
#
# Every ELF file directly in DIRECTORY is checked; the REQUIRED files must exist among them, so
# that the check cannot pass because the programs it is about were not built.
foreach(file ${REQUIRED})
    if(NOT EXISTS "${file}")
        message(FATAL_ERROR "${file} was not built")
    endif()
endforeach()

file(GLOB candidates LIST_DIRECTORIES false "${DIRECTORY}/*")
set(checked 0)
set(faults "")
foreach(file ${candidates})
    if(IS_SYMLINK "${file}")
        continue()
    endif()
    file(READ "${file}" magic LIMIT 4 HEX)
    if(NOT magic STREQUAL "7f454c46")
        continue()
    endif()
    execute_process(COMMAND ${READELF} -d "${file}" OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "${READELF} could not read ${file}")
    endif()
    math(EXPR checked "${checked} + 1")
    string(REGEX MATCHALL "\\((RUNPATH|RPATH)\\)[^\n]*\\[[^]\n]*\\]" entries "${dynamic}")
    foreach(entry ${entries})
        string(REGEX REPLACE ".*\\[([^]]*)\\]" "\\1" path "${entry}")
        if(path STREQUAL "" OR path MATCHES "^:|::|:$")
            string(APPEND faults "  ${file}: [${path}]\n")
        endif()
    endforeach()
endforeach()

if(checked EQUAL 0)
    message(FATAL_ERROR "no ELF file in ${DIRECTORY}")
endif()
if(NOT faults STREQUAL "")
    message(FATAL_ERROR "run paths with an empty element (the working directory):\n${faults}")
endif()
message(STATUS "${checked} files, no empty run path element")
