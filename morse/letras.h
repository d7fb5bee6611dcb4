#pragma once

class TGeraSom;

// Keying of the Morse alphabet. Every operation plays its character's
// elements through gerador (synchronously) and returns after the silence that
// closes the character. unidade is the unit of time in milliseconds: a dot is
// 5 units, a dash 15, the gap between elements 5 and the closing silence 25.
namespace Letras {

// The pattern of a keyable character ('.' dot, '-' dash), or nullptr. c is a
// Windows-1252 byte: Ç 0xC7, É 0xC9, Ã 0xC3.
const char *Padrao(unsigned char c);

// Keys any pattern by the one rule all characters share.
void Tocar(const char *padrao, int unidade, TGeraSom *gerador);

void Letra_A(int unidade, TGeraSom *gerador);
void Letra_B(int unidade, TGeraSom *gerador);
void Letra_C(int unidade, TGeraSom *gerador);
void Letra_D(int unidade, TGeraSom *gerador);
void Letra_E(int unidade, TGeraSom *gerador);
void Letra_F(int unidade, TGeraSom *gerador);
void Letra_G(int unidade, TGeraSom *gerador);
void Letra_H(int unidade, TGeraSom *gerador);
void Letra_I(int unidade, TGeraSom *gerador);
void Letra_J(int unidade, TGeraSom *gerador);
void Letra_K(int unidade, TGeraSom *gerador);
void Letra_L(int unidade, TGeraSom *gerador);
void Letra_M(int unidade, TGeraSom *gerador);
void Letra_N(int unidade, TGeraSom *gerador);
void Letra_O(int unidade, TGeraSom *gerador);
void Letra_P(int unidade, TGeraSom *gerador);
void Letra_Q(int unidade, TGeraSom *gerador);
void Letra_R(int unidade, TGeraSom *gerador);
void Letra_S(int unidade, TGeraSom *gerador);
void Letra_T(int unidade, TGeraSom *gerador);
void Letra_U(int unidade, TGeraSom *gerador);
void Letra_V(int unidade, TGeraSom *gerador);
void Letra_W(int unidade, TGeraSom *gerador);
void Letra_X(int unidade, TGeraSom *gerador);
void Letra_Y(int unidade, TGeraSom *gerador);
void Letra_Z(int unidade, TGeraSom *gerador);
void Letra_1(int unidade, TGeraSom *gerador);
void Letra_2(int unidade, TGeraSom *gerador);
void Letra_3(int unidade, TGeraSom *gerador);
void Letra_4(int unidade, TGeraSom *gerador);
void Letra_5(int unidade, TGeraSom *gerador);
void Letra_6(int unidade, TGeraSom *gerador);
void Letra_7(int unidade, TGeraSom *gerador);
void Letra_8(int unidade, TGeraSom *gerador);
void Letra_9(int unidade, TGeraSom *gerador);
void Letra_0(int unidade, TGeraSom *gerador);
void Letra_Cedilha(int unidade, TGeraSom *gerador);
void Letra_EAcento(int unidade, TGeraSom *gerador);
void Letra_ATil(int unidade, TGeraSom *gerador);
void Letra_Interrog(int unidade, TGeraSom *gerador);
void Letra_Ponto(int unidade, TGeraSom *gerador);
void Letra_DoisP(int unidade, TGeraSom *gerador);
void Letra_Pontovirgula(int unidade, TGeraSom *gerador);
void Letra_Virgula(int unidade, TGeraSom *gerador);
void Letra_AbreParen(int unidade, TGeraSom *gerador);
void Letra_FechaParen(int unidade, TGeraSom *gerador);
// Word space: silence only.
void Letra_Espaco(int unidade);

} // namespace Letras
