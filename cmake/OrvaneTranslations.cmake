# orvane_add_translations(<target> <ts-file>)
#
# Compiles one subsystem's German texts into the build's bin/lang/, where the
# entry point installs every "*_de.qm" it finds, and installs them beside the
# program.  Each library keeps its own .ts file so that subsystems can be
# translated without touching each other's files.
function(orvane_add_translations target ts)
    set_source_files_properties(${ts} PROPERTIES OUTPUT_LOCATION ${ORVANE_LANG_DIR})
    qt5_add_translation(_qm ${ts})
    add_custom_target(${target}_translations ALL DEPENDS ${_qm})
    install(FILES ${_qm} DESTINATION ${ORVANE_INSTALL_LANGDIR})
endfunction()
