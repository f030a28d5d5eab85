# Sound workers, resources, WAVE parsing and playback. The suites labelled "tsan" exercise
# threads, suspension and cut-offs and need no widgets: they also run under ThreadSanitizer.
function(pivolo_add_sound_suite name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE pivolo_sound pivolo_platform_sound
        pivolo_platform_sound_recording GTest::gtest_main)
endfunction()

pivolo_add_sound_suite(test_wave_image TestWaveImage.cpp)
add_test(NAME test_wave_image COMMAND test_wave_image)

pivolo_add_sound_suite(test_thread TestThread.cpp)
add_test(NAME test_thread COMMAND test_thread)

pivolo_add_sound_suite(test_recording_audio_output TestRecordingAudioOutput.cpp)
add_test(NAME test_recording_audio_output COMMAND test_recording_audio_output)

pivolo_add_sound_suite(test_sound_thread_proc TestSoundThreadProc.cpp)
add_test(NAME test_sound_thread_proc COMMAND test_sound_thread_proc)

# A sound device that stalls as a hung sound server does, loaded by ALSA as an external
# plugin; the suite links it too, to watch it.
add_library(pivolo_stalled_alsa_device SHARED alsa/StalledAlsaDevice.h alsa/StalledAlsaDevice.cpp)
target_include_directories(pivolo_stalled_alsa_device PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/alsa)
target_link_libraries(pivolo_stalled_alsa_device PRIVATE ALSA::ALSA)
# ALSA's headers declare a loadable plugin's version symbol only when PIC is defined.
target_compile_definitions(pivolo_stalled_alsa_device PRIVATE PIC)
file(GENERATE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/alsa/stalled.conf
    INPUT ${CMAKE_CURRENT_SOURCE_DIR}/alsa/stalled.conf.in)

# The real ALSA path, through ALSA's file plugin; the configuration replaces the system's,
# so no sound card is needed and nothing is heard.
pivolo_add_sound_suite(test_alsa_audio_output TestAlsaAudioOutput.cpp)
target_link_libraries(test_alsa_audio_output PRIVATE pivolo_stalled_alsa_device)
add_test(NAME test_alsa_audio_output
    COMMAND test_alsa_audio_output --gtest_filter=-*NoDevice*:*StalledServer*)
add_test(NAME test_alsa_audio_output_no_device
    COMMAND test_alsa_audio_output --gtest_filter=*NoDevice*)
add_test(NAME test_alsa_audio_output_stalled_server
    COMMAND test_alsa_audio_output --gtest_filter=*StalledServer*)
set_tests_properties(test_alsa_audio_output PROPERTIES
    ENVIRONMENT "ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/alsa/capture.conf")
set_tests_properties(test_alsa_audio_output_no_device PROPERTIES
    ENVIRONMENT "ALSA_CONFIG_PATH=${CMAKE_CURRENT_SOURCE_DIR}/alsa/nodevice.conf")
set_tests_properties(test_alsa_audio_output_stalled_server PROPERTIES
    ENVIRONMENT "ALSA_CONFIG_PATH=${CMAKE_CURRENT_BINARY_DIR}/alsa/stalled.conf")

set_tests_properties(test_thread test_recording_audio_output test_sound_thread_proc
    test_alsa_audio_output test_alsa_audio_output_no_device
    test_alsa_audio_output_stalled_server PROPERTIES LABELS tsan)
