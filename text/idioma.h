#pragma once

// Language indices shared by every window's string table.
namespace Idioma {
inline constexpr int Portugues = 0;
inline constexpr int Espanhol = 1;
inline constexpr int Ingles = 2;

// True for the three indices that select texts; any other index sets none.
constexpr bool Valido(int idioma)
{
    return idioma >= Portugues && idioma <= Ingles;
}

// Picks a window's table for a language; no table for any other index.
template <class T>
const T *Escolhe(int idioma, const T &portugues, const T &espanhol, const T &ingles)
{
    switch (idioma) {
    case Portugues:
        return &portugues;
    case Espanhol:
        return &espanhol;
    case Ingles:
        return &ingles;
    default:
        return nullptr;
    }
}
} // namespace Idioma
