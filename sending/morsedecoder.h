#pragma once

#include "sending/keyedge.h"
#include "sending/speedbootstrap.h"

#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace sending {

// One character as the decoder cut it out of the keying.
struct DecodedCharacter
{
    QString text;                // its token ("A", "<AR>"), or "*" for a pattern keyed by nothing
    QString pattern;             // '.' and '-'
    std::vector<Duration> marks; // key-down lengths
    std::vector<Duration> gaps;  // the silences between them (one fewer)
    // The silence after it (a gap between characters or between words); -1
    // until the key goes down again, so the last character has none.
    Duration gapAfter{-1};
    bool wordAfter = false; // that silence ended a word
    double dotNs = 0;       // the dot the decoder held when the character began
    KeyTime start;          // its first key-down
    KeyTime end;            // its last key-up
};

// Decodes hand-sent Morse at the sender's own speed, as it is keyed.
//
// It keeps a running estimate of the sender's dot and of his own proportions
// (his dash, and his gaps inside characters, between characters and between
// words, each in his dots; standard 3, 1, 3 and 7 to begin with). Every mark
// is a dot or a dash by which side of the geometric mean of the two it falls;
// every silence an element, character or word gap likewise. Each mark and
// each silence that is not a word gap pulls the dot estimate towards what it
// implies, in the logarithm (a sixth of the way; more for the first few, which
// outweigh a wrong expected speed); the proportions follow slowly, so a
// learner's habits (short dashes, long gaps) move the thresholds with them
// while a change of speed moves the dot.
//
// The first marks are held back until they show the sender's dot (see
// SpeedBootstrap): usually the first dash after a dot, at the latest the
// eighth mark or a word's silence. Then the estimate starts from them and they
// are decoded; a first character appears a little later, but right.
//
// The gaps between characters and between words are learnt together: over the
// last sixteen such gaps, when they fall clearly into a shorter and a longer
// group, the shorter is his character gap and the longer his word gap. So a
// learner who leaves long gaps between characters is not read as sending
// one-letter words.
//
// A sudden change of speed shows as a mark no dot or dash of the old speed
// could be: much longer than a dash (the sender slowed down: the estimate
// jumps to it at once) or half a dot or shorter (he sped up: it jumps when the
// next mark fits that speed better than the old one, so a stray tap of the key
// moves nothing).
//
// A character ends when the silence after it passes the gap between elements
// and characters; its marks are then read again with the estimate they led
// to. A pattern that is no character but splits, at a gap clearly longer than
// its others, into characters, was two run together and is decoded as them.
//
// Not thread-safe; call it from one thread. Times must not go backwards (an
// earlier time counts as the latest one seen).
class MorseDecoder
{
public:
    // expectedWpm: where the estimate starts (the learner's last speed, or the
    // keyer's speed for paddles). Clamped to 3..80.
    explicit MorseDecoder(double expectedWpm = 15);
    void reset(double expectedWpm);

    // With it, .-.-. decodes as <AR> and -...- as <BT> rather than + and =.
    void setPreferProsigns(bool prefer) { m_preferProsigns = prefer; }

    // The key's edges. Each returns the text completed by it: characters, and
    // " " once a word has ended. A down while down, or an up while up, is
    // ignored.
    QString keyDown(KeyTime t);
    QString keyUp(KeyTime t);
    QString feed(const KeyEdge &edge) { return edge.down ? keyDown(edge.at) : keyUp(edge.at); }
    // Time has passed with the key up: completes the last character once the
    // silence is long enough for it, and the word once it is a word gap.
    QString idle(KeyTime now);
    // When idle() will next complete something; nothing while the key is down
    // or all is complete.
    std::optional<KeyTime> nextDeadline() const;

    // The sender's speed in PARIS words per minute, from his dot and his own
    // proportions (50 of his units per word, counted as PARIS has them).
    double wpm() const;
    // His dot as the decoder holds it, in ms.
    double dotMs() const { return m_dot / 1e6; }
    // His proportions in dots (dash; gaps inside, between characters, words).
    double dashRatio() const { return m_ratio[Dash]; }
    double elementGapRatio() const { return m_ratio[ElementGap]; }
    double characterGapRatio() const { return m_ratio[CharacterGap]; }
    double wordGapRatio() const { return m_ratio[WordGap]; }

    bool isDown() const { return m_down; }
    // Every character decoded so far, in order.
    const std::vector<DecodedCharacter> &characters() const { return m_characters; }
    // All the text handed out so far.
    const QString &text() const { return m_text; }

private:
    enum Kind
    {
        Dash,
        ElementGap,
        CharacterGap,
        WordGap,
        Kinds
    };
    enum class Gap
    {
        Element,
        Character,
        Word
    };
    double markThreshold() const;
    double characterThreshold() const;
    double wordThreshold() const;
    Gap classify(Duration silence) const;
    double weight() const;
    void pull(double impliedDot, double weight);
    void learn(Kind kind, double dots);
    double misfit(double dots) const;
    void markEstimate(double ns);
    void gapEstimate(Gap gap, double ns);
    void learnLongGap(double dots);
    QString settle(KeyTime now);
    QString complete();
    QString endWord();
    void append(DecodedCharacter c, QString &out);
    static std::vector<DecodedCharacter> pieces(const DecodedCharacter &c, int depth);

    double m_expectedDot = 0; // ns
    double m_dot = 0;         // ns
    double m_ratio[Kinds] = {};
    int m_updates = 0;
    bool m_preferProsigns = false;
    double m_candidate = 0; // a new dot one mark suggested, ns
    bool m_settled = false;
    SpeedBootstrap m_start;
    std::deque<double> m_longGaps; // in dots

    bool m_down = false;
    bool m_anyMark = false;
    KeyTime m_latest{};
    KeyTime m_lastDown{};
    KeyTime m_lastUp{};
    bool m_characterOpen = false;
    bool m_wordOpen = false;
    Gap m_ended = Gap::Element; // what the silence since the last key-up has ended so far
    DecodedCharacter m_current;
    std::vector<DecodedCharacter> m_characters;
    QString m_text;
};

} // namespace sending
