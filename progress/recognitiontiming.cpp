#include "progress/recognitiontiming.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace progress {

namespace {

using std::chrono::duration_cast;
using std::chrono::microseconds;

// The median of values, the two middle ones averaged; values is reordered.
qint64 Median(QList<qint64> values)
{
    const auto mid = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), mid, values.end());
    if (values.size() % 2 == 1)
        return *mid;
    const qint64 lower = *std::max_element(values.begin(), mid);
    return (lower + *mid) / 2;
}

int RoundToMs(qint64 us)
{
    return int(std::min<qint64>((us + 500) / 1000, std::numeric_limits<int>::max()));
}

} // namespace

void RecognitionTiming::addReactionPress(platform::SteadyTime beep, platform::SteadyTime press)
{
    const qint64 us = duration_cast<microseconds>(press - beep).count();
    if (us < duration_cast<microseconds>(Anticipation).count() ||
        us > duration_cast<microseconds>(Lapse).count())
        return;
    m_presses.append(us);
    calibrate();
}

void RecognitionTiming::clearReaction()
{
    m_presses.clear();
    m_reactionUs = -1;
}

void RecognitionTiming::calibrate()
{
    if (m_presses.size() < MinPresses)
        return;
    const qint64 median = Median(m_presses);
    QList<qint64> deviations;
    for (const qint64 p : std::as_const(m_presses))
        deviations.append(std::abs(p - median));
    const qint64 spread =
        std::max<qint64>(3 * Median(deviations), duration_cast<microseconds>(MinSpread).count());
    QList<qint64> kept;
    for (const qint64 p : std::as_const(m_presses))
        if (std::abs(p - median) <= spread)
            kept.append(p);
    if (kept.size() >= MinPresses)
        m_reactionUs = Median(kept);
}

int RecognitionTiming::reactionMs() const
{
    return isCalibrated() ? RoundToMs(m_reactionUs) : 0;
}

void RecognitionTiming::setReactionMs(int ms)
{
    m_presses.clear();
    m_reactionUs = ms < 0 ? -1 : qint64(ms) * 1000;
}

int RecognitionTiming::answerMs(platform::SteadyTime characterEnd, platform::SteadyTime press) const
{
    const qint64 us = duration_cast<microseconds>(press - characterEnd).count() -
                      (isCalibrated() ? m_reactionUs : 0);
    return us <= 0 ? 0 : RoundToMs(us);
}

} // namespace progress
