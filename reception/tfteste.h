#pragma once

#include "platform/clock.h"
#include "reception/thotkeymanager.h"

#include <QDateTime>
#include <QDialog>
#include <optional>

class QFrame;
class QPushButton;
class AjustesPrincipais;
class TALProgressBar;
class TDRLabel;
class TGeraSom;
namespace platform {
class KeyingSequence;
}
namespace record {
class Record;
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

    // The learner's record every answer goes to (not owned, outlives the
    // window; nullptr: none). Storing shows nothing here: the record tells
    // its faults itself.
    void SetRecord(record::Record *registro) { Registro = registro; }
    record::Record *Record() const { return Registro; }

    // When the learner heard the character's last element end, given the
    // moment its keying returned: the keying returns after the closing
    // silence of 25 units. Answer times count from here.
    static platform::SteadyTime FimDoCaractere(platform::SteadyTime retorno, int unidade);
    // The character a key code stands for, as the learner typed it (letters,
    // digits of either row, space and the punctuation keys); empty for keys
    // that type none (Shift, F1...).
    static QString CaracterDaTecla(quint16 tecla);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void CriaControles();
    // Frequency (at showings only), volumes and speed from the main window.
    void LeAjustes(bool frequencia);
    void GuardaResposta(quint16 tecla, bool certo);

    const AjustesPrincipais *Ajustes = nullptr;
    int Unidade = 25;

    record::Record *Registro = nullptr;
    // The character awaiting its answer (Tecla_Esperada): its speed, when it
    // was sounded, and when its last element ended. Unset once answered.
    struct Sorteado
    {
        int unidade = 0;
        QDateTime inicio;
        platform::SteadyTime fim;
    };
    std::optional<Sorteado> Pendente;
};

// Test state of the window, kept across showings; the create and show steps
// set it back.
extern quint16 Tecla_Esperada; // key code of the character played last
extern double Acertos;         // right answers
extern double Testes;          // characters played
extern double Erros;           // scratch: Testes - Acertos at an answer
extern double Porcentagem;     // scratch: share of right answers at an answer
extern int IdiomaTeste;        // the window's copy of the main window's language
