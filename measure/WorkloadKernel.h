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

extern "C" KIV_WORKLOAD_ABI WorkloadEnd WorkloadKernel(std::int32_t count);

// The function placed right after WorkloadKernel: its address marks the end of the kernel's code.
extern "C" void WorkloadKernelEnd();

using WorkloadKernelFn = KIV_WORKLOAD_ABI WorkloadEnd (*)(std::int32_t count);
