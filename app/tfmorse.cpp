#include "app/tfmorse.h"

#include "app/bordassuaves.h"
#include "app/desenvolvedor.h"
#include "app/errorguard.h"
#include "app/escolhaidioma.h"
#include "app/glifos.h"
#include "app/licoes.h"
#include "app/planodelicao.h"
#include "app/tdeslizante.h"
#include "app/tfsobre.h"
#include "app/thintwatcher.h"
#include "controls/fonte.h"
#include "controls/legenda.h"
#include "controls/tdrlabel.h"
#include "controls/tgauge.h"
#include "controls/tlinklabel.h"
#include "controls/tradiogroup.h"
#include "platform/keyingscope.h"
#include "platform/keyingsequence.h"
#include "sound/tgerasom.h"
#include "text/idioma.h"
#include "text/morsetexts.h"
#include "translations/translations.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

TfMorse *fMorse = nullptr;
QDialog *fTeclado = nullptr;
QDialog *fTeste = nullptr;
QDialog *fPratica = nullptr;

unsigned char Parar = 0;
int Vezes = 1;
int Licao = 0;
QString TextoTitulo;
int PosTitulo = 0;

namespace {

// The layout was drawn for a 560 x 460 window whose 3-pixel border and
// 19-pixel caption leave this client area; the status bar takes its bottom.
constexpr int LarguraCliente = 554;
constexpr int AlturaCliente = 435;
constexpr int AlturaStatus = 22;

// The selected row of a one-choice list, -1 when none is.
int ItemIndex(const QListWidget *lista)
{
    const QList<QListWidgetItem *> itens = lista->selectedItems();
    return itens.isEmpty() ? -1 : lista->row(itens.first());
}

// Items are 19 pixels high, or as high as the list's inside when that is
// taller, so that one item shows at a time whatever frame the style draws.
void AdicionaItem(QListWidget *lista, const QString &texto)
{
    auto *item = new QListWidgetItem(texto, lista);
    const int interior = lista->height() - 2 * lista->frameWidth();
    item->setSizeHint(QSize(lista->width() - 2 * lista->frameWidth(), qMax(19, interior)));
}

// The waveform of each item of RdGp_Onda.
constexpr TTGWave Ondas[] = {tgSine, tgSawtooth, tgSquare, tgTriangle, tgNoise};

// The local time in the system's long format, without the time zone that Qt
// adds to it.
QString HoraLonga()
{
    const QLocale local = QLocale::system();
    QString formato = local.timeFormat(QLocale::LongFormat);
    static const QRegularExpression zona(QStringLiteral("\\s*t+\\s*"));
    formato.remove(zona);
    if (formato.isEmpty())
        formato = QStringLiteral("HH:mm:ss");
    return local.toString(QTime::currentTime(), formato);
}

} // namespace

TfMorse::TfMorse(QWidget *parent) : QWidget(parent)
{
    CriaControles();
    FormCreate();
}

TfMorse::~TfMorse()
{
    if (fMorse == this)
        fMorse = nullptr;
}

int TfMorse::UnidadeVelocidade() const
{
    return Control_Vel->value();
}

int TfMorse::Frequencia() const
{
    return HertzDaPosicao(Control_Freq->value());
}

int TfMorse::VolumeDireito() const
{
    return VolumeDaPosicao(ContrVolDir->value());
}

int TfMorse::VolumeEsquerdo() const
{
    return VolumeDaPosicao(ContrVolEsq->value());
}

int TfMorse::NumeroIdioma() const
{
    return NumIdioma;
}

TGeraSom *TfMorse::Gerador() const
{
    return GeraSom;
}

void TfMorse::CriaControles()
{
    setFixedSize(LarguraCliente, AlturaCliente);
    move(120, 70);
    setWindowTitle(QStringLiteral("Zirvano"));
    setFont(Fonte(11, false));
    setCursor(Qt::ForbiddenCursor);

    GeraSom = new TGeraSom(this);
    Sequencia = new platform::KeyingSequence(this);
    GeraSom->SetWaveform(tgSawtooth);
    GeraSom->SetSustain(0);
    GeraSom->SetRelease(0);
    GeraSom->SetAsync(false);

    auto moldura = [this](int x, int y, int w, int h) {
        auto *f = new QFrame(this);
        f->setFrameStyle(QFrame::Box | QFrame::Sunken);
        f->setGeometry(x, y, w, h);
        return f;
    };
    Bevel_Vol = moldura(20, 30, 105, 206);
    Bevel_Veloc = moldura(133, 30, 74, 206);
    Bevel_Freq = moldura(216, 30, 74, 206);
    Bevel_Onda = moldura(298, 30, 113, 206);
    Bevel_Licao = moldura(20, 246, 191, 115);
    Bevel_Letra = moldura(218, 246, 193, 114);
    Bevel_Carac = moldura(21, 369, 511, 34);
    Bevel_Btn = moldura(420, 29, 113, 332);

    auto titulo = [this](int x, int y, int w, int h) {
        auto *l = new TDRLabel(this);
        l->SetAutoSize(false);
        l->setGeometry(x, y, w, h);
        l->setFont(Fonte(13));
        l->SetAlignment(Qt::AlignHCenter);
        l->SetShadowColor(clSilver);
        l->SetDeep(1);
        l->SetBorder(boNone);
        l->SetBlink(blNone);
        return l;
    };
    Lb_Vol = titulo(23, 35, 99, 15);
    Lb_Vol->SetColor(clSilver);
    Lb_Vol->SetFontColor(clBlack);
    Lb_Vol->SetHiColor(clBlack);
    Lb_Vol->SetLoColor(clBlack);
    Lb_Vol->SetBlinkInterval(500);
    LB_Veloc = titulo(136, 35, 68, 15);
    Lb_Freq = titulo(219, 35, 68, 15);
    // Two pixels wider each side than drawn, up to the frame, so that
    // "Formas de Sonidos" reads on one line; centred, the other titles stay put.
    Lb_Onda = titulo(300, 35, 109, 15);
    for (TDRLabel *l : {LB_Veloc, Lb_Freq, Lb_Onda}) {
        l->SetHiColor(clBlue);
        l->SetLoColor(clNavy);
        l->SetBlinkInterval(300);
    }

    auto deslizante = [this](int x, int y, int w, int h, int min, int max, int pos) {
        auto *s = new TDeslizante(this);
        s->setGeometry(x, y, w, h);
        s->setRange(min, max);
        s->setValue(pos);
        s->setTickPosition(QSlider::NoTicks);
        s->setCursor(Qt::PointingHandCursor);
        return s;
    };
    ContrVolEsq = deslizante(34, 50, 26, 170, 0, 100, 50);
    ContrVolDir = deslizante(58, 50, 23, 170, 0, 100, 50);
    ContrStereo = deslizante(90, 50, 25, 170, 0, 100, 50);
    ContrStereo->setCursor(Qt::SplitVCursor);
    Control_Vel = deslizante(150, 50, 25, 170, 5, 25, 25);
    Control_Freq = deslizante(234, 50, 25, 170, 0, 3000, 2200);
    Control_Freq->setPageStep(100);

    auto nivel = [this](int x, TColor cor, int min, int max, int progresso) {
        auto *g = new TGauge(this);
        g->setGeometry(x, 58, 5, 153);
        g->SetKind(gkVerticalBar);
        g->SetShowText(false);
        g->SetForeColor(cor);
        g->SetBackColor(clGray);
        g->SetMaxValue(max);
        g->SetMinValue(min);
        g->SetProgress(progresso);
        g->setCursor(Qt::ForbiddenCursor);
        return g;
    };
    Gauge_Esq = nivel(29, clYellow, 0, 100, 50);
    Gauge_Dir = nivel(84, clBlue, 0, 100, 50);
    Gauge_Vel = nivel(176, clRed, 5, 25, 5);
    Gauge_Freq = nivel(260, clLime, 0, 3000, 800);

    auto numero = [this](int x, int w, const QString &texto) {
        auto *l = new QLabel(texto, this);
        l->setGeometry(x, 217, w, 13);
        l->setFont(Fonte(11));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Pinta(l, QPalette::WindowText, clNavy);
        return l;
    };
    Lb_Vol_Esq = numero(37, 18, QStringLiteral("100"));
    Lb_Vol_Dir = numero(64, 18, QStringLiteral("100"));
    Lb_PPM = numero(150, 38, QStringLiteral("25 PpM"));
    Lb_Hertz = numero(230, 42, QStringLiteral("3000 Hz"));

    RdGp_Onda = new TRadioGroup(this);
    RdGp_Onda->setGeometry(310, 52, 90, 170);
    RdGp_Onda->setFont(Fonte(11));
    Pinta(RdGp_Onda, QPalette::WindowText, clNavy);
    RdGp_Onda->setCursor(Qt::PointingHandCursor);

    auto lista = [this](int y, TColor cor) {
        auto *l = new QListWidget(this);
        l->setGeometry(31, y, 170, 25);
        l->setFont(Fonte(16));
        l->setUniformItemSizes(true);
        l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        l->setSelectionMode(QAbstractItemView::SingleSelection);
        Fundo(l, QPalette::Base, cor);
        l->setCursor(Qt::PointingHandCursor);
        return l;
    };
    ListBox_Licao = lista(256, clTeal);
    ListBox_Vezes = lista(291, clAqua);

    CkBox_Carac = new QCheckBox(this);
    CkBox_Carac->setGeometry(34, 327, 165, 20);
    CkBox_Carac->setFont(Fonte(16));
    CkBox_Carac->setChecked(true);
    CkBox_Carac->setCursor(Qt::PointingHandCursor);

    Lb_Letra = new QLabel(QStringLiteral("W"), this);
    Lb_Letra->setGeometry(271, 248, 96, 105);
    Lb_Letra->setFont(Fonte(96));
    Lb_Letra->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    Lb_Info = new QLabel(this);
    Lb_Info->setGeometry(35, 373, 486, 24);
    Lb_Info->setFont(Fonte(21));
    Lb_Info->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto botao = [this](int y, const QIcon &glifo) {
        auto *b = new QPushButton(glifo, QString(), this);
        b->setGeometry(427, y, 100, 50);
        b->setFont(Fonte(16));
        b->setIconSize(QSize(24, 24));
        b->setCursor(Qt::PointingHandCursor);
        b->setAutoDefault(false);
        return b;
    };
    QStyle *estilo = style();
    Btn_Iniciar = botao(34, estilo->standardIcon(QStyle::SP_MediaPlay));
    Btn_Parar = botao(88, estilo->standardIcon(QStyle::SP_MediaStop));
    Btn_Teclado = botao(142, Glifos::Teclado());
    Btn_Teste = botao(197, estilo->standardIcon(QStyle::SP_MessageBoxQuestion));
    Btn_ABC = botao(251, Glifos::Abc());
    Btn_ABC->setCursor(Qt::ArrowCursor);
    Btn_Fechar = botao(306, estilo->standardIcon(QStyle::SP_DialogCloseButton));

    SBtn_Sobre = new QToolButton(this);
    SBtn_Sobre->setGeometry(504, 2, 25, 25);
    SBtn_Sobre->setAutoRaise(true);
    SBtn_Sobre->setIcon(estilo->standardIcon(QStyle::SP_MessageBoxInformation));
    SBtn_Sobre->setIconSize(QSize(18, 18));
    SBtn_Sobre->setCursor(Qt::PointingHandCursor);
    SBtn_Sobre->setStatusTip(QStringLiteral("  Sobre o Zirvano"));

    // In the empty strip left of the about button, drawn like it.
    SBtn_Pratica = new QToolButton(this);
    SBtn_Pratica->setGeometry(477, 2, 25, 25);
    SBtn_Pratica->setAutoRaise(true);
    SBtn_Pratica->setIcon(Glifos::Pratica());
    SBtn_Pratica->setIconSize(QSize(18, 18));
    SBtn_Pratica->setCursor(Qt::PointingHandCursor);

    auto ligacao = [this](int x, int w, TColor cor) {
        auto *l = new TLinkLabel(this);
        l->setGeometry(x, 8, w, 17);
        l->setFont(Fonte(11));
        Pinta(l, QPalette::WindowText, cor);
        return l;
    };
    STextPagina = ligacao(26, 175, clGreen);
    STextEMail = ligacao(225, 168, clRed);
    connect(STextPagina, &TLinkLabel::Click, this, &TfMorse::STextPaginaClick);
    connect(STextEMail, &TLinkLabel::Click, this, &TfMorse::STextEMailClick);

    StatusBarMorse = new QStatusBar(this);
    StatusBarMorse->setGeometry(0, AlturaCliente - AlturaStatus, LarguraCliente, AlturaStatus);
    StatusBarMorse->setSizeGripEnabled(false);
    StatusBarMorse->setFont(Fonte(12));
    StatusBarMorse->setCursor(Qt::ForbiddenCursor);
    for (QLabel *&painel : StatusPanel) {
        painel = new QLabel(StatusBarMorse);
        painel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    StatusPanel[0]->setFixedWidth(420);
    StatusBarMorse->addWidget(StatusPanel[0]);
    StatusBarMorse->addWidget(StatusPanel[1], 1);

    // Every child that sets no pointer of its own shows the arrow, not the
    // window's no-drop shape.
    for (QWidget *w : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!w->testAttribute(Qt::WA_SetCursor))
            w->setCursor(Qt::ArrowCursor);
    }

    connect(ContrVolEsq, &QSlider::valueChanged, this, &TfMorse::ContrVolEsqChange);
    connect(ContrVolDir, &QSlider::valueChanged, this, &TfMorse::ContrVolDirChange);
    connect(ContrStereo, &QSlider::valueChanged, this, &TfMorse::ContrStereoChange);
    connect(Control_Vel, &QSlider::valueChanged, this, &TfMorse::Control_VelChange);
    connect(Control_Freq, &QSlider::valueChanged, this, &TfMorse::Control_FreqChange);
    connect(RdGp_Onda, &TRadioGroup::Click, this, &TfMorse::RdGp_OndaClick);
    connect(ListBox_Vezes, &QListWidget::itemSelectionChanged, this, &TfMorse::ListBox_VezesClick);
    connect(ListBox_Licao, &QListWidget::itemSelectionChanged, this, &TfMorse::ListBox_LicaoClick);
    connect(Btn_Iniciar, &QPushButton::clicked, this, &TfMorse::Btn_IniciarClick);
    connect(Btn_Parar, &QPushButton::clicked, this, &TfMorse::Btn_PararClick);
    connect(Btn_Fechar, &QPushButton::clicked, this, &TfMorse::Btn_FecharClick);
    connect(Btn_Teclado, &QPushButton::clicked, this, &TfMorse::Btn_TecladoClick);
    connect(Btn_Teste, &QPushButton::clicked, this, &TfMorse::Btn_TesteClick);
    connect(Btn_ABC, &QPushButton::clicked, this, &TfMorse::Btn_ABCClick);
    connect(SBtn_Sobre, &QToolButton::clicked, this, &TfMorse::SBtn_SobreClick);
    connect(SBtn_Pratica, &QToolButton::clicked, this, &TfMorse::SBtn_PraticaClick);

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TfMorse::Timer1Timer);
    Timer1->start();

    Menu_Contexto = new QMenu(this);
    Acao_Bordas = Menu_Contexto->addAction(QString());
    Acao_Bordas->setCheckable(true);
    connect(Acao_Bordas, &QAction::toggled, this, &TfMorse::Acao_BordasToggled);
    Menu_Contexto->addSeparator();
    Acao_Pratica = Menu_Contexto->addAction(Glifos::Pratica(), QString());
    Acao_Pratica->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    Acao_Pratica->setShortcutContext(Qt::WindowShortcut);
    addAction(Acao_Pratica);
    connect(Acao_Pratica, &QAction::triggered, this, &TfMorse::SBtn_PraticaClick);
    TraduzPratica();
}

void TfMorse::FormCreate()
{
    // An unreadable stored language is reported, and the window still comes
    // up whole, in Portuguese.
    ComGuarda(this, [this] { EscolhaIdioma::IdiomaInicial(NumIdioma); });
    if (!Idioma::Valido(NumIdioma))
        NumIdioma = Idioma::Portugues;
    {
        const bool ligadas = BordasSuaves::Le();
        const QSignalBlocker semGravar(Acao_Bordas);
        Acao_Bordas->setChecked(ligadas);
        BordasSuaves::Aplica(ligadas);
    }

    if (const TextosMorse *t = TextosMorse_(NumIdioma))
        Lb_Info->setText(t->Lb_Info_Saudacao);
    Licao = 0;
    Vezes = 1;
    Lb_Letra->setText(QStringLiteral(" "));
    Lb_Letra->repaint();
    Gauge_Vel->SetProgress(PpmDaPosicao(Control_Vel->value()));
    if (!Hints) {
        Hints = new THintWatcher(this);
        connect(Hints, &THintWatcher::HintChanged, this, &TfMorse::MostraHint);
    }
    PosTitulo = 0;
}

void TfMorse::FormShow()
{
    GeraSom->SetRightVolume(static_cast<std::int16_t>(VolumeDireito()));
    GeraSom->SetLeftVolume(static_cast<std::int16_t>(VolumeEsquerdo()));
    Legenda(Lb_Vol_Dir, QString::number(VolumeDireito()));
    Legenda(Lb_Vol_Esq, QString::number(VolumeEsquerdo()));

    Unidade = Control_Vel->value();
    Legenda(Lb_PPM, QString::number(PpmDaPosicao(Unidade)) + QStringLiteral(" PpM"));
    Gauge_Vel->SetProgress(PpmDaPosicao(Unidade));

    const int hertz = Frequencia();
    Legenda(Lb_Hertz, QString::number(hertz) + QStringLiteral(" Hz"));
    GeraSom->SetFrequency(static_cast<std::int16_t>(hertz));
    Gauge_Freq->SetProgress(hertz);

    AplicaIdioma(NumIdioma);
}

void TfMorse::AplicaIdioma(int idioma)
{
    Translations::apply(idioma);
    TraduzPratica();
    const TextosMorse *t = TextosMorse_(idioma);
    if (!t)
        return;
    Acao_Bordas->setText(t->Menu_BordasSuaves);
    Lb_Vol->SetCaption(t->Lb_Vol_Caption);
    ContrVolEsq->setStatusTip(t->ContrVolEsq_Hint);
    ContrVolDir->setStatusTip(t->ContrVolDir_Hint);
    ContrStereo->setStatusTip(t->ContrStereo_Hint);
    LB_Veloc->SetCaption(t->LB_Veloc_Caption);
    Control_Vel->setStatusTip(t->Control_Vel_Hint);
    Lb_Freq->SetCaption(t->Lb_Freq_Caption);
    Control_Freq->setStatusTip(t->Control_Freq_Hint);
    Lb_Onda->SetCaption(t->Lb_Onda_Caption);
    RdGp_Onda->setStatusTip(t->RdGp_Onda_Hint);
    for (const QString &item : t->RdGp_Onda_Items)
        RdGp_Onda->Add(item);
    RdGp_Onda->SetItemIndex(0);

    Legenda(STextPagina, t->STextPagina_Caption);
    STextPagina->setStatusTip(t->STextPagina_Hint);
    Legenda(STextEMail, Desenvolvedor::LegendaEMail());
    STextEMail->setStatusTip(t->STextEMail_Hint);

    Btn_Iniciar->setText(t->Btn_Iniciar_Caption);
    Btn_Iniciar->setStatusTip(t->Btn_Iniciar_Hint);
    Btn_Parar->setText(t->Btn_Parar_Caption);
    Btn_Parar->setStatusTip(t->Btn_Parar_Hint);
    Btn_Teclado->setText(t->Btn_Teclado_Caption);
    Btn_Teclado->setStatusTip(t->Btn_Teclado_Hint);
    Btn_Teste->setText(t->Btn_Teste_Caption);
    Btn_Teste->setStatusTip(t->Btn_Teste_Hint);
    Btn_Fechar->setText(t->Btn_Fechar_Caption);
    Btn_Fechar->setStatusTip(t->Btn_Fechar_Hint);

    // Refilled after a language change, each list shows its first line again,
    // the lesson and count that Licao and Vezes go back to.
    for (const QString &item : t->ListBox_Licao_Items)
        AdicionaItem(ListBox_Licao, item);
    ListBox_Licao->scrollToTop();
    ListBox_Licao->setStatusTip(t->ListBox_Licao_Hint);
    Licao = 0;
    for (const QString &item : t->ListBox_Vezes_Items)
        AdicionaItem(ListBox_Vezes, item);
    ListBox_Vezes->scrollToTop();
    ListBox_Vezes->setStatusTip(t->ListBox_Vezes_Hint);
    Vezes = 1;

    CkBox_Carac->setText(t->CkBox_Carac_Caption);
    CkBox_Carac->setStatusTip(t->CkBox_Carac_Hint);
    setStatusTip(t->Versao);
    TextoTitulo = t->Versao;
    Btn_ABC->setStatusTip(t->Btn_ABC_Hint);
    Btn_ABC->setText(t->Btn_ABC_Caption);
}

void TfMorse::ContrVolEsqChange()
{
    Reagenda();
    const int volume = VolumeEsquerdo();
    GeraSom->SetLeftVolume(static_cast<std::int16_t>(volume));
    Gauge_Esq->SetProgress(volume);
    Legenda(Lb_Vol_Esq, QString::number(volume));
}

void TfMorse::ContrVolDirChange()
{
    Reagenda();
    const int volume = VolumeDireito();
    GeraSom->SetRightVolume(static_cast<std::int16_t>(volume));
    Gauge_Dir->SetProgress(volume);
    Legenda(Lb_Vol_Dir, QString::number(volume));
}

void TfMorse::ContrStereoChange()
{
    Reagenda();
    ContrVolDir->setValue(ContrStereo->value());
    GeraSom->SetRightVolume(static_cast<std::int16_t>(VolumeDireito()));
    ContrVolEsq->setValue(ContrStereo->value());
    GeraSom->SetLeftVolume(static_cast<std::int16_t>(VolumeEsquerdo()));
    Legenda(Lb_Vol_Dir, QString::number(VolumeDireito()));
    Legenda(Lb_Vol_Esq, QString::number(VolumeEsquerdo()));
    Gauge_Dir->SetProgress(VolumeDireito());
    Gauge_Esq->SetProgress(VolumeEsquerdo());
}

void TfMorse::Control_VelChange()
{
    Reagenda();
    Unidade = Control_Vel->value();
    Gauge_Vel->SetProgress(PpmDaPosicao(Unidade));
    Legenda(Lb_PPM, QString::number(PpmDaPosicao(Unidade)) + QStringLiteral(" PpM"));
}

void TfMorse::Control_FreqChange()
{
    Reagenda();
    const int hertz = Frequencia();
    GeraSom->SetFrequency(static_cast<std::int16_t>(hertz));
    Gauge_Freq->SetProgress(hertz);
    Legenda(Lb_Hertz, QString::number(hertz) + QStringLiteral(" Hz"));
}

void TfMorse::RdGp_OndaClick()
{
    Reagenda();
    const int item = RdGp_Onda->ItemIndex();
    if (item >= 0 && item < static_cast<int>(std::size(Ondas)))
        GeraSom->SetWaveform(Ondas[item]);
}

void TfMorse::ListBox_VezesClick()
{
    Reagenda();
    Vezes = ItemIndex(ListBox_Vezes) + 1;
}

void TfMorse::ListBox_LicaoClick()
{
    Reagenda();
    Licao = ItemIndex(ListBox_Licao);
}

// Plays the chosen lesson, and any higher one chosen meanwhile. Each character
// is keyed while the one before it sounds and shown as it begins; the window
// handles every event meanwhile, and a control that changes something takes
// back the character queued ahead (Reagenda), so a change applies from the
// next character, and Stop ends the lesson after the one sounding.
void TfMorse::Btn_IniciarClick()
{
    Parar = 0;
    const QString branco(56, QLatin1Char(' '));
    Lb_Info->setText(QString(40, QLatin1Char(' ')));
    Lb_Info->repaint();
    if (Licao == -1)
        Licao = 0;
    // What a lesson started before this one had queued waits until this one
    // is over.
    Sequencia->withdraw();
    PlanoDeLicao plano(Licao, Vezes);
    for (;;) {
        QCoreApplication::processEvents();
        const PlanoDeLicao::Passo passo = plano.Proximo(Parar == 1);
        if (passo.fim) {
            if (Sequencia->waitUntilIdle())
                MostraConselhos(passo.conselhos);
            return;
        }
        platform::KeyingSequence::Span letra;
        {
            platform::KeyingScope escopo(*Sequencia);
            passo.letra->Tocar(Unidade, GeraSom);
            letra = escopo.span();
        }
        if (!Sequencia->waitForStart(letra)) {
            if (platform::KeyingSequence::aborted())
                return;
            continue; // taken back: keyed again as things are now
        }
        plano.Comeca(passo, Licao, Vezes);
        MostraConselhos(passo.conselhos);
        if (CkBox_Carac->isChecked()) {
            Lb_Letra->setText(QString::fromUtf8(passo.letra->Letra));
            Lb_Letra->repaint();
        }
        Lb_Info->setText(branco);
        Lb_Info->repaint();
        Lb_Info->setText(QString::fromLatin1(passo.letra->Ritmo));
        Lb_Info->repaint();
    }
}

void TfMorse::MostraConselhos(const QList<int> &licoes)
{
    for (const int licao : licoes) {
        Lb_Letra->setText(QStringLiteral("  "));
        Lb_Letra->repaint();
        if (const TextosMorse *t = TextosMorse_(NumIdioma))
            Lb_Info->setText(t->Conselhos[licao]);
        Lb_Info->repaint();
    }
}

void TfMorse::Reagenda()
{
    Sequencia->withdraw();
}

// Heard from the next tone on; kept for the next start.
void TfMorse::Acao_BordasToggled(bool ligadas)
{
    Reagenda();
    BordasSuaves::Aplica(ligadas);
    ComGuarda(this, [ligadas] { BordasSuaves::Grava(ligadas); });
}

void TfMorse::contextMenuEvent(QContextMenuEvent *event)
{
    Reagenda();
    Menu_Contexto->exec(event->globalPos());
}

void TfMorse::Btn_PararClick()
{
    Parar = 1;
    Reagenda();
}

// A lesson in progress ends after the character sounding; the program ends
// once it has unwound, since the window is only hidden, never deleted.
void TfMorse::Btn_FecharClick()
{
    Parar = 1;
    Reagenda();
    close();
}

void TfMorse::Btn_TecladoClick()
{
    Reagenda();
    if (!fTeclado)
        return;
    fTeclado->exec();
    fTeclado->close();
}

void TfMorse::Btn_TesteClick()
{
    Reagenda();
    if (!fTeste)
        return;
    fTeste->exec();
    fTeste->close();
}

// A lesson playing stops first: one thing plays at a time.
void TfMorse::SBtn_PraticaClick()
{
    if (!fPratica)
        return;
    Parar = 1;
    fPratica->exec();
    fPratica->close();
}

void TfMorse::TraduzPratica()
{
    SBtn_Pratica->setStatusTip(tr("Practice window: the Koch course (Ctrl+K)"));
    SBtn_Pratica->setToolTip(tr("Practice window (Ctrl+K)"));
    SBtn_Pratica->setAccessibleName(tr("Practice window"));
    SBtn_Pratica->setAccessibleDescription(tr("Opens the practice window with the Koch course."));
    Acao_Pratica->setText(tr("&Practice window…"));
}

void TfMorse::SBtn_SobreClick()
{
    Reagenda();
    if (!fSobre)
        return;
    fSobre->exec();
    fSobre->close();
}

// A choice that cannot be saved is reported, and the window still turns to
// the chosen language for this run.
void TfMorse::Btn_ABCClick()
{
    Reagenda();
    ComGuarda(this, [this] { EscolhaIdioma::EscolheIdioma(NumIdioma, this); });
    if (!Idioma::Valido(NumIdioma))
        NumIdioma = Idioma::Portugues;
    RdGp_Onda->Clear();
    {
        const QSignalBlocker licao(ListBox_Licao);
        const QSignalBlocker vezes(ListBox_Vezes);
        ListBox_Licao->clear();
        ListBox_Vezes->clear();
    }
    FormShow();
}

void TfMorse::STextPaginaClick()
{
    Desenvolvedor::AbrePagina();
}

void TfMorse::STextEMailClick()
{
    Desenvolvedor::EnviaEMail();
}

void TfMorse::Timer1Timer()
{
    if (const TextosMorse *t = TextosMorse_(NumIdioma))
        StatusPanel[1]->setText(t->PrefixoHora + HoraLonga());

    // The caption grows one character a tick, holds the whole text for two
    // ticks, and starts again from empty.
    if (TextoTitulo.size() < PosTitulo) {
        PosTitulo = 0;
        return;
    }
    setWindowTitle(TextoTitulo.left(PosTitulo));
    // Given an empty title, the window system shows the application's name:
    // the typing starts from a blank one.
    if (windowTitle().isEmpty() && windowHandle())
        windowHandle()->setTitle(QStringLiteral(" "));
    ++PosTitulo;
}

void TfMorse::MostraHint(const QString &hint)
{
    StatusPanel[0]->setText(QStringLiteral("   ") + hint);
}

void TfMorse::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfMorse::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        TraduzPratica();
}

void TfMorse::closeEvent(QCloseEvent *event)
{
    // Closing only hides the window: a lesson running below this event keeps
    // a live window to unwind through, and the application quits after it.
    event->accept();
}
