#include "controls/tlinklabel.h"

#include <QSignalSpy>
#include <QTest>

// A link follows only a left button released over it.
class TstTLinkLabel : public QObject
{
    Q_OBJECT

private slots:
    void clickOnlyWhenReleasedInside_data()
    {
        QTest::addColumn<Qt::MouseButton>("botao");
        QTest::addColumn<QPoint>("solta"); // where the button comes up
        QTest::addColumn<int>("cliques");
        QTest::newRow("left, inside") << Qt::LeftButton << QPoint(10, 5) << 1;
        QTest::newRow("left, last pixel") << Qt::LeftButton << QPoint(59, 19) << 1;
        QTest::newRow("left, just right of it") << Qt::LeftButton << QPoint(60, 5) << 0;
        QTest::newRow("left, above it") << Qt::LeftButton << QPoint(10, -1) << 0;
        QTest::newRow("right, inside") << Qt::RightButton << QPoint(10, 5) << 0;
    }

    void clickOnlyWhenReleasedInside()
    {
        QFETCH(Qt::MouseButton, botao);
        QFETCH(QPoint, solta);
        QFETCH(int, cliques);
        TLinkLabel link;
        link.resize(60, 20);
        QCOMPARE(link.cursor().shape(), Qt::PointingHandCursor);
        const QSignalSpy espia(&link, &TLinkLabel::Click);
        QTest::mousePress(&link, botao, {}, QPoint(10, 5));
        QTest::mouseRelease(&link, botao, {}, solta);
        QCOMPARE(espia.count(), cliques);
    }
};

int RunLinkLabelTests(int argc, char **argv)
{
    TstTLinkLabel t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_tlinklabel.moc"
