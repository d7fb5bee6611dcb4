#include "app/commandline.h"
#include "app/fimporsinal.h"
#include "app/janelas.h"
#include "record/record.h"

#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <optional>

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
        // playing has unwound. For Course and Send the practice window opens
        // at that page over the main window.
        std::optional<course::PracticePage> pratica;
        if (acao == CommandLine::Action::Course)
            pratica = course::PracticePage::Course;
        else if (acao == CommandLine::Action::Send)
            pratica = course::PracticePage::Send;
        codigo = Janelas::Executa(pratica);
    }
    // Ended by SIGINT or SIGTERM: once unwound, end by that signal, as the
    // shell or session that sent it expects.
    FimPorSinal::Reemite();
    return codigo;
}
