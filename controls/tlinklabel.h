#pragma once

#include <QLabel>

// A label that acts as a link: a pointing hand over it, and Click() when the
// left button is released inside it, so a press dragged off it is dropped.
class TLinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit TLinkLabel(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TLinkLabel)

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
