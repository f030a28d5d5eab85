#include "CMainDialog.h"

#include "CAboutDialog.h"
#include "CDialogTemplate.h"
#include "CPaintDC.h"
#include "CSolver.h"
#include "ParseDecimal.h"
#include "Resource.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace
{
constexpr const char* szSoundQuestion =
    "Il ne faut pas avoir peur, le pivolo n'est qu'un jeu\nVoulez-vous stopper/activer le son ?";
// The tile font's characters are this much taller than the dialog font's.
constexpr int TILE_FONT_EXTRA_HEIGHT = 10;
constexpr int TILE_FONT_WEIGHT = 800;
constexpr int EDIT_LIMIT = 3;
constexpr const char* szBadTarget = "Valeur à trouver incorrecte";
constexpr int TARGET_MIN = 0;
constexpr int TARGET_MAX = 999;
// A search that took longer than this, in whole seconds, is too slow for a success clip.
constexpr double QUICK_SECONDS = 30.0;
} // namespace

CMainDialog::CMainDialog(CDialog* pParent) : CDialog(IDD_PIVOLO_DIALOG, pParent)
{
    m_hDialogIcon = CIcon::Load(IDR_MAINFRAME);
    m_nSuccessCount = 0;
    m_bSoundOn = 1;
}

CMainDialog::~CMainDialog()
{
    m_soundWorkers.EndAll();
    m_hSoundThread.reset();
}

double CMainDialog::ElapsedSeconds(std::int64_t nCalendarSeconds, std::int64_t nSteadyMilliseconds)
{
    // Read in whole seconds, the calendar differs from the time taken by less than a second;
    // by more, it was stepped meanwhile and cannot tell how long the search took.
    const std::int64_t nGap = nCalendarSeconds * 1000 - nSteadyMilliseconds;
    const std::int64_t nSeconds =
        nGap > -1000 && nGap < 1000 ? nCalendarSeconds : nSteadyMilliseconds / 1000;
    // No search takes less than nothing, whatever a clock made to lie says.
    return static_cast<double>(std::max<std::int64_t>(nSeconds, 0));
}

int CMainDialog::CentredIconOffset(int nClientExtent, int nIconExtent)
{
    return (nClientExtent - nIconExtent + 1) / 2;
}

std::span<const CHandlerEntry> CMainDialog::GetHandlerTable() const
{
    // Built at first use: the compiler cannot convert member pointers while compiling.
    static const CHandlerEntry table[] = {
        MessageHandler(WM_SYSCOMMAND, &CMainDialog::OnSystemCommand),
        MessageHandler(WM_PAINT, &CMainDialog::OnPaintRequest),
        MessageHandler(WM_QUERYDRAGICON, &CMainDialog::OnDragIconQuery),
        CommandHandler(BN_CLICKED, IDC_RANDOM_DRAW, &CMainDialog::OnRandomDraw),
        CommandHandler(BN_CLICKED, IDOK_COMPUTE, &CMainDialog::OnCompute),
        CommandHandler(BN_CLICKED, IDC_SHOW_TILES, &CMainDialog::OnShowTiles),
        CommandHandler(BN_CLICKED, IDC_SOUND_TOGGLE, &CMainDialog::OnSoundToggle),
        CommandHandler(BN_CLICKED, IDC_ABOUT, &CMainDialog::OnAbout),
    };
    return table;
}

void CMainDialog::BindControls()
{
    BindControl(IDOK_COMPUTE, m_btnCompute);
    BindControl(IDC_SOLUTION, m_listSolution);
    BindControl(IDC_TIME, m_staticTime);
    BindControl(IDC_TARGET, m_editTarget);
    BindControl(IDC_TILE2, m_editTile2);
    BindControl(IDC_TILE6, m_editTile6);
    BindControl(IDC_TILE5, m_editTile5);
    BindControl(IDC_TILE4, m_editTile4);
    BindControl(IDC_TILE3, m_editTile3);
    BindControl(IDC_TILE1, m_editTile1);
}

bool CMainDialog::InitialiseDialog()
{
    CDialog::InitialiseDialog();

    if (CMenu* pSysMenu = GetSystemMenu(false))
    {
        const std::string aboutMenu = AfxLoadString(IDS_ABOUTBOX);
        if (!aboutMenu.empty())
        {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutMenu.c_str());
        }
    }

    SetIcon(m_hDialogIcon, true);
    SetIcon(m_hDialogIcon, false);

    StartSound(IDW_STARTUP);

    LOGFONT logFont = m_editTile1.GetFontDescription();
    logFont.lfWeight = TILE_FONT_WEIGHT;
    logFont.lfHeight -= TILE_FONT_EXTRA_HEIGHT;
    m_fontTile.CreateFontIndirect(&logFont);
    logFont.lfHeight *= 2;
    m_fontTarget.CreateFontIndirect(&logFont);

    m_editTarget.SetFont(&m_fontTarget);
    for (CEdit* pTile :
         {&m_editTile1, &m_editTile2, &m_editTile3, &m_editTile4, &m_editTile5, &m_editTile6})
        pTile->SetFont(&m_fontTile);

    for (CEdit* pEdit : {&m_editTarget, &m_editTile1, &m_editTile2, &m_editTile3, &m_editTile4,
                         &m_editTile5, &m_editTile6})
        pEdit->LimitText(EDIT_LIMIT);

    m_tilePool.ResetValidation();
    return true;
}

void CMainDialog::OnPaintRequest()
{
    if (!IsIconic())
    {
        CDialog::OnPaintRequest();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()));
    const int nIconWidth = GetSystemMetrics(SM_CXICON);
    const int nIconHeight = GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    dc.DrawIcon(CentredIconOffset(rect.Width(), nIconWidth),
                CentredIconOffset(rect.Height(), nIconHeight), m_hDialogIcon);
}

HICON CMainDialog::OnDragIconQuery()
{
    return m_hDialogIcon;
}

void CMainDialog::OnSystemCommand(unsigned nId, LPARAM lParam)
{
    if ((nId & 0xFFF0) == IDM_ABOUTBOX)
    {
        OnAbout();
        return;
    }
    CDialog::OnSystemCommand(nId, lParam);
}

void CMainDialog::OnRandomDraw()
{
    m_tilePool.Refill();
    char szText[4];
    for (CEdit* pTile :
         {&m_editTile1, &m_editTile2, &m_editTile3, &m_editTile4, &m_editTile5, &m_editTile6})
        pTile->SetWindowText(m_tilePool.DrawTileText(szText));
    char szTarget[16];
    std::snprintf(szTarget, sizeof szTarget, "%d", m_tilePool.DrawTarget());
    m_editTarget.SetWindowText(szTarget);
}

void CMainDialog::OnCompute()
{
    m_listSolution.ResetContent();
    m_tilePool.ResetValidation();

    const std::array<CEdit*, 6> tileEdits = {&m_editTile1, &m_editTile2, &m_editTile3,
                                             &m_editTile4, &m_editTile5, &m_editTile6};
    std::array<int, 6> tiles{};
    for (std::size_t i = 0; i < tiles.size(); ++i)
    {
        tiles[i] = m_tilePool.CheckTile(*tileEdits[i]);
        if (tiles[i] > 0)
            continue;
        // -1: the check has shown the message already; 0: a tile too many, not yet told.
        if (tiles[i] == 0)
            AfxMessageBox(CTilePool::szBadTile, MB_OK);
        return;
    }

    char szTarget[32];
    m_editTarget.GetWindowText(szTarget, sizeof szTarget);
    const int nTarget = ParseDecimal(szTarget);
    if (nTarget < TARGET_MIN || nTarget > TARGET_MAX)
    {
        AfxMessageBox(szBadTarget, MB_OK);
        return;
    }

    CSolver solver(tiles[0], tiles[1], tiles[2], tiles[3], tiles[4], tiles[5], nTarget,
                   &m_listSolution);
    SuspendSound();
    m_btnCompute.EnableWindow(false);
    CPlatform& platform = CPlatform::Current();
    platform.SetCursor(ECursor::Wait);
    const std::int64_t nStart = platform.CalendarTime();
    const std::int64_t nSteadyStart = platform.MonotonicMilliseconds();
    const int nReachedTarget = solver.Solve();
    const std::int64_t nEnd = platform.CalendarTime();
    const std::int64_t nSteadyEnd = platform.MonotonicMilliseconds();
    m_btnCompute.EnableWindow(true);
    platform.SetCursor(ECursor::Arrow);
    ResumeSound();

    const double dElapsed = ElapsedSeconds(nEnd - nStart, nSteadyEnd - nSteadyStart);
    char szTime[64];
    std::snprintf(szTime, sizeof szTime, "Temps écoulé : %3.0lf sec", dElapsed);
    m_staticTime.SetWindowText(szTime);

    if (dElapsed <= QUICK_SECONDS && nReachedTarget == 1)
    {
        ++m_nSuccessCount;
        StartSound(m_nSuccessCount % 2 != 0 ? IDW_SUCCESS_ODD : IDW_SUCCESS_EVEN);
    }
}

void CMainDialog::OnShowTiles()
{
    m_tilePool.ShowTiles();
}

void CMainDialog::OnAbout()
{
    CAboutDialog dlgAbout;
    dlgAbout.DoModal();
}

void CMainDialog::OnSoundToggle()
{
    StartSound(IDW_TOGGLE);
    if (AfxMessageBox(szSoundQuestion, MB_YESNO) == IDYES)
        m_bSoundOn = m_bSoundOn != 1 ? 1 : 0;
}

void CMainDialog::StartSound(unsigned nClipId)
{
    if (!m_bSoundOn)
        return;
    // Ended workers are joined at once; the recorded one stays recorded all the same.
    m_hSoundThread = m_soundWorkers.Start(nClipId);
}

void CMainDialog::SuspendSound()
{
    if (m_bSoundOn && m_hSoundThread)
        m_hSoundThread->Suspend();
}

void CMainDialog::ResumeSound()
{
    if (m_bSoundOn && m_hSoundThread)
        m_hSoundThread->Resume();
}
