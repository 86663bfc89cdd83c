// Scoring of a hand or the crib in the show: fifteens, pairs, runs, flush, nob.
#pragma once

#include "rules/deal.h"

namespace rules {

struct ShowScore {
    int fifteens = 0; // points (2 per combination)
    int pairs = 0;    // points (2 per pair)
    int runs = 0;
    int flush = 0; // 0, 4 or 5
    int nob = 0;   // 0 or 1
    int total = 0;
    friend bool operator==(const ShowScore&, const ShowScore&) = default;
};

// Each takes the show cards: positions 0..3 the kept cards, 4 the starter. An empty position
// (0) counts for nothing.
int getfifteen(const ShowCards& cards); // number of combinations making 15
int getpairs(const ShowCards& cards);   // number of pairs of equal rank
int getruns(const ShowCards& cards);    // points for runs
int getflush(const ShowCards& cards);   // 0, 4 or 5
int getnob(const ShowCards& cards);     // 0 or 1

// Run tests over run ranks (Ace 1 .. King 13), with the ace-high patterns of the show.
bool checkfor5(const std::array<int, 5>& ranks);
bool checkfor4(const std::array<int, 4>& ranks);
bool checkfor3(const std::array<int, 3>& ranks);

// The whole breakdown; the fast path used by the server and the benchmark.
ShowScore scoreShow(const ShowCards& cards);

} // namespace rules
