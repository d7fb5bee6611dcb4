#pragma once

// The main window's settings as plain values, so the feature windows are
// tested without a main window or a settings file.

#include "settings/ajustesprincipais.h"
#include "sound/tgerasom.h"

class AjustesFalsos : public AjustesPrincipais
{
public:
    int unidade = 25;
    int frequencia = 800;
    int volumeDireito = 50;
    int volumeEsquerdo = 50;
    int idioma = 0;
    mutable TGeraSom gerador;

    // Synchronous, as the main window's is.
    AjustesFalsos() { gerador.SetAsync(false); }

    int UnidadeVelocidade() const override { return unidade; }
    int Frequencia() const override { return frequencia; }
    int VolumeDireito() const override { return volumeDireito; }
    int VolumeEsquerdo() const override { return volumeEsquerdo; }
    int NumeroIdioma() const override { return idioma; }
    TGeraSom *Gerador() const override { return &gerador; }
};
