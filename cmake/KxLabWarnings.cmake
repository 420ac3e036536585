# Warnings and sanitizers shared by every target of the project.
add_library(kxlab_options INTERFACE)
target_compile_options(kxlab_options INTERFACE -Wall -Wextra -Wpedantic)
if(DEFINED ENV{CI})
    target_compile_options(kxlab_options INTERFACE -Werror)
endif()
if(KXLAB_SANITIZE)
    # g++ 12 miscompiles some conditional array indexing; ASan is what reveals it.
    target_compile_options(kxlab_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                   -fno-sanitize-recover=undefined)
    target_link_options(kxlab_options INTERFACE -fsanitize=address,undefined)
endif()
if(KXLAB_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "KXLAB_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++-14)")
    endif()
    # The library gets coverage instrumentation; only the fuzz targets link the engine.
    target_compile_options(kxlab_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                   -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(kxlab_options INTERFACE -fsanitize=address,undefined)
endif()

# Builds a layer's GoogleTest executable from every test file in its folder.
function(kxlab_add_layer_test layer)
    file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${layer}/*.cpp)
    if(NOT _sources)
        return()
    endif()
    set(_target kxlab_tests_${layer})
    add_executable(${_target} ${_sources})
    kxlab_autogen_follows_sources(${_target} "${_sources}")
    target_link_libraries(${_target} PRIVATE kxlab_testmain KxLab::Internal Qt6::Test GTest::gtest GTest::gmock
                                             kxlab_options)
    target_include_directories(${_target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    gtest_discover_tests(${_target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KXLAB_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}/data")
endfunction()

# AUTOMOC reruns only when a file it scanned, or a CMake file of the folder, changes; a header or a
# test that a glob adds later would never be scanned. Including a listing of the target's sources,
# rewritten only when the list changes, makes the listing one of those CMake files.
function(kxlab_autogen_follows_sources target sources)
    set(_listing ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.cmake)
    string(REPLACE ";" "\n# " _content "${sources}")
    file(CONFIGURE OUTPUT ${_listing} CONTENT "# ${_content}\n")
    include(${_listing})
endfunction()

# An application's own code as a static library its program links, on the shared library. With the
# tests built, the same code again as <name>_internal on the internal archive: a test process that
# links the archive must not also load the shared library, or it holds two copies of every global.
# Sets KXLAB_APP_CORE_TARGETS to the libraries made, for the caller's definitions and resources.
function(kxlab_add_app_core name)
    set(_targets ${name})
    if(KXLAB_BUILD_TESTS)
        list(APPEND _targets ${name}_internal)
    endif()
    foreach(_target IN LISTS _targets)
        add_library(${_target} STATIC ${ARGN})
        target_include_directories(${_target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
        target_link_libraries(${_target} PUBLIC kxlab_options)
    endforeach()
    target_link_libraries(${name} PUBLIC KxLab::KxLab)
    if(KXLAB_BUILD_TESTS)
        target_link_libraries(${name}_internal PUBLIC KxLab::Internal)
    endif()
    set(KXLAB_APP_CORE_TARGETS ${_targets} PARENT_SCOPE)
endfunction()
