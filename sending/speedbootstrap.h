#pragma once

#include "sending/keyedge.h"

#include <vector>

namespace sending {

// The sender's first marks, held back until they show his dot: one mark alone
// cannot tell a dot at half the expected speed from a dash at one and a half
// times it, and a first character cut up on that guess is wrong. MorseDecoder
// keeps the edges here until there are enough, then estimates the dot from
// them all and decodes them afresh.
class SpeedBootstrap
{
public:
    void reset(double expectedDotNs);
    void add(const KeyEdge &edge) { m_edges.push_back(edge); }
    // Marks that differ enough to hold dots and dashes both, or so many that
    // waiting longer would only delay the text.
    bool enoughMarks() const;
    // A silence this long after the last key-up ends the waiting: the sender
    // has paused at least for a word, by the expected speed.
    Duration enoughSilence() const;

    // The dot that explains the held marks and gaps best, each measured in it
    // against its nearest ideal (1 or 3 for a mark; 1, 3 or 7 for a gap, a
    // longer pause being none of them) with the expected speed as a weak
    // tie-breaker.
    double dotNs() const;
    std::vector<KeyEdge> take();

private:
    std::vector<double> lengths(bool marks) const;
    double misfit(double dot) const;

    double m_expected = 0;
    std::vector<KeyEdge> m_edges;
};

} // namespace sending
