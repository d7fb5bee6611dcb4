#include "app/commandline.h"
#include "app/fimporsinal.h"
#include "app/janelas.h"
#include "record/record.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Zirvano"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZIRVANO_VERSION));
    // What needs no window runs without a display: only the windows make a
    // QApplication.
    CommandLine::Action acao = CommandLine::Action::Window;
    {
        QCoreApplication nucleo(argc, argv);
        const CommandLine linha(QCoreApplication::arguments());
        acao = linha.action();
        QTextStream saida(stdout);
        QTextStream erros(stderr);
        switch (acao) {
        case CommandLine::Action::Window:
        case CommandLine::Action::Course:
        case CommandLine::Action::Send:
            break;
        case CommandLine::Action::ExportRecord: {
            record::Record registro;
            QObject::connect(&registro, &record::Record::problem,
                             [&](const QString &texto) { erros << "zirvano: " << texto << '\n'; });
            QString erro;
            if (registro.open() && registro.exportCsv(linha.recordFile(), &erro))
                return CommandLine::Success;
            if (!erro.isEmpty())
                erros << "zirvano: " << erro << '\n';
            return CommandLine::Failure;
        }
        default:
            return linha.run(saida, erros);
        }
    }
    int codigo = 0;
    {
        QApplication aplicacao(argc, argv);
        // Closing the main window ends the program once any lesson it was
        // playing has unwound. When acao is Course or Send, the practice
        // window is to open at that page here, beside the main window.
        codigo = Janelas::Executa();
    }
    // Ended by SIGINT or SIGTERM: once unwound, end by that signal, as the
    // shell or session that sent it expects.
    FimPorSinal::Reemite();
    return codigo;
}
