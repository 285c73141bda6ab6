#pragma once

// The figure every benchmark prints: the median of its repeated runs, which a
// stray slow run on a shared machine does not move.

#include <algorithm>
#include <vector>

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
