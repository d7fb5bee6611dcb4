#pragma once

// Language indices shared by every window's string table.
namespace Idioma {
inline constexpr int Portugues = 0;
inline constexpr int Espanhol = 1;
inline constexpr int Ingles = 2;

// True for the three indices that select texts; any other index sets none.
constexpr bool Valido(int idioma) { return idioma >= Portugues && idioma <= Ingles; }
} // namespace Idioma
