# What a screen reader announces, checked on offscreen widgets.
pivolo_add_widget_suite(test_accessible_names TestAccessibleNames.cpp)

# The program itself, driven from outside as a keyboard user would and read back through
# the accessibility bus as a screen reader does (tests/e2e/pivolo_e2e.py lists the
# scenarios). Each scenario starts the program afresh; together they take some seconds.
find_program(PIVOLO_XVFB Xvfb)
find_program(PIVOLO_XDOTOOL xdotool)
find_program(PIVOLO_DBUS_RUN_SESSION dbus-run-session)
if(PIVOLO_XVFB AND PIVOLO_XDOTOOL AND PIVOLO_DBUS_RUN_SESSION AND EXISTS /usr/bin/python3)
    add_test(NAME e2e_scenarios
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run.sh $<TARGET_FILE:pivolo>)
    set_tests_properties(e2e_scenarios PROPERTIES
        TIMEOUT 300
        ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/e2e/lsan.supp")
else()
    message(WARNING "Xvfb, xdotool, dbus-run-session or /usr/bin/python3 missing: "
                    "the end-to-end tests are not registered (tools/install-deps.sh installs them)")
endif()

# The program where there is no display to open: a word in French and status 1.
add_test(NAME e2e_no_display
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/RunNoDisplay.sh $<TARGET_FILE:pivolo>)
set_tests_properties(e2e_no_display PROPERTIES
    TIMEOUT 120
    ENVIRONMENT "ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/alsa/nodevice.conf;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/e2e/lsan.supp")

# What cmake --install installs, and where (not under the sanitizers either, as below).
if(NOT PIVOLO_SANITIZE)
    add_test(NAME e2e_install
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/RunInstall.sh ${CMAKE_BINARY_DIR})
endif()

# The program under a real window manager: what its windows tell openbox, the system menu
# from the keyboard, the keyboard move and the close box (tests/e2e/window_manager.py).
find_program(PIVOLO_OPENBOX openbox)
find_program(PIVOLO_XPROP xprop)
find_program(PIVOLO_XWININFO xwininfo)
if(PIVOLO_XVFB AND PIVOLO_XDOTOOL AND PIVOLO_DBUS_RUN_SESSION AND EXISTS /usr/bin/python3
   AND PIVOLO_OPENBOX AND PIVOLO_XPROP AND PIVOLO_XWININFO)
    add_test(NAME e2e_window_manager
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run.sh --window-manager $<TARGET_FILE:pivolo>)
    set_tests_properties(e2e_window_manager PROPERTIES
        TIMEOUT 300
        ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/e2e/lsan.supp")
else()
    message(WARNING "openbox, xprop or xwininfo missing: the end-to-end tests under a window "
                    "manager are not registered (tools/install-deps.sh installs them)")
endif()

# The program on Wayland: weston's headless backend, and its X11 backend on the virtual
# display for the keys, read through the accessibility bus (tests/e2e/wayland.py).
find_program(PIVOLO_WESTON weston)
find_file(PIVOLO_QT_WAYLAND libqwayland-generic.so
    PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/qt6/plugins/platforms NO_DEFAULT_PATH)
if(PIVOLO_XVFB AND PIVOLO_XDOTOOL AND PIVOLO_DBUS_RUN_SESSION AND EXISTS /usr/bin/python3
   AND PIVOLO_WESTON AND PIVOLO_QT_WAYLAND)
    add_test(NAME e2e_wayland
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run.sh --wayland $<TARGET_FILE:pivolo>)
    # Under the sanitizers, no leak check: Qt's Wayland plugins keep their allocations to
    # the end, some from plugins unloaded by then, which no suppression can name. The
    # program's own allocations are checked by the same scenarios on X11.
    set_tests_properties(e2e_wayland PROPERTIES
        TIMEOUT 300
        ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
else()
    message(WARNING "weston or qt6-wayland missing: the end-to-end tests on Wayland are not "
                    "registered (tools/install-deps.sh installs them)")
endif()

# The .deb made from this build tree, checked by lintian, unpacked and started. Not under
# the sanitizers: a package of an instrumented build is not one that anybody installs.
find_program(PIVOLO_CPACK cpack HINTS ${CMAKE_COMMAND}/..)
find_program(PIVOLO_DPKG_DEB dpkg-deb)
if(NOT PIVOLO_SANITIZE AND PIVOLO_CPACK AND PIVOLO_DPKG_DEB AND TARGET pivolo)
    add_test(NAME e2e_package
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/RunPackage.sh ${CMAKE_BINARY_DIR}
            ${PROJECT_VERSION})
    set_tests_properties(e2e_package PROPERTIES TIMEOUT 300)
endif()
