#include "app/fimporsinal.h"
#include "app/janelas.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    int codigo = 0;
    {
        QApplication aplicacao(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Zirvano"));
        // Closing the main window ends the program once any lesson it was
        // playing has unwound.
        codigo = Janelas::Executa();
    }
    // Ended by SIGINT or SIGTERM: once unwound, end by that signal, as the
    // shell or session that sent it expects.
    FimPorSinal::Reemite();
    return codigo;
}
