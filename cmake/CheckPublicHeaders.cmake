# Checks that the installed headers are closed and that the programs built on the library use only
# them: every public header includes only public headers, and every file under the USERS folders
# includes, of the library's layers, only public headers.
# Run as: cmake -DSRC=<folder holding the layers> "-DPUBLIC=<layer/Header.h;...>" "-DUSERS=<folder;...>"
#         -P CheckPublicHeaders.cmake

cmake_minimum_required(VERSION 3.25)

if(NOT SRC OR NOT PUBLIC)
    message(FATAL_ERROR "CheckPublicHeaders: set SRC and PUBLIC")
endif()
file(GLOB _layers LIST_DIRECTORIES true RELATIVE ${SRC} ${SRC}/*)

# Prints each include in FILE of a layer's header missing from PUBLIC; adds their count to _bad.
function(check_includes file shown)
    file(STRINGS ${file} _includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\"/>]+/[^\">]+[\">]")
    foreach(line IN LISTS _includes)
        string(REGEX REPLACE ".*[\"<]([^\"/>]+/[^\">]+)[\">].*" "\\1" _target "${line}")
        string(REGEX REPLACE "/.*" "" _layer "${_target}")
        if(_layer IN_LIST _layers AND IS_DIRECTORY ${SRC}/${_layer} AND NOT _target IN_LIST PUBLIC)
            message("${shown}: includes \"${_target}\", which is not a public header")
            math(EXPR _bad "${_bad} + 1")
        endif()
    endforeach()
    set(_bad ${_bad} PARENT_SCOPE)
endfunction()

set(_bad 0)
foreach(header IN LISTS PUBLIC)
    if(NOT EXISTS ${SRC}/${header})
        message("${header}: listed as public but missing")
        math(EXPR _bad "${_bad} + 1")
        continue()
    endif()
    check_includes(${SRC}/${header} ${header})
endforeach()
set(_count 0)
foreach(folder IN LISTS USERS)
    file(GLOB_RECURSE _files ${folder}/*.h ${folder}/*.cpp)
    foreach(file IN LISTS _files)
        check_includes(${file} ${file})
        math(EXPR _count "${_count} + 1")
    endforeach()
endforeach()

list(LENGTH PUBLIC _public)
if(_bad GREATER 0)
    message(FATAL_ERROR "CheckPublicHeaders: ${_bad} include(s) of headers that are not installed")
endif()
message("CheckPublicHeaders: ${_public} public headers and ${_count} files of programs include only public headers")
