#include "CRecordingPlatform.h"

CRecordingPlatform::CRecordingPlatform(EScope scope)
    : m_scope(scope),
      m_pPrevious(scope == EScope::ThisThread ? CPlatform::InstallForThisThread(this)
                                              : CPlatform::Install(this))
{
}

CRecordingPlatform::~CRecordingPlatform()
{
    if (m_scope == EScope::ThisThread)
        CPlatform::InstallForThisThread(m_pPrevious);
    else
        CPlatform::Install(m_pPrevious);
}

int CRecordingPlatform::MessageBox(const std::string& text, unsigned nType)
{
    m_messages.push_back({text, nType});
    if (m_onMessageBox)
        m_onMessageBox();
    if (!m_answers.empty())
    {
        const int nAnswer = m_answers.front();
        m_answers.erase(m_answers.begin());
        return nAnswer;
    }
    return nType == MB_YESNO ? IDNO : IDOK;
}

std::int64_t CRecordingPlatform::CalendarTime()
{
    ++m_nTimeReads;
    if (m_onTimeRead)
        m_onTimeRead();
    if (!m_bFirstRead)
    {
        m_nTime += m_nStep;
        if (!m_bMonotonicApart)
            m_nMonotonic += m_nStep * 1000;
    }
    m_bFirstRead = false;
    return m_nTime;
}

std::int64_t CRecordingPlatform::MonotonicMilliseconds()
{
    if (m_bMonotonicApart && !m_bMonotonicFirstRead)
        m_nMonotonic += m_nMonotonicStep;
    m_bMonotonicFirstRead = false;
    return m_nMonotonic;
}

void CRecordingPlatform::SetTime(std::int64_t nSeconds, std::int64_t nStep)
{
    m_nTime = nSeconds;
    m_nStep = nStep;
    m_bFirstRead = true;
    m_bMonotonicApart = false;
}

void CRecordingPlatform::SetMonotonicTime(std::int64_t nMilliseconds,
                                          std::int64_t nStepMilliseconds)
{
    m_nMonotonic = nMilliseconds;
    m_nMonotonicStep = nStepMilliseconds;
    m_bMonotonicFirstRead = true;
    m_bMonotonicApart = true;
}

void CRecordingPlatform::ClearRecords()
{
    m_messages.clear();
    m_output.clear();
    m_cursors.clear();
    m_nTimeReads = 0;
}
