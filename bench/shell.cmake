# The front-end process against the simulator (127.0.10.20): start-up time
# next to the round trips it needs, and CPU and memory of the measuring window.
if(TARGET orvane3 AND TARGET orvane_testsupport)
    add_executable(bench_shell ${CMAKE_CURRENT_LIST_DIR}/shell.cpp)
    target_link_libraries(bench_shell PRIVATE orvane_testsupport Qt5::Core)
    add_dependencies(bench_shell orvane3)
    if(TARGET trackbox-sim)
        add_dependencies(bench_shell trackbox-sim)
    endif()
endif()
