#pragma once

#include "sending/keyedge.h"

#include <QRandomGenerator>
#include <QString>
#include <vector>

namespace sending {

// Keying of a text as a learner might send it, for tests and measurements:
// standard timing (dot, dash of 3, gaps of 1, 3 and 7 dots) with every
// element and gap stretched by a random factor, and the speed changing on the
// way if asked.
class SyntheticKeying
{
public:
    enum class Change
    {
        None,
        Step, // from startWpm to endWpm at the first word that starts past changeAt
        Ramp  // the dot moves evenly from one speed to the other over the text
    };
    struct Options
    {
        double startWpm = 20;
        double endWpm = 20;
        Change change = Change::None;
        double changeAt = 0.5; // fraction of the text's characters
        double error = 0;      // each duration times 1 + uniform(-error, +error)
        // The sender's proportions in dots.
        double dash = 3;
        double elementGap = 1;
        double characterGap = 3;
        double wordGap = 7;
    };

    explicit SyntheticKeying(quint32 seed) : m_random(seed) {}

    // The key's edges for text (tokens as SendingAlphabet splits them; tokens
    // without a pattern are skipped), the first key-down at start.
    std::vector<KeyEdge> key(const QString &text, const Options &options, KeyTime start);

private:
    Duration stretched(double dots, double dotNs, double error);

    QRandomGenerator m_random;
};

} // namespace sending
