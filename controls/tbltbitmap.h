#pragma once

#include <QImage>

// An off-screen picture (32-bit RGB) that can take another picture's size.
class TBltBitmap : public QImage
{
public:
    TBltBitmap() = default;

    // Takes the template's width and height and fills the whole picture with
    // clWindowFrame.
    void MakeLike(const QImage &templ);
};
