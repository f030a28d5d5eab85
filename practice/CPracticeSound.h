#pragma once

#include "CSoundWorkers.h"

// The practice window's sound, as the dialog's: a switch that starts on and that only the
// sound button turns over, the toggle clip, and the quick-find clip, whose parity of quick
// finds so far picks one of two clips. Quick finds are counted with the sound off too, so
// the clips go on alternating when it comes back on.
class CPracticeSound
{
public:
    bool IsOn() const { return m_bSoundOn; }
    // The sound button: its clip plays (if the sound is on) while the question is asked.
    void PlayToggleClip();
    // The question's answer was yes.
    void TurnOver() { m_bSoundOn = !m_bSoundOn; }
    // The target was made in time.
    void QuickFind();
    int QuickFinds() const { return m_nSuccessCount; }

private:
    void StartSound(unsigned nClipId);

    bool m_bSoundOn = true;
    int m_nSuccessCount = 0;
    CSoundWorkers m_soundWorkers;
};
