#pragma once

#include <QString>

// Whether the player shapes the tones' edges (see platform::SoundDevice): kept
// in the settings store beside the language, under ValorBordas, 1 on, 0 off.
// A learner who never chose has them on, and so has one whose stored value is
// missing or damaged.
namespace BordasSuaves {

inline const QString ValorBordas = QStringLiteral("BordasSuaves");

// The stored choice, or true when there is none to read. Never raises.
bool Le();

// Stores the choice. Raises platform::SettingsError when it cannot be saved;
// the caller runs it inside ComGuarda.
void Grava(bool ligadas);

// Hands the choice to the sound device for the plays that follow.
void Aplica(bool ligadas);

} // namespace BordasSuaves
