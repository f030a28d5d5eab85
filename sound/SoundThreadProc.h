#pragma once

// The entry routine of a sound worker: plays the "WAV" clip with the given resource id to
// its end, or until a newer clip stops it, then ends with 0. A missing clip plays nothing.
unsigned SoundThreadProc(unsigned nClipId);
