#include "app/tfsobre.h"

#include "app/desenvolvedor.h"
#include "app/figuraradio.h"
#include "controls/colors.h"
#include "controls/fonte.h"
#include "controls/tlinklabel.h"
#include "settings/ajustesprincipais.h"
#include "text/idioma.h"
#include "text/sobretexts.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>

TfSobre *fSobre = nullptr;

namespace {

template <class Rotulo = QLabel>
Rotulo *rotulo(QWidget *pai, const QRect &caixa, int pixels, TColor cor)
{
    auto *l = new Rotulo(pai);
    l->setGeometry(caixa);
    l->setFont(Fonte(pixels));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, ToQColor(cor));
    l->setPalette(p);
    return l;
}

} // namespace

TfSobre::TfSobre(const AjustesPrincipais *ajustes, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      Ajustes(ajustes)
{
    setFixedSize(332, 253);
    setFont(Fonte(11));
    setCursor(Qt::ForbiddenCursor);
    if (const QScreen *tela = screen())
        move(tela->availableGeometry().center() - rect().center());

    PanelSobre = new QFrame(this);
    PanelSobre->setGeometry(10, 8, 310, 193);
    PanelSobre->setFrameStyle(QFrame::Box | QFrame::Sunken);

    Radio = new QLabel(PanelSobre);
    Radio->setGeometry(5, 6, 89, 41);
    Radio->setScaledContents(true);
    Radio->setPixmap(FiguraRadio(Radio->size()));

    NomeAplic = rotulo(PanelSobre, QRect(100, 6, 165, 40), 35, clBlue);
    NomeAplic->setText(QStringLiteral("Zirvano"));
    NomeAplic->adjustSize();
    Version = rotulo(PanelSobre, QRect(105, 46, 152, 22), 19, clGreen);
    Comments = rotulo(PanelSobre, QRect(10, 108, 295, 15), 13, clNavy);
    Comments->setWordWrap(true);
    Comments->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    STextPagina = rotulo<TLinkLabel>(PanelSobre, QRect(10, 140, 279, 19), 13, clGreen);
    STextEMail = rotulo<TLinkLabel>(PanelSobre, QRect(10, 166, 191, 19), 13, clRed);
    connect(STextPagina, &TLinkLabel::Click, this, &TfSobre::STextPaginaClick);
    connect(STextEMail, &TLinkLabel::Click, this, &TfSobre::STextEMailClick);

    BtnSobre =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton), QString(), this);
    BtnSobre->setGeometry(120, 208, 100, 35);
    BtnSobre->setFont(Fonte(16));
    BtnSobre->setCursor(Qt::PointingHandCursor);
    BtnSobre->setAutoDefault(false);
    connect(BtnSobre, &QPushButton::clicked, this, &TfSobre::BtnSobreClick);

    FormCreate();
}

int TfSobre::IdiomaDaJanelaPrincipal() const
{
    const int idioma = Ajustes ? Ajustes->NumeroIdioma() : Idioma::Portugues;
    return Idioma::Valido(idioma) ? idioma : Idioma::Portugues;
}

void TfSobre::FormCreate()
{
    IdiomaSobre = IdiomaDaJanelaPrincipal();
}

void TfSobre::FormShow()
{
    IdiomaSobre = IdiomaDaJanelaPrincipal();
    const TextosSobre *t = TextosSobre_(IdiomaSobre);
    if (!t)
        return;
    setWindowTitle(t->Caption);
    setStatusTip(t->Caption);
    Version->setText(t->Version_Caption);
    Comments->setText(t->Comments_Caption);
    STextPagina->setText(t->STextPagina_Caption);
    STextPagina->setStatusTip(t->STextPagina_Hint);
    STextEMail->setText(Desenvolvedor::LegendaEMail());
    STextEMail->setStatusTip(t->STextEMail_Hint);
    BtnSobre->setText(t->BtnSobre_Caption);
    BtnSobre->setStatusTip(t->BtnSobre_Hint);
}

void TfSobre::STextPaginaClick()
{
    Desenvolvedor::AbrePagina();
}

void TfSobre::STextEMailClick()
{
    Desenvolvedor::EnviaEMail();
}

void TfSobre::BtnSobreClick()
{
    done(QDialogButtonBox::No);
}

void TfSobre::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}
