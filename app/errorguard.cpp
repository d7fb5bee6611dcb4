#include "app/errorguard.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {
QString UltimaMensagem;
}

void MostraErro(QWidget *parent, const QString &texto)
{
    UltimaMensagem = texto;
    if (qEnvironmentVariableIntValue("ZIRVANO_NO_MESSAGEBOX") == 1)
        return;
    QMessageBox::critical(parent, QCoreApplication::applicationName(), texto);
}

QString UltimoErro()
{
    return UltimaMensagem;
}

void LimpaUltimoErro()
{
    UltimaMensagem.clear();
}
