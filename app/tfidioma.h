#pragma once

#include <QDialog>

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;
class QTimer;
class TLinkLabel;

// Rotation counter of the language windows' changing texts: one for the whole
// program, advanced by every language window in existence (so a hidden
// instance ticking beside a shown one makes the shown one skip every other
// text). 0 Spanish, 1 English, 2 Portuguese.
extern int ContaIdioma;

// The language window: the user picks Portuguese, Spanish or English. Used
// through EscolhaIdioma::MostraIdioma (created afresh, shown modally, read,
// destroyed); the program entry keeps one hidden instance whose timer runs for
// the life of the program.
class TFIdioma : public QDialog
{
    Q_OBJECT

public:
    explicit TFIdioma(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TFIdioma)

    // The chosen item of RG_Idioma: 0, 1, 2, or -1 when none was chosen.
    int ItemIndex() const;

    QGroupBox *RG_Idioma = nullptr;
    QRadioButton *RG_IdiomaItens[3] = {}; // "&Português", "&Español", "E&nglish"
    QFrame *PanelIdioma = nullptr;
    QLabel *Radio = nullptr;
    QLabel *NomeAplic = nullptr;
    QLabel *Versao = nullptr;
    QLabel *Comentarios = nullptr;
    TLinkLabel *STPagIdioma = nullptr;
    TLinkLabel *STEMailIdioma = nullptr;
    QTimer *Timer1 = nullptr; // 2000 ms, running from creation, shown or not

    // Handlers. FormCreate runs from the constructor.
    void FormCreate();
    void Timer1Timer();
    void RG_IdiomaClick();
    void STPagIdiomaClick();
    void STEMailIdiomaClick();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QButtonGroup *itens = nullptr;
};

// The hidden instance the program entry creates last; null until then.
extern TFIdioma *FIdioma;
