#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

// The application's current hint: the hint of the widget under the pointer,
// or of its nearest enclosing widget that has one, the window's own hint at
// last. A widget's hint is its statusTip; nothing pops up.
//
// Installed as an event filter on the application, it follows the pointer
// through the Enter and Leave events every widget gets, and emits
// HintChanged with the long part of the new hint whenever it changes.
class THintWatcher : public QObject
{
    Q_OBJECT

public:
    explicit THintWatcher(QObject *parent = nullptr);
    ~THintWatcher() override;
    Q_DISABLE_COPY_MOVE(THintWatcher)

    QString Hint() const { return FHint; }

    // The hint that applies to w: its own, else the nearest ancestor's.
    static QString HintOf(const QWidget *w);
    // A hint may hold a short and a long part, "short|long"; without a bar
    // both are the whole text.
    static QString LongHint(const QString &hint);

signals:
    void HintChanged(const QString &longHint);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void PointerOver(QWidget *w);

    QPointer<QWidget> Under;
    QString FHint;
};
