#pragma once

#include <QByteArray>
#include <vector>

// The rhythm the keyers are asked for: every element of keyed text with the
// silence that follows it, from the alphabet's patterns.
namespace nominal {

struct Element
{
    unsigned char character;
    bool dash;
    int markMs;  // 5u for a dot, 15u for a dash
    int spaceMs; // 5u inside a character, 25u after it, 25u more for a word space
};

// text holds Windows-1252 characters keyed one after the other; a blank is a
// word space, anything without a pattern is skipped.
std::vector<Element> rhythm(const QByteArray &text, int u);

} // namespace nominal
