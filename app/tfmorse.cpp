#include "app/tfmorse.h"

TfMorse *fMorse = nullptr;
QDialog *fTeclado = nullptr;
QDialog *fTeste = nullptr;

unsigned char Parar = 0;
int Vezes = 1;
int Licao = 0;
QString TextoTitulo;
int PosTitulo = 0;
