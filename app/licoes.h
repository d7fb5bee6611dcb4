#pragma once

#include <span>

class TGeraSom;

// The nine fixed lessons. Each character comes with the text the large
// display shows, its rhythm as spoken syllables and its keyer; together the
// lessons key each character of the alphabet once.
namespace Licoes {

inline constexpr int NumLicoes = 9;

struct Caracter
{
    const char *Letra; // UTF-8; one trailing space except "M" and "W"
    const char *Ritmo; // "Di" for a dot, "Daaa" for a dash
    void (*Tocar)(int unidade, TGeraSom *gerador);
};

// The characters of lesson licao (0..8) in playing order; empty otherwise.
std::span<const Caracter> Caracteres(int licao);

} // namespace Licoes
