#pragma once

#include "settings/ajustesprincipais.h"

#include <QString>
#include <QWidget>

class QAction;
class QCheckBox;
class QDialog;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QSlider;
class QStatusBar;
class QTimer;
class QToolButton;
class TDRLabel;
class TGauge;
class TLinkLabel;
class TGeraSom;
class TRadioGroup;
class THintWatcher;
namespace platform {
class KeyingSequence;
}

// The trainer's control panel: volumes, speed, tone, waveform, lessons, and
// the buttons that open the other windows. It owns the tone generator that
// the lessons and the virtual keyboard play through, and gives the other
// windows their settings.
class TfMorse : public QWidget, public AjustesPrincipais
{
    Q_OBJECT

public:
    explicit TfMorse(QWidget *parent = nullptr);
    ~TfMorse() override;
    Q_DISABLE_COPY_MOVE(TfMorse)

    int UnidadeVelocidade() const override;
    int Frequencia() const override;
    int VolumeDireito() const override;
    int VolumeEsquerdo() const override;
    int NumeroIdioma() const override;
    TGeraSom *Gerador() const override;

    // Program's current language: 0 Portuguese, 1 Spanish, 2 English.
    int NumIdioma = 0;
    // Speed unit in ms, the position of Control_Vel (5..25; larger is slower).
    int Unidade = 25;

    TGeraSom *GeraSom = nullptr;

    QFrame *Bevel_Vol = nullptr;
    QFrame *Bevel_Veloc = nullptr;
    QFrame *Bevel_Freq = nullptr;
    QFrame *Bevel_Onda = nullptr;
    QFrame *Bevel_Licao = nullptr;
    QFrame *Bevel_Letra = nullptr;
    QFrame *Bevel_Carac = nullptr;
    QFrame *Bevel_Btn = nullptr;

    TDRLabel *Lb_Vol = nullptr;
    TDRLabel *LB_Veloc = nullptr;
    TDRLabel *Lb_Freq = nullptr;
    TDRLabel *Lb_Onda = nullptr;

    // Sliders run from their minimum at the top: every value is inverted.
    QSlider *ContrVolEsq = nullptr;
    QSlider *ContrVolDir = nullptr;
    QSlider *ContrStereo = nullptr;
    QSlider *Control_Vel = nullptr;
    QSlider *Control_Freq = nullptr;

    TGauge *Gauge_Esq = nullptr;
    TGauge *Gauge_Dir = nullptr;
    TGauge *Gauge_Vel = nullptr;
    TGauge *Gauge_Freq = nullptr;

    QLabel *Lb_Vol_Esq = nullptr;
    QLabel *Lb_Vol_Dir = nullptr;
    QLabel *Lb_PPM = nullptr;
    QLabel *Lb_Hertz = nullptr;

    TRadioGroup *RdGp_Onda = nullptr;
    QListWidget *ListBox_Licao = nullptr;
    QListWidget *ListBox_Vezes = nullptr;
    QCheckBox *CkBox_Carac = nullptr;
    QLabel *Lb_Letra = nullptr;
    QLabel *Lb_Info = nullptr;

    QPushButton *Btn_Iniciar = nullptr;
    QPushButton *Btn_Parar = nullptr;
    QPushButton *Btn_Teclado = nullptr;
    QPushButton *Btn_Teste = nullptr;
    QPushButton *Btn_ABC = nullptr;
    QPushButton *Btn_Fechar = nullptr;
    QToolButton *SBtn_Sobre = nullptr;
    // Opens the practice window; beside the about button, its texts through
    // Qt's translations rather than the window's text tables.
    QToolButton *SBtn_Pratica = nullptr;
    TLinkLabel *STextPagina = nullptr;
    TLinkLabel *STextEMail = nullptr;

    // Panel 0 shows hints, panel 1 the clock.
    QStatusBar *StatusBarMorse = nullptr;
    QLabel *StatusPanel[2] = {nullptr, nullptr};

    QTimer *Timer1 = nullptr;

    // Where the lessons place their characters, a character ahead of the one
    // sounding, so that neither this window's work nor a late wake-up moves
    // them.
    platform::KeyingSequence *Sequencia = nullptr;

    // The window's context menu (right mouse button or the Menu key), with
    // the checkable entry that turns the tones' soft edges on and off.
    QMenu *Menu_Contexto = nullptr;
    QAction *Acao_Bordas = nullptr;
    // Opens the practice window; also the window's Ctrl+K.
    QAction *Acao_Pratica = nullptr;

    // Handlers, public so that tests and the other windows can drive them.
    void FormCreate();
    void FormShow();
    void ContrVolEsqChange();
    void ContrVolDirChange();
    void ContrStereoChange();
    void Control_VelChange();
    void Control_FreqChange();
    void RdGp_OndaClick();
    void ListBox_VezesClick();
    void ListBox_LicaoClick();
    void Btn_IniciarClick();
    void Btn_PararClick();
    void Btn_FecharClick();
    void Btn_TecladoClick();
    void Btn_TesteClick();
    void SBtn_SobreClick();
    void SBtn_PraticaClick();
    void Btn_ABCClick();
    void STextPaginaClick();
    void STextEMailClick();
    void Timer1Timer();
    void Acao_BordasToggled(bool ligadas);
    // Puts the long part of hint into status panel 0.
    void MostraHint(const QString &hint);

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void CriaControles();
    void AplicaIdioma(int idioma);
    void TraduzPratica();
    // A setting changed, or a window opens: the character queued ahead is
    // taken back, and a lesson that plays keys it again as things are now.
    void Reagenda();
    void MostraConselhos(const QList<int> &licoes);

    THintWatcher *Hints = nullptr;
};

// The main window; closing it ends the program.
extern TfMorse *fMorse;
// The keyboard, test and practice windows, null until the program entry
// creates them.
extern QDialog *fTeclado;
extern QDialog *fTeste;
extern QDialog *fPratica;

// State shared by the window and the lesson player; the create and show steps
// set it back.
extern unsigned char Parar; // 1 asks the lesson player to stop
extern int Vezes;           // repetitions of each lesson character, 1..5
extern int Licao;           // lesson index 0..8
extern QString TextoTitulo; // version text the caption types out
extern int PosTitulo;       // characters of TextoTitulo shown at the next tick
