#pragma once

#include "score/ArrScore.h"

// The index of the first row whose power is greater than value, or the size when none is.
int FindRank(const ArrScore& scores, double value);
