# The window's long run against a flapping controller, and each controller
# fault injected many times into a measuring window; both run the real restart
# loop in-process and are started by scripts/soak and scripts/faults.
if(TARGET orvane_shell AND TARGET orvane_testsupport)
    foreach(_campaign soak faults)
        add_executable(campaign_${_campaign} ${CMAKE_CURRENT_LIST_DIR}/${_campaign}.cpp
                       ${CMAKE_CURRENT_LIST_DIR}/campaign_user.h)
        target_link_libraries(campaign_${_campaign} PRIVATE orvane_shell orvane_reports orvane_testsupport Qt5::Widgets)
        if(TARGET trackbox-sim)
            add_dependencies(campaign_${_campaign} trackbox-sim)
        endif()
    endforeach()
endif()

# Short runs of both for the suite: 20 s of soak, one cycle of every fault.
if(ORVANE_BUILD_TESTS AND TARGET campaign_soak)
    add_test(NAME campaign_smoke_soak
             COMMAND campaign_soak --address 127.0.68.2 --minutes 0.35 --profile demo --flap-seconds 5
                     --first-export-seconds 3 --export-seconds 10)
    add_test(NAME campaign_smoke_faults COMMAND campaign_faults --address 127.0.69.2 --cycles 1)
    set_tests_properties(campaign_smoke_soak campaign_smoke_faults PROPERTIES
        LABELS campaign-smoke TIMEOUT 180 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()
