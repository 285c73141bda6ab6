# The layout file: arbitrary bytes applied to a window with the main window's
# docks and tool bars.
orvane_add_fuzzer(modules_layout SOURCES ${CMAKE_CURRENT_LIST_DIR}/modules_layout.cpp
                  LIBS orvane_modulehost)
