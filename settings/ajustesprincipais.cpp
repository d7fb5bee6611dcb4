#include "settings/ajustesprincipais.h"

AjustesPrincipais::~AjustesPrincipais() = default;

int AjustesPrincipais::VolumeDaPosicao(int posicao)
{
    return 100 - posicao;
}

int AjustesPrincipais::PpmDaPosicao(int unidade)
{
    return 30 - unidade;
}

int AjustesPrincipais::HertzDaPosicao(int posicao)
{
    return 3000 - posicao;
}
