#include "controls/tbltbitmap.h"

#include "controls/colors.h"

void TBltBitmap::MakeLike(const QImage &templ)
{
    QImage::operator=(QImage(templ.size(), QImage::Format_RGB32));
    fill(ToQColor(clWindowFrame));
}
