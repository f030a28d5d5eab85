# The dialog layer and the main dialog, on real widgets of Qt's offscreen platform.
add_library(pivolo_widget_test_support STATIC
    QtTestMain.cpp
    WidgetTestSupport.h WidgetTestSupport.cpp
)
target_link_libraries(pivolo_widget_test_support
    PUBLIC pivolo_platform_widgets Qt6::Widgets Qt6::Test GTest::gtest)
# Qt's and GoogleTest's headers take most of the time each suite takes to build: read once,
# here, for every suite below.
target_precompile_headers(pivolo_widget_test_support PRIVATE
    <QApplication> <QLabel> <QLineEdit> <QListWidget> <QMessageBox> <QPushButton> <QTest>
    <gtest/gtest.h>)

function(pivolo_add_widget_suite name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE pivolo_ui pivolo_platform_widgets
        pivolo_platform_sound pivolo_platform_recording pivolo_platform_sound_recording
        pivolo_widget_test_support)
    target_precompile_headers(${name} REUSE_FROM pivolo_widget_test_support)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

pivolo_add_widget_suite(test_dialog TestDialog.cpp)
pivolo_add_widget_suite(test_main_dialog TestMainDialog.cpp)

# The program itself on a virtual X display, driven as a player would.
find_program(PIVOLO_XVFB Xvfb)
find_program(PIVOLO_XDOTOOL xdotool)
if(PIVOLO_XVFB AND PIVOLO_XDOTOOL)
    add_test(NAME desktop_main_dialog
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/WithVirtualDisplay.sh
            ${CMAKE_CURRENT_SOURCE_DIR}/desktop/RunMainDialog.sh $<TARGET_FILE:pivolo>)
    set_tests_properties(desktop_main_dialog PROPERTIES
        TIMEOUT 120
        ENVIRONMENT "QT_QPA_PLATFORM=xcb;ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/alsa/nodevice.conf;LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/desktop/lsan.supp")
endif()

add_executable(test_bitmap TestBitmap.cpp)
target_link_libraries(test_bitmap PRIVATE pivolo_platform_widgets pivolo_platform_sound
    GTest::gtest_main)
add_test(NAME test_bitmap COMMAND test_bitmap)

pivolo_add_widget_suite(test_main_dialog_commands TestMainDialogCommands.cpp)

# The dialogs' looks, at one pixel per unit and at the scales of high-density screens.
pivolo_add_widget_suite(test_dialog_looks TestDialogLooks.cpp)
foreach(scale 1.5 2)
    add_test(NAME test_dialog_looks_${scale}x COMMAND test_dialog_looks)
    set_tests_properties(test_dialog_looks_${scale}x PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=${scale}")
endforeach()

# The program's windows on a desktop: owned secondary windows, the system menu's keys and
# the keyboard move.
pivolo_add_widget_suite(test_safe_owner TestSafeOwner.cpp)
pivolo_add_widget_suite(test_system_menu_popup TestSystemMenuPopup.cpp)

# The style of every control's font, on the system's fonts and on the URW fonts alone.
pivolo_add_widget_suite(test_dialog_fonts TestDialogFonts.cpp)
target_link_libraries(test_dialog_fonts PRIVATE pivolo_about)
if(EXISTS /usr/share/fonts/opentype/urw-base35)
    add_test(NAME test_dialog_fonts_urw COMMAND test_dialog_fonts)
    set_tests_properties(test_dialog_fonts_urw PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;FONTCONFIG_FILE=${CMAKE_CURRENT_SOURCE_DIR}/fonts/urw-only.conf")
endif()
