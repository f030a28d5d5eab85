#pragma once

#include "CButton.h"
#include "CDialog.h"
#include "CEdit.h"
#include "CFont.h"
#include "CListBox.h"
#include "CSoundWorkers.h"
#include "CStatic.h"
#include "CThread.h"
#include "CTilePool.h"

#include <cstdint>

struct CMainDialogAccess;

// The program's main window: six tile edits, the target edit, the solution list, the
// elapsed-time text and the buttons, over the background picture. It owns the sound
// switch and the sound workers it starts.
class CMainDialog : public CDialog
{
public:
    explicit CMainDialog(CDialog* pParent = nullptr);
    ~CMainDialog() override;

    // The position that centres an icon of that extent in a client extent; an odd margin
    // leaves the wider half before the icon.
    static int CentredIconOffset(int nClientExtent, int nIconExtent);
    // The seconds a search took, from the calendar clock's whole seconds and the steady
    // clock's milliseconds read around it: the calendar's, as the dialog has always shown,
    // unless the calendar was stepped meanwhile; then the steady clock's whole seconds.
    static double ElapsedSeconds(std::int64_t nCalendarSeconds, std::int64_t nSteadyMilliseconds);

protected:
    std::span<const CHandlerEntry> GetHandlerTable() const override;
    void BindControls() override;
    bool InitialiseDialog() override;

private:
    friend struct CMainDialogAccess;

    void OnSystemCommand(unsigned nId, LPARAM lParam);
    void OnPaintRequest();
    HICON OnDragIconQuery();
    void OnRandomDraw();
    void OnCompute();
    void OnShowTiles();
    void OnSoundToggle();
    void OnAbout();

    void StartSound(unsigned nClipId);
    void SuspendSound();
    void ResumeSound();

    BOOL m_bSoundOn = 1;
    CButton m_btnCompute;
    CListBox m_listSolution;
    CStatic m_staticTime;
    CEdit m_editTarget;
    CEdit m_editTile2;
    CEdit m_editTile6;
    CEdit m_editTile5;
    CEdit m_editTile4;
    CEdit m_editTile3;
    CEdit m_editTile1;
    CFont m_fontTile;
    CFont m_fontTarget;
    CTilePool m_tilePool;
    int m_nSuccessCount = 0;
    HICON m_hDialogIcon = nullptr;
    HTHREAD m_hSoundThread;
    // Every worker started and not yet seen to end, so that the dialog's end can join them.
    CSoundWorkers m_soundWorkers;
};
