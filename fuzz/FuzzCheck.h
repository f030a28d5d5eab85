#pragma once

#include <cstdio>
#include <cstdlib>

// An oracle's check in a fuzz target: a failure is reported like a crash, with the input
// that caused it kept by the fuzzer.
#define FUZZ_CHECK(condition)                                                                      \
    do                                                                                             \
    {                                                                                              \
        if (!(condition))                                                                          \
        {                                                                                          \
            std::fprintf(stderr, "%s:%d: oracle failed: %s\n", __FILE__, __LINE__, #condition);    \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
