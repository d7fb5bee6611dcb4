#pragma once

#include <QtGlobal>
#include <cstdint>
#include <vector>

class MorseText;
class MorseTiming;

// Where every element and character of a text falls when keyed, in frames at
// a sample rate. Frame 0 is the first mark's nominal start. Each boundary is
// its exact nominal time rounded to the nearest frame on its own, so no
// rounding adds up along a text: every mark and space is within a frame of
// its nominal length.
class MorseKeying
{
public:
    struct Element
    {
        std::int64_t start = 0; // nominal start of the mark
        std::int64_t end = 0;   // nominal end: the frame after its last
        bool dash = false;
    };
    struct Character
    {
        std::int64_t start = 0; // its first mark's start
        std::int64_t end = 0;   // its last mark's end
        qsizetype symbol = 0;   // index in the text's symbols()
        qsizetype firstElement = 0;
        qsizetype elementCount = 0;
    };

    MorseKeying() = default;
    // An empty or faulty text keys nothing.
    MorseKeying(const MorseText &text, const MorseTiming &timing, int rate);

    int rate() const { return mRate; }
    const std::vector<Element> &elements() const { return mElements; }
    const std::vector<Character> &characters() const { return mCharacters; }
    // Frames from the first mark's start to the last mark's end; 0 when empty.
    std::int64_t length() const
    {
        return mElements.empty() ? 0 : mElements.back().end - mElements.front().start;
    }

    // Moves every frame by offset.
    void shift(std::int64_t offset);

private:
    int mRate = 0;
    std::vector<Element> mElements;
    std::vector<Character> mCharacters;
};
