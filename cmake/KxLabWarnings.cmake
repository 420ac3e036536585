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

# Builds a layer's GoogleTest executable from every test file in its folder.
function(kxlab_add_layer_test layer)
    file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${layer}/*.cpp)
    if(NOT _sources)
        return()
    endif()
    set(_target kxlab_tests_${layer})
    add_executable(${_target} ${_sources})
    target_link_libraries(${_target} PRIVATE kxlab_testmain KxLab::KxLab Qt6::Test GTest::gtest GTest::gmock
                                             kxlab_options)
    target_include_directories(${_target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    gtest_discover_tests(${_target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KXLAB_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}/data")
endfunction()
