#include "app/planodelicao.h"

PlanoDeLicao::PlanoDeLicao(int licao, int vezes) : m_licaoVista(licao), m_vezesVistas(vezes) {}

PlanoDeLicao::Passo PlanoDeLicao::Proximo(bool parar) const
{
    Passo p;
    int licao = m_comecou ? m_licao : 0;
    int caracter = m_comecou ? m_caracter : 0;
    int vez = m_comecou ? m_vez + 1 : 0;
    bool dentro = m_comecou; // the lesson's own check has passed
    while (licao < Licoes::NumLicoes) {
        if (!dentro) {
            if (m_licaoVista != licao) {
                ++licao;
                continue;
            }
            dentro = true;
            caracter = 0;
            vez = 0;
        }
        const std::span<const Licoes::Caracter> letras = Licoes::Caracteres(licao);
        for (; caracter < int(letras.size()); ++caracter, vez = 0) {
            if (vez < m_vezesVistas && !parar) {
                p.fim = false;
                p.licao = licao;
                p.caracter = caracter;
                p.vez = vez;
                p.letra = &letras[std::size_t(caracter)];
                return p;
            }
        }
        p.conselhos.append(licao);
        ++licao;
        dentro = false;
    }
    return p;
}

void PlanoDeLicao::Comeca(const Passo &passo, int licao, int vezes)
{
    m_comecou = true;
    m_licao = passo.licao;
    m_caracter = passo.caracter;
    m_vez = passo.vez;
    m_licaoVista = licao;
    m_vezesVistas = vezes;
}
