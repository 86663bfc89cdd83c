// The play: pairs and runs for each laid card, the sequence's capacity, and who can still play.
#include "rules/pegging.h"

#include "rules/cards.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

using namespace rules;

namespace {

constexpr int A = 1, T = 10, J = 11, Q = 12, K = 13;

// Lays cards of the given ranks (suits rotating, so equal ranks are different cards) and
// returns what each card scored, as the server asks after each push.
std::vector<ExtraScore> lay(PlaySequence& seq, std::initializer_list<int> ranks) {
    std::vector<ExtraScore> scores;
    int suit = 0;
    for (int rank : ranks) {
        const int c = makeCard(rank, suit++ % 4 + 1);
        seq.push(c);
        scores.push_back(givescoreforextra(seq));
        seq.addToCount(c);
    }
    return scores;
}

ExtraScore lastOf(std::initializer_list<int> ranks) {
    PlaySequence seq;
    return lay(seq, ranks).back();
}

bool operator==(const ExtraScore& a, const ExtraScore& b) {
    return a.points == b.points && a.kind == b.kind;
}

Hand handOf(std::initializer_list<int> ranks) {
    Hand h{};
    int position = 1;
    for (int rank : ranks) h[position++] = makeCard(rank, 2);
    return h;
}

} // namespace

TEST(Pegging, PairsThreesAndFoursScoreOnceEach) {
    PlaySequence seq;
    const auto s = lay(seq, {7, 7, 7, 7});
    EXPECT_TRUE((s[0] == ExtraScore{0, 0}));
    EXPECT_TRUE((s[1] == ExtraScore{2, 3}));
    EXPECT_TRUE((s[2] == ExtraScore{6, 2}));
    EXPECT_TRUE((s[3] == ExtraScore{12, 1}));
    EXPECT_EQ(seq.count, 28);
    // Kings are stored as 0 and pair like any rank.
    EXPECT_TRUE((lastOf({K, K}) == ExtraScore{2, 3}));
    // A broken pair no longer counts.
    EXPECT_TRUE((lastOf({4, 4, 5, 4}) == ExtraScore{0, 0}));
    EXPECT_TRUE((lastOf({2, 6, 6, 6}) == ExtraScore{6, 2}));
}

TEST(Pegging, RunsInAnyOrder) {
    EXPECT_TRUE((lastOf({3, 5, 4}) == ExtraScore{3, 4}));
    EXPECT_TRUE((lastOf({5, 3, 4, 6}) == ExtraScore{4, 5}));
    EXPECT_TRUE((lastOf({9, 5, 3, 4}) == ExtraScore{3, 4}));
    EXPECT_TRUE((lastOf({4, 2, 6, 3, 7, 1, 5}) == ExtraScore{7, 8}));
    EXPECT_TRUE((lastOf({J, K, Q}) == ExtraScore{3, 4}));
    // A run grows card by card.
    PlaySequence seq;
    const auto s = lay(seq, {A, 2, 3, 4, 5});
    EXPECT_EQ(s[2].points, 3);
    EXPECT_EQ(s[3].points, 4);
    EXPECT_EQ(s[4].points, 5);
    EXPECT_EQ(s[4].kind, 6);
}

TEST(Pegging, NoRun) {
    EXPECT_TRUE((lastOf({3, 4, 4}) == ExtraScore{2, 3}));
    EXPECT_TRUE((lastOf({3, 4, 4, 5}) == ExtraScore{0, 0}));
    EXPECT_TRUE((lastOf({J, Q, K, 5}) == ExtraScore{0, 0}));
    // The Ace ranks low only in the play.
    EXPECT_TRUE((lastOf({Q, K, A}) == ExtraScore{0, 0}));
    EXPECT_TRUE((lastOf({K, A, 2}) == ExtraScore{0, 0}));
    EXPECT_TRUE((lastOf({3, 5}) == ExtraScore{0, 0}));
}

TEST(Pegging, CheckforrunLooksOnlyAtTheLastEntries) {
    PlaySequence seq;
    lay(seq, {9, 2, 3, 4});
    EXPECT_EQ(checkforrun(seq, 3), 3);
    EXPECT_EQ(checkforrun(seq, 4), 0);
    EXPECT_EQ(checkforrun(seq, 5), 0); // longer than the sequence
    EXPECT_EQ(checkforrun(seq, 2), 0);
    EXPECT_EQ(checkforrun(seq, -1), 0);
    EXPECT_EQ(checkforrun(PlaySequence{}, 3), 0);
}

TEST(Pegging, ThirteenCardCount) {
    // Four Aces, four Twos, four Threes and a Four make 28 in thirteen cards.
    PlaySequence seq;
    const auto s = lay(seq, {A, A, A, A, 2, 2, 2, 2, 3, 3, 3, 3, 4});
    EXPECT_EQ(seq.n, 13);
    EXPECT_EQ(seq.count, 28);
    EXPECT_EQ(s[3].points, 12);
    EXPECT_EQ(s[4].points, 0);
    EXPECT_EQ(s[7].points, 12);
    EXPECT_EQ(s[11].points, 12);
    EXPECT_TRUE((s[12] == ExtraScore{0, 0}));
    EXPECT_EQ(seq.keys[13], 4);
    EXPECT_TRUE(seq.fits(makeCard(3, 1)));
    EXPECT_FALSE(seq.fits(makeCard(4, 1)));
    // Eight ranks in a row cannot fit in 31, but if fed anyway the kind stays one clients know.
    PlaySequence tooLong;
    lay(tooLong, {A, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_TRUE((givescoreforextra(tooLong) == ExtraScore{7, 8}));
}

TEST(Pegging, PushBeyondCapacityIsIgnored) {
    PlaySequence seq;
    for (int i = 0; i < PlaySequence::kCapacity + 10; ++i) seq.push(makeCard(i % 13 + 1, 1));
    EXPECT_EQ(seq.n, PlaySequence::kCapacity);
    EXPECT_EQ(seq.keys[PlaySequence::kCapacity], (PlaySequence::kCapacity - 1) % 13 + 1);
    // Scoring still reads only within the sequence.
    givescoreforextra(seq);
    // No card is not a card to store.
    PlaySequence empty;
    empty.push(kNoCard);
    empty.push(53);
    EXPECT_EQ(empty.n, 0);
    EXPECT_TRUE((givescoreforextra(empty) == ExtraScore{0, 0}));
    // A corrupted length does not lead the scoring out of bounds.
    PlaySequence bad;
    bad.n = 1000;
    EXPECT_NO_FATAL_FAILURE(givescoreforextra(bad));
    EXPECT_EQ(checkforrun(bad, 500), 0);
}

TEST(Pegging, ResetStartsAFreshSequence) {
    PlaySequence seq;
    lay(seq, {5, 5});
    seq.reset();
    EXPECT_EQ(seq.n, 0);
    EXPECT_EQ(seq.count, 0);
    EXPECT_TRUE((lay(seq, {5}).back() == ExtraScore{0, 0}));
    EXPECT_EQ(seq.count, 5);
}

TEST(Pegging, CountAndFit) {
    PlaySequence seq;
    seq.addToCount(makeCard(K, 1));
    seq.addToCount(makeCard(A, 1));
    seq.addToCount(kNoCard);
    EXPECT_EQ(seq.count, 11);
    seq.count = 21;
    EXPECT_TRUE(seq.fits(makeCard(Q, 3)));
    seq.count = 22;
    EXPECT_FALSE(seq.fits(makeCard(Q, 3)));
    EXPECT_TRUE(seq.fits(makeCard(9, 3)));
}

TEST(Pegging, CanPlay) {
    EXPECT_TRUE(canPlay(handOf({K}), 21));
    EXPECT_TRUE(canPlay(handOf({K, Q}), 0));
    EXPECT_FALSE(canPlay(handOf({K, Q}), 22));
    EXPECT_TRUE(canPlay(handOf({K, 9}), 22));
    EXPECT_TRUE(canPlay(handOf({T, 3}), 28));
    EXPECT_FALSE(canPlay(handOf({T, 4}), 28));
    EXPECT_FALSE(canPlay(handOf({}), 0));
    Hand gaps{};
    gaps[6] = makeCard(A, 4);
    EXPECT_TRUE(holdsCards(gaps));
    EXPECT_TRUE(canPlay(gaps, 30));
    EXPECT_FALSE(canPlay(gaps, 31));
    EXPECT_FALSE(holdsCards(Hand{}));
}
