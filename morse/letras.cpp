#include "morse/letras.h"

#include "platform/sleep.h"
#include "sound/tgerasom.h"

namespace Letras {

namespace {

// Durations of the last keying, in ms; rewritten from the base values on every
// call, so the operations hold nothing between calls.
int Traco = 15;
int Ponto = 5;
int Intervalo = 5;

void Medidas(int unidade)
{
    Traco = 15 * unidade;
    Ponto = 5 * unidade;
    Intervalo = 5 * unidade;
}

struct Letra
{
    unsigned char caractere;
    const char *padrao;
};

// The alphabet in the order the operations are declared. Ç, É and Ã are
// Windows-1252 bytes.
constexpr Letra Alfabeto[] = {
    {'A', ".-"},     {'B', "-..."},   {'C', "-.-."},   {'D', "-.."},    {'E', "."},
    {'F', "..-."},   {'G', "--."},    {'H', "...."},   {'I', ".."},     {'J', ".---"},
    {'K', "-.-"},    {'L', ".-.."},   {'M', "--"},     {'N', "-."},     {'O', "---"},
    {'P', ".--."},   {'Q', "--.-"},   {'R', ".-."},    {'S', "..."},    {'T', "-"},
    {'U', "..-"},    {'V', "...-"},   {'W', ".--"},    {'X', "-..-"},   {'Y', "-.--"},
    {'Z', "--.."},   {'1', ".----"},  {'2', "..---"},  {'3', "...--"},  {'4', "....-"},
    {'5', "....."},  {'6', "-...."},  {'7', "--..."},  {'8', "---.."},  {'9', "----."},
    {'0', "-----"},  {0xC7, "-.-.."}, {0xC9, "..-.."}, {0xC3, ".--.-"}, {'?', "..--.."},
    {'.', ".-.-.-"}, {':', "---..."}, {';', "-.-.-."}, {',', "--..--"}, {'(', "-.--."},
    {')', "-.--.-"},
};

} // namespace

const char *Padrao(unsigned char c)
{
    for (const Letra &l : Alfabeto)
        if (l.caractere == c)
            return l.padrao;
    return nullptr;
}

void Tocar(const char *padrao, int unidade, TGeraSom *gerador)
{
    Medidas(unidade);
    for (const char *e = padrao; *e != '\0'; ++e) {
        gerador->SetDuration(static_cast<std::int16_t>(*e == '-' ? Traco : Ponto));
        gerador->Play();
        // The silences count from the end of the tone: the generator is
        // synchronous, so Play has returned when the tone is over.
        platform::sleepMs(e[1] != '\0' ? Intervalo : 5 * Intervalo);
    }
}

void Letra_Espaco(int unidade)
{
    Medidas(unidade);
    platform::sleepMs(5 * Intervalo);
}

#define ZIRVANO_LETRA(nome, caractere)                                                             \
    void Letra_##nome(int unidade, TGeraSom *gerador)                                              \
    {                                                                                              \
        Tocar(Padrao(caractere), unidade, gerador);                                                \
    }

ZIRVANO_LETRA(A, 'A')
ZIRVANO_LETRA(B, 'B')
ZIRVANO_LETRA(C, 'C')
ZIRVANO_LETRA(D, 'D')
ZIRVANO_LETRA(E, 'E')
ZIRVANO_LETRA(F, 'F')
ZIRVANO_LETRA(G, 'G')
ZIRVANO_LETRA(H, 'H')
ZIRVANO_LETRA(I, 'I')
ZIRVANO_LETRA(J, 'J')
ZIRVANO_LETRA(K, 'K')
ZIRVANO_LETRA(L, 'L')
ZIRVANO_LETRA(M, 'M')
ZIRVANO_LETRA(N, 'N')
ZIRVANO_LETRA(O, 'O')
ZIRVANO_LETRA(P, 'P')
ZIRVANO_LETRA(Q, 'Q')
ZIRVANO_LETRA(R, 'R')
ZIRVANO_LETRA(S, 'S')
ZIRVANO_LETRA(T, 'T')
ZIRVANO_LETRA(U, 'U')
ZIRVANO_LETRA(V, 'V')
ZIRVANO_LETRA(W, 'W')
ZIRVANO_LETRA(X, 'X')
ZIRVANO_LETRA(Y, 'Y')
ZIRVANO_LETRA(Z, 'Z')
ZIRVANO_LETRA(1, '1')
ZIRVANO_LETRA(2, '2')
ZIRVANO_LETRA(3, '3')
ZIRVANO_LETRA(4, '4')
ZIRVANO_LETRA(5, '5')
ZIRVANO_LETRA(6, '6')
ZIRVANO_LETRA(7, '7')
ZIRVANO_LETRA(8, '8')
ZIRVANO_LETRA(9, '9')
ZIRVANO_LETRA(0, '0')
ZIRVANO_LETRA(Cedilha, 0xC7)
ZIRVANO_LETRA(EAcento, 0xC9)
ZIRVANO_LETRA(ATil, 0xC3)
ZIRVANO_LETRA(Interrog, '?')
ZIRVANO_LETRA(Ponto, '.')
ZIRVANO_LETRA(DoisP, ':')
ZIRVANO_LETRA(Pontovirgula, ';')
ZIRVANO_LETRA(Virgula, ',')
ZIRVANO_LETRA(AbreParen, '(')
ZIRVANO_LETRA(FechaParen, ')')

#undef ZIRVANO_LETRA

} // namespace Letras
