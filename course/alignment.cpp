#include "course/alignment.h"

#include <QHash>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace course {
namespace {

using Tokens = QStringList;

// A space paired with a character would cost more than skipping one and
// adding the other, so it never happens.
constexpr int CharacterCost = 2;
constexpr int SpaceCost = 1;
constexpr int Mismatch = 2 * CharacterCost + 1;

bool IsSpace(const QString &token)
{
    return token == QLatin1String(" ");
}

// Tokens as numbers, the space 0, so the inner loops compare integers.
constexpr int Space = 0;

int GapCost(int token)
{
    return token == Space ? SpaceCost : CharacterCost;
}

int PairCost(int sent, int typed)
{
    if (sent == typed)
        return 0;
    return sent == Space || typed == Space ? Mismatch : CharacterCost;
}

int GapCost(const QString &token)
{
    return IsSpace(token) ? SpaceCost : CharacterCost;
}

int PairCost(const QString &sent, const QString &typed)
{
    if (sent == typed)
        return 0;
    return IsSpace(sent) || IsSpace(typed) ? Mismatch : CharacterCost;
}

enum Move : std::uint8_t
{
    Diagonal,
    Up,  // a sent token alone
    Left // a typed token alone
};

class Aligner
{
public:
    Aligner(const Tokens &sent, const Tokens &typed, qint64 cells)
        : sent(sent), typed(typed), fullCells(cells)
    {
        QHash<QString, int> ids{{QStringLiteral(" "), Space}};
        auto number = [&ids](const Tokens &tokens, std::vector<int> &out) {
            out.reserve(std::size_t(tokens.size()));
            for (const QString &token : tokens) {
                auto it = ids.constFind(token);
                if (it == ids.cend())
                    it = ids.insert(token, int(ids.size()));
                out.push_back(it.value());
            }
        };
        number(sent, s);
        number(typed, t);
    }

    QList<Alignment::Step> run()
    {
        Split(0, sent.size(), 0, typed.size());
        return steps;
    }

private:
    void Emit(qsizetype i, qsizetype j, Move move)
    {
        Alignment::Step step;
        if (move != Left)
            step.sent = sent.at(i);
        if (move != Up)
            step.typed = typed.at(j);
        if (move == Up)
            step.kind = Alignment::Kind::Skipped;
        else if (move == Left)
            step.kind = Alignment::Kind::Extra;
        else
            step.kind = step.sent == step.typed ? Alignment::Kind::Right : Alignment::Kind::Wrong;
        steps << step;
    }

    // Full matrix with the moves kept, then traced back from the end. Ties
    // go to a pairing, then to a skipped character, then to an extra one.
    void Full(qsizetype i0, qsizetype i1, qsizetype j0, qsizetype j1)
    {
        const qsizetype n = i1 - i0, m = j1 - j0, w = m + 1;
        std::vector<int> prev(std::size_t(m + 1)), cur(std::size_t(m + 1));
        std::vector<std::uint8_t> moves(std::size_t((n + 1) * w));
        for (qsizetype j = 1; j <= m; ++j) {
            prev[j] = prev[j - 1] + GapCost(t[j0 + j - 1]);
            moves[j] = Left;
        }
        for (qsizetype i = 1; i <= n; ++i) {
            const int a = s[i0 + i - 1];
            cur[0] = prev[0] + GapCost(a);
            moves[i * w] = Up;
            for (qsizetype j = 1; j <= m; ++j) {
                const int b = t[j0 + j - 1];
                int best = prev[j - 1] + PairCost(a, b);
                Move move = Diagonal;
                if (const int up = prev[j] + GapCost(a); up < best) {
                    best = up;
                    move = Up;
                }
                if (const int left = cur[j - 1] + GapCost(b); left < best) {
                    best = left;
                    move = Left;
                }
                cur[j] = best;
                moves[i * w + j] = move;
            }
            std::swap(prev, cur);
        }
        std::vector<Move> path;
        for (qsizetype i = n, j = m; i > 0 || j > 0;) {
            const Move move = Move(moves[i * w + j]);
            path.push_back(move);
            if (move != Left)
                --i;
            if (move != Up)
                --j;
        }
        // Walk forward again with both positions.
        qsizetype i = i0, j = j0;
        for (auto it = path.rbegin(); it != path.rend(); ++it) {
            Emit(i, j, *it);
            if (*it != Left)
                ++i;
            if (*it != Up)
                ++j;
        }
    }

    // Costs of aligning sent[i0, i1) with each prefix of typed[j0, j1)
    // (forward) or each suffix (backward, indexed by the suffix's start).
    std::vector<int> LastRow(qsizetype i0, qsizetype i1, qsizetype j0, qsizetype j1,
                             bool backward) const
    {
        const qsizetype m = j1 - j0;
        auto S = [&](qsizetype k) { return s[backward ? i1 - 1 - k : i0 + k]; };
        auto T = [&](qsizetype k) { return t[backward ? j1 - 1 - k : j0 + k]; };
        std::vector<int> prev(std::size_t(m + 1)), cur(std::size_t(m + 1));
        for (qsizetype j = 1; j <= m; ++j)
            prev[j] = prev[j - 1] + GapCost(T(j - 1));
        for (qsizetype i = 1; i <= i1 - i0; ++i) {
            const int a = S(i - 1);
            cur[0] = prev[0] + GapCost(a);
            for (qsizetype j = 1; j <= m; ++j) {
                const int b = T(j - 1);
                cur[j] = std::min(
                    {prev[j - 1] + PairCost(a, b), prev[j] + GapCost(a), cur[j - 1] + GapCost(b)});
            }
            std::swap(prev, cur);
        }
        if (backward)
            std::reverse(prev.begin(), prev.end());
        return prev;
    }

    void Split(qsizetype i0, qsizetype i1, qsizetype j0, qsizetype j1)
    {
        const qsizetype n = i1 - i0, m = j1 - j0;
        if (n <= 1 || m == 0 || qint64(n + 1) * (m + 1) <= fullCells) {
            Full(i0, i1, j0, j1);
            return;
        }
        const qsizetype mid = i0 + n / 2;
        const std::vector<int> top = LastRow(i0, mid, j0, j1, false);
        const std::vector<int> bottom = LastRow(mid, i1, j0, j1, true);
        qsizetype cut = 0;
        for (qsizetype j = 1; j <= m; ++j)
            if (top[j] + bottom[j] < top[cut] + bottom[cut])
                cut = j;
        Split(i0, mid, j0, j0 + cut);
        Split(mid, i1, j0 + cut, j1);
    }

    const Tokens &sent;
    const Tokens &typed;
    std::vector<int> s;
    std::vector<int> t;
    const qint64 fullCells;
    QList<Alignment::Step> steps;
};

} // namespace

QStringList Alignment::tokens(const QString &text)
{
    QStringList result;
    const QString upper = text.toUpper();
    for (qsizetype i = 0; i < upper.size(); ++i) {
        const QChar c = upper.at(i);
        if (c.isSpace()) {
            if (!result.isEmpty() && !IsSpace(result.last()))
                result << QStringLiteral(" ");
            continue;
        }
        if (c == QLatin1Char('<')) {
            const qsizetype end = upper.indexOf(QLatin1Char('>'), i + 1);
            if (end > i) {
                result << upper.mid(i, end - i + 1);
                i = end;
                continue;
            }
        }
        result << QString(c);
    }
    if (!result.isEmpty() && IsSpace(result.last()))
        result.removeLast();
    return result;
}

QList<Alignment::Step> Alignment::align(const QString &sent, const QString &typed)
{
    return align(tokens(sent), tokens(typed));
}

QList<Alignment::Step> Alignment::align(const QStringList &sent, const QStringList &typed)
{
    return align(sent, typed, DefaultFullMatrixCells);
}

QList<Alignment::Step> Alignment::align(const QStringList &sent, const QStringList &typed,
                                        qint64 fullMatrixCells)
{
    return Aligner(sent, typed, fullMatrixCells).run();
}

int Alignment::cost(const QList<Step> &steps)
{
    int total = 0;
    for (const Step &step : steps) {
        switch (step.kind) {
        case Kind::Right:
            break;
        case Kind::Wrong:
            total += PairCost(step.sent, step.typed);
            break;
        case Kind::Skipped:
            total += GapCost(step.sent);
            break;
        case Kind::Extra:
            total += GapCost(step.typed);
            break;
        }
    }
    return total;
}

} // namespace course
