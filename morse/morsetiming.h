#pragma once

// Standard keying times at a character speed c and an effective speed s, in
// PARIS words per minute ("PARIS " is 50 dots): a dot lasts 1.2 / c s, a dash
// 3 dots, the gap inside a character 1 dot. At s = c the gaps between
// characters and between words are 3 and 7 dots. Below c they stretch by the
// ARRL's Farnsworth formula: a word's added delay ta = (60 c - 37.2 s) / (c s)
// s, of which a gap between characters takes 3 ta / 19 and one between words
// 7 ta / 19, so that "PARIS " lasts 60 / s s. An extra word gap ("Wordsworth")
// lengthens every gap between words alone.
class MorseTiming
{
public:
    static constexpr double MinWpm = 1;
    static constexpr double MaxWpm = 100;
    static constexpr double MaxExtraWordGap = 2; // seconds

    // Values out of range are brought into it: c into [MinWpm, MaxWpm], s
    // into [MinWpm, c] (0 or less means c), the extra gap into [0, 2] s.
    explicit MorseTiming(double characterWpm = 20, double effectiveWpm = 0,
                         double extraWordGapSeconds = 0);

    double characterWpm() const { return mCharacter; }
    double effectiveWpm() const { return mEffective; }
    double extraWordGapSeconds() const { return mExtra; }
    bool farnsworth() const { return mEffective < mCharacter; }

    // In seconds.
    double dotSeconds() const;
    double dashSeconds() const;
    double elementGapSeconds() const;
    double characterGapSeconds() const;
    double wordGapSeconds() const; // with the extra word gap

    // ta, the delay Farnsworth spacing adds to a word, in seconds.
    static double farnsworthDelaySeconds(double characterWpm, double effectiveWpm);

private:
    double mCharacter;
    double mEffective;
    double mExtra;
};
