#include "sending/synthetickeying.h"

#include "sending/sendingalphabet.h"

#include <cmath>

namespace sending {

Duration SyntheticKeying::stretched(double dots, double dotNs, double error)
{
    const double factor = 1 + error * (2 * m_random.generateDouble() - 1);
    return Duration(std::llround(dots * dotNs * factor));
}

std::vector<KeyEdge> SyntheticKeying::key(const QString &text, const Options &options,
                                          KeyTime start)
{
    const QStringList tokens = SendingAlphabet::tokens(text);
    const double startDot = 1.2e9 / options.startWpm;
    const double endDot = 1.2e9 / options.endWpm;
    const qsizetype stepAt = qsizetype(std::ceil(options.changeAt * double(tokens.size())));
    bool stepped = false;

    std::vector<KeyEdge> edges;
    KeyTime t = start;
    double gapDots = 0; // the silence owed before the next mark
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QString &token = tokens.at(i);
        if (token == u" ") {
            gapDots = options.wordGap;
            if (options.change == Change::Step && i >= stepAt)
                stepped = true;
            continue;
        }
        const QString pattern = SendingAlphabet::pattern(token);
        if (pattern.isEmpty())
            continue;
        double dot = startDot;
        if (options.change == Change::Step && stepped)
            dot = endDot;
        else if (options.change == Change::Ramp && tokens.size() > 1)
            dot = startDot + (endDot - startDot) * double(i) / double(tokens.size() - 1);
        for (qsizetype e = 0; e < pattern.size(); ++e) {
            if (!edges.empty())
                t += stretched(e == 0 ? gapDots : options.elementGap, dot, options.error);
            const double mark = pattern.at(e) == u'-' ? options.dash : 1;
            const KeyTime up = t + stretched(mark, dot, options.error);
            edges.push_back({t, true});
            edges.push_back({up, false});
            t = up;
        }
        gapDots = options.characterGap;
    }
    return edges;
}

} // namespace sending
