#pragma once

#include "morse/letras.h"

#include <QDialog>
#include <QList>
#include <QRect>
#include <QSet>
#include <QString>
#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class AjustesPrincipais;
class TGeraSom;
namespace platform {
class KeyingSequence;
}

// Stop request of the phrase player: cleared at creation and at the start of
// every playback, set only by the close button.
extern bool Parar_Frase;
// The window's copy of the main window's language index.
extern int NumIdiomaTeclado;

// The virtual keyboard: 47 keys that show their character in the display line
// and key it in Morse through the main window's tone generator, and the phrase
// player that presses the keys of a typed sentence one after the other.
class TfTeclado : public QDialog
{
    Q_OBJECT

public:
    // ajustes, not owned, outlives the window; without it the window keys
    // nothing and speaks Portuguese.
    explicit TfTeclado(const AjustesPrincipais *ajustes = nullptr, QWidget *parent = nullptr);
    ~TfTeclado() override;
    Q_DISABLE_COPY_MOVE(TfTeclado)

    // One row of the key table; the table itself lives in the source.
    struct Tecla;

    // A key's character (the space bar's is ' ') and its place in the
    // window, for pictures of the keyboard elsewhere; row by row.
    struct Posicao
    {
        QChar caractere;
        QRect retangulo;
    };
    static QList<Posicao> Posicoes();

    QPushButton *BitBtn_1 = nullptr;
    QPushButton *BitBtn_2 = nullptr;
    QPushButton *BitBtn_3 = nullptr;
    QPushButton *BitBtn_4 = nullptr;
    QPushButton *BitBtn_5 = nullptr;
    QPushButton *BitBtn_6 = nullptr;
    QPushButton *BitBtn_7 = nullptr;
    QPushButton *BitBtn_8 = nullptr;
    QPushButton *BitBtn_9 = nullptr;
    QPushButton *BitBtn_0 = nullptr;
    QPushButton *BitBtn_Q = nullptr;
    QPushButton *BitBtn_W = nullptr;
    QPushButton *BitBtn_E = nullptr;
    QPushButton *BitBtn_R = nullptr;
    QPushButton *BitBtn_T = nullptr;
    QPushButton *BitBtn_Y = nullptr;
    QPushButton *BitBtn_U = nullptr;
    QPushButton *BitBtn_I = nullptr;
    QPushButton *BitBtn_O = nullptr;
    QPushButton *BitBtn_P = nullptr;
    QPushButton *BitBtn_A = nullptr;
    QPushButton *BitBtn_S = nullptr;
    QPushButton *BitBtn_D = nullptr;
    QPushButton *BitBtn_F = nullptr;
    QPushButton *BitBtn_G = nullptr;
    QPushButton *BitBtn_H = nullptr;
    QPushButton *BitBtn_J = nullptr;
    QPushButton *BitBtn_K = nullptr;
    QPushButton *BitBtn_L = nullptr;
    QPushButton *BitBtn_DoisP = nullptr;
    QPushButton *BitBtn_Z = nullptr;
    QPushButton *BitBtn_X = nullptr;
    QPushButton *BitBtn_C = nullptr;
    QPushButton *BitBtn_V = nullptr;
    QPushButton *BitBtn_B = nullptr;
    QPushButton *BitBtn_N = nullptr;
    QPushButton *BitBtn_M = nullptr;
    QPushButton *BitBtn_Virgula = nullptr;
    QPushButton *BitBtn_Ponto = nullptr;
    QPushButton *BitBtn_Interrog = nullptr;
    QPushButton *BitBtn_Cedilha = nullptr;
    QPushButton *BitBtn_EAcento = nullptr;
    QPushButton *BitBtn_ATil = nullptr;
    QPushButton *BitBtn_Espaco = nullptr;
    QPushButton *BitBtn_Pontovirgula = nullptr;
    QPushButton *BitBtn_AbreParen = nullptr;
    QPushButton *BitBtn_FechaParen = nullptr;

    QFrame *Bevel_Edit = nullptr;
    QFrame *Bevel_Frase = nullptr;
    QLineEdit *Edit_Letras = nullptr; // display line of the characters keyed so far
    QLineEdit *Edit_Frase = nullptr;  // sentence for the phrase player
    QLabel *Lb_Frase = nullptr;
    QToolButton *SBtn_Fechar = nullptr;
    QToolButton *SB_Ini_Frase = nullptr;

    // Where the keys and the sentence place their characters: one after the
    // other, each shown in the display line as it begins to sound.
    platform::KeyingSequence *Sequencia = nullptr;

    // Key presses, by mouse, typed character or phrase player.
    void BitBtn_1Click() { Toca(BitBtn_1, Letras::Letra_1); }
    void BitBtn_2Click() { Toca(BitBtn_2, Letras::Letra_2); }
    void BitBtn_3Click() { Toca(BitBtn_3, Letras::Letra_3); }
    void BitBtn_4Click() { Toca(BitBtn_4, Letras::Letra_4); }
    void BitBtn_5Click() { Toca(BitBtn_5, Letras::Letra_5); }
    void BitBtn_6Click() { Toca(BitBtn_6, Letras::Letra_6); }
    void BitBtn_7Click() { Toca(BitBtn_7, Letras::Letra_7); }
    void BitBtn_8Click() { Toca(BitBtn_8, Letras::Letra_8); }
    void BitBtn_9Click() { Toca(BitBtn_9, Letras::Letra_9); }
    void BitBtn_0Click() { Toca(BitBtn_0, Letras::Letra_0); }
    void BitBtn_QClick() { Toca(BitBtn_Q, Letras::Letra_Q); }
    void BitBtn_WClick() { Toca(BitBtn_W, Letras::Letra_W); }
    void BitBtn_EClick() { Toca(BitBtn_E, Letras::Letra_E); }
    void BitBtn_RClick() { Toca(BitBtn_R, Letras::Letra_R); }
    void BitBtn_TClick() { Toca(BitBtn_T, Letras::Letra_T); }
    void BitBtn_YClick() { Toca(BitBtn_Y, Letras::Letra_Y); }
    void BitBtn_UClick() { Toca(BitBtn_U, Letras::Letra_U); }
    void BitBtn_IClick() { Toca(BitBtn_I, Letras::Letra_I); }
    void BitBtn_OClick() { Toca(BitBtn_O, Letras::Letra_O); }
    void BitBtn_PClick() { Toca(BitBtn_P, Letras::Letra_P); }
    void BitBtn_AClick() { Toca(BitBtn_A, Letras::Letra_A); }
    void BitBtn_SClick() { Toca(BitBtn_S, Letras::Letra_S); }
    void BitBtn_DClick() { Toca(BitBtn_D, Letras::Letra_D); }
    void BitBtn_FClick() { Toca(BitBtn_F, Letras::Letra_F); }
    void BitBtn_GClick() { Toca(BitBtn_G, Letras::Letra_G); }
    void BitBtn_HClick() { Toca(BitBtn_H, Letras::Letra_H); }
    void BitBtn_JClick() { Toca(BitBtn_J, Letras::Letra_J); }
    void BitBtn_KClick() { Toca(BitBtn_K, Letras::Letra_K); }
    void BitBtn_LClick() { Toca(BitBtn_L, Letras::Letra_L); }
    void BitBtn_DoisPClick() { Toca(BitBtn_DoisP, Letras::Letra_DoisP); }
    void BitBtn_ZClick() { Toca(BitBtn_Z, Letras::Letra_Z); }
    void BitBtn_XClick() { Toca(BitBtn_X, Letras::Letra_X); }
    void BitBtn_CClick() { Toca(BitBtn_C, Letras::Letra_C); }
    void BitBtn_VClick() { Toca(BitBtn_V, Letras::Letra_V); }
    void BitBtn_BClick() { Toca(BitBtn_B, Letras::Letra_B); }
    void BitBtn_NClick() { Toca(BitBtn_N, Letras::Letra_N); }
    void BitBtn_MClick() { Toca(BitBtn_M, Letras::Letra_M); }
    void BitBtn_VirgulaClick() { Toca(BitBtn_Virgula, Letras::Letra_Virgula); }
    void BitBtn_PontoClick() { Toca(BitBtn_Ponto, Letras::Letra_Ponto); }
    void BitBtn_InterrogClick() { Toca(BitBtn_Interrog, Letras::Letra_Interrog); }
    void BitBtn_CedilhaClick() { Toca(BitBtn_Cedilha, Letras::Letra_Cedilha); }
    void BitBtn_EAcentoClick() { Toca(BitBtn_EAcento, Letras::Letra_EAcento); }
    void BitBtn_ATilClick() { Toca(BitBtn_ATil, Letras::Letra_ATil); }
    void BitBtn_EspacoClick();
    void BitBtn_PontovirgulaClick() { Toca(BitBtn_Pontovirgula, Letras::Letra_Pontovirgula); }
    void BitBtn_AbreParenClick() { Toca(BitBtn_AbreParen, Letras::Letra_AbreParen); }
    void BitBtn_FechaParenClick() { Toca(BitBtn_FechaParen, Letras::Letra_FechaParen); }

    // A character typed while the window or a key button has the focus: the
    // matching key is pressed; any other character does nothing. True when a
    // key was pressed.
    bool FormKeyPress(QChar Key);
    void Edit_LetrasEnter();
    void SBtn_FecharClick();
    // The phrase player: returns when the sentence has been played or stopped.
    // Each character is keyed while the one before it sounds.
    void SB_Ini_FraseClick();
    // Appends texto to the display line, which holds at most 25 characters.
    void Soma_Letra(const QString &texto);

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void CriaControles();
    // The key that typing c presses, and the key a sentence's c presses.
    static const Tecla *TeclaDigitada(QChar c);
    static const Tecla *TeclaDaFrase(QChar c);
    QPushButton *Botao(const Tecla &tecla) const;
    void Pressiona(const Tecla &tecla);
    // What every key press does: focus, then the keyer, the display as it
    // begins to sound.
    void Toca(QPushButton *botao, void (*keyer)(int, TGeraSom *));
    // Keys texto's character with keyer after whatever is queued (a sentence's
    // next character gives way to a key pressed) and waits, the window
    // answering meanwhile, until it begins; false if it was taken back first.
    bool Soa(const QString &texto, const std::function<void()> &keyer);
    // A typed character for FormKeyPress: true when it pressed a key, or was
    // a repeat of a held one (which keys nothing).
    bool TeclaDoEvento(QKeyEvent *event);
    void Solta(QKeyEvent *event);

    const AjustesPrincipais *Ajustes = nullptr;
    int Unidade = 0;
    TGeraSom *Gerador = nullptr; // the main window's, not owned
    QString Texto_Tecla;
    // Playbacks running (they nest), and a close asked for meanwhile: the
    // window stays up until the outermost playback has ended.
    int FrasesTocando = 0;
    bool FecharPendente = false;
    // The key pressed next is the sentence's; whether the last one began.
    bool EmFrase = false;
    bool UltimaComecou = true;
    // Keys down that have pressed their key: until they are released, a
    // press of one is the keyboard's auto-repeat, flagged or not.
    QSet<int> Seguradas;
    // The last key released, and when (the window system's time in ms).
    struct
    {
        int key = 0;
        quint64 tempo = 0;
    } UltimaSolta;
};
