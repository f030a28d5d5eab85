#include "SoundThreadProc.h"

#include "CAudioOutput.h"
#include "CResource.h"

unsigned SoundThreadProc(unsigned nClipId)
{
    const CResource clip = CResource::Find(nClipId, "WAV");
    if (clip.IsFound())
        CAudioOutput::Current().PlayWave(clip.Data(), clip.Size());
    return 0;
}
