#include "app/janelas.h"
#include "data/icone.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication aplicacao(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zirvano"));
    QApplication::setWindowIcon(IconeZirvano());

    const Janelas janelas;
    // Closing the main window ends the program once any lesson it was
    // playing has unwound.
    return QApplication::exec();
}
