#include "DialogTemplates.h"

#include "CPlatform.h"
#include "Resource.h"

#include <array>
#include <utility>

namespace
{
constexpr unsigned LANG_FRENCH_FRANCE = 1036;
constexpr std::uint32_t CHILD = WS_CHILD | WS_VISIBLE;
constexpr std::uint32_t TILE_EDIT =
    CHILD | WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_CENTER | ES_AUTOHSCROLL;
constexpr std::uint32_t BUTTON = CHILD | WS_TABSTOP | BS_PUSHBUTTON;

using enum EControlClass;

// In tab order; the picture comes first so that every other control lies over it.
constexpr std::array<DLGITEMTEMPLATE, 16> mainDialogItems{{
    {Static, IDC_STATIC, "", IDB_BACKGROUND, 0, 0, 322, 186, CHILD | SS_BITMAP},
    {Edit, IDC_TARGET, "", 0, 129, 3, 59, 35, TILE_EDIT, WS_EX_STATICEDGE, "Valeur à trouver"},
    {Edit, IDC_TILE1, "", 0, 32, 44, 35, 19, TILE_EDIT, 0, "Plaque 1"},
    {Edit, IDC_TILE2, "", 0, 77, 44, 35, 19, TILE_EDIT, 0, "Plaque 2"},
    {Edit, IDC_TILE3, "", 0, 122, 44, 35, 19, TILE_EDIT, 0, "Plaque 3"},
    {Edit, IDC_TILE4, "", 0, 165, 44, 35, 19, TILE_EDIT, 0, "Plaque 4"},
    {Edit, IDC_TILE5, "", 0, 206, 44, 35, 19, TILE_EDIT, 0, "Plaque 5"},
    {Edit, IDC_TILE6, "", 0, 248, 44, 35, 19, TILE_EDIT, 0, "Plaque 6"},
    {ListBox, IDC_SOLUTION, "", 0, 47, 69, 200, 65,
     CHILD | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_USETABSTOPS |
         LBS_NOINTEGRALHEIGHT,
     WS_EX_STATICEDGE, "Solution"},
    {Button, IDC_SOUND_TOGGLE, "Je n'ai jamais joué au \"pivolo\" et j'ai peur", 0, 252, 74, 53, 57,
     BUTTON | BS_MULTILINE},
    {Button, IDC_RANDOM_DRAW, "&Tirage aléatoire", 0, 207, 144, 106, 14, BUTTON},
    {Button, IDOK_COMPUTE, "&Calculer", 0, 205, 162, 50, 14, CHILD | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {Button, IDCANCEL_BUTTON, "Annuler", 0, 263, 162, 50, 14, BUTTON},
    {Button, IDC_SHOW_TILES, "&Voir les plaques", 0, 3, 156, 67, 20, BUTTON, WS_EX_CLIENTEDGE},
    {Static, IDC_TIME, "Temps écoulé :", 0, 3, 142, 126, 10, CHILD | SS_LEFT | WS_GROUP,
     WS_EX_STATICEDGE},
    {Button, IDC_ABOUT, "A &propos...", 0, 79, 160, 50, 14, BUTTON},
}};

constexpr std::array<DLGITEMTEMPLATE, 5> aboutBoxItems{{
    {Static, IDC_STATIC, "", IDR_MAINFRAME, 11, 17, 20, 20, CHILD | SS_ICON},
    {Static, IDC_STATIC, "Le pivolo version 1.31", 0, 61, 7, 119, 8,
     CHILD | SS_LEFT | SS_NOPREFIX | WS_GROUP},
    {Static, IDC_STATIC, "Atelier du pivolo", 0, 17, 68, 110, 8, CHILD | SS_LEFT | WS_GROUP},
    {Button, IDOK, "OK", 0, 166, 65, 32, 14, CHILD | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP},
    {Static, IDC_STATIC,
     "Réalisé par :\n\tL'équipe du pivolo\n\tSes contributeurs\n\tSes joueurs d'essai", 0, 41, 25,
     119, 37, CHILD | SS_LEFT | WS_GROUP},
}};

constexpr std::array<std::pair<unsigned, std::string_view>, 1> stringTable{{
    {IDS_ABOUTBOX, "&A propos du pivolo..."},
}};
} // namespace

const DLGTEMPLATE g_mainDialogTemplate{
    "Le pivolo",
    318,
    185,
    8,
    "MS Sans Serif",
    400,
    false,
    1,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER | DS_SETFONT,
    WS_EX_APPWINDOW,
    LANG_FRENCH_FRANCE,
    mainDialogItems,
};

const DLGTEMPLATE g_aboutBoxTemplate{
    "A propos du pivolo",
    237,
    104,
    8,
    "MS Sans Serif",
    400,
    false,
    1,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    0,
    LANG_FRENCH_FRANCE,
    aboutBoxItems,
};

const DLGTEMPLATE* FindDialogTemplate(unsigned nId)
{
    switch (nId)
    {
    case IDD_PIVOLO_DIALOG:
        return &g_mainDialogTemplate;
    case IDD_ABOUTBOX:
        return &g_aboutBoxTemplate;
    default:
        return nullptr;
    }
}

std::string_view FindStringResource(unsigned nId)
{
    for (const auto& [nStringId, text] : stringTable)
    {
        if (nStringId == nId)
            return text;
    }
    return {};
}
