#pragma once

#include <cstddef>

// Where the sound workers' clips go. The program plays through ALSA's default device;
// tests install a recording output. Every failure is silent.
class CAudioOutput
{
public:
    virtual ~CAudioOutput();

    // Plays a RIFF/WAVE image held in memory and returns when it has ended or was stopped
    // by a newer clip. Runs on a sound worker, which it lets pass its safe points.
    virtual void PlayWave(const void* pImage, std::size_t nSize) = 0;
    // Cuts off whatever still plays; the playing call then returns.
    virtual void StopAll() = 0;

    static CAudioOutput& Current();
    // Makes the given output current and returns the one it replaces (nullptr puts back
    // the ALSA output).
    static CAudioOutput* Install(CAudioOutput* pOutput);
};
