#include "app/janelas.h"

#include "app/errorguard.h"
#include "app/fimporsinal.h"
#include "app/tfidioma.h"
#include "app/tfmorse.h"
#include "app/tfsobre.h"
#include "course/coursepage.h"
#include "course/keyedrunplayer.h"
#include "data/icone.h"
#include "keyboard/tfteclado.h"
#include "platform/keyingsequence.h"
#include "progress/characterspage.h"
#include "reception/tfteste.h"
#include "recognition/recognitionpage.h"
#include "recognition/sequenceplayer.h"
#include "record/record.h"
#include "sendpage/sendpage.h"

#include <QApplication>
#include <QTimer>

Janelas::Janelas()
{
    // Every window, the language window made afresh later included, shows
    // the program's icon rather than one of its own.
    QApplication::setWindowIcon(IconeZirvano());
    morse = std::make_unique<TfMorse>();
    fMorse = morse.get();
    fMorse->show();
    sobre = std::make_unique<TfSobre>(fMorse);
    fSobre = sobre.get();
    teclado = std::make_unique<TfTeclado>(fMorse);
    fTeclado = teclado.get();
    teste = std::make_unique<TfTeste>(fMorse);
    fTeste = teste.get();
    // The record's faults are shown over the main window once the event loop
    // runs, never from inside a store.
    registro = std::make_unique<record::Record>();
    QObject::connect(
        registro.get(), &record::Record::problem, fMorse,
        [](const QString &texto) { MostraErro(fMorse, texto); }, Qt::QueuedConnection);
    registro->open();
    teste->SetRecord(registro.get());
    corridas = std::make_unique<course::RecordStore>(*registro);
    pratica = std::make_unique<course::PracticeWindow>(fMorse, fMorse);
    // The course and the drill take turns on one player, which the main
    // window owns: it outlives the pages, which stop it as they go.
    auto *tocador = new course::KeyedRunPlayer(fMorse);
    pratica->addPage(course::PracticePage::Course,
                     new course::CoursePage(fMorse, tocador, corridas.get(), &exportador));
    pratica->addPage(course::PracticePage::Characters,
                     new progress::CharactersPage(fMorse, tocador, registro.get()));
    pratica->addPage(
        course::PracticePage::Recognition,
        new recognition::RecognitionPage(new recognition::SequencePlayer(fMorse), registro.get()));
    pratica->addPage(course::PracticePage::Send, new sending::SendPage(fMorse, registro.get()));
    fPratica = pratica.get();
    idioma = std::make_unique<TFIdioma>();
    FIdioma = idioma.get();
}

Janelas::~Janelas()
{
    FIdioma = nullptr;
    fPratica = nullptr;
    fTeste = nullptr;
    fTeclado = nullptr;
    fSobre = nullptr;
    fMorse = nullptr;
}

// A page the window does not hold yet leaves it where it was.
void Janelas::AbrePratica(course::PracticePage pagina) const
{
    QTimer::singleShot(0, pratica.get(), [this, pagina] {
        if (!pratica->isVisible())
            pratica->openAt(pagina);
        else
            pratica->showPage(pagina);
    });
}

int Janelas::Executa(std::optional<course::PracticePage> pratica)
{
    const FimPorSinal fim;
    QObject::connect(&fim, &FimPorSinal::Recebido, [] {
        Parar = 1;
        Parar_Frase = true;
        // Nothing waits for a character to sound out: the windows unwind now.
        platform::KeyingSequence::abortWaits();
    });
    const Janelas janelas;
    if (pratica)
        janelas.AbrePratica(*pratica);
    // A signal while the first start asked for the language ended that
    // window's loop; the program goes no further.
    return FimPorSinal::Sinal() != 0 ? 0 : QApplication::exec();
}
