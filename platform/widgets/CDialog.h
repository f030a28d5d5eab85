#pragma once

#include "CIcon.h"
#include "CMenu.h"
#include "CPlatform.h"
#include "CRect.h"
#include "CWnd.h"
#include "WindowMessages.h"

#include <cstdint>
#include <memory>
#include <span>
#include <variant>

class CDialog;
struct DLGTEMPLATE;

// One entry of a dialog's handler table: a message (for WM_COMMAND, a notification code
// and a control id too) and the member that handles it. Entries are made with the helpers
// below, which take the derived dialog's own members.
struct CHandlerEntry
{
    using PlainHandler = void (CDialog::*)();
    using SystemCommandHandler = void (CDialog::*)(unsigned, LPARAM);
    using IconHandler = HICON (CDialog::*)();

    unsigned nMessage = 0;
    unsigned nCode = 0;
    int nId = 0;
    std::variant<PlainHandler, SystemCommandHandler, IconHandler> handler;
};

// WM_COMMAND from control nId with notification nCode (BN_CLICKED).
template <class D> constexpr CHandlerEntry CommandHandler(unsigned nCode, int nId, void (D::*pfn)())
{
    return {WM_COMMAND, nCode, nId, static_cast<CHandlerEntry::PlainHandler>(pfn)};
}

// WM_PAINT and other messages without arguments.
template <class D> constexpr CHandlerEntry MessageHandler(unsigned nMessage, void (D::*pfn)())
{
    return {nMessage, 0, 0, static_cast<CHandlerEntry::PlainHandler>(pfn)};
}

// WM_SYSCOMMAND: the command identifier and the mouse position.
template <class D>
constexpr CHandlerEntry MessageHandler(unsigned nMessage, void (D::*pfn)(unsigned, LPARAM))
{
    return {nMessage, 0, 0, static_cast<CHandlerEntry::SystemCommandHandler>(pfn)};
}

// WM_QUERYDRAGICON.
template <class D> constexpr CHandlerEntry MessageHandler(unsigned nMessage, HICON (D::*pfn)())
{
    return {nMessage, 0, 0, static_cast<CHandlerEntry::IconHandler>(pfn)};
}

// A modal dialog built from a template in dialog units. Messages and clicks reach the
// handlers of the derived dialog's table; what it does not handle gets the default
// handling here: button 1 ends the run with IDOK, button 2, Escape, the close box and the
// system menu's Close with IDCANCEL.
class CDialog
{
public:
    explicit CDialog(unsigned nTemplateId, CDialog* pParent = nullptr);
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;
    virtual ~CDialog();

    // Creates the window, runs it until EndDialog and destroys it; -1 when the window
    // cannot be created.
    int DoModal();
    // Creates and shows the window without running it: the dialog then answers events
    // from the caller's own event loop. DoModal uses it; so do tests.
    bool Create();
    void DestroyWindow();
    bool IsWindow() const;
    // Ends a modal run with the given result once the current handler returns.
    void EndDialog(int nResult);

    LRESULT SendMessage(unsigned nMessage, WPARAM wParam = 0, LPARAM lParam = 0);
    // The peer of a control of the template; nullptr when there is none or no window.
    CWndPeer* GetDlgItem(int nId) const;
    // The dialog's own system menu; nullptr before the window exists.
    CMenu* GetSystemMenu(bool bRevert);
    HICON SetIcon(HICON hIcon, bool bBigIcon);
    HICON GetIcon(bool bBigIcon) const;
    bool IsIconic() const;
    void GetClientRect(CRect* pRect) const;
    // Pops the system menu up under the title bar.
    void ShowSystemMenu();

    struct Impl;
    Impl& GetImpl() const { return *m_pImpl; }

protected:
    // Overridables: the handler table, the binding of controls, the initialisation.
    virtual std::span<const CHandlerEntry> GetHandlerTable() const;
    // Called by the base initialisation: binds template ids to wrapper members.
    virtual void BindControls();
    // Called once after the window and its controls exist. The base binds the controls;
    // true gives the focus to the first tab stop.
    virtual bool InitialiseDialog();

    // Attaches a wrapper to the control with that id (the control must exist).
    void BindControl(int nId, CWnd& wnd);

    // Default handling, for the derived handlers to fall back on.
    void OnSystemCommand(unsigned nId, LPARAM lParam);
    void OnPaintRequest();
    HICON OnDragIconQuery();
    void OnOK() { EndDialog(IDOK); }
    void OnCancel() { EndDialog(IDCANCEL); }

private:
    void CreateControls(const DLGTEMPLATE& dlgTemplate);
    void FocusFirstTabStop();
    const CHandlerEntry* FindHandler(unsigned nMessage, unsigned nCode, int nId) const;
    LRESULT Call(const CHandlerEntry& entry, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(unsigned nMessage, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<Impl> m_pImpl;
};
