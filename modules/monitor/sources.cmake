# What the module is made of besides its plug-in class; the tests build these
# files into their own executables.
set(ORVANE_MONITOR_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DataLines.h ${CMAKE_CURRENT_LIST_DIR}/DataLines.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FrameExchange.h ${CMAKE_CURRENT_LIST_DIR}/FrameExchange.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TrendStore.h ${CMAKE_CURRENT_LIST_DIR}/TrendStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MonitorRecorder.h ${CMAKE_CURRENT_LIST_DIR}/MonitorRecorder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TopView.h ${CMAKE_CURRENT_LIST_DIR}/TopView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TrendChart.h ${CMAKE_CURRENT_LIST_DIR}/TrendChart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MonitorDock.h ${CMAKE_CURRENT_LIST_DIR}/MonitorDock.cpp)
