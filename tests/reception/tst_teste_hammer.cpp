#include "controls/talprogressbar.h"
#include "controls/tdrlabel.h"
#include "platform/keyboardhook.h"
#include "platform/virtualclock.h"
#include "reception/tfteste.h"
#include "reception/thotkeymanager.h"
#include "tests/ajustesfalsos.h"
#include "text/testetexts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>
#include <random>

// Thousands of keystrokes, as a learner hammering the keyboard sends them
// (downs, auto-repeats, ups, held modifiers, keypad, function keys, keys of
// no use at all), reach the reception test through the window system and the
// real keyboard hook. After every keystroke the window must tell a consistent
// story: every down that arrived while an answer was awaited is one verdict,
// right exactly when it was the expected key, and the bars show the share of
// right answers among the answered characters.
namespace {

enum class Repertorio
{
    Basicas,       // letters, digits, symbols, shifted digits
    Modificadores, // the same under held Shift, Control and Alt
    Especiais,     // keypad, function, editing and lock keys
    Tudo           // all of it, the keys that press buttons, and random codes
};

// One key as the window system reports it.
struct Toque
{
    int tecla = 0;
    Qt::KeyboardModifiers modificadores;
    quint32 codigo = 0; // native scan code (evdev + 8); 0 for none
    QString texto;
};

Toque Simples(int tecla, const QString &texto = QString(), quint32 codigo = 0,
              Qt::KeyboardModifiers modificadores = Qt::NoModifier)
{
    return {tecla, modificadores, codigo, texto};
}

QList<Toque> Basicas()
{
    QList<Toque> r;
    for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k)
        r << Simples(k, QString(QChar(k - Qt::Key_A + 'a')));
    for (int k = Qt::Key_0; k <= Qt::Key_9; ++k)
        r << Simples(k, QString(QChar(k)));
    for (char c : {',', '.', '-', '/', ';', '\'', '[', ']', '=', '`', '\\'})
        r << Simples(c, QString(QChar(c)));
    // Shifted main-row digits: the key is told by its place.
    const char shifted[] = "!@#$%^&*()";
    for (int i = 0; i < 10; ++i)
        r << Simples(shifted[i], QString(QChar(shifted[i])), quint32(8 + 2 + i), Qt::ShiftModifier);
    return r;
}

QList<Toque> Especiais()
{
    QList<Toque> r;
    for (int k = Qt::Key_0; k <= Qt::Key_9; ++k)
        r << Simples(k, QString(QChar(k)), 0, Qt::KeypadModifier);
    for (int k : {Qt::Key_Asterisk, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Period, Qt::Key_Slash})
        r << Simples(k, QString(QChar(k)), 0, Qt::KeypadModifier);
    for (int k = Qt::Key_F1; k <= Qt::Key_F35; ++k)
        r << Simples(k);
    for (int k : {Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down,
                  Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Insert, Qt::Key_Delete, Qt::Key_Print,
                  Qt::Key_Pause, Qt::Key_CapsLock, Qt::Key_NumLock, Qt::Key_ScrollLock,
                  Qt::Key_Menu, Qt::Key_Meta, Qt::Key_Backspace, Qt::Key_unknown})
        r << Simples(k);
    return r;
}

// Keys that press, move between or close the window's buttons.
QList<Toque> Botoes()
{
    return {Simples(Qt::Key_Space, QStringLiteral(" ")),
            Simples(Qt::Key_Return, QStringLiteral("\r")),
            Simples(Qt::Key_Enter, QStringLiteral("\r"), 0, Qt::KeypadModifier),
            Simples(Qt::Key_Escape, QString(QChar(0x1b))),
            Simples(Qt::Key_Tab, QStringLiteral("\t")),
            Simples(Qt::Key_Backtab, QString(), 0, Qt::ShiftModifier)};
}

// A key code nobody planned for: printable, another script, one of Qt's
// special keys, or none at all; any modifiers and any scan code.
Toque Aleatoria(std::mt19937 &sorte)
{
    Toque t;
    switch (std::uniform_int_distribution<int>(0, 3)(sorte)) {
    case 0:
        t.tecla = std::uniform_int_distribution<int>(0x20, 0x7e)(sorte);
        break;
    case 1:
        t.tecla = std::uniform_int_distribution<int>(0xa0, 0x2fff)(sorte);
        break;
    case 2:
        t.tecla = std::uniform_int_distribution<int>(0x01000000, 0x010000ff)(sorte);
        break;
    default:
        t.tecla = std::uniform_int_distribution<int>(0, 1)(sorte) ? 0 : int(Qt::Key_unknown);
        break;
    }
    t.modificadores = Qt::KeyboardModifiers(std::uniform_int_distribution<int>(0, 0x3f)(sorte)
                                            << 25); // Shift .. GroupSwitch
    t.codigo = quint32(std::uniform_int_distribution<int>(0, 300)(sorte));
    if (t.tecla >= 0x20 && t.tecla < 0x01000000)
        t.texto = QString(QChar(char16_t(t.tecla)));
    return t;
}

constexpr std::pair<Qt::Key, Qt::KeyboardModifier> Modificadores[] = {
    {Qt::Key_Shift, Qt::ShiftModifier},
    {Qt::Key_Control, Qt::ControlModifier},
    {Qt::Key_Alt, Qt::AltModifier},
};

// What the first key manager of the process heard: it is created before the
// window, so it hears each keystroke before the window's own handler and
// knows what the window is about to judge.
struct Ouvinte
{
    int descidas = 0;
    int subidas = 0;
    int certas = 0;
    int erradas = 0;
    int reaberturas = 0;
};

} // namespace

class TstTesteHammer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void hammeredKeys_data();
    void hammeredKeys();

private:
    void Reabre();
    void Envia(QEvent::Type tipo, const Toque &t, bool repetida);
    void Pressiona(const Toque &t, int repeticoes);
    void Segura(Qt::KeyboardModifiers modificadores, bool descendo);
    // The window's counters and bars against what the listener heard.
    void Confere();
    // One keystroke; if it closed the window, it must have been a key that
    // closes dialogs, and the window is shown again.
    void Golpe(const Toque &t, int repeticoes);

    std::unique_ptr<platform::VirtualClock> relogioVirtual;
    std::unique_ptr<THotKeyManager> ouvido;
    AjustesFalsos ajustes;
    std::unique_ptr<TfTeste> teste;
    Ouvinte ouvinte;
    int descidasEsperadas = 0;
    int subidasEsperadas = 0;
};

void TstTesteHammer::initTestCase()
{
    qputenv("ZIRVANO_NO_MESSAGEBOX", "1");
    // Keyed on a virtual clock with no sound device: the characters take no time.
    qputenv("SDL_AUDIODRIVER", "zirvano-none");
    relogioVirtual = std::make_unique<platform::VirtualClock>();

    ouvido = std::make_unique<THotKeyManager>(nullptr);
    ouvido->SetAppGlobal(true);
    ouvido->SetOnKeyDown([this](QObject *, quint16 &Key, TShiftState) {
        ++ouvinte.descidas;
        if (teste && teste->HotKey_Teste->Enabled() && teste->HotKey_Teste->Addressed())
            ++(Key == Tecla_Esperada ? ouvinte.certas : ouvinte.erradas);
    });
    ouvido->SetOnKeyUp([this](QObject *, quint16 &, TShiftState) { ++ouvinte.subidas; });
    ouvido->Loaded();

    ajustes.unidade = 5;
    teste = std::make_unique<TfTeste>(&ajustes);
}

void TstTesteHammer::cleanupTestCase()
{
    teste.reset();
    ouvido.reset();
}

void TstTesteHammer::Reabre()
{
    teste->hide();
    teste->show();
    QApplication::setActiveWindow(teste.get());
    QVERIFY(QTest::qWaitForWindowActive(teste.get()));
    ouvinte.certas = ouvinte.erradas = 0;
    ++ouvinte.reaberturas;
}

void TstTesteHammer::Envia(QEvent::Type tipo, const Toque &t, bool repetida)
{
    QKeyEvent evento(tipo, t.tecla, t.modificadores, t.codigo, 0, 0, t.texto, repetida);
    // The hook hears every down, auto-repeats included, and every real up,
    // once, as long as the key has a code.
    if (platform::VirtualKeyOf(evento) != 0) {
        if (tipo == QEvent::KeyPress)
            ++descidasEsperadas;
        else if (!repetida)
            ++subidasEsperadas;
    }
    QWindow *janela = teste->windowHandle();
    if (t.codigo == 0)
        qt_handleKeyEvent(janela, tipo, t.tecla, t.modificadores, t.texto, repetida);
    else
        QCoreApplication::sendEvent(janela, &evento); // the path of a scan code
}

void TstTesteHammer::Pressiona(const Toque &t, int repeticoes)
{
    Envia(QEvent::KeyPress, t, false);
    // Auto-repeat as X11 reports it: up and down pairs marked as repeats.
    for (int i = 0; i < repeticoes; ++i) {
        Envia(QEvent::KeyRelease, t, true);
        Envia(QEvent::KeyPress, t, true);
    }
    Envia(QEvent::KeyRelease, t, false);
}

void TstTesteHammer::Segura(Qt::KeyboardModifiers modificadores, bool descendo)
{
    Qt::KeyboardModifiers antes;
    for (const auto &[tecla, bit] : Modificadores) {
        if (!(modificadores & bit))
            continue;
        if (descendo) {
            Envia(QEvent::KeyPress, Simples(tecla, {}, 0, antes), false);
            antes |= bit;
        }
    }
    if (!descendo) {
        Qt::KeyboardModifiers restantes = modificadores;
        for (const auto &[tecla, bit] : Modificadores) {
            if (!(modificadores & bit))
                continue;
            Envia(QEvent::KeyRelease, Simples(tecla, {}, 0, restantes), false);
            restantes &= ~Qt::KeyboardModifiers(bit);
        }
    }
}

void TstTesteHammer::Confere()
{
    QVERIFY(teste->isVisible());
    QCOMPARE(ouvinte.descidas, descidasEsperadas);
    QCOMPARE(ouvinte.subidas, subidasEsperadas);
    const bool aguardando = teste->HotKey_Teste->Enabled();
    QCOMPARE(teste->Btn_Teste->isEnabled(), !aguardando);
    const int respondidas = ouvinte.certas + ouvinte.erradas;
    QCOMPARE(Acertos, double(ouvinte.certas));
    QCOMPARE(Testes - Acertos, double(ouvinte.erradas + (aguardando ? 1 : 0)));
    QCOMPARE(Erros, 0.0);
    QCOMPARE(Porcentagem, 0.0);
    const int certo = teste->ALPBar->Position();
    const int errado = teste->ALBar_Erro->Position();
    QVERIFY(certo >= 0 && certo <= 100);
    QVERIFY(errado >= 0 && errado <= 100);
    QCOMPARE(certo + errado, 100);
    QCOMPARE(certo, respondidas > 0 ? 100 * ouvinte.certas / respondidas : 100);
}

void TstTesteHammer::Golpe(const Toque &t, int repeticoes)
{
    const bool fecharTinhaFoco = teste->Btn_Fechar->hasFocus();
    Pressiona(t, repeticoes);
    if (!teste->isVisible()) {
        const QKeyEvent evento(QEvent::KeyPress, t.tecla, t.modificadores, t.texto);
        const bool fechaDialogo = evento.matches(QKeySequence::Cancel);
        const bool apertaFechar =
            fecharTinhaFoco &&
            (t.tecla == Qt::Key_Space || t.tecla == Qt::Key_Return || t.tecla == Qt::Key_Enter);
        QVERIFY2(fechaDialogo || apertaFechar,
                 qPrintable(QStringLiteral("closed by key 0x%1").arg(t.tecla, 0, 16)));
        Reabre();
    }
    Confere();
}

void TstTesteHammer::hammeredKeys_data()
{
    QTest::addColumn<int>("semente");
    QTest::addColumn<Repertorio>("repertorio");
    QTest::addColumn<int>("golpes");   // keystrokes, or per round with rounds
    QTest::addColumn<int>("rodadas");  // characters played, each followed by golpes keystrokes
    QTest::addColumn<bool>("durante"); // the keystrokes come while the character sounds
    const auto linha = [](const char *nome, int semente, Repertorio r, int golpes, int rodadas,
                          bool durante) {
        QTest::newRow(nome) << semente << r << golpes << rodadas << durante;
    };
    linha("ready: letters, digits, symbols", 1, Repertorio::Basicas, 600, 0, false);
    linha("ready: under Shift, Control, Alt", 2, Repertorio::Modificadores, 600, 0, false);
    linha("ready: keypad, function, editing keys", 3, Repertorio::Especiais, 600, 0, false);
    linha("awaiting: a burst after each character", 4, Repertorio::Modificadores, 60, 10, false);
    linha("awaiting: typed while the character sounds", 5, Repertorio::Basicas, 40, 6, true);
    linha("anything, seed 6", 6, Repertorio::Tudo, 800, 0, false);
    linha("anything, seed 7", 7, Repertorio::Tudo, 800, 0, false);
}

void TstTesteHammer::hammeredKeys()
{
    QFETCH(int, semente);
    QFETCH(Repertorio, repertorio);
    QFETCH(int, golpes);
    QFETCH(int, rodadas);
    QFETCH(bool, durante);

    ajustes.idioma = 0;
    Reabre();
    ouvinte = {};
    descidasEsperadas = subidasEsperadas = 0;

    std::mt19937 sorte{std::uint32_t(semente)};
    QList<Toque> teclas = repertorio == Repertorio::Especiais ? Especiais() : Basicas();
    if (repertorio == Repertorio::Tudo)
        teclas << Especiais() << Botoes();
    const auto escolhe = [&] {
        if (repertorio == Repertorio::Tudo && std::uniform_int_distribution<int>(0, 4)(sorte) == 0)
            return Aleatoria(sorte);
        return teclas[std::uniform_int_distribution<qsizetype>(0, teclas.size() - 1)(sorte)];
    };
    const auto repeticoes = [&] {
        // One key in five is held long enough to repeat.
        return std::uniform_int_distribution<int>(0, 4)(sorte) == 0
                   ? std::uniform_int_distribution<int>(1, 8)(sorte)
                   : 0;
    };
    const bool comModificadores =
        repertorio == Repertorio::Modificadores || repertorio == Repertorio::Tudo;

    // Keystrokes in groups, some under held modifiers, with the event loop
    // turning between groups as it does between a learner's keystrokes.
    const auto martela = [&](int n) {
        for (int feitos = 0; feitos < n;) {
            Qt::KeyboardModifiers seguras;
            if (comModificadores)
                seguras =
                    Qt::KeyboardModifiers(std::uniform_int_distribution<int>(0, 7)(sorte) << 25);
            Segura(seguras, true);
            const int grupo = std::min(n - feitos, std::uniform_int_distribution<int>(1, 6)(sorte));
            for (int i = 0; i < grupo; ++i, ++feitos) {
                Toque t = escolhe();
                t.modificadores |= seguras;
                Golpe(t, repeticoes());
                if (QTest::currentTestFailed())
                    return;
            }
            Segura(seguras, false);
            QCoreApplication::processEvents();
        }
    };

    if (rodadas == 0) {
        martela(golpes);
        if (QTest::currentTestFailed())
            return;
        if (repertorio != Repertorio::Tudo) {
            // Nothing in these keys starts a character or closes the window.
            QCOMPARE(Testes, 0.0);
            QCOMPARE(teste->Lb_Teste->Caption(), QString());
        }
    }
    for (int r = 0; r < rodadas; ++r) {
        if (durante) {
            // Typed while the character sounds: queued by the window system
            // and handed over once the keyer returns.
            for (int i = 0; i < golpes; ++i) {
                const Toque t = escolhe();
                for (QEvent::Type tipo : {QEvent::KeyPress, QEvent::KeyRelease}) {
                    QCoreApplication::postEvent(
                        teste->windowHandle(),
                        new QKeyEvent(tipo, t.tecla, t.modificadores, t.codigo, 0, 0, t.texto));
                    if (platform::VirtualKeyOf(QKeyEvent(tipo, t.tecla, t.modificadores, t.codigo,
                                                         0, 0, t.texto)) != 0)
                        ++(tipo == QEvent::KeyPress ? descidasEsperadas : subidasEsperadas);
                }
            }
            teste->Btn_Teste->click();
            QCoreApplication::processEvents();
            Confere();
        } else {
            teste->Btn_Teste->click();
            martela(golpes);
        }
        if (QTest::currentTestFailed())
            return;
        // The first down answered; the rest found the window ready.
        QCOMPARE(ouvinte.certas + ouvinte.erradas, r + 1);
        QCOMPARE(Testes, double(r + 1));
    }

    qInfo("%d downs and %d ups heard, %d answers, %d characters, %d reopenings", ouvinte.descidas,
          ouvinte.subidas, ouvinte.certas + ouvinte.erradas, int(Testes), ouvinte.reaberturas);

    // Still a working window: timers run, and a plain round is judged.
    bool vivo = false;
    QTimer::singleShot(0, teste.get(), [&vivo] { vivo = true; });
    QTRY_VERIFY(vivo);
    if (teste->HotKey_Teste->Enabled())
        Golpe(Simples(Qt::Key_F5), 0); // settle the character left awaiting
    const double antes = Acertos;
    teste->Btn_Teste->click();
    const int certa = Tecla_Esperada;
    Golpe(Simples(certa, QString(QChar(certa).toLower())), 0);
    QCOMPARE(Acertos, antes + 1);
    QCOMPARE(teste->Lb_Teste->Caption(), TextosTeste_(0)->Acertou);
}

QTEST_MAIN(TstTesteHammer)
#include "tst_teste_hammer.moc"
