#pragma once

class TGeraSom;

// What the feature windows (keyboard, reception test, about) read from the
// main window, at their creation and at every showing. The main window
// implements it; whoever creates the windows hands it over, and a window
// given none keeps its defaults.
class AjustesPrincipais
{
public:
    AjustesPrincipais() = default;
    virtual ~AjustesPrincipais();
    AjustesPrincipais(const AjustesPrincipais &) = delete;
    AjustesPrincipais &operator=(const AjustesPrincipais &) = delete;

    // Speed unit in ms (5..25; larger is slower).
    virtual int UnidadeVelocidade() const = 0;
    // Tone frequency in Hz.
    virtual int Frequencia() const = 0;
    // Volumes 0..100.
    virtual int VolumeDireito() const = 0;
    virtual int VolumeEsquerdo() const = 0;
    // Language index as stored: 0 Portuguese, 1 Spanish, 2 English, and
    // possibly -1 or another out-of-range value the reader must cope with.
    virtual int NumeroIdioma() const = 0;
    // The shared tone generator the keyboard plays through; not owned.
    virtual TGeraSom *Gerador() const = 0;

    // The main window's sliders run from their minimum at the top: these turn
    // a slider position into what it stands for.
    static int VolumeDaPosicao(int posicao);
    static int PpmDaPosicao(int unidade);
    static int HertzDaPosicao(int posicao);
};
