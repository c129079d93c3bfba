#include "ExamHall.h"

#include <algorithm>
#include <numeric>

std::vector<int> HallOrder(const QList<Kind>& kinds, HallRules::Order order, std::mt19937& random) {
    std::vector<int> positions(static_cast<size_t>(kinds.size()));
    std::iota(positions.begin(), positions.end(), 0);
    if (order == HallRules::Order::ByChapter) return positions;
    std::shuffle(positions.begin(), positions.end(), random);
    if (order == HallRules::Order::TrueFalseFirst)
        std::stable_partition(positions.begin(), positions.end(),
                              [&](int p) { return kinds[p] == Kind::TrueFalse; });
    return positions;
}

int DrawSeat(std::mt19937& random) {
    return std::uniform_int_distribution<int>(1, 60)(random);
}
