# Stages and zips the release; run with cmake -P by release/CMakeLists.txt. The archive holds one folder NAME
# with the DLL, stripped, whose debug information and symbols go to ZQTRTTYContest.dll.debug beside it (the
# DLL's .gnu_debuglink section names that file and its CRC, which is how gdb and objdump find it); the
# reference host, stripped; the public header; the two guides; the example host's source; REBUILD.txt; README.txt,
# the licence as LICENSE.txt, and DOCUMENTS (the changelog, the operator's guide and its pictures); and
# SHA256SUMS over all of them, which pack.py writes with the zip.
foreach(input OBJCOPY DLL HOST HEADER HOST_AUTHORS_GUIDE ZQTHOST_GUIDE EXAMPLE REBUILD README LICENCE DOCUMENTS NAME
              STAGE ARCHIVE EPOCH PYTHON PACK)
  if(NOT DEFINED ${input})
    message(FATAL_ERROR "make_archive.cmake needs -D${input}=...")
  endif()
endforeach()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command}: ${error}")
  endif()
endfunction()

# objcopy writes a new PE header, dated SOURCE_DATE_EPOCH where it is set and otherwise now.
set(ENV{SOURCE_DATE_EPOCH} ${EPOCH})
set(folder ${STAGE}/${NAME})
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${folder})

# --strip-all, not only --strip-debug: the COFF symbol table alone is about 230 KB of the DLL. It goes to the
# debug file with the DWARF sections.
run(${OBJCOPY} --only-keep-debug ${DLL} ${folder}/ZQTRTTYContest.dll.debug)
run(${OBJCOPY} --strip-all --add-gnu-debuglink=${folder}/ZQTRTTYContest.dll.debug ${DLL}
    ${folder}/ZQTRTTYContest.dll)
run(${OBJCOPY} --strip-all ${HOST} ${folder}/zqthost.exe)
file(COPY ${HEADER} ${HOST_AUTHORS_GUIDE} ${ZQTHOST_GUIDE} ${EXAMPLE} ${REBUILD} ${README} ${DOCUMENTS}
     DESTINATION ${folder})
# Named so that Windows opens it as text.
file(COPY_FILE ${LICENCE} ${folder}/LICENSE.txt)
get_filename_component(dist ${ARCHIVE} DIRECTORY)
file(MAKE_DIRECTORY ${dist})
run(${PYTHON} ${PACK} ${folder} ${ARCHIVE})
file(SIZE ${folder}/ZQTRTTYContest.dll dll_size)
file(SIZE ${ARCHIVE} archive_size)
math(EXPR dll_kb "${dll_size} / 1024")
math(EXPR archive_kb "${archive_size} / 1024")
message(STATUS "${ARCHIVE}: ${archive_kb} KB; ZQTRTTYContest.dll ${dll_kb} KB")
