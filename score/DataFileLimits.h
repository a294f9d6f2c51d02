#pragma once

#include "platform/os/CStdioFile.h"

// The most of the data file that is read, by the load and by the list alike. No real table comes
// near them (the built-in one is 41 rows, a million rows are about 30 MB); what is past them is a
// file that cannot be read, so that no file, however large or endless, can exhaust the memory.
// At these limits the load stays well under 1 GiB of address space (the README has the figures).
inline constexpr ReadLimits kDataFileLimits{
    .fileBytes = 128 * 1024 * 1024,
    .lineBytes = 16 * 1024 * 1024,
    .lines = 2'000'000,
};
