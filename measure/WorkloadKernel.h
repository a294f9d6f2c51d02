#pragma once

#include <cstdint>

#include "measure/Workload.h"

// The search loop of RunWorkload as a function of its own, so that its placement can be pinned
// and checked: it starts on a 64-byte line and its loop sits within one 64-byte line (see
// measure/CMakeLists.txt; tests/placement checks the built binaries).
//
// Its machine code uses only registers and immediates and calls nothing, so a copy of its bytes
// runs anywhere; the placement sweep in bench/ times such copies. It takes the System V calling
// convention on every build, so the native and the Windows builds compile it to the same bytes.
#define KIV_WORKLOAD_ABI __attribute__((sysv_abi))

// Sanitizer and coverage builds leave the kernel as it is: their checks and counters would tie
// its code to places outside it (and it reads and writes no memory they could check).
#if defined(__clang__)
#define KIV_WORKLOAD_UNINSTRUMENTED __attribute__((no_sanitize("address", "undefined", "coverage")))
#else
#define KIV_WORKLOAD_UNINSTRUMENTED \
    __attribute__((no_sanitize("address", "undefined"), no_sanitize_coverage))
#endif

// The kernel and its end marker share a section of their own, in source order, whatever other
// functions the compiler gives sections of their own (sanitizer coverage does).
#ifdef _WIN32
#define KIV_WORKLOAD_SECTION __attribute__((section(".text$kiv_workload")))
#else
#define KIV_WORKLOAD_SECTION __attribute__((section(".text.kiv_workload")))
#endif

extern "C" KIV_WORKLOAD_ABI WorkloadEnd WorkloadKernel(std::int32_t count);

// The function placed right after WorkloadKernel: its address marks the end of the kernel's code.
extern "C" void WorkloadKernelEnd();

using WorkloadKernelFn = KIV_WORKLOAD_ABI WorkloadEnd (*)(std::int32_t count);
