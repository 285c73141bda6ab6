# Controller simulator: its command round trip next to a bare echo peer on the
# same sockets, and the monitoring output's top rate. In-process, on 127.0.9.50-52.
if(TARGET orvane_sim)
    add_executable(bench_sim ${CMAKE_CURRENT_LIST_DIR}/sim.cpp)
    target_link_libraries(bench_sim PRIVATE orvane_sim Qt5::Core Qt5::Network)
endif()
