#include "CPracticeSound.h"

#include "Resource.h"

void CPracticeSound::PlayToggleClip()
{
    StartSound(IDW_TOGGLE);
}

void CPracticeSound::QuickFind()
{
    ++m_nSuccessCount;
    StartSound(m_nSuccessCount % 2 != 0 ? IDW_SUCCESS_ODD : IDW_SUCCESS_EVEN);
}

void CPracticeSound::StartSound(unsigned nClipId)
{
    if (m_bSoundOn)
        m_soundWorkers.Start(nClipId);
}
