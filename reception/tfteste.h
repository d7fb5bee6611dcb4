#pragma once

#include "reception/thotkeymanager.h"

#include <QDialog>

class QFrame;
class QPushButton;
class AjustesPrincipais;
class TALProgressBar;
class TDRLabel;
class TGeraSom;
namespace platform {
class KeyingSequence;
}

// The reception test: each press of Btn_Teste sounds a random letter or
// digit, and the learner answers with that character's key. The two bars
// show the shares of right and wrong answers since the window was shown.
class TfTeste : public QDialog
{
    Q_OBJECT

public:
    // ajustes, not owned, outlives the window; without it the window keeps
    // its generator's defaults and speaks Portuguese.
    explicit TfTeste(const AjustesPrincipais *ajustes = nullptr, QWidget *parent = nullptr);
    ~TfTeste() override;
    Q_DISABLE_COPY_MOVE(TfTeste)

    QPushButton *Btn_Teste = nullptr;
    THotKeyManager *HotKey_Teste = nullptr;
    TGeraSom *GeraSom1 = nullptr;
    TALProgressBar *ALPBar = nullptr;
    TALProgressBar *ALBar_Erro = nullptr;
    QPushButton *Btn_Fechar = nullptr;
    TDRLabel *Lb_Teste = nullptr;
    QFrame *Bevel1 = nullptr;
    QFrame *Bevel2 = nullptr;
    // Where the test's characters are placed in the stream.
    platform::KeyingSequence *Sequencia = nullptr;

    void FormCreate();
    void FormShow();
    void Btn_TesteClick();
    void HotKey_TesteKeyDown(QObject *Sender, quint16 &Key, TShiftState Shift);
    void Btn_FecharClick();

    // Number of characters a test draws from.
    static constexpr int Caracteres = 36;
    // Keys the character of draw sorteio (0 .. Caracteres - 1) and returns
    // the key code that answers it.
    static quint16 TocaSorteio(int sorteio, int unidade, TGeraSom *gerador);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void CriaControles();
    // Frequency (at showings only), volumes and speed from the main window.
    void LeAjustes(bool frequencia);

    const AjustesPrincipais *Ajustes = nullptr;
    int Unidade = 25;
};

// Test state of the window, kept across showings; the create and show steps
// set it back.
extern quint16 Tecla_Esperada; // key code of the character played last
extern double Acertos;         // right answers
extern double Testes;          // characters played
extern double Erros;           // scratch: Testes - Acertos at an answer
extern double Porcentagem;     // scratch: share of right answers at an answer
extern int IdiomaTeste;        // the window's copy of the main window's language
