# Command channel: a parameter read through IOManagerUdpTcp against a raw TCP
# ping-pong of the same bytes, and the data dispatch thread's rate and latency.
# Both run the simulator as a separate process on 127.0.9.x.
if(TARGET orvane_io AND TARGET orvane_testsupport)
    foreach(_b io_getpar io_dispatch)
        add_executable(bench_${_b} ${CMAKE_CURRENT_LIST_DIR}/${_b}.cpp)
        target_link_libraries(bench_${_b} PRIVATE orvane_io orvane_ap orvane_testsupport
            Qt5::Core Qt5::Network)
        if(TARGET trackbox-sim)
            add_dependencies(bench_${_b} trackbox-sim)
        endif()
    endforeach()
endif()
