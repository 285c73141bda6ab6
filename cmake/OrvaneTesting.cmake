# orvane_add_qtest(<name> SOURCES <files...> [LIBS <targets...>] [TIMEOUT <s>] [LABELS <l...>])
#
# One QtTest executable registered with CTest.  Every test runs offscreen and
# gets a time-out so a hung socket wait cannot stall the suite.
function(orvane_add_qtest name)
    cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests-bin)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    # Tests find the built program, the simulator and the sources without any environment.
    target_compile_definitions(${name} PRIVATE
        ORVANE_BIN_DIR="${ORVANE_BIN_DIR}"
        ORVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        ORVANE_TEST_BIN_DIR="${CMAKE_BINARY_DIR}/tests-bin")
    if(T_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
    endif()
    if("threads" IN_LIST T_LABELS)
        _orvane_build_with_thread_tests(${name})
    endif()
endfunction()

# Tests labelled "threads" run code on several threads; the target
# orvane_thread_tests builds just them, for scripts/test --tsan.
function(_orvane_build_with_thread_tests target)
    if(NOT TARGET orvane_thread_tests)
        add_custom_target(orvane_thread_tests)
        if(TARGET trackbox-sim)
            add_dependencies(orvane_thread_tests trackbox-sim)
        endif()
    endif()
    add_dependencies(orvane_thread_tests ${target})
endfunction()

# Labels a test added without orvane_add_qtest's LABELS as a threads test.
function(orvane_add_thread_test name)
    set_property(TEST ${name} APPEND PROPERTY LABELS threads)
    _orvane_build_with_thread_tests(${name})
endfunction()

# Adds each named sub-directory. A missing one is a broken checkout, not an
# optional part, so it stops the configure step instead of building less.
macro(orvane_add_subdirs)
    foreach(_d ${ARGN})
        if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_d}/CMakeLists.txt)
            message(FATAL_ERROR "orvane_add_subdirs: ${CMAKE_CURRENT_SOURCE_DIR}/${_d}/CMakeLists.txt is missing")
        endif()
        add_subdirectory(${_d})
    endforeach()
endmacro()
