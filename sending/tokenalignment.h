#pragma once

#include <QStringList>
#include <vector>

namespace sending {

// Lines up what was prompted with what was decoded by edit distance, so a
// skipped or an extra character costs only itself. Tokens match when they
// are keyed alike (SendingAlphabet::sameKeying).
namespace TokenAlignment {

// One step of the alignment: indices into prompted and decoded, -1 where one
// side has nothing (a character skipped, or one too many).
struct Pair
{
    qsizetype prompted = -1;
    qsizetype decoded = -1;
    friend bool operator==(const Pair &, const Pair &) = default;
};

// The cheapest alignment (each substitution, skip or extra costs 1; among
// equals, the one with most matches), in order.
// Beyond MaxCells of table (a text of thousands of characters each side) the
// two are compared position by position instead.
std::vector<Pair> align(const QStringList &prompted, const QStringList &decoded);
inline constexpr qsizetype MaxCells = 16 * 1024 * 1024;

} // namespace TokenAlignment

} // namespace sending
