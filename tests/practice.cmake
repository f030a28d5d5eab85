# The practice program: its rules as units, its window on Qt's offscreen platform.
add_executable(test_practice TestPractice.cpp)
target_link_libraries(test_practice PRIVATE pivolo_practice_rules GTest::gtest_main)
add_test(NAME test_practice COMMAND test_practice)
