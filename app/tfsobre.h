#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The about window: name, version, distribution note and the developer's
// links. Created hidden once by the program entry (after fMorse, whose
// NumIdioma it copies) and shown modally by the main window's SBtn_Sobre;
// BtnSobre or the close box ends the showing.
class TfSobre : public QDialog
{
    Q_OBJECT

public:
    explicit TfSobre(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TfSobre)

    // The window's copy of the language, taken from fMorse->NumIdioma at
    // creation and at every showing (values outside 0..2 read as 0).
    int IdiomaSobre = 0;

    QFrame *PanelSobre = nullptr;
    QLabel *Radio = nullptr;
    QLabel *NomeAplic = nullptr;
    QLabel *Version = nullptr;
    QLabel *Comments = nullptr;
    QLabel *STextPagina = nullptr;
    QLabel *STextEMail = nullptr;
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
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// The program's about window; null until the program entry creates it.
extern TfSobre *fSobre;
