#include "answers.h"
#include "keyboard/tfteclado.h"
#include "progress/charactermap.h"
#include "progress/progresschart.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QtTest>

using namespace Qt::StringLiterals;
using progress::CharacterMap;
using progress::CharacterMapPainter;
using progress::Grade;
using progress::ProgressChartPainter;

Q_DECLARE_METATYPE(progress::Grade)

namespace {

// Palette colours all distinct, so each can be told apart in a picture.
const QColor Window(200, 201, 202);
const QColor Text(1, 2, 3);
const QColor Highlight(10, 20, 200);

void UseFixedLook()
{
    QApplication::setStyle(u"Fusion"_s);
    QPalette pal = QApplication::style()->standardPalette();
    pal.setColor(QPalette::Window, Window);
    pal.setColor(QPalette::Text, Text);
    pal.setColor(QPalette::Highlight, Highlight);
    pal.setColor(QPalette::Dark, QColor(100, 101, 102));
    QApplication::setPalette(pal);
    QFont f(u"Liberation Sans"_s);
    f.setPixelSize(12);
    QApplication::setFont(f);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// The virtual keyboard's keys; K green, M amber, U red, R grey (9 answers).
void Fill(CharacterMap &map)
{
    QList<progress::KeyCap> keys;
    for (const TfTeclado::Posicao &p : TfTeclado::Posicoes())
        keys.append({QString(p.caractere), p.retangulo});
    map.setKeys(keys);
    answers::Maker make;
    QList<record::Answer> list = make.many(u"K"_s, 10, 10);
    list += make.many(u"M"_s, 10, 8, u"N"_s);
    list += make.many(u"U"_s, 10, 6, u"R"_s);
    list += make.many(u"R"_s, 9, 9);
    map.setStatistics(progress::CharacterStats(list));
}

int IndexOf(const CharacterMap &map, const QString &c)
{
    for (int i = 0; i < map.keys().size(); ++i)
        if (map.keys().at(i).character == c)
            return i;
    return -1;
}

QColor Pixel(const QImage &image, QPointF at)
{
    return QColor(image.pixel(at.toPoint()));
}

// A point on a key's selection frame, inside its own border.
QColor FrameOf(CharacterMap &map, const QString &c)
{
    const QRectF key = map.painter().keyRect(IndexOf(map, c), map.rect());
    return Pixel(map.grab().toImage(), {key.left() + 1.2, key.center().y()});
}

// The share of the middle of the segment a..b drawn in colour (within a pixel).
double InkAlong(const QImage &image, QPointF a, QPointF b, const QColor &colour)
{
    int hits = 0;
    for (int i = 0; i < 40; ++i) {
        const QPoint at = (a + (b - a) * (0.3 + 0.01 * i)).toPoint();
        bool found = false;
        for (int d = 0; d < 9 && !found; ++d)
            found = image.pixel(at + QPoint(d % 3 - 1, d / 3 - 1)) == colour.rgb();
        hits += found ? 1 : 0;
    }
    return hits / 40.0;
}

} // namespace

class TstProgressWidgets : public QObject
{
    Q_OBJECT

private slots:
    void keyboardGeometry()
    {
        QString characters;
        TfTeclado window;
        QList<QRect> buttons;
        for (const QPushButton *b : window.findChildren<QPushButton *>())
            buttons.append(b->geometry());
        for (const TfTeclado::Posicao &p : TfTeclado::Posicoes()) {
            characters += p.caractere;
            QVERIFY2(buttons.removeOne(p.retangulo), qPrintable(QString(p.caractere)));
        }
        QCOMPARE(characters, QString::fromUtf8("1234567890QWERTYUIOPASDFGHJKL:ZXCVBNM,.?ÇÉÃ ;()"));
        QVERIFY(buttons.isEmpty());
    }

    void keyColours_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<Grade>("grade");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("green") << u"K"_s << Grade::Green << QColor(46, 160, 67);
        QTest::newRow("amber") << u"M"_s << Grade::Amber << QColor(242, 169, 0);
        QTest::newRow("red") << u"U"_s << Grade::Red << QColor(207, 34, 46);
        QTest::newRow("grey, 9 answers") << u"R"_s << Grade::Unknown << QColor(178, 178, 178);
        QTest::newRow("grey, never asked") << u"Ç"_s << Grade::Unknown << QColor(178, 178, 178);
    }
    void keyColours()
    {
        QFETCH(QString, character);
        QFETCH(Grade, grade);
        QFETCH(QColor, colour);
        CharacterMap map;
        Fill(map);
        const int i = IndexOf(map, character);
        QCOMPARE(map.grade(i), grade);
        const CharacterMapPainter p = map.painter();
        for (const int scale : {1, 2}) {
            QImage image(p.bounds().size() * scale + QSize(4, 4), QImage::Format_RGB32);
            QPainter painter(&image);
            p.paint(&painter, image.rect(), QApplication::palette(), QApplication::font());
            const QRectF key = p.keyRect(i, image.rect());
            QCOMPARE(key.size(), QSizeF(30, 30) * scale);
            for (const QPointF &at :
                 {key.topLeft() + QPointF(4, 4) * scale, key.bottomLeft() + QPointF(4, -5) * scale})
                QCOMPARE(Pixel(image, at), colour);
            QCOMPARE(Pixel(image, key.topLeft() - QPointF(1, 1)), Window);
        }
    }

    void selectionByKeyboardAndPointer()
    {
        CharacterMap map;
        Fill(map);
        map.resize(map.sizeHint());
        map.show();
        QSignalSpy selected(&map, &CharacterMap::selectionChanged);
        QSignalSpy info(&map, &CharacterMap::infoChanged);
        QStringList path;
        for (const Qt::Key key :
             {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Up,
              Qt::Key_Left, Qt::Key_Left, Qt::Key_End, Qt::Key_Left, Qt::Key_Up, Qt::Key_Home,
              Qt::Key_Down, Qt::Key_Down, Qt::Key_Down}) {
            QTest::keyClick(&map, key);
            path << map.selectedCharacter();
        }
        // Staggered rows: down leans right and up leans left, so they retrace.
        QCOMPARE(path.join(u' '), u"1 2 W S W 2 1 1 ) ( . 1 Q A Z"_s);
        QCOMPARE(selected.size(), 14); // the second Left at 1 went nowhere
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(&map, Qt::Key_Right);
        QCOMPARE(selected.last().first().toString(), u"M"_s);
        const QString m = u"M 80 %, heard as N x2; last 10 answer(s)"_s;
        QCOMPARE(map.accessibleDescription(), m);
        QCOMPARE(info.last().first().toString(), m);
        QCOMPARE(FrameOf(map, u"M"_s), Highlight);
        QCOMPARE(FrameOf(map, u"N"_s), CharacterMapPainter::fill(Grade::Unknown));

        // Pointing shows another key's figures and frames it; leaving, the
        // selected key's come back.
        const QPointF u = map.painter().keyRect(IndexOf(map, u"U"_s), map.rect()).center();
        QMouseEvent move(QEvent::MouseMove, u, map.mapToGlobal(u), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&map, &move);
        QCOMPARE(info.last().first().toString(), u"U 60 %, heard as R x4; last 10 answer(s)"_s);
        QCOMPARE(FrameOf(map, u"U"_s), Text);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&map, &leave);
        QCOMPARE(map.infoText(), m);
        QTest::mouseClick(&map, Qt::LeftButton, {}, u.toPoint());
        QCOMPARE(map.selectedCharacter(), u"U"_s);
    }

    void chart_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("200 %") << 2.0;
    }
    void chart()
    {
        QFETCH(qreal, ratio);
        const QList<progress::DayPoint> days{{QDate(2024, 3, 1), 10, 6, 8},
                                             {QDate(2024, 3, 4), 20, 16, 10},
                                             {QDate(2024, 3, 5), 8, 7, 12.5}};
        const ProgressChartPainter p(days);
        QCOMPARE(p.speedTop(), 16);
        const QRect area(0, 0, 480, 260);
        QImage image(area.size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        const QFont font = QApplication::font();
        p.paint(&painter, area, QApplication::palette(), font);
        const QRectF plot = p.plotArea(area, font);
        const auto a = [&](int i) { return p.accuracyPoint(i, area, font); };
        const auto s = [&](int i) { return p.speedPoint(i, area, font); };
        for (int i = 0; i < days.size(); ++i) {
            QCOMPARE(Pixel(image, a(i) * ratio), ProgressChartPainter::accuracyColour());
            QCOMPARE(Pixel(image, s(i) * ratio), ProgressChartPainter::speedColour());
            QCOMPARE(plot.bottom() - a(i).y(), days[i].accuracy() * plot.height());
            QCOMPARE(plot.bottom() - s(i).y(), days[i].effectiveWpm / 16 * plot.height());
            if (i == 0)
                continue;
            // Joined by a solid and a dashed line.
            QCOMPARE(InkAlong(image, a(i - 1) * ratio, a(i) * ratio,
                              ProgressChartPainter::accuracyColour()),
                     1.0);
            const double dashed = InkAlong(image, s(i - 1) * ratio, s(i) * ratio,
                                           ProgressChartPainter::speedColour());
            QVERIFY2(dashed > 0.3 && dashed < 0.95, qPrintable(QString::number(dashed)));
        }
        // Days lie at their calendar distance: 4 March three quarters of the way.
        QCOMPARE((a(1).x() - a(0).x()) / (a(2).x() - a(0).x()), 0.75);

        progress::ProgressChart chart;
        QCOMPARE(chart.accessibleDescription(), u"No practice yet."_s);
        chart.setDays(days.mid(1));
        QCOMPARE(chart.accessibleName(), u"Progress chart"_s);
        QCOMPARE(chart.accessibleDescription(),
                 u"Accuracy and effective speed per day from Monday, March 4, 2024 to Tuesday, "
                 "March 5, 2024, 2 day(s) with practice. On the last day: accuracy 88 %, "
                 "effective speed 12.5 WPM."_s);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    UseFixedLook();
    TstProgressWidgets t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_progresswidgets.moc"
