#pragma once

// The main window's speed scale, "PpM", against the PARIS standard. The
// trainer keys a dot of 5 units (the unit in ms is the speed slider's
// position), gaps of 1 dot inside a character, 5 after it and 10 between
// words: its own rhythm, not PARIS's 1, 3 and 7.
namespace TrainerScale {

// PARIS words per minute of the characters themselves: a dot of 1200 / c ms.
double CharacterWpm(int unidade);

// PARIS words per minute of "PARIS " keyed with the trainer's own gaps:
// 61 dots where the standard counts 50.
double EffectiveWpm(int unidade);

} // namespace TrainerScale
