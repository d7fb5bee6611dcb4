#include "controls/legenda.h"

#include <QLabel>

void Legenda(QLabel *label, const QString &texto)
{
    label->setText(texto);
    label->adjustSize();
}
