# Helpers shared by every folder: warnings, sanitizers, libraries and tests.
include(GoogleTest)

set(MORVA_WARNINGS -Wall -Wextra)
if(MORVA_WERROR)
    list(APPEND MORVA_WARNINGS -Werror)
endif()

if(MORVA_SANITIZE STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(MORVA_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
elseif(MORVA_FUZZ)
    # Coverage for libFuzzer everywhere, with the address and undefined-behaviour checks.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
elseif(NOT MORVA_SANITIZE STREQUAL "")
    message(FATAL_ERROR "MORVA_SANITIZE must be empty, 'address' or 'thread'")
endif()

# morva_add_library(NAME SOURCES ... [LIBS ...] [QT])
function(morva_add_library name)
    cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(${name} PRIVATE ${MORVA_WARNINGS})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    if(ARG_QT)
        target_link_libraries(${name} PUBLIC Qt6::Widgets)
    endif()
endfunction()

# morva_add_test(NAME SOURCES ... [LIBS ...] [LABELS ...] [GUI])
# GUI tests get a QApplication from the shared test main and run on the offscreen platform.
function(morva_add_test name)
    cmake_parse_arguments(ARG "GUI" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_compile_options(${name} PRIVATE ${MORVA_WARNINGS})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} morva_test_support GTest::gtest GTest::gmock)
    if(ARG_GUI)
        target_link_libraries(${name} PRIVATE morva_test_main_gui)
        set(env "QT_QPA_PLATFORM=offscreen")
        # The test list is read by running the binary right after the build, outside ctest's environment; a
        # widget test needs a platform even then, and a build machine may have no display.
        set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR
                              "${CMAKE_COMMAND};-E;env;QT_QPA_PLATFORM=offscreen")
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
        set(env "")
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set(labels ${ARG_LABELS})
    if(NOT labels)
        set(labels unit)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS "${labels}" TIMEOUT ${ARG_TIMEOUT} ENVIRONMENT "${env}")
endfunction()
