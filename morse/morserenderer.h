#pragma once

#include "morse/morsekeying.h"
#include "morse/morsetiming.h"
#include "sound/tonerenderer.h"

#include <QString>
#include <cstdint>
#include <vector>

class MorseText;

// Keys text ahead at standard timing (MorseTiming) into the samples a player
// plays: 16-bit mono at 96000 Hz, at a tone and waveform, with soft or raw
// edges (ToneRenderer). Rendered whole, a block is exact to the sample
// whatever the program does while it plays.
class MorseRenderer
{
public:
    static constexpr int Rate = ToneRenderer::Rate;

    struct Block
    {
        std::vector<std::int16_t> samples;
        // Frame in samples of the first mark's nominal start: a soft rise
        // begins this many frames before it (0 with raw edges).
        std::int64_t firstMark = 0;
        // Nominal frames from the first mark's start to the last mark's end;
        // samples holds firstMark more after it, the last fall.
        std::int64_t length = 0;
        // Every element's and character's nominal frames within samples.
        MorseKeying keying;
    };

    MorseRenderer(const MorseTiming &timing, int frequency, TTGWave waveform, bool softEdges);

    const MorseTiming &timing() const { return mTiming; }
    const ToneRenderer &tone() const { return mTone; }

    // The keying of text, frame 0 its first mark's nominal start.
    MorseKeying keying(const MorseText &text) const;
    // Frames a rendering of keying spans: the edges' lead, the nominal length
    // and the trailing fall.
    std::int64_t frames(const MorseKeying &keying) const;

    // text rendered whole; an empty block for a faulty text.
    Block render(const MorseText &text);

    // Writes text to a WAV file: the samples render() gives, rendered a
    // block at a time so that a long text needs little memory. On failure
    // (a faulty text, a file that cannot be written, more sound than a WAV
    // file holds) returns false with a message, naming the file if it is at
    // fault; nothing is written then.
    bool writeWave(const MorseText &text, const QString &path, QString *error = nullptr);

private:
    static std::vector<ToneRenderer::Mark> marks(const MorseKeying &keying);

    MorseTiming mTiming;
    ToneRenderer mTone;
};
