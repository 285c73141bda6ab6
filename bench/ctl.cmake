# orvane3ctl status and metrics against one simulator on 127.0.62.50: wall time
# per run next to the round trips it needs and a baseline from the same run.
if(TARGET orvane3ctl AND TARGET orvane_io AND TARGET orvane_testsupport)
    add_executable(bench_ctl ${CMAKE_CURRENT_LIST_DIR}/ctl.cpp)
    target_link_libraries(bench_ctl PRIVATE orvane_io orvane_ap orvane_testsupport Qt5::Core)
    add_dependencies(bench_ctl orvane3ctl)
    if(TARGET trackbox-sim)
        add_dependencies(bench_ctl trackbox-sim)
    endif()
endif()
