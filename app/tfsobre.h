#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class TLinkLabel;
class AjustesPrincipais;

// The about window: name, version, distribution note and the developer's
// links. Created hidden once by the program entry (after the main window,
// whose language it copies) and shown modally by the main window's SBtn_Sobre;
// BtnSobre or the close box ends the showing.
class TfSobre : public QDialog
{
    Q_OBJECT

public:
    // ajustes, not owned, outlives the window; without it the window speaks
    // Portuguese.
    explicit TfSobre(const AjustesPrincipais *ajustes = nullptr, QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TfSobre)

    // The window's copy of the language, taken from the main window at
    // creation and at every showing (values outside 0..2 read as 0).
    int IdiomaSobre = 0;

    QFrame *PanelSobre = nullptr;
    QLabel *Radio = nullptr;
    QLabel *NomeAplic = nullptr;
    QLabel *Version = nullptr;
    QLabel *Comments = nullptr;
    TLinkLabel *STextPagina = nullptr;
    TLinkLabel *STextEMail = nullptr;
    QPushButton *BtnSobre = nullptr;

    // Handlers. FormCreate runs from the constructor, FormShow whenever the
    // window is shown.
    void FormCreate();
    void FormShow();
    void STextPaginaClick();
    void STextEMailClick();
    void BtnSobreClick(); // ends the modal showing with result No

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The main window's language, values outside 0..2 read as 0.
    int IdiomaDaJanelaPrincipal() const;

    const AjustesPrincipais *Ajustes = nullptr;
};

// The program's about window; null until the program entry creates it.
extern TfSobre *fSobre;
