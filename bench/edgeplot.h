#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// A small picture of single tones as the stream holds them, one trace above
// the other, with the tone's nominal start and end marked: what a soft edge
// does to a dot, for the README.
namespace edgeplot {

struct Trace
{
    QString label;
    std::vector<float> samples; // one channel, from margin frames before the nominal start
    std::int64_t length = 0;    // nominal frames of the tone
};

// Writes the traces to path as a PNG, each margin frames wider than its tone
// on either side. False when it cannot be written.
bool write(const QString &path, const std::vector<Trace> &traces, std::int64_t margin);

} // namespace edgeplot
