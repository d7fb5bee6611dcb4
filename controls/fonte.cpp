#include "controls/fonte.h"

QFont Fonte(int pixels, bool negrito)
{
    QFont fonte(QStringLiteral("Times New Roman"));
    fonte.setPixelSize(pixels);
    fonte.setBold(negrito);
    return fonte;
}
