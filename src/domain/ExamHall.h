#pragma once

#include "Judge.h"

#include <QList>
#include <random>
#include <vector>

// The exam-hall mode of the mock exam: the points where exam rooms differ, as the learner
// chose them in 考试说明.
struct HallRules {
    enum class Order { Mixed, TrueFalseFirst, ByChapter };
    enum class TooManyWrong { TellAndOffer, End, SayNothing };
    bool movesOn = true;    // an answer moves on to the next question by itself
    bool changeable = true; // an answer can be changed until 交卷
    Order order = Order::Mixed;
    TooManyWrong tooManyWrong = TooManyWrong::TellAndOffer;
    bool operator==(const HallRules&) const = default;
};

// The order the hall shows a paper in: positions of the paper (whose kinds are `kinds`). The
// paper itself keeps its chapter order, so its record's right answers per chapter stay true.
std::vector<int> HallOrder(const QList<Kind>& kinds, HallRules::Order order, std::mt19937& random);

// True once `wrong` answers leave a paper of `size` questions below `pass` for good.
inline bool CannotPass(int wrong, int size, int pass) {
    return wrong > size - pass;
}

// A seat number as the halls print it: 1 to 60.
int DrawSeat(std::mt19937& random);
