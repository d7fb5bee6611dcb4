#include "reception/tfteste.h"

#include "controls/fonte.h"
#include "controls/talprogressbar.h"
#include "controls/tdrlabel.h"
#include "morse/letras.h"
#include "morse/trainerscale.h"
#include "platform/keyboardhook.h"
#include "platform/keyingscope.h"
#include "platform/keyingsequence.h"
#include "platform/random.h"
#include "reception/teclasadiadas.h"
#include "record/record.h"
#include "settings/ajustesprincipais.h"
#include "sound/tgerasom.h"
#include "text/testetexts.h"

#include <QFrame>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <algorithm>
#include <array>
#include <chrono>
#include <utility>

quint16 Tecla_Esperada = 0;
double Acertos = 0;
double Testes = 0;
double Erros = 0;
double Porcentagem = 0;
int IdiomaTeste = 0;

namespace {

struct CaracterTeste
{
    char tecla; // the character, which is also its key's virtual-key code
    void (*tocar)(int unidade, TGeraSom *gerador);
};

// Draw 0 is 9, then A to Z, then 0 to 8.
constexpr std::array<CaracterTeste, TfTeste::Caracteres> Sorteios{{
    {'9', Letras::Letra_9}, {'A', Letras::Letra_A}, {'B', Letras::Letra_B}, {'C', Letras::Letra_C},
    {'D', Letras::Letra_D}, {'E', Letras::Letra_E}, {'F', Letras::Letra_F}, {'G', Letras::Letra_G},
    {'H', Letras::Letra_H}, {'I', Letras::Letra_I}, {'J', Letras::Letra_J}, {'K', Letras::Letra_K},
    {'L', Letras::Letra_L}, {'M', Letras::Letra_M}, {'N', Letras::Letra_N}, {'O', Letras::Letra_O},
    {'P', Letras::Letra_P}, {'Q', Letras::Letra_Q}, {'R', Letras::Letra_R}, {'S', Letras::Letra_S},
    {'T', Letras::Letra_T}, {'U', Letras::Letra_U}, {'V', Letras::Letra_V}, {'W', Letras::Letra_W},
    {'X', Letras::Letra_X}, {'Y', Letras::Letra_Y}, {'Z', Letras::Letra_Z}, {'0', Letras::Letra_0},
    {'1', Letras::Letra_1}, {'2', Letras::Letra_2}, {'3', Letras::Letra_3}, {'4', Letras::Letra_4},
    {'5', Letras::Letra_5}, {'6', Letras::Letra_6}, {'7', Letras::Letra_7}, {'8', Letras::Letra_8},
}};

} // namespace

TfTeste::TfTeste(const AjustesPrincipais *ajustes, QWidget *parent)
    : QDialog(parent), Ajustes(ajustes)
{
    CriaControles();
    FormCreate();
}

TfTeste::~TfTeste() = default;

void TfTeste::CriaControles()
{
    setFixedSize(378, 193);
    move(205, 190);
    setFont(Fonte(16));
    // The no-drop shape over the background and every control that sets no
    // pointer of its own: the frames, the bars, the verdict.
    setCursor(Qt::ForbiddenCursor);

    // The frames first, so that they lie under what they surround.
    const auto moldura = [this](int x, int y, int w, int h) {
        auto *f = new QFrame(this);
        f->setFrameStyle(QFrame::Box | QFrame::Sunken);
        f->setGeometry(x, y, w, h);
        return f;
    };
    Bevel1 = moldura(8, 8, 225, 104);
    Bevel2 = moldura(242, 8, 128, 121);

    const auto botao = [this](int x, int y, QStyle::StandardPixmap figura) {
        auto *b = new QPushButton(this);
        b->setGeometry(x, y, 100, 50);
        b->setIcon(style()->standardIcon(figura));
        b->setIconSize(QSize(24, 24));
        b->setCursor(Qt::PointingHandCursor);
        return b;
    };
    Btn_Teste = botao(256, 16, QStyle::SP_MediaPlay);
    Btn_Fechar = botao(256, 71, QStyle::SP_DialogNoButton);

    HotKey_Teste = new THotKeyManager(this);
    HotKey_Teste->SetEnabled(false);
    HotKey_Teste->SetAppGlobal(false);
    HotKey_Teste->SetOnKeyDown([this](QObject *Sender, quint16 &Key, TShiftState Shift) {
        HotKey_TesteKeyDown(Sender, Key, Shift);
    });
    HotKey_Teste->Loaded();

    GeraSom1 = new TGeraSom(this);
    GeraSom1->SetAsync(false);
    Sequencia = new platform::KeyingSequence(this);

    ALPBar = new TALProgressBar(this);
    ALPBar->setGeometry(16, 25, 210, 25);
    ALPBar->SetBackgroundColor(clSilver);
    ALPBar->SetBarColor1(clRed);
    ALPBar->SetBarColor3(clGreen);
    ALPBar->SetPercentage(true);
    ALPBar->SetPosition(100);

    ALBar_Erro = new TALProgressBar(this);
    ALBar_Erro->setGeometry(16, 72, 210, 25);
    ALBar_Erro->SetBackgroundColor(clSilver);
    ALBar_Erro->SetBarColor1(clRed);
    ALBar_Erro->SetBarColorStyle(cs1Color);
    ALBar_Erro->SetPercentage(false);
    ALBar_Erro->SetPosition(100);

    Lb_Teste = new TDRLabel(this);
    Lb_Teste->SetAutoSize(false);
    Lb_Teste->setGeometry(8, 147, 361, 30);
    Lb_Teste->SetAlignment(Qt::AlignHCenter);
    Lb_Teste->setFont(Fonte(19));
    Lb_Teste->SetFontColor(clRed);
    Lb_Teste->SetHiColor(clRed);
    Lb_Teste->SetLoColor(clBlack);
    Lb_Teste->SetBlink(blHiLo);
    Lb_Teste->SetBlinkInterval(300);
    Lb_Teste->SetBorder(boLowered);
    Lb_Teste->SetCtl3D(true);
    Lb_Teste->SetShadowColor(clGray);
    Lb_Teste->SetDeep(1);

    setTabOrder(Btn_Teste, Btn_Fechar);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel2->setObjectName(QStringLiteral("Bevel2"));
    Btn_Teste->setObjectName(QStringLiteral("Btn_Teste"));
    Btn_Fechar->setObjectName(QStringLiteral("Btn_Fechar"));
    ALPBar->setObjectName(QStringLiteral("ALPBar"));
    ALBar_Erro->setObjectName(QStringLiteral("ALBar_Erro"));
    Lb_Teste->setObjectName(QStringLiteral("Lb_Teste"));
    HotKey_Teste->setObjectName(QStringLiteral("HotKey_Teste"));
    GeraSom1->setObjectName(QStringLiteral("GeraSom1"));

    connect(Btn_Teste, &QPushButton::clicked, this, &TfTeste::Btn_TesteClick);
    connect(Btn_Fechar, &QPushButton::clicked, this, &TfTeste::Btn_FecharClick);
}

void TfTeste::FormCreate()
{
    IdiomaTeste = Ajustes ? Ajustes->NumeroIdioma() : 0;
    if (IdiomaTeste == -1)
        IdiomaTeste = 0;
    Porcentagem = 0;
    Erros = 0;
    Acertos = 0;
    Testes = 0;
    LeAjustes(false);
    Btn_Teste->setEnabled(true);
    Lb_Teste->SetCaption(QString());
    ALPBar->SetPosition(100);
    ALBar_Erro->SetPosition(0);
}

void TfTeste::FormShow()
{
    if (Ajustes)
        IdiomaTeste = Ajustes->NumeroIdioma();
    if (const TextosTeste *t = TextosTeste_(IdiomaTeste)) {
        setWindowTitle(t->Caption);
        setStatusTip(t->Caption);
        ALPBar->SetPosTextSuffix(t->ALPBar_Suffix);
        ALPBar->setStatusTip(t->ALPBar_Hint);
        ALBar_Erro->SetPosTextSuffix(t->ALBar_Erro_Suffix);
        ALBar_Erro->setStatusTip(t->ALBar_Erro_Hint);
        Btn_Teste->setText(t->Btn_Teste_Caption);
        Btn_Teste->setStatusTip(t->Btn_Teste_Hint);
        Btn_Fechar->setText(t->Btn_Fechar_Caption);
        Btn_Fechar->setStatusTip(t->Btn_Fechar_Hint);
    }
    Porcentagem = 0;
    Erros = 0;
    Acertos = 0;
    Testes = 0;
    LeAjustes(true);
    // Every showing starts ready: a capture left on by a window closed while
    // it awaited an answer would judge the first key against an old character.
    HotKey_Teste->SetEnabled(false);
    Pendente.reset();
    Btn_Teste->setEnabled(true);
    Lb_Teste->SetCaption(QString());
    ALPBar->SetPosition(100);
    ALBar_Erro->SetPosition(0);
}

void TfTeste::LeAjustes(bool frequencia)
{
    if (!Ajustes)
        return;
    if (frequencia)
        GeraSom1->SetFrequency(static_cast<std::int16_t>(Ajustes->Frequencia()));
    GeraSom1->SetRightVolume(static_cast<std::int16_t>(Ajustes->VolumeDireito()));
    GeraSom1->SetLeftVolume(static_cast<std::int16_t>(Ajustes->VolumeEsquerdo()));
    Unidade = Ajustes->UnidadeVelocidade();
}

quint16 TfTeste::TocaSorteio(int sorteio, int unidade, TGeraSom *gerador)
{
    const CaracterTeste &c = Sorteios.at(std::size_t(sorteio));
    c.tocar(unidade, gerador);
    return quint16(c.tecla);
}

void TfTeste::Btn_TesteClick()
{
    platform::Randomize();
    const int sorteio = platform::Random(Caracteres);
    HotKey_Teste->SetEnabled(true);
    Btn_Teste->setEnabled(false);
    const QDateTime inicio = QDateTime::currentDateTimeUtc();
    // Returns when the character and its closing silence are over, the window
    // answering meanwhile; keys pressed meanwhile are judged afterwards.
    TeclasAdiadas adiadas;
    quint16 tecla = 0;
    platform::KeyingSequence::Span letra;
    {
        platform::KeyingScope escopo(*Sequencia);
        tecla = TocaSorteio(sorteio, Unidade, GeraSom1);
        letra = escopo.span();
    }
    Sequencia->waitUntil(Sequencia->endOf(letra));
    Tecla_Esperada = tecla;
    // The character's end as the stream has it, not as the wait woke.
    Pendente = Sorteado{Unidade, inicio,
                        FimDoCaractere(Sequencia->timeOf(Sequencia->endOf(letra)), Unidade)};
    Testes = Testes + 1;
    adiadas.Libera();
}

platform::SteadyTime TfTeste::FimDoCaractere(platform::SteadyTime retorno, int unidade)
{
    return retorno - std::chrono::milliseconds(25 * unidade);
}

QString TfTeste::CaracterDaTecla(quint16 tecla)
{
    if ((tecla >= '0' && tecla <= '9') || (tecla >= 'A' && tecla <= 'Z') ||
        tecla == platform::VK_SPACE)
        return QString(QChar(tecla));
    if (tecla >= platform::VK_NUMPAD0 && tecla <= platform::VK_NUMPAD0 + 9)
        return QString(QChar(u'0' + (tecla - platform::VK_NUMPAD0)));
    // The punctuation keys by what they type unshifted on the layout the key
    // codes are named after.
    static const std::pair<int, char16_t> Sinais[] = {
        {platform::VK_OEM_1, u';'},      {platform::VK_OEM_PLUS, u'='},
        {platform::VK_OEM_COMMA, u','},  {platform::VK_OEM_MINUS, u'-'},
        {platform::VK_OEM_PERIOD, u'.'}, {platform::VK_OEM_2, u'/'},
        {platform::VK_OEM_3, u'`'},      {platform::VK_OEM_4, u'['},
        {platform::VK_OEM_5, u'\\'},     {platform::VK_OEM_6, u']'},
        {platform::VK_OEM_7, u'\''},     {platform::VK_MULTIPLY, u'*'},
        {platform::VK_ADD, u'+'},        {platform::VK_SUBTRACT, u'-'},
        {platform::VK_DECIMAL, u'.'},    {platform::VK_DIVIDE, u'/'},
    };
    for (const auto &[codigo, sinal] : Sinais) {
        if (codigo == tecla)
            return QString(QChar(sinal));
    }
    return {};
}

void TfTeste::GuardaResposta(quint16 tecla, bool certo)
{
    if (!Pendente)
        return;
    const Sorteado s = *std::exchange(Pendente, std::nullopt);
    if (!Registro)
        return;
    const auto espera = std::chrono::duration_cast<std::chrono::milliseconds>(
        platform::Clock::current().now() - s.fim);
    record::Answer resposta;
    resposta.when = QDateTime::currentDateTimeUtc();
    resposta.kind = record::Kind::Reception;
    resposta.sent = QString(QChar(Tecla_Esperada));
    resposta.answered = CaracterDaTecla(tecla);
    resposta.right = certo;
    resposta.answerMs = int(std::max<std::chrono::milliseconds::rep>(0, espera.count()));
    resposta.charWpm = TrainerScale::CharacterWpm(s.unidade);
    resposta.effectiveWpm = TrainerScale::EffectiveWpm(s.unidade);
    record::Run run;
    run.when = s.inicio;
    run.kind = record::Kind::Reception;
    run.charWpm = resposta.charWpm;
    run.effectiveWpm = resposta.effectiveWpm;
    run.sent = resposta.sent;
    run.typed = resposta.answered;
    run.accuracy = certo ? 100 : 0;
    run.answers = {resposta};
    Registro->store(run);
}

void TfTeste::HotKey_TesteKeyDown(QObject * /*Sender*/, quint16 &Key, TShiftState /*Shift*/)
{
    Btn_Teste->setEnabled(true);
    Btn_Teste->setFocus();
    const TextosTeste *t = TextosTeste_(IdiomaTeste);
    GuardaResposta(Key, Key == Tecla_Esperada);
    if (Key == Tecla_Esperada) {
        Acertos = Acertos + 1;
        HotKey_Teste->SetEnabled(false);
        Lb_Teste->setVisible(true);
        if (t)
            Lb_Teste->SetCaption(t->Acertou);
    } else {
        HotKey_Teste->SetEnabled(false);
        Lb_Teste->setVisible(true);
        if (t)
            Lb_Teste->SetCaption(t->Errou);
    }
    Erros = Testes - Acertos;
    if (Erros == 0)
        ALPBar->SetPosition(100);
    ALBar_Erro->SetPosition(0);
    if (Erros < 0)
        close();
    if (Erros > 0) {
        Porcentagem = 100 * Acertos / Testes;
        // The counters hold whole numbers: the whole-number quotient is the
        // exact whole part, free of floating-point rounding.
        const auto inteira =
            static_cast<int>((100 * static_cast<qint64>(Acertos)) / static_cast<qint64>(Testes));
        ALPBar->SetPosition(inteira);
        ALBar_Erro->SetPosition(100 - inteira);
    }
    Porcentagem = 0;
    Erros = 0;
}

void TfTeste::Btn_FecharClick()
{
    Porcentagem = 0;
    Erros = 0;
    close();
}

void TfTeste::showEvent(QShowEvent *event)
{
    // A window coming back from the task bar is not a new showing.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}
