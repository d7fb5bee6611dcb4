#include "bench/appscenario.h"

#include "app/janelas.h"
#include "app/licoes.h"
#include "app/tfmorse.h"
#include "bench/scenarioreport.h"
#include "data/icone.h"
#include "keyboard/tfteclado.h"
#include "platform/keyingsequence.h"
#include "platform/playsound.h"
#include "platform/sounddevice.h"
#include "reception/tfteste.h"
#include "sound/tgerasom.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <chrono>
#include <functional>

namespace AppScenario {

namespace {

using Clock = std::chrono::steady_clock;

const QByteArray Word = QByteArrayLiteral("PARIS");
const QByteArray Sentence = QByteArrayLiteral("PARIS PARIS PARIS");

// Presses a main-window button whose handler opens a modal window of type
// Janela; inside runs in that window's event loop and must close it.
template <class Janela>
void withModal(QAbstractButton *button, ScenarioReport &report,
               std::function<void(Janela *)> inside)
{
    QTimer::singleShot(0, button, [&report, inside] {
        QWidget *modal = nullptr;
        if (!QTest::qWaitFor([&modal] { return (modal = QApplication::activeModalWidget()); },
                             5000)) {
            report.error = QStringLiteral("no modal window came up");
            return;
        }
        auto *janela = qobject_cast<Janela *>(modal);
        if (!janela) {
            report.error = QStringLiteral("the button opened no %1")
                               .arg(QLatin1String(Janela::staticMetaObject.className()));
            modal->close();
            return;
        }
        inside(janela);
    });
    button->click();
}

// The first lesson, once each, from the Play button.
void lesson(int unit, ScenarioReport &report)
{
    fMorse->Control_Vel->setValue(unit);
    fMorse->ListBox_Licao->setCurrentRow(0);
    fMorse->ListBox_Vezes->setCurrentRow(0);
    if (Licao != 0 || Vezes != 1 || fMorse->Unidade != unit) {
        report.error = QStringLiteral("lesson %1, %2 repeats, unit %3 set up")
                           .arg(Licao)
                           .arg(Vezes)
                           .arg(fMorse->Unidade);
        return;
    }
    for (const Licoes::Caracter &c : Licoes::Caracteres(0))
        report.text.append(QString::fromUtf8(c.Letra).at(0).toLatin1());
    fMorse->Btn_Iniciar->click();
}

// Keys typed on the computer keyboard while a key button has the focus.
void keyboard(ScenarioReport &report)
{
    withModal<TfTeclado>(fMorse->Btn_Teclado, report, [&report](TfTeclado *teclado) {
        QWidget *focus = teclado->focusWidget() ? teclado->focusWidget() : teclado;
        QTest::keyClicks(focus, QString::fromLatin1(Word));
        report.text = Word;
        if (teclado->Edit_Letras->text() != QString::fromLatin1(Word))
            report.error =
                QStringLiteral("the display line shows \"%1\"").arg(teclado->Edit_Letras->text());
        teclado->SBtn_Fechar->click();
    });
}

// A sentence typed into the sentence field and played.
void phrase(ScenarioReport &report)
{
    withModal<TfTeclado>(fMorse->Btn_Teclado, report, [&report](TfTeclado *teclado) {
        QTest::keyClicks(teclado->Edit_Frase, QString::fromLatin1(Sentence));
        if (teclado->Edit_Frase->text() != QString::fromLatin1(Sentence)) {
            report.error =
                QStringLiteral("the sentence field holds \"%1\"").arg(teclado->Edit_Frase->text());
        } else {
            report.text = Sentence;
            teclado->SB_Ini_Frase->click();
        }
        teclado->SBtn_Fechar->click();
    });
}

// Test characters, each answered rightly at once and the next one asked for.
void test(int characters, ScenarioReport &report)
{
    withModal<TfTeste>(fMorse->Btn_Teste, report, [&report, characters](TfTeste *teste) {
        // Nothing activates a new window offscreen; the answers are heard only
        // while the test window is the active one.
        teste->activateWindow();
        if (!QTest::qWaitForWindowActive(teste)) {
            report.error = QStringLiteral("the test window never became active");
        } else {
            for (int i = 0; i < characters && report.error.isEmpty(); ++i) {
                // Each character follows the learner's answer: a chain of its own.
                if (i > 0)
                    report.breaks.push_back(int(report.callsMs.size()));
                teste->Btn_Teste->click(); // returns once the character has sounded
                report.text.append(char(Tecla_Esperada));
                QWidget *focus = teste->focusWidget() ? teste->focusWidget() : teste;
                QTest::keyClick(focus, static_cast<Qt::Key>(Tecla_Esperada));
                if (Testes != i + 1 || Acertos != i + 1)
                    report.error =
                        QStringLiteral("the test counted %1 right of %2").arg(Acertos).arg(Testes);
            }
        }
        teste->Btn_Fechar->click();
    });
}

void describe(const TGeraSom &g, ScenarioReport &report)
{
    report.frequency = g.Frequency();
    report.waveform = g.Waveform();
    report.resolution = g.Resolution();
    report.quality = g.Quality();
}

void play(const Options &o, ScenarioReport &report)
{
    if (!QTest::qWaitForWindowExposed(fMorse)) {
        report.error = QStringLiteral("the main window was never exposed");
        return;
    }
    if (fMorse->NumIdioma != 2) {
        report.error = QStringLiteral("the trainer started in language %1").arg(fMorse->NumIdioma);
        return;
    }
    const QString &s = o.scenario;
    const TGeraSom *generator = fMorse->GeraSom;
    if (s.startsWith(QLatin1String("lesson-u"))) {
        lesson(s.mid(8).toInt(), report);
    } else {
        // The keyboard and the test window take the speed when they are shown.
        fMorse->Control_Vel->setValue(o.unit);
        if (s == QLatin1String("keyboard")) {
            keyboard(report);
        } else if (s == QLatin1String("phrase")) {
            phrase(report);
        } else if (s == QLatin1String("test")) {
            test(o.characters, report);
            generator = qobject_cast<TfTeste *>(fTeste)->GeraSom1;
        } else {
            report.error = QStringLiteral("no scenario %1").arg(s);
        }
    }
    describe(*generator, report);
    report.unit = fMorse->Unidade;
}

} // namespace

QStringList names()
{
    return {QStringLiteral("lesson-u5"), QStringLiteral("lesson-u25"), QStringLiteral("keyboard"),
            QStringLiteral("phrase"), QStringLiteral("test")};
}

int run(int &argc, char **argv, const Options &o)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zirvano"));
    QApplication::setWindowIcon(IconeZirvano());

    ScenarioReport report;
    report.scenario = o.scenario;
    platform::SoundDevice &device = platform::SoundDevice::instance();
    std::uint32_t volume = device.volume();
    Clock::time_point first{};
    platform::setSoundObserver([&](const platform::SoundCall &c) {
        if (c.kind == platform::SoundCall::Kind::Volume && c.device == 0)
            volume = c.volume;
        if (c.kind != platform::SoundCall::Kind::Play)
            return;
        const auto now = Clock::now();
        if (report.callsMs.empty())
            first = now;
        report.callsMs.push_back(std::chrono::duration<double, std::milli>(now - first).count());
        report.volumes.push_back(volume);
    });

    const Janelas janelas;
    QTimer::singleShot(0, fMorse, [&] {
        play(o, report);
        // What the windows placed ahead sounds out before the device closes.
        for (QObject *janela : {static_cast<QObject *>(fMorse), static_cast<QObject *>(fTeclado),
                                static_cast<QObject *>(fTeste)})
            if (janela != nullptr)
                for (auto *s : janela->findChildren<platform::KeyingSequence *>())
                    s->waitUntilIdle();
        const platform::SoundDevice::Stats stats = device.stats();
        report.rate = stats.rate;
        report.bufferFrames = stats.bufferFrames;
        report.tones = stats.tones;
        report.lateTones = stats.lateTones;
        report.meanLatencyMs = stats.timedTones > 0 ? stats.sumLatencyMs / stats.timedTones : 0;
        report.minLatencyMs = stats.minLatencyMs;
        report.maxLatencyMs = stats.maxLatencyMs;
        report.maxCallbackGapMs = stats.maxCallbackGapMs;
        report.underruns = stats.underruns;
        report.realtime = stats.realtime;
        // Closing the device writes the disk driver's last buffers.
        device.shutdown();
        QCoreApplication::exit(0);
    });
    QApplication::exec();
    platform::setSoundObserver({});
    return report.save(o.report) ? 0 : 1;
}

} // namespace AppScenario
