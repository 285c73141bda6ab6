# Discovery of 1, 8 and 32 simulated controllers in a namespaced subnet, against the
# design's lower bound (one silent answer time-out plus the follow-up round trips).
if(TARGET orvane_discovery AND TARGET orvane_testsupport)
    add_executable(bench_discovery ${CMAKE_CURRENT_LIST_DIR}/discovery.cpp)
    target_link_libraries(bench_discovery PRIVATE orvane_discovery orvane_io orvane_ap
        orvane_testsupport Qt5::Core Qt5::Network)
    if(TARGET trackbox-sim)
        add_dependencies(bench_discovery trackbox-sim)
    endif()
endif()
