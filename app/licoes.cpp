#include "app/licoes.h"

#include "morse/letras.h"

#include <array>

namespace Licoes {
namespace {

using namespace Letras;

const Caracter Licao0[] = {
    {"I ", "Di Di", Letra_I},   {"N ", "Daaa Di", Letra_N},  {"E ", "Di", Letra_E},
    {"A ", "Di Daaa", Letra_A}, {"S ", "Di Di Di", Letra_S}, {"O ", "Daaa Daaa Daaa", Letra_O},
};
const Caracter Licao1[] = {
    {"M", "Daaa Daaa", Letra_M},        {"D ", "Daaa Di Di", Letra_D}, {"T ", "Daaa", Letra_T},
    {"C ", "Daaa Di Daaa Di", Letra_C}, {"R ", "Di Daaa Di", Letra_R},
};
const Caracter Licao2[] = {
    {"V ", "Di Di Di Daaa", Letra_V},   {"U ", "Di Di Daaa", Letra_U},
    {"P ", "Di Daaa Daaa Di", Letra_P}, {"F ", "Di Di Daaa Di", Letra_F},
    {"L ", "Di Daaa Di Di", Letra_L},
};
const Caracter Licao3[] = {
    {"J ", "Di Daaa Daaa Daaa", Letra_J}, {"Q ", "Daaa Daaa Di Daaa", Letra_Q},
    {"H ", "Di Di Di Di", Letra_H},       {"X ", "Daaa Di Di Daaa", Letra_X},
    {"Z ", "Daaa Daaa Di Di", Letra_Z},
};
const Caracter Licao4[] = {
    {"Y ", "Daaa Di Daaa Daaa", Letra_Y}, {"B ", "Daaa Di Di Di", Letra_B},
    {"G ", "Daaa Daaa Di", Letra_G},      {"K ", "Daaa Di Daaa", Letra_K},
    {"W", "Di Daaa Daaa", Letra_W},
};
const Caracter Licao5[] = {
    {"1 ", "Di Daaa Daaa Daaa Daaa", Letra_1}, {"0 ", "Daaa Daaa Daaa Daaa Daaa", Letra_0},
    {"2 ", "Di Di Daaa Daaa Daaa", Letra_2},   {"9 ", "Daaa Daaa Daaa Daaa Di", Letra_9},
    {"3 ", "Di Di Di Daaa Daaa", Letra_3},
};
const Caracter Licao6[] = {
    {"8 ", "Daaa Daaa Daaa Di Di", Letra_8}, {"4 ", "Di Di Di Di Daaa", Letra_4},
    {"7 ", "Daaa Daaa Di Di Di", Letra_7},   {"5 ", "Di Di Di Di Di", Letra_5},
    {"6 ", "Daaa Di Di Di Di", Letra_6},
};
const Caracter Licao7[] = {
    {": ", "Daaa Daaa Daaa Di Di Di", Letra_DoisP},
    {"; ", "Daaa Di Daaa Di Daaa Di", Letra_Pontovirgula},
    {", ", "Daaa Daaa Di Di Daaa Daaa", Letra_Virgula},
    {"( ", "Daaa Di Daaa Daaa Di", Letra_AbreParen},
    {") ", "Daaa Di Daaa Daaa Di Daaa", Letra_FechaParen},
};
const Caracter Licao8[] = {
    {"Ç ", "Daaa Di Daaa Di Di", Letra_Cedilha},     {"É ", "Di Di Daaa Di Di", Letra_EAcento},
    {"? ", "Di Di Daaa Daaa Di Di", Letra_Interrog}, {". ", "Di Daaa Di Daaa Di Daaa", Letra_Ponto},
    {"Ã ", "Di Daaa Daaa Di Daaa", Letra_ATil},
};

const std::array<std::span<const Caracter>, NumLicoes> Todas{
    Licao0, Licao1, Licao2, Licao3, Licao4, Licao5, Licao6, Licao7, Licao8,
};

} // namespace

std::span<const Caracter> Caracteres(int licao)
{
    if (licao < 0 || licao >= NumLicoes)
        return {};
    return Todas[static_cast<std::size_t>(licao)];
}

} // namespace Licoes
