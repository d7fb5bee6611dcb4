#include "morse/trainerscale.h"

namespace TrainerScale {

double CharacterWpm(int unidade)
{
    return unidade > 0 ? 1200.0 / (5.0 * unidade) : 0;
}

double EffectiveWpm(int unidade)
{
    // "PARIS ": 31 dots of marks and gaps inside characters, four gaps of 5
    // between its characters and one of 10 after it.
    return CharacterWpm(unidade) * 50.0 / 61.0;
}

} // namespace TrainerScale
