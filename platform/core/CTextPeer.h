#pragma once

#include "CWndPeer.h"

#include <vector>

// A control without a window: its text and entries are kept in memory. The batch front end
// reads its games through these and the tests look at what the game wrote into them.
class CTextPeer : public CWndPeer
{
public:
    CTextPeer() = default;
    explicit CTextPeer(std::string text) : m_text(std::move(text)) {}

    std::string GetText() const override;
    void SetText(const std::string& text) override;
    void Enable(bool bEnable) override { m_bEnabled = bEnable; }
    bool IsEnabled() const override { return m_bEnabled; }
    LOGFONT GetFont() const override { return m_font; }
    void SetFont(const LOGFONT* pFont) override;
    void SetLimitText(int nMaxChars) override { m_nLimit = nMaxChars; }

    void ResetContent() override { m_entries.clear(); }
    void AddString(const std::string& text) override { m_entries.push_back(text); }
    int GetCount() const override { return static_cast<int>(m_entries.size()); }
    std::string GetString(int nIndex) const override;

    const std::vector<std::string>& Entries() const { return m_entries; }
    int Limit() const { return m_nLimit; }
    // How many times the text was read: a test sees which edits a command looked at.
    int ReadCount() const { return m_nReads; }

private:
    std::string m_text;
    std::vector<std::string> m_entries;
    LOGFONT m_font;
    bool m_bEnabled = true;
    int m_nLimit = 0;
    mutable int m_nReads = 0;
};
