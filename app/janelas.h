#pragma once

#include <memory>

class TfMorse;
class TfSobre;
class TfTeclado;
class TfTeste;
class TFIdioma;
namespace record {
class Record;
}

// The program's windows, created in start-up order (after the program's icon
// is set for every window) and published in their globals, the main window shown before the others
// exist (they copy its language when they are created). On destruction every global is cleared
// before any window goes, the last created going first.
class Janelas
{
public:
    Janelas();
    ~Janelas();
    Janelas(const Janelas &) = delete;
    Janelas &operator=(const Janelas &) = delete;

    // The program's life once the application object exists: watches SIGINT
    // and SIGTERM, creates the windows, runs the event loop until the main
    // window is closed or a signal asks the program to end (a lesson or a
    // sentence playing then stops at its next character), and destroys the
    // windows. Returns the event loop's exit code.
    static int Executa();

private:
    // The learner's record, declared first so that it goes after every
    // window that stores in it.
    std::unique_ptr<record::Record> registro;
    std::unique_ptr<TfMorse> morse;
    std::unique_ptr<TfSobre> sobre;
    std::unique_ptr<TfTeclado> teclado;
    std::unique_ptr<TfTeste> teste;
    // Never shown; its text-rotation timer runs for the life of the program.
    std::unique_ptr<TFIdioma> idioma;
};
