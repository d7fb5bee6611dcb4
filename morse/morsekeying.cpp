#include "morse/morsekeying.h"

#include "morse/morsetext.h"
#include "morse/morsetiming.h"

#include <cmath>

namespace {

// Nominal time in frames as whole counts of each duration, so that a
// boundary's time is one sum of a few products, not a running total.
class Clock
{
public:
    Clock(const MorseTiming &t, int rate)
        : mFarnsworth(t.farnsworth()),
          // 1.2 / c seconds, in frames, from whole numbers but for the division.
          mDot(6.0 * rate / (5.0 * t.characterWpm())),
          mCharacterGap(t.characterGapSeconds() * rate),
          mWordGap((t.wordGapSeconds() - t.extraWordGapSeconds()) * rate),
          mExtra(t.extraWordGapSeconds() * rate)
    {
    }

    void dots(std::int64_t n) { mDots += n; }
    void characterGap()
    {
        if (mFarnsworth)
            ++mCharacterGaps;
        else
            mDots += 3;
    }
    void wordGap()
    {
        if (mFarnsworth)
            ++mWordGaps;
        else
            mDots += 7;
        ++mExtras;
    }
    std::int64_t frame() const
    {
        return std::llround(double(mDots) * mDot + double(mCharacterGaps) * mCharacterGap +
                            double(mWordGaps) * mWordGap + double(mExtras) * mExtra);
    }

private:
    bool mFarnsworth;
    double mDot;
    double mCharacterGap;
    double mWordGap;
    double mExtra;
    std::int64_t mDots = 0;
    std::int64_t mCharacterGaps = 0;
    std::int64_t mWordGaps = 0;
    std::int64_t mExtras = 0;
};

} // namespace

MorseKeying::MorseKeying(const MorseText &text, const MorseTiming &timing, int rate) : mRate(rate)
{
    if (!text.ok() || rate <= 0)
        return;
    Clock clock(timing, rate);
    const auto &symbols = text.symbols();
    mCharacters.reserve(std::size_t(symbols.size()));
    for (qsizetype i = 0; i < symbols.size(); ++i) {
        const MorseText::Symbol &s = symbols[i];
        if (i > 0) {
            if (s.wordStart)
                clock.wordGap();
            else
                clock.characterGap();
        }
        Character c;
        c.symbol = i;
        c.firstElement = qsizetype(mElements.size());
        for (qsizetype e = 0; e < s.pattern.size(); ++e) {
            if (e > 0)
                clock.dots(1);
            const bool dash = s.pattern[e] == '-';
            Element element;
            element.dash = dash;
            element.start = clock.frame();
            clock.dots(dash ? 3 : 1);
            element.end = clock.frame();
            mElements.push_back(element);
        }
        c.elementCount = qsizetype(mElements.size()) - c.firstElement;
        c.start = mElements[std::size_t(c.firstElement)].start;
        c.end = mElements.back().end;
        mCharacters.push_back(c);
    }
}

void MorseKeying::shift(std::int64_t offset)
{
    for (Element &e : mElements) {
        e.start += offset;
        e.end += offset;
    }
    for (Character &c : mCharacters) {
        c.start += offset;
        c.end += offset;
    }
}
