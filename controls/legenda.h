#pragma once

#include <QString>

class QLabel;

// Sets a label's caption and sizes the label to it, its top-left corner
// fixed, as the windows' self-sizing labels do.
void Legenda(QLabel *label, const QString &texto);
