#include "score/FindRank.h"

int FindRank(const ArrScore& scores, double value) {
    const int size = static_cast<int>(scores.GetSize());
    for (int i = 0; i < size; ++i) {
        // Strictly greater: a power equal to a row's reaches that row. NaN never stops the scan.
        if (scores[i].m_dPower > value) return i;
    }
    return size;
}
