#include "app/tfidioma.h"
#include "app/tfmorse.h"
#include "app/tfsobre.h"
#include "data/icone.h"
#include "keyboard/tfteclado.h"
#include "test/tfteste.h"

#include <QApplication>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication aplicacao(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zirvano"));
    QApplication::setWindowIcon(IconeZirvano());

    // The main window is shown before the others exist: they copy its
    // language when they are created.
    auto morse = std::make_unique<TfMorse>();
    fMorse = morse.get();
    fMorse->show();
    auto sobre = std::make_unique<TfSobre>();
    fSobre = sobre.get();
    auto teclado = std::make_unique<TfTeclado>();
    fTeclado = teclado.get();
    auto teste = std::make_unique<TfTeste>();
    fTeste = teste.get();
    // Never shown; its text-rotation timer runs for the life of the program.
    const auto idioma = std::make_unique<TFIdioma>();
    FIdioma = idioma.get();

    // Closing the main window ends the program once any lesson it was
    // playing has unwound.
    const int resultado = QApplication::exec();
    FIdioma = nullptr;
    fTeste = nullptr;
    fTeclado = nullptr;
    fSobre = nullptr;
    fMorse = nullptr;
    return resultado;
}
