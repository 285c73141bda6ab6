# Event messages: the controller's answers to "orvane2 getmsg" as the event
# display polls and shows them.
orvane_add_fuzzer(status_getmsg SOURCES ${CMAKE_CURRENT_LIST_DIR}/status_getmsg.cpp
                  LIBS orvane_status)
