#include "app/thintwatcher.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

THintWatcher::THintWatcher(QObject *parent) : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

THintWatcher::~THintWatcher()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

QString THintWatcher::HintOf(const QWidget *w)
{
    for (; w; w = w->parentWidget()) {
        if (!w->statusTip().isEmpty())
            return w->statusTip();
        if (w->isWindow())
            break;
    }
    return {};
}

QString THintWatcher::LongHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

bool THintWatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWidgetType())
        return false;
    auto *w = static_cast<QWidget *>(watched);
    // Qt sends the Leave events of a move before its Enter events, innermost
    // widget first, so after a Leave the pointer is over the parent until an
    // Enter says otherwise.
    if (event->type() == QEvent::Enter)
        PointerOver(w);
    else if (event->type() == QEvent::Leave && w == Under)
        PointerOver(w->isWindow() ? nullptr : w->parentWidget());
    return false;
}

void THintWatcher::PointerOver(QWidget *w)
{
    Under = w;
    const QString hint = LongHint(HintOf(w));
    if (hint == FHint)
        return;
    FHint = hint;
    emit HintChanged(FHint);
}
