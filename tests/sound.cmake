# Sound workers, resources, WAVE parsing and playback. The suites labelled "tsan" exercise
# threads, suspension and cut-offs and need no widgets: they also run under ThreadSanitizer.
function(pivolo_add_sound_suite name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE pivolo_sound pivolo_platform_sound GTest::gtest_main)
endfunction()

pivolo_add_sound_suite(test_wave_image TestWaveImage.cpp)
add_test(NAME test_wave_image COMMAND test_wave_image)

pivolo_add_sound_suite(test_thread TestThread.cpp)
add_test(NAME test_thread COMMAND test_thread)

pivolo_add_sound_suite(test_recording_audio_output TestRecordingAudioOutput.cpp)
add_test(NAME test_recording_audio_output COMMAND test_recording_audio_output)

pivolo_add_sound_suite(test_sound_thread_proc TestSoundThreadProc.cpp)
add_test(NAME test_sound_thread_proc COMMAND test_sound_thread_proc)

# The real ALSA path, through ALSA's file plugin; the configuration replaces the system's,
# so no sound card is needed and nothing is heard.
pivolo_add_sound_suite(test_alsa_audio_output TestAlsaAudioOutput.cpp)
add_test(NAME test_alsa_audio_output
    COMMAND test_alsa_audio_output --gtest_filter=-*NoDevice*)
add_test(NAME test_alsa_audio_output_no_device
    COMMAND test_alsa_audio_output --gtest_filter=*NoDevice*)
set_tests_properties(test_alsa_audio_output PROPERTIES
    ENVIRONMENT "ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/alsa/capture.conf")
set_tests_properties(test_alsa_audio_output_no_device PROPERTIES
    ENVIRONMENT "ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/alsa/nodevice.conf")

set_tests_properties(test_thread test_recording_audio_output test_sound_thread_proc
    test_alsa_audio_output test_alsa_audio_output_no_device PROPERTIES LABELS tsan)
