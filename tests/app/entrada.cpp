// The program entry as app/main.cpp runs it, for tst_tfmorse's signal test:
// before the event loop it sets up a moment to be ended at, and prints
// "pronto" once that moment has come and a tone has played, and "desfeito"
// if the windows unwound before the program ended.
//
//   entrada parado   after a whole lesson, idle
//   entrada licao    during a lesson at the slowest speed
//   entrada licaorapida  during the first lesson, 5 times each, at 25 PpM
//   entrada frase    during a sentence of the virtual keyboard
//   entrada idioma   at the first start's language question
//   entrada preso    after a whole lesson, with something that holds the
//                    program 5 s as it unwinds

#include "app/fimporsinal.h"
#include "app/janelas.h"
#include "app/tfidioma.h"
#include "app/tfmorse.h"
#include "keyboard/tfteclado.h"
#include "platform/playsound.h"
#include "sound/tgerasom.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

void Diz(const char *texto)
{
    std::puts(texto);
    std::fflush(stdout);
}

// "tom" at every tone, "pronto" with the second: the first has played on an
// open device.
void ProntoNoSegundoTom()
{
    platform::setSoundObserver([tons = 0](const platform::SoundCall &c) mutable {
        if (c.kind != platform::SoundCall::Kind::Play)
            return;
        Diz("tom");
        if (++tons == 2)
            Diz("pronto");
    });
}

} // namespace

int main(int argc, char *argv[])
{
    const QByteArray modo = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    int codigo = 0;
    {
        QApplication aplicacao(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Zirvano"));
        if (modo == "parado" || modo == "preso") {
            QTimer::singleShot(0, [] {
                fMorse->Control_Vel->setValue(5);
                fMorse->Btn_Iniciar->click();
                Diz("pronto");
            });
            if (modo == "preso")
                QObject::connect(&aplicacao, &QCoreApplication::aboutToQuit,
                                 [] { std::this_thread::sleep_for(std::chrono::seconds(5)); });
        } else if (modo == "licao") {
            ProntoNoSegundoTom();
            QTimer::singleShot(0, [] { fMorse->Btn_Iniciar->click(); });
        } else if (modo == "licaorapida") {
            // Thirty characters, none longer than 400 ms.
            ProntoNoSegundoTom();
            QTimer::singleShot(0, [] {
                fMorse->Control_Vel->setValue(5);
                fMorse->ListBox_Vezes->setCurrentRow(4);
                fMorse->Btn_Iniciar->click();
            });
        } else if (modo == "frase") {
            ProntoNoSegundoTom();
            QTimer::singleShot(0, [] {
                auto *teclado = static_cast<TfTeclado *>(fTeclado);
                QTimer::singleShot(0, teclado, [teclado] {
                    teclado->Edit_Frase->setText(QStringLiteral("PARIS PARIS PARIS"));
                    teclado->SB_Ini_Frase->click();
                });
                fMorse->Btn_Teclado->click();
            });
        } else if (modo == "idioma") {
            TGeraSom tom;
            tom.SetDuration(50);
            tom.Play();
            auto *espera = new QTimer(&aplicacao);
            QObject::connect(espera, &QTimer::timeout, espera, [espera] {
                if (qobject_cast<TFIdioma *>(QApplication::activeModalWidget())) {
                    espera->stop();
                    Diz("pronto");
                }
            });
            espera->start(10);
        } else {
            std::fputs("usage: entrada parado|licao|licaorapida|frase|idioma|preso\n", stderr);
            return 2;
        }
        codigo = Janelas::Executa();
        Diz("desfeito");
    }
    FimPorSinal::Reemite();
    return codigo;
}
