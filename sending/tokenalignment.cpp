#include "sending/tokenalignment.h"

#include "sending/sendingalphabet.h"

#include <algorithm>
#include <cstdint>

namespace sending::TokenAlignment {

namespace {

std::vector<Pair> byPosition(qsizetype n, qsizetype m)
{
    std::vector<Pair> out;
    for (qsizetype i = 0; i < std::max(n, m); ++i)
        out.push_back({i < n ? i : -1, i < m ? i : -1});
    return out;
}

// What a token is compared by: its pattern, so signs keyed alike match.
QStringList keys(const QStringList &tokens)
{
    QStringList out;
    out.reserve(tokens.size());
    for (const QString &t : tokens) {
        const QString pattern = SendingAlphabet::pattern(t);
        out << (pattern.isEmpty() ? t.toUpper() : pattern);
    }
    return out;
}

} // namespace

std::vector<Pair> align(const QStringList &prompted, const QStringList &decoded)
{
    const qsizetype n = prompted.size();
    const qsizetype m = decoded.size();
    if ((n + 1) * (m + 1) > MaxCells)
        return byPosition(n, m);

    const QStringList a = keys(prompted);
    const QStringList b = keys(decoded);
    // Costs row by row; the moves are kept for the way back. Among the
    // alignments with fewest edits, the one with most matches: a skipped C
    // and an added T in CAN keyed ATN, rather than two wrong characters.
    const std::int64_t edit = n + m + 1;
    enum Move : std::uint8_t
    {
        Diagonal,
        Up,
        Left
    };
    std::vector<Move> moves(size_t((n + 1) * (m + 1)));
    const auto at = [m](qsizetype i, qsizetype j) { return size_t(i * (m + 1) + j); };
    std::vector<std::int64_t> previous(size_t(m + 1)), row(size_t(m + 1));
    for (qsizetype j = 0; j <= m; ++j) {
        previous[size_t(j)] = j * edit;
        moves[at(0, j)] = Left;
    }
    for (qsizetype i = 1; i <= n; ++i) {
        row[0] = i * edit;
        moves[at(i, 0)] = Up;
        for (qsizetype j = 1; j <= m; ++j) {
            const bool same = a.at(i - 1) == b.at(j - 1);
            const std::int64_t diagonal = previous[size_t(j - 1)] + (same ? -1 : edit);
            const std::int64_t up = previous[size_t(j)] + edit;
            const std::int64_t left = row[size_t(j - 1)] + edit;
            std::int64_t best = diagonal;
            Move move = Diagonal;
            if (up < best) {
                best = up;
                move = Up;
            }
            if (left < best) {
                best = left;
                move = Left;
            }
            row[size_t(j)] = best;
            moves[at(i, j)] = move;
        }
        std::swap(previous, row);
    }

    std::vector<Pair> out;
    qsizetype i = n, j = m;
    while (i > 0 || j > 0) {
        switch (moves[at(i, j)]) {
        case Diagonal:
            out.push_back({--i, --j});
            break;
        case Up:
            out.push_back({--i, -1});
            break;
        case Left:
            out.push_back({-1, --j});
            break;
        }
    }
    std::reverse(out.begin(), out.end());
    return out;
}

} // namespace sending::TokenAlignment
