#pragma once

#include "course/runspec.h"
#include "morse/morserenderer.h"
#include "platform/renderedblock.h"
#include "sound/tonerenderer.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace course {

// Keys a run one group at a time, each where a keying of the whole run's text
// (the groups one word space apart) puts it: so the blocks placed one after
// another in the stream are, sample for sample, what the export writes for
// that text, and no rounding adds up along a run.
class RunKeyer
{
public:
    // The keyer of a run's sound at its speeds, tone and edges: the export's
    // as well as the player's.
    static MorseRenderer renderer(const RunSpec &spec);
    // The gains of a run's left and right volumes as the stream takes them.
    static std::uint32_t volumeWord(const RunSpec &spec);

    explicit RunKeyer(const RunSpec &spec);

    struct Group
    {
        // Float at the stream's rate; start is the first mark's nominal
        // start, length runs to the last mark's nominal end.
        platform::RenderedBlock block;
        // Frames from the previous group's nominal end (the first group: a
        // word space, should something have sounded just before).
        std::int64_t gap = 0;
    };

    // group keyed after those before; nothing, and nothing kept, for a group
    // that is empty or holds a character without a pattern.
    std::optional<Group> add(const QString &group);

    // Nominal frames from the first group's first mark to the last group's
    // last mark end; 0 before the first.
    std::int64_t length() const { return mEnd; }
    // Frames a block's sound runs past its nominal end (its fall).
    std::int64_t tail() const { return mTone.edgeFrames(); }

private:
    MorseRenderer mRenderer;
    ToneRenderer mTone;
    QString mText;
    qsizetype mSymbols = 0;
    std::int64_t mEnd = 0;
};

} // namespace course
