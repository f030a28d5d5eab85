#pragma once

#include <chrono>

// The tests' stalled sound device, as a hung sound server behaves: each opening takes a
// buffer's worth of samples, starts, and then plays no frame ever, and its poll descriptor
// never becomes ready. ALSA loads it as an external plugin of type "pivolo_stalled" from
// this library, which the tests link too, so that they share its counts.
namespace StalledAlsaDevice
{
// Openings of the device so far that have filled their buffer and stalled.
int StallCount();
// Waits until at least nCount openings have stalled; false on timeout.
bool WaitForStalls(int nCount, std::chrono::milliseconds timeout);
// Openings of the device not closed yet.
int OpenCount();
} // namespace StalledAlsaDevice
