# Checks that a Windows build of the link library exports exactly the Cam_* functions its public
# header declares, under their plain names (no leading underscore, no @n suffix), as callers that
# declare them the Windows way look them up.
#
#   cmake -DOBJDUMP=<objdump> -DDLL=<Qorlink.dll> -DHEADER=<qorlink.h> -P check_dll_exports.cmake
if(NOT EXISTS "${DLL}")
    message("SKIPPED: ${DLL} has not been built")
    return()
endif()

file(STRINGS "${HEADER}" declarations
    REGEX "QORLINK_API[ ]+int32_t[ ]+QORLINK_CALL[ ]+Cam_[A-Za-z0-9_]+[ ]*\\(")
set(declared)
foreach(line ${declarations})
    string(REGEX MATCH "Cam_[A-Za-z0-9_]+" name "${line}")
    list(APPEND declared ${name})
endforeach()
list(SORT declared)
list(LENGTH declared declaredCount)
if(NOT declaredCount EQUAL 133)
    message(FATAL_ERROR "the header declares ${declaredCount} Cam_* functions, not 133")
endif()

execute_process(COMMAND "${OBJDUMP}" -p "${DLL}" OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed")
endif()
# The export name table: the lines "[   n] Name" after "[Ordinal/Name Pointer] Table", up to
# the first empty line.
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" at)
if(at EQUAL -1)
    message(FATAL_ERROR "${DLL} has no export name table")
endif()
string(SUBSTRING "${dump}" ${at} -1 table)
string(FIND "${table}" "\n\n" end)
string(SUBSTRING "${table}" 0 ${end} table)
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" rows "${table}")
set(exported)
foreach(row ${rows})
    string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${row}")
    string(STRIP "${name}" name)
    list(APPEND exported ${name})
endforeach()
list(SORT exported)

if(NOT exported STREQUAL declared)
    set(extra ${exported})
    list(REMOVE_ITEM extra ${declared})
    set(missing ${declared})
    list(REMOVE_ITEM missing ${exported})
    message(FATAL_ERROR "export names differ from the header\n  not declared: ${extra}\n  missing: ${missing}")
endif()
message(STATUS "${DLL}: ${declaredCount} plain Cam_* exports")
