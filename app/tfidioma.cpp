#include "app/tfidioma.h"

#include "app/desenvolvedor.h"
#include "app/figuraradio.h"
#include "controls/colors.h"
#include "controls/fonte.h"
#include "controls/legenda.h"
#include "controls/tlinklabel.h"
#include "text/idiomatexts.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

int ContaIdioma = 0;
TFIdioma *FIdioma = nullptr;

namespace {

template <class Rotulo = QLabel>
Rotulo *rotulo(QWidget *pai, const QRect &caixa, int pixels, TColor cor)
{
    auto *l = new Rotulo(pai);
    l->setGeometry(caixa);
    l->setFont(Fonte(pixels, true));
    Pinta(l, QPalette::WindowText, cor);
    return l;
}

} // namespace

TFIdioma::TFIdioma(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    const TextosIdioma &t = TextosIdioma_();
    setWindowTitle(t.Caption);
    setFixedSize(337, 304);
    move(202, 108);
    setFont(Fonte(11, false));
    setAutoFillBackground(true);
    Pinta(this, QPalette::Window, clSilver);

    PanelIdioma = new QFrame(this);
    PanelIdioma->setGeometry(13, 8, 310, 193);
    PanelIdioma->setFrameStyle(QFrame::Box | QFrame::Sunken);

    Radio = new QLabel(PanelIdioma);
    Radio->setGeometry(5, 6, 89, 41);
    Radio->setScaledContents(true);
    Radio->setPixmap(FiguraRadio(Radio->size()));

    NomeAplic = rotulo(PanelIdioma, QRect(100, 6, 165, 40), 35, clBlue);
    Legenda(NomeAplic, t.NomeAplic_Caption);
    Versao = rotulo(PanelIdioma, QRect(92, 46, 103, 22), 19, clGreen);
    Legenda(Versao, t.Versao_Caption);
    Comentarios = rotulo(PanelIdioma, QRect(10, 108, 298, 15), 13, clNavy);
    Comentarios->setWordWrap(true);
    Comentarios->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Comentarios->setText(t.Comentarios_Caption);

    STPagIdioma = rotulo<TLinkLabel>(PanelIdioma, QRect(10, 140, 295, 19), 13, clGreen);
    STPagIdioma->setText(t.STPagIdioma_Caption);
    STEMailIdioma = rotulo<TLinkLabel>(PanelIdioma, QRect(10, 166, 295, 19), 13, clRed);
    STEMailIdioma->setText(Desenvolvedor::LegendaEMail());
    STEMailIdioma->setStatusTip(t.STEMailIdioma_Hint);
    connect(STPagIdioma, &TLinkLabel::Click, this, &TFIdioma::STPagIdiomaClick);
    connect(STEMailIdioma, &TLinkLabel::Click, this, &TFIdioma::STEMailIdiomaClick);

    RG_Idioma = new QGroupBox(t.RG_Idioma_Caption, this);
    RG_Idioma->setGeometry(13, 204, 310, 85);
    RG_Idioma->setFont(Fonte(16, true));
    RG_Idioma->setAutoFillBackground(true);
    Pinta(RG_Idioma, QPalette::Window, clSilver);
    Pinta(RG_Idioma, QPalette::WindowText, clMaroon);
    Pinta(RG_Idioma, QPalette::ButtonText, clMaroon);
    itens = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        RG_IdiomaItens[i] = new QRadioButton(t.RG_Idioma_Itens[i], RG_Idioma);
        // As wide as its text: a click beside the text would select nothing.
        RG_IdiomaItens[i]->setGeometry(10, 20 + 21 * i, RG_IdiomaItens[i]->sizeHint().width(), 21);
        itens->addButton(RG_IdiomaItens[i], i);
    }
    connect(itens, &QButtonGroup::idClicked, this, &TFIdioma::RG_IdiomaClick);

    Timer1 = new QTimer(this);
    Timer1->setInterval(2000);
    connect(Timer1, &QTimer::timeout, this, &TFIdioma::Timer1Timer);

    FormCreate();
    Timer1->start();
}

int TFIdioma::ItemIndex() const
{
    return itens->checkedId();
}

void TFIdioma::FormCreate()
{
    ContaIdioma = 0;
}

void TFIdioma::Timer1Timer()
{
    if (const TextosIdiomaRotativos *t = TextosIdiomaRotativos_(ContaIdioma)) {
        Legenda(Versao, t->Versao_Caption);
        Comentarios->setText(t->Comentarios_Caption);
        STPagIdioma->setText(t->STPagIdioma_Caption);
        RG_Idioma->setTitle(t->RG_Idioma_Caption);
    }
    ContaIdioma = ContaIdioma + 1 >= 3 ? 0 : ContaIdioma + 1;
}

void TFIdioma::RG_IdiomaClick()
{
    accept();
}

void TFIdioma::STPagIdiomaClick()
{
    Desenvolvedor::AbrePagina();
}

void TFIdioma::STEMailIdiomaClick()
{
    Desenvolvedor::EnviaEMail();
}

void TFIdioma::keyPressEvent(QKeyEvent *event)
{
    // The items' letters choose them even without Alt, as in a dialog whose
    // controls take no typing.
    static constexpr int letras[3] = {Qt::Key_P, Qt::Key_E, Qt::Key_N};
    const auto outras = Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier;
    if (!(event->modifiers() & outras)) {
        for (int i = 0; i < 3; ++i) {
            if (event->key() == letras[i]) {
                RG_IdiomaItens[i]->click();
                return;
            }
        }
    }
    QDialog::keyPressEvent(event);
}
