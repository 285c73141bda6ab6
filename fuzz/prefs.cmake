# Preferences reader: arbitrary bytes as the per-user preferences file.
orvane_add_fuzzer(prefs SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/prefs_fuzz.cpp LIBS orvane_shell)
