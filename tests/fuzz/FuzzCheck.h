#pragma once
// What every fuzz target shares: the entry point libFuzzer calls, a check
// that stops the run with a message when an invariant does not hold (a fuzzer
// counts an abort as a finding; the replay test fails on it), and the tables
// a target starts every input from.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "model/StartupState.h"

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// A state with the tone and model tables of the given model, and the start-up
// image when asked: what a target copies for every input.
inline mx615::ProgramState FuzzState(int modelIndex, bool startupImage)
{
    mx615::ProgramState state;
    mx615::FillStartupState(state, {.model = modelIndex, .image = startupImage, .adjustment = false});
    return state;
}
