# The measuring window with and without the Live Monitor (simulator on
# 127.0.64.65). The program finds its modules in "plugins" beside itself, so
# the bench runs from a folder whose "plugins" is the program's, and a copy of
# it from a folder with an empty one.
if(TARGET orvane_shell AND TARGET orvane_testsupport AND TARGET orvane_monitor)
    include(${CMAKE_SOURCE_DIR}/modules/monitor/sources.cmake)
    set(_with ${CMAKE_BINARY_DIR}/bench-bin/monitor)
    set(_without ${CMAKE_BINARY_DIR}/bench-bin/monitor-without)
    file(MAKE_DIRECTORY ${_with} ${_without}/plugins)
    file(CREATE_LINK ${ORVANE_PLUGIN_DIR} ${_with}/plugins SYMBOLIC)
    add_executable(bench_monitor ${CMAKE_CURRENT_LIST_DIR}/monitor.cpp
        ${CMAKE_SOURCE_DIR}/modules/monitor/TrendStore.cpp)
    target_include_directories(bench_monitor PRIVATE ${CMAKE_SOURCE_DIR}/tests/main
        ${CMAKE_SOURCE_DIR}/modules/monitor)
    target_link_libraries(bench_monitor PRIVATE orvane_shell orvane_testsupport Qt5::Widgets)
    target_compile_definitions(bench_monitor PRIVATE
        ORVANE_MONITOR_BENCH_WITHOUT="${_without}/bench_monitor")
    set_target_properties(bench_monitor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${_with})
    add_custom_command(TARGET bench_monitor POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:bench_monitor> ${_without}/)
    add_dependencies(bench_monitor orvane_monitor)
    if(TARGET trackbox-sim)
        add_dependencies(bench_monitor trackbox-sim)
    endif()
    # scripts/bench runs what it finds in bin/; through the link the bench
    # still finds its own folder.
    file(CREATE_LINK ${_with}/bench_monitor ${ORVANE_BIN_DIR}/bench_monitor SYMBOLIC)
endif()
