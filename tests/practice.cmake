# The practice program: its rules as units, its command line, and the program itself, where
# there is no display, under openbox and under headless weston (tests/e2e/practice_e2e.py),
# driven as a player would and read back through the accessibility bus.
add_executable(test_practice TestPractice.cpp)
target_link_libraries(test_practice PRIVATE pivolo_practice_rules GTest::gtest_main)
add_test(NAME test_practice COMMAND test_practice)
# Pure computation on fixed seeds: CI need not repeat it.
set_tests_properties(test_practice PROPERTIES LABELS computation)

add_test(NAME practice_command_line
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/practice/RunCommandLine.sh
        $<TARGET_FILE:pivolo-entrainement> ${PROJECT_VERSION})
add_test(NAME e2e_practice_no_display
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/RunNoDisplay.sh $<TARGET_FILE:pivolo-entrainement>)
set_tests_properties(e2e_practice_no_display PROPERTIES
    TIMEOUT 120
    ENVIRONMENT "ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/alsa/nodevice.conf;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/e2e/lsan.supp")

if(PIVOLO_XVFB AND PIVOLO_XDOTOOL AND PIVOLO_DBUS_RUN_SESSION AND EXISTS /usr/bin/python3
   AND PIVOLO_OPENBOX AND PIVOLO_XPROP)
    add_test(NAME e2e_practice
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run.sh --practice
            $<TARGET_FILE:pivolo-entrainement>)
    # About 14 s on 2 cores: started among the first when tests run side by side.
    set_tests_properties(e2e_practice PROPERTIES
        TIMEOUT 300
        COST 14
        ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/e2e/lsan.supp")
endif()
if(PIVOLO_XVFB AND PIVOLO_DBUS_RUN_SESSION AND EXISTS /usr/bin/python3 AND PIVOLO_WESTON
   AND PIVOLO_QT_WAYLAND)
    add_test(NAME e2e_practice_wayland
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run.sh --practice-wayland
            $<TARGET_FILE:pivolo-entrainement>)
    # As for the dialog on Wayland: Qt's Wayland plugins keep allocations no suppression
    # can name.
    set_tests_properties(e2e_practice_wayland PROPERTIES
        TIMEOUT 300
        ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
endif()

# The window's widgets, on Qt's offscreen platform.
add_executable(test_practice_window TestPracticeWindow.cpp)
target_link_libraries(test_practice_window PRIVATE pivolo_practice_window
    pivolo_platform_sound_recording Qt6::Test GTest::gtest)
add_test(NAME test_practice_window COMMAND test_practice_window)
set_tests_properties(test_practice_window PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/alsa/nodevice.conf")
# On a system with the URW fonts alone, where Qt may match a heavy weight with an italic face.
add_test(NAME test_practice_window_urw_fonts
    COMMAND test_practice_window --gtest_filter=*WhateverTheFonts)
set_tests_properties(test_practice_window_urw_fonts PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FONTCONFIG_FILE=${CMAKE_CURRENT_SOURCE_DIR}/fonts/urw-only.conf")
