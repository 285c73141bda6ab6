# Controller simulator: arbitrary command streams through its protocol engine
# and arbitrary placeholders through its profile templates.
if(TARGET orvane_sim)
    orvane_add_fuzzer(sim_commands SOURCES ${CMAKE_CURRENT_LIST_DIR}/sim_commands.cpp
                      LIBS orvane_sim)
endif()
