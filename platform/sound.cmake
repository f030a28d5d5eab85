# Sound workers, embedded resources and WAVE playback through ALSA.
add_library(pivolo_platform_sound STATIC
    CThread.h CThread.cpp
    CResource.h CResource.cpp
    CAudioOutput.h CAudioOutput.cpp
    CAlsaAudioOutput.h CAlsaAudioOutput.cpp
    CWaveImage.h CWaveImage.cpp
    CRecordingAudioOutput.h CRecordingAudioOutput.cpp
)
target_include_directories(pivolo_platform_sound PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(pivolo_platform_sound
    PUBLIC pivolo_platform_core Threads::Threads
    PRIVATE pivolo_resources Qt6::Core ALSA::ALSA)
