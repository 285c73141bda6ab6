# Command channel: answer matching and tokenizing, the value parsers, version
# parsing and the data-path version check.
orvane_add_fuzzer(io_answer_matcher SOURCES ${CMAKE_CURRENT_LIST_DIR}/io_answer_matcher.cpp
                  LIBS orvane_io)
orvane_add_fuzzer(io_value_parsers SOURCES ${CMAKE_CURRENT_LIST_DIR}/io_value_parsers.cpp
                  LIBS orvane_io)
orvane_add_fuzzer(io_versioninfo SOURCES ${CMAKE_CURRENT_LIST_DIR}/io_versioninfo.cpp
                  LIBS orvane_core)
orvane_add_fuzzer(io_checkversion SOURCES ${CMAKE_CURRENT_LIST_DIR}/io_checkversion.cpp
                  LIBS orvane_io)
orvane_add_fuzzer(io_parameter_reads SOURCES ${CMAKE_CURRENT_LIST_DIR}/io_parameter_reads.cpp
                  LIBS orvane_io)
# Monitoring datagrams split into the lines the requesters get.
orvane_add_fuzzer(io_data_lines SOURCES ${CMAKE_CURRENT_LIST_DIR}/io_data_lines.cpp
                  LIBS orvane_io)
