#include "morse/morsetiming.h"

#include <algorithm>
#include <cmath>

MorseTiming::MorseTiming(double characterWpm, double effectiveWpm, double extraWordGapSeconds)
{
    // NaN fails every comparison: it takes the default.
    mCharacter = std::isnan(characterWpm) ? 20 : std::clamp(characterWpm, MinWpm, MaxWpm);
    mEffective = effectiveWpm > 0 ? std::clamp(effectiveWpm, MinWpm, mCharacter) : mCharacter;
    mExtra = extraWordGapSeconds > 0 ? std::min(extraWordGapSeconds, MaxExtraWordGap) : 0;
}

double MorseTiming::dotSeconds() const
{
    return 1.2 / mCharacter;
}

double MorseTiming::dashSeconds() const
{
    return 3 * dotSeconds();
}

double MorseTiming::elementGapSeconds() const
{
    return dotSeconds();
}

double MorseTiming::characterGapSeconds() const
{
    if (!farnsworth())
        return 3 * dotSeconds();
    return 3 * farnsworthDelaySeconds(mCharacter, mEffective) / 19;
}

double MorseTiming::wordGapSeconds() const
{
    const double gap =
        farnsworth() ? 7 * farnsworthDelaySeconds(mCharacter, mEffective) / 19 : 7 * dotSeconds();
    return gap + mExtra;
}

double MorseTiming::farnsworthDelaySeconds(double c, double s)
{
    return (60 * c - 37.2 * s) / (c * s);
}
