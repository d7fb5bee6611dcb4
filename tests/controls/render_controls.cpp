// Renders the controls in the settings the windows use into PNG files:
//   render_controls [folder]   (default: png/ beside this program's build)

#include "controls/talprogressbar.h"
#include "controls/tdrlabel.h"
#include "controls/tgauge.h"
#include "fixture.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTextStream>

namespace {

QFont TimesFont(int pixelSize, bool bold)
{
    QFont f(QStringLiteral("Times New Roman"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

TGauge *LevelGauge(QWidget *parent, int x, TColor fore, int min, int max, int progress)
{
    auto *g = new TGauge(parent);
    g->setGeometry(x, 40, 5, 153);
    g->SetKind(gkVerticalBar);
    g->SetShowText(false);
    g->SetForeColor(fore);
    g->SetBackColor(clGray);
    g->SetMinValue(min);
    g->SetMaxValue(max);
    g->SetProgress(progress);
    return g;
}

TGauge *FigureGauge(QWidget *parent, QRect geometry, TGaugeKind kind, int progress)
{
    auto *g = new TGauge(parent);
    g->setGeometry(geometry);
    g->SetKind(kind);
    g->SetForeColor(clNavy);
    g->SetBackColor(clWhite);
    g->setFont(TimesFont(13, true));
    g->SetProgress(progress);
    return g;
}

TDRLabel *Caption(QWidget *parent, QRect geometry, const QString &text, TColor hi, TColor lo)
{
    auto *l = new TDRLabel(parent);
    l->SetAutoSize(false);
    l->setGeometry(geometry);
    l->SetAlignment(Qt::AlignHCenter);
    l->setFont(TimesFont(13, true));
    l->SetColor(clSilver);
    l->SetFontColor(hi);
    l->SetHiColor(hi);
    l->SetLoColor(lo);
    l->SetShadowColor(clSilver);
    l->SetCaption(text);
    return l;
}

TALProgressBar *Bar(QWidget *parent, int y, TBarColorStyle style, bool percentage, int position,
                    const QString &suffix)
{
    auto *b = new TALProgressBar(parent);
    b->setGeometry(360, y, 210, 25);
    b->SetBackgroundColor(clSilver);
    b->SetBarColor1(clRed);
    b->SetBarColor3(clGreen);
    b->SetBarColorStyle(style);
    b->SetPercentage(percentage);
    b->SetPosTextSuffix(suffix);
    b->SetPosition(position);
    return b;
}

void Save(const QImage &image, const QDir &dir, const QString &name, QTextStream &out)
{
    const QString path = dir.filePath(name);
    image.save(path);
    out << path << '\n';
    const QString big = dir.filePath(QStringLiteral("x4-") + name);
    image.scaled(image.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(big);
    out << big << '\n';
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    fixture::UseFixedLook();
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(ZIRVANO_PNG_DIR));
    QDir().mkpath(dir.path());
    QTextStream out(stdout);

    QWidget sheet;
    sheet.setFixedSize(600, 420);
    QPalette pal = sheet.palette();
    pal.setColor(QPalette::Window, ToQColor(clSilver));
    sheet.setPalette(pal);
    sheet.setAutoFillBackground(true);

    // The main window's level column.
    Caption(&sheet, QRect(10, 10, 99, 15), QStringLiteral("Volumes"), clBlack, clBlack);
    LevelGauge(&sheet, 20, clYellow, 0, 100, 50);
    LevelGauge(&sheet, 40, clBlue, 0, 100, 80);
    LevelGauge(&sheet, 60, clRed, 5, 25, 25);
    LevelGauge(&sheet, 80, clLime, 0, 3000, 800);
    Caption(&sheet, QRect(110, 10, 105, 15), QStringLiteral("Formas de Onda"), clBlue, clNavy);

    FigureGauge(&sheet, QRect(120, 40, 100, 24), gkHorizontalBar, 37);
    FigureGauge(&sheet, QRect(120, 70, 100, 24), gkText, 64);
    FigureGauge(&sheet, QRect(120, 100, 80, 80), gkPie, 30);
    FigureGauge(&sheet, QRect(210, 100, 120, 70), gkNeedle, 75);

    // The reception test's verdict and bars.
    auto *verdict = new TDRLabel(&sheet);
    verdict->SetAutoSize(false);
    verdict->setGeometry(8, 220, 361, 30);
    verdict->SetAlignment(Qt::AlignHCenter);
    verdict->setFont(TimesFont(19, true));
    verdict->SetFontColor(clRed);
    verdict->SetHiColor(clRed);
    verdict->SetLoColor(clBlack);
    verdict->SetBorder(boLowered);
    verdict->SetShadowColor(clGray);
    verdict->SetCaption(QString::fromUtf8("Parabéns você acertou"));

    auto *raised = new TDRLabel(&sheet);
    raised->setGeometry(8, 260, 170, 24);
    raised->SetAutoSize(false);
    raised->SetBorder(boRaised);
    raised->SetDeep(2);
    raised->SetShadowColor(clGray);
    raised->SetCaption(QStringLiteral("Raised, deep 2, a caption that wraps"));

    Bar(&sheet, 20, cs3Colors, true, 100, QStringLiteral(" % de acertos"));
    Bar(&sheet, 50, cs3Colors, true, 50, QStringLiteral(" % de acertos"));
    Bar(&sheet, 80, cs1Color, false, 30, QStringLiteral(" % de erros"));
    auto *two = Bar(&sheet, 110, cs2Colors, false, 70, QString());
    two->SetDirection(pdRightToLeft);
    two->SetPosTextPrefix(QStringLiteral("A"));
    two->SetPosTextSuffix(QStringLiteral("%"));
    for (int i = 0; i < 2; ++i) {
        auto *v = new TALProgressBar(&sheet);
        v->setGeometry(380 + 40 * i, 150, 25, 150);
        v->SetDirection(i == 0 ? pdBottomToTop : pdTopToBottom);
        v->SetShowPosText(false);
        v->SetPosition(60);
    }
    auto *tiled = new TALProgressBar(&sheet);
    tiled->setGeometry(470, 150, 100, 30);
    QImage tile(7, 5, QImage::Format_RGB32);
    tile.fill(ToQColor(clTeal));
    for (int x = 0; x < 7; ++x)
        tile.setPixel(x, 2, qRgb(255, 255, 0));
    tiled->SetBarBitmap(tile);
    tiled->SetShowBorder(false);
    tiled->SetPosition(80);

    sheet.show();
    Save(sheet.grab().toImage(), dir, QStringLiteral("controls.png"), out);
    return 0;
}
