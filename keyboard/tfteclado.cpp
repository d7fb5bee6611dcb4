#include "keyboard/tfteclado.h"

#include "controls/colors.h"
#include "controls/fonte.h"
#include "platform/keyingscope.h"
#include "platform/keyingsequence.h"
#include "settings/ajustesprincipais.h"
#include "sound/tgerasom.h"
#include "text/tecladotexts.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QValidator>
#include <limits>

bool Parar_Frase = false;
int NumIdiomaTeclado = 0;

struct TfTeclado::Tecla
{
    QPushButton *TfTeclado::*botao;
    void (TfTeclado::*clique)();
    const char *nome;
    char16_t caractere; // shown, appended to the display line and keyed
    int left;
    int top;
    TColor cor;     // of the key's row
    bool digitavel; // typing the character presses the key
    bool naFrase;   // the phrase player presses the key for the character
};

namespace {

using Tecla = TfTeclado::Tecla;

// The keyboard, row by row. The phrase player compares a sentence character
// with the rows in this order; Ã has a key but is not played from a sentence.
// The space bar's caption is a language text.
constexpr Tecla Teclas[] = {
    {&TfTeclado::BitBtn_1, &TfTeclado::BitBtn_1Click, "BitBtn_1", u'1', 21, 8, clNavy, true, true},
    {&TfTeclado::BitBtn_2, &TfTeclado::BitBtn_2Click, "BitBtn_2", u'2', 53, 8, clNavy, true, true},
    {&TfTeclado::BitBtn_3, &TfTeclado::BitBtn_3Click, "BitBtn_3", u'3', 85, 8, clNavy, true, true},
    {&TfTeclado::BitBtn_4, &TfTeclado::BitBtn_4Click, "BitBtn_4", u'4', 117, 8, clNavy, true, true},
    {&TfTeclado::BitBtn_5, &TfTeclado::BitBtn_5Click, "BitBtn_5", u'5', 149, 8, clNavy, true, true},
    {&TfTeclado::BitBtn_6, &TfTeclado::BitBtn_6Click, "BitBtn_6", u'6', 181, 8, clNavy, true, true},
    {&TfTeclado::BitBtn_7, &TfTeclado::BitBtn_7Click, "BitBtn_7", u'7', 213, 8, clNavy, true, true},
    {&TfTeclado::BitBtn_8, &TfTeclado::BitBtn_8Click, "BitBtn_8", u'8', 245, 8, clNavy, true, true},
    {&TfTeclado::BitBtn_9, &TfTeclado::BitBtn_9Click, "BitBtn_9", u'9', 277, 8, clNavy, true, true},
    {&TfTeclado::BitBtn_0, &TfTeclado::BitBtn_0Click, "BitBtn_0", u'0', 309, 8, clNavy, true, true},
    {&TfTeclado::BitBtn_Q, &TfTeclado::BitBtn_QClick, "BitBtn_Q", u'Q', 37, 40, clGreen, true,
     true},
    {&TfTeclado::BitBtn_W, &TfTeclado::BitBtn_WClick, "BitBtn_W", u'W', 69, 40, clGreen, true,
     true},
    {&TfTeclado::BitBtn_E, &TfTeclado::BitBtn_EClick, "BitBtn_E", u'E', 101, 40, clGreen, true,
     true},
    {&TfTeclado::BitBtn_R, &TfTeclado::BitBtn_RClick, "BitBtn_R", u'R', 133, 40, clGreen, true,
     true},
    {&TfTeclado::BitBtn_T, &TfTeclado::BitBtn_TClick, "BitBtn_T", u'T', 165, 40, clGreen, true,
     true},
    {&TfTeclado::BitBtn_Y, &TfTeclado::BitBtn_YClick, "BitBtn_Y", u'Y', 197, 40, clGreen, true,
     true},
    {&TfTeclado::BitBtn_U, &TfTeclado::BitBtn_UClick, "BitBtn_U", u'U', 229, 40, clGreen, true,
     true},
    {&TfTeclado::BitBtn_I, &TfTeclado::BitBtn_IClick, "BitBtn_I", u'I', 261, 40, clGreen, true,
     true},
    {&TfTeclado::BitBtn_O, &TfTeclado::BitBtn_OClick, "BitBtn_O", u'O', 293, 40, clGreen, true,
     true},
    {&TfTeclado::BitBtn_P, &TfTeclado::BitBtn_PClick, "BitBtn_P", u'P', 325, 40, clGreen, true,
     true},
    {&TfTeclado::BitBtn_A, &TfTeclado::BitBtn_AClick, "BitBtn_A", u'A', 53, 72, clMaroon, true,
     true},
    {&TfTeclado::BitBtn_S, &TfTeclado::BitBtn_SClick, "BitBtn_S", u'S', 85, 72, clMaroon, true,
     true},
    {&TfTeclado::BitBtn_D, &TfTeclado::BitBtn_DClick, "BitBtn_D", u'D', 117, 72, clMaroon, true,
     true},
    {&TfTeclado::BitBtn_F, &TfTeclado::BitBtn_FClick, "BitBtn_F", u'F', 149, 72, clMaroon, true,
     true},
    {&TfTeclado::BitBtn_G, &TfTeclado::BitBtn_GClick, "BitBtn_G", u'G', 181, 72, clMaroon, true,
     true},
    {&TfTeclado::BitBtn_H, &TfTeclado::BitBtn_HClick, "BitBtn_H", u'H', 213, 72, clMaroon, true,
     true},
    {&TfTeclado::BitBtn_J, &TfTeclado::BitBtn_JClick, "BitBtn_J", u'J', 245, 72, clMaroon, true,
     true},
    {&TfTeclado::BitBtn_K, &TfTeclado::BitBtn_KClick, "BitBtn_K", u'K', 277, 72, clMaroon, true,
     true},
    {&TfTeclado::BitBtn_L, &TfTeclado::BitBtn_LClick, "BitBtn_L", u'L', 309, 72, clMaroon, true,
     true},
    {&TfTeclado::BitBtn_DoisP, &TfTeclado::BitBtn_DoisPClick, "BitBtn_DoisP", u':', 341, 72,
     clMaroon, true, true},
    {&TfTeclado::BitBtn_Z, &TfTeclado::BitBtn_ZClick, "BitBtn_Z", u'Z', 69, 105, clBlue, true,
     true},
    {&TfTeclado::BitBtn_X, &TfTeclado::BitBtn_XClick, "BitBtn_X", u'X', 101, 105, clBlue, true,
     true},
    {&TfTeclado::BitBtn_C, &TfTeclado::BitBtn_CClick, "BitBtn_C", u'C', 133, 105, clBlue, true,
     true},
    {&TfTeclado::BitBtn_V, &TfTeclado::BitBtn_VClick, "BitBtn_V", u'V', 165, 105, clBlue, true,
     true},
    {&TfTeclado::BitBtn_B, &TfTeclado::BitBtn_BClick, "BitBtn_B", u'B', 197, 105, clBlue, true,
     true},
    {&TfTeclado::BitBtn_N, &TfTeclado::BitBtn_NClick, "BitBtn_N", u'N', 229, 105, clBlue, true,
     true},
    {&TfTeclado::BitBtn_M, &TfTeclado::BitBtn_MClick, "BitBtn_M", u'M', 261, 105, clBlue, true,
     true},
    {&TfTeclado::BitBtn_Virgula, &TfTeclado::BitBtn_VirgulaClick, "BitBtn_Virgula", u',', 293, 105,
     clBlue, true, true},
    {&TfTeclado::BitBtn_Ponto, &TfTeclado::BitBtn_PontoClick, "BitBtn_Ponto", u'.', 325, 105,
     clBlue, true, true},
    {&TfTeclado::BitBtn_Interrog, &TfTeclado::BitBtn_InterrogClick, "BitBtn_Interrog", u'?', 357,
     105, clBlue, true, true},
    {&TfTeclado::BitBtn_Cedilha, &TfTeclado::BitBtn_CedilhaClick, "BitBtn_Cedilha", u'\u00C7', 85,
     137, clPurple, false, true},
    {&TfTeclado::BitBtn_EAcento, &TfTeclado::BitBtn_EAcentoClick, "BitBtn_EAcento", u'\u00C9', 117,
     137, clPurple, false, true},
    {&TfTeclado::BitBtn_ATil, &TfTeclado::BitBtn_ATilClick, "BitBtn_ATil", u'\u00C3', 149, 137,
     clPurple, false, false},
    {&TfTeclado::BitBtn_Espaco, &TfTeclado::BitBtn_EspacoClick, "BitBtn_Espaco", u' ', 181, 137,
     clRed, true, true},
    {&TfTeclado::BitBtn_Pontovirgula, &TfTeclado::BitBtn_PontovirgulaClick, "BitBtn_Pontovirgula",
     u';', 309, 137, clPurple, true, true},
    {&TfTeclado::BitBtn_AbreParen, &TfTeclado::BitBtn_AbreParenClick, "BitBtn_AbreParen", u'(', 341,
     137, clPurple, true, true},
    {&TfTeclado::BitBtn_FechaParen, &TfTeclado::BitBtn_FechaParenClick, "BitBtn_FechaParen", u')',
     373, 137, clPurple, true, true},
};

// The spans of a sentence, apart from those of keys pressed meanwhile.
constexpr int DaTecla = 0;
constexpr int DaFrase = 1;

constexpr int TamanhoTecla = 30;
constexpr int LarguraEspaco = 126;
constexpr int MaximoLetras = 25;

QRect Retangulo(const Tecla &t)
{
    return QRect(t.left, t.top, t.botao == &TfTeclado::BitBtn_Espaco ? LarguraEspaco : TamanhoTecla,
                 TamanhoTecla);
}

// A hint is a widget's statusTip, as on the main window.
void Dica(QWidget *w, const QString &texto)
{
    w->setStatusTip(texto);
}

// Keeps the sentence in capitals, however it got there (typed, pasted, set).
// Each character maps to its own capital, so the length and the cursor stay.
class Maiusculas : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        for (QChar &c : input)
            c = c.toUpper();
        return Acceptable;
    }
};

} // namespace

TfTeclado::TfTeclado(const AjustesPrincipais *ajustes, QWidget *parent)
    : QDialog(parent), Ajustes(ajustes)
{
    CriaControles();
    FormCreate();
}

TfTeclado::~TfTeclado() = default;

QList<TfTeclado::Posicao> TfTeclado::Posicoes()
{
    QList<Posicao> posicoes;
    for (const Tecla &t : Teclas)
        posicoes.append({QChar(t.caractere), Retangulo(t)});
    return posicoes;
}

void TfTeclado::CriaControles()
{
    setFixedSize(427, 311);
    move(182, 131);
    Sequencia = new platform::KeyingSequence(this);
    setFont(Fonte(16));
    setCursor(Qt::ForbiddenCursor);

    // Frames first, so that the fields lie above them.
    Bevel_Edit = new QFrame(this);
    Bevel_Edit->setGeometry(12, 186, 294, 36);
    Bevel_Frase = new QFrame(this);
    Bevel_Frase->setGeometry(12, 242, 294, 58);
    for (QFrame *f : {Bevel_Edit, Bevel_Frase})
        f->setFrameStyle(QFrame::Box | QFrame::Sunken);

    const QFont fonteTecla = Fonte(21);
    for (const Tecla &t : Teclas) {
        auto *b = new QPushButton(QString(QChar(t.caractere)), this);
        this->*t.botao = b;
        b->setObjectName(QLatin1String(t.nome));
        b->setGeometry(Retangulo(t));
        b->setFont(fonteTecla);
        QPalette p = b->palette();
        p.setColor(QPalette::ButtonText, ToQColor(t.cor));
        b->setPalette(p);
        b->setCursor(Qt::PointingHandCursor);
        // Enter must not press the focused key: only the listed characters do.
        b->setAutoDefault(false);
        b->installEventFilter(this);
        connect(b, &QPushButton::clicked, this, t.clique);
    }

    Edit_Letras = new QLineEdit(this);
    Edit_Letras->setGeometry(16, 190, 285, 27);
    Edit_Letras->setReadOnly(true);
    Edit_Letras->setFocusPolicy(Qt::ClickFocus); // no tab stop
    Pinta(Edit_Letras, QPalette::Base, clNavy);
    Pinta(Edit_Letras, QPalette::Text, clYellow);
    Edit_Letras->installEventFilter(this);

    Edit_Frase = new QLineEdit(this);
    Edit_Frase->setGeometry(16, 248, 285, 27);
    Edit_Frase->setMaxLength(std::numeric_limits<int>::max());
    Edit_Frase->setValidator(new Maiusculas(Edit_Frase));
    Pinta(Edit_Frase, QPalette::Base, clBlue);
    Pinta(Edit_Frase, QPalette::Text, clLime);

    Lb_Frase = new QLabel(this);
    Lb_Frase->setGeometry(17, 278, 284, 19);
    Lb_Frase->setAlignment(Qt::AlignCenter);

    SBtn_Fechar = new QToolButton(this);
    SBtn_Fechar->setGeometry(320, 181, 100, 50);
    SBtn_Fechar->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    connect(SBtn_Fechar, &QToolButton::clicked, this, &TfTeclado::SBtn_FecharClick);

    SB_Ini_Frase = new QToolButton(this);
    SB_Ini_Frase->setGeometry(319, 237, 100, 50);
    SB_Ini_Frase->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    connect(SB_Ini_Frase, &QToolButton::clicked, this, &TfTeclado::SB_Ini_FraseClick);

    for (QToolButton *b : {SBtn_Fechar, SB_Ini_Frase}) {
        b->setAutoRaise(true);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setIconSize(QSize(32, 32));
        b->setFocusPolicy(Qt::NoFocus);
        b->setCursor(Qt::PointingHandCursor);
    }
}

void TfTeclado::FormCreate()
{
    Parar_Frase = false;
    Edit_Frase->clear();
    if (Ajustes)
        NumIdiomaTeclado = Ajustes->NumeroIdioma() == -1 ? 0 : Ajustes->NumeroIdioma();
}

void TfTeclado::FormShow()
{
    if (Ajustes)
        NumIdiomaTeclado = Ajustes->NumeroIdioma();
    if (const TextosTeclado *t = TextosTeclado_(NumIdiomaTeclado)) {
        setWindowTitle(t->Caption);
        Dica(this, t->Caption);
        for (const Tecla &tecla : Teclas)
            Dica(Botao(tecla), t->BitBtn_Hint);
        BitBtn_Espaco->setText(t->BitBtn_Espaco_Caption);
        Dica(Edit_Letras, t->Edit_Letras_Hint);
        SBtn_Fechar->setText(t->SBtn_Fechar_Caption);
        Dica(SBtn_Fechar, t->SBtn_Fechar_Hint);
        SB_Ini_Frase->setText(t->SB_Ini_Frase_Caption);
        Dica(SB_Ini_Frase, t->SB_Ini_Frase_Hint);
        Dica(Edit_Frase, t->Edit_Frase_Hint);
        Lb_Frase->setText(t->Lb_Frase_Caption);
    }
    Edit_Frase->clear();
    Edit_Letras->clear();
    Seguradas.clear();
    UltimaSolta = {};
    if (Ajustes) {
        Unidade = Ajustes->UnidadeVelocidade();
        Gerador = Ajustes->Gerador();
    }
    BitBtn_Espaco->setFocus();
}

void TfTeclado::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A window restored by the desktop is not a new opening.
    if (!event->spontaneous())
        FormShow();
}

void TfTeclado::closeEvent(QCloseEvent *event)
{
    // Closing (by the title bar or the close button) while a sentence plays
    // waits for the playback to end, so the window stays modal meanwhile.
    if (FrasesTocando > 0) {
        FecharPendente = true;
        event->ignore();
        return;
    }
    // Keys queued behind the one sounding go with the window.
    Sequencia->withdraw();
    QDialog::closeEvent(event);
}

QPushButton *TfTeclado::Botao(const Tecla &tecla) const
{
    return this->*tecla.botao;
}

void TfTeclado::Pressiona(const Tecla &tecla)
{
    (this->*tecla.clique)();
}

void TfTeclado::Toca(QPushButton *botao, void (*keyer)(int, TGeraSom *))
{
    BitBtn_Espaco->setFocus();
    UltimaComecou = Soa(botao->text(), [this, keyer] {
        if (Gerador)
            keyer(Unidade, Gerador);
    });
}

void TfTeclado::BitBtn_EspacoClick()
{
    BitBtn_Espaco->setFocus();
    UltimaComecou = Soa(QStringLiteral(" "), [this] { Letras::Letra_Espaco(Unidade); });
}

bool TfTeclado::Soa(const QString &texto, const std::function<void()> &keyer)
{
    const int parte = EmFrase ? DaFrase : DaTecla;
    EmFrase = false;
    // A key pressed while a sentence plays goes before the sentence's next
    // character, as it always did; the sentence keys that one again after it.
    if (parte == DaTecla)
        Sequencia->withdraw(DaFrase);
    platform::KeyingSequence::Span letra;
    {
        platform::KeyingScope escopo(*Sequencia, parte);
        keyer();
        letra = escopo.span();
    }
    const auto mostra = [this, texto] {
        Texto_Tecla = texto;
        Soma_Letra(texto);
    };
    if (letra.id == 0) {
        mostra();
        return true;
    }
    Sequencia->at(Sequencia->startOf(letra), mostra);
    return Sequencia->waitForStart(letra);
}

void TfTeclado::Soma_Letra(const QString &texto)
{
    // Painted at once, as the character begins to sound.
    Edit_Letras->setText(Edit_Letras->text() + texto);
    Edit_Letras->repaint();
    if (Edit_Letras->text().size() > MaximoLetras) {
        Edit_Letras->clear();
        Edit_Letras->repaint();
    }
}

const TfTeclado::Tecla *TfTeclado::TeclaDigitada(QChar c)
{
    if (c >= u'a' && c <= u'z')
        c = QChar(c.unicode() - u'a' + u'A');
    for (const Tecla &t : Teclas)
        if (t.digitavel && t.caractere == c)
            return &t;
    return nullptr;
}

const TfTeclado::Tecla *TfTeclado::TeclaDaFrase(QChar c)
{
    for (const Tecla &t : Teclas)
        if (t.naFrase && t.caractere == c)
            return &t;
    return nullptr;
}

bool TfTeclado::FormKeyPress(QChar Key)
{
    const Tecla *t = TeclaDigitada(Key);
    if (t)
        Pressiona(*t);
    return t != nullptr;
}

// A typed character without a Ctrl or Alt chord. A held key keys once: its
// repeats would otherwise queue up behind the blocked window, one character
// each, and hold Close back for as long as they take to sound.
bool TfTeclado::TeclaDoEvento(QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString texto = event->text();
    if (texto.size() != 1 || !TeclaDigitada(texto.front()))
        return false;
    // X11 repeats a held key as a release and a press at the same server
    // time. Qt flags the pair by looking ahead in its queue, which an idle
    // window can reach before the press has come: the time tells it still.
    // (Events made up by a program carry no time.)
    const bool aoSoltar = event->timestamp() != 0 && event->key() == UltimaSolta.key &&
                          event->timestamp() == UltimaSolta.tempo;
    const bool segurada = Seguradas.contains(event->key());
    Seguradas.insert(event->key());
    if (event->isAutoRepeat() || segurada || aoSoltar)
        return true;
    return FormKeyPress(texto.front());
}

// A release ends the hold; the releases of X11's auto-repeat do not.
void TfTeclado::Solta(QKeyEvent *event)
{
    if (event->isAutoRepeat())
        return;
    Seguradas.remove(event->key());
    UltimaSolta = {event->key(), event->timestamp()};
}

void TfTeclado::keyPressEvent(QKeyEvent *event)
{
    // Keys the text fields leave unhandled come up here: they key nothing.
    const QWidget *foco = focusWidget();
    const bool deCampo = foco == Edit_Frase || foco == Edit_Letras;
    if (!deCampo && TeclaDoEvento(event))
        return;
    // Escape is a character outside the list too: it does not close the window.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void TfTeclado::keyReleaseEvent(QKeyEvent *event)
{
    Solta(event);
    QDialog::keyReleaseEvent(event);
}

bool TfTeclado::event(QEvent *event)
{
    // A key released while another window was active never reaches here.
    if (event->type() == QEvent::WindowDeactivate) {
        Seguradas.clear();
        UltimaSolta = {};
    }
    return QDialog::event(event);
}

bool TfTeclado::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit_Letras) {
        // Moved on once the focus change under way is complete: a focus set
        // from inside it would be overwritten as it unwinds.
        if (event->type() == QEvent::FocusIn)
            QMetaObject::invokeMethod(this, &TfTeclado::Edit_LetrasEnter, Qt::QueuedConnection);
        return false;
    }
    // A key button: its own handling of Space would press it a second time.
    if (event->type() == QEvent::KeyPress)
        return TeclaDoEvento(static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::KeyRelease)
        Solta(static_cast<QKeyEvent *>(event));
    return false;
}

void TfTeclado::Edit_LetrasEnter()
{
    BitBtn_Espaco->setFocus();
}

void TfTeclado::SBtn_FecharClick()
{
    Parar_Frase = true;
    Sequencia->withdraw();
    close();
}

void TfTeclado::SB_Ini_FraseClick()
{
    Parar_Frase = false;
    ++FrasesTocando;
    const qsizetype n = Edit_Frase->text().size();
    for (qsizetype i = 0; i < n; ++i) {
        // Read afresh: keys handled below may have changed the sentence. The
        // text is shared, not copied, so this costs nothing per character.
        const QString frase = Edit_Frase->text();
        const QChar c = i < frase.size() ? frase.at(i) : QChar();
        QCoreApplication::processEvents();
        if (Parar_Frase || platform::KeyingSequence::aborted())
            break;
        if (const Tecla *t = TeclaDaFrase(c)) {
            EmFrase = true;
            Pressiona(*t);
            EmFrase = false;
            // Taken back before it began (a key pressed went first): again.
            if (!UltimaComecou)
                --i;
        }
    }
    // The last character sounds out, and its closing silence.
    Sequencia->waitUntilIdle();
    Edit_Frase->clear();
    Edit_Letras->clear();
    if (--FrasesTocando == 0 && FecharPendente) {
        FecharPendente = false;
        close();
    }
}
