# The DLLs an executable imports are resolved before the program runs, and Windows (and Wine even more so) may look
# for them beside the program first: a DLL of that name in Downloads, next to an unzipped portable copy, would run.
# So velvane.exe and Primewiz.exe import only these, which the system keeps in its own folder and loads from there;
# everything else is loaded on demand from the system folder (src/platform/win32/system_library.h). The build fails
# when an executable imports anything else.
set(VELVANE_ALLOWED_IMPORTS kernel32.dll user32.dll gdi32.dll advapi32.dll msvcrt.dll)

if(CMAKE_SCRIPT_MODE_FILE)
  # cmake -DOBJDUMP=... -DEXE=... -DSTAMP=... -P import_check.cmake
  cmake_minimum_required(VERSION 3.20)
  execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Could not read the imports of ${EXE}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
  set(unexpected)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "DLL Name: " "" dll "${line}")
    string(TOLOWER "${dll}" dll)
    if(NOT dll IN_LIST VELVANE_ALLOWED_IMPORTS)
      list(APPEND unexpected ${dll})
    endif()
  endforeach()
  if(unexpected)
    message(FATAL_ERROR "${EXE} imports ${unexpected}: load it from the system folder on demand instead")
  endif()
  file(TOUCH "${STAMP}")
  return()
endif()

# Checks the executable after every link; a failed check fails every build until it is mended.
function(velvane_import_check target)
  if(NOT CMAKE_OBJDUMP)
    return()  # MSVC: dumpbin /imports shows the same list
  endif()
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.imports-checked)
  add_custom_command(OUTPUT ${stamp} DEPENDS ${target} ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DEXE=$<TARGET_FILE:${target}> -DSTAMP=${stamp}
            -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    COMMENT "Checking the DLLs ${target} imports" VERBATIM)
  add_custom_target(${target}_imports ALL DEPENDS ${stamp})
endfunction()
