#pragma once

#include "CThread.h"

#include <cstddef>
#include <vector>

// The sound workers of a window: one a clip, each playing its clip to the end or until a
// newer clip stops it, all of them ended with the window.
class CSoundWorkers
{
public:
    CSoundWorkers() = default;
    CSoundWorkers(const CSoundWorkers&) = delete;
    CSoundWorkers& operator=(const CSoundWorkers&) = delete;
    ~CSoundWorkers();

    // Starts a worker that plays the "WAV" clip; nullptr when it cannot be created.
    HTHREAD Start(unsigned nClipId);
    // Cuts off what still plays and joins the workers, but for one still blocked by its
    // device after a short while, which is left to end with the process.
    void EndAll();
    // The workers started and not yet seen to end.
    std::size_t Count() const { return m_workers.size(); }

private:
    std::vector<HTHREAD> m_workers;
};
