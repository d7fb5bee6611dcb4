#pragma once

#include "app/licoes.h"

#include <QList>

// The order in which the Play button keys the lessons, taken one character at
// a time so that the next one can be keyed ahead and keyed again should the
// learner change something before it begins:
//
//   for each lesson, if it is the one chosen:
//     for each of its characters:
//       as many times as chosen, unless Stop was pressed: the character
//     its tip
//
// The lesson chosen and the count of repetitions are read as they were when
// the last character began (a change while a character sounds is seen from
// the next one on, as the lessons always had it); Stop as it is now.
class PlanoDeLicao
{
public:
    struct Passo
    {
        bool fim = true; // no character left: only the tips below
        int licao = 0;
        int caracter = 0;
        int vez = 0;
        const Licoes::Caracter *letra = nullptr;
        // Lessons whose end came on the way to it: their tips, in order.
        QList<int> conselhos;
    };

    // As the Play button finds the chosen lesson and count.
    PlanoDeLicao(int licao, int vezes);

    // The next character after the last one that began; moves nothing.
    Passo Proximo(bool parar) const;
    // passo (from Proximo) began, with the lesson and count chosen as given.
    void Comeca(const Passo &passo, int licao, int vezes);

private:
    bool m_comecou = false;
    int m_licao = 0;
    int m_caracter = 0;
    int m_vez = 0;
    int m_licaoVista = 0;
    int m_vezesVistas = 1;
};
