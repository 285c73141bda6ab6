# Discovery: the answers controllers give to the broadcast and to the identity
# questions that follow it.
orvane_add_fuzzer(discovery_replies SOURCES ${CMAKE_CURRENT_LIST_DIR}/discovery_replies.cpp
                  LIBS orvane_discovery orvane_io)
