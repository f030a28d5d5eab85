# Dialogs and controls over Qt widgets, message boxes, cursors, icons and the application
# object.
add_library(pivolo_platform_widgets STATIC
    CBitmap.h CBitmap.cpp
    CDialog.h CDialog.cpp CDialogImpl.h
    CDialogTemplate.h
    CIcon.h CIcon.cpp CIconImpl.h
    CKeyboardMove.h CKeyboardMove.cpp
    CListBoxWidget.h CListBoxWidget.cpp
    CListTabDelegate.h CListTabDelegate.cpp
    CMenu.h CMenu.cpp
    CMessageBoxWidget.h CMessageBoxWidget.cpp
    CPaintDC.h CPaintDC.cpp
    CQtLook.h CQtLook.cpp
    CQtPeer.h CQtPeer.cpp
    CQtPlatform.h CQtPlatform.cpp
    CRect.h
    CSystemMenuPopup.h CSystemMenuPopup.cpp
    CThreeDimensionalStyle.h CThreeDimensionalStyle.cpp
    CWinApp.h CWinApp.cpp
    SafeOwner.h SafeOwner.cpp
)
target_include_directories(pivolo_platform_widgets PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(pivolo_platform_widgets
    PUBLIC pivolo_platform_core pivolo_resources
    PRIVATE pivolo_platform_sound Qt6::Widgets)
