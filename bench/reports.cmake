# Configuration report: the full report of the largest profile against as many
# raw round trips as it makes queries.  The simulator runs on 127.0.12.200.
if(TARGET orvane_reports AND TARGET orvane_testsupport)
    add_executable(bench_report_large ${CMAKE_CURRENT_LIST_DIR}/report_large.cpp
        ${CMAKE_CURRENT_LIST_DIR}/bench_raw_client.h)
    target_link_libraries(bench_report_large PRIVATE orvane_reports orvane_io orvane_testsupport
        Qt5::Widgets Qt5::Network)
    if(TARGET trackbox-sim)
        add_dependencies(bench_report_large trackbox-sim)
    endif()
endif()
