#pragma once

#include <QFrame>
#include <QList>

class QButtonGroup;
class QRadioButton;

// A framed column of radio buttons with one selected index, filled and
// emptied at run time. Click() follows every change of the selected index,
// whether the user made it or SetItemIndex did.
class TRadioGroup : public QFrame
{
    Q_OBJECT

public:
    explicit TRadioGroup(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TRadioGroup)

    void Add(const QString &caption);
    void Clear();
    int Count() const { return static_cast<int>(Buttons.size()); }
    QRadioButton *Button(int index) const { return Buttons.value(index); }

    // -1 when nothing is selected.
    int ItemIndex() const { return FItemIndex; }
    // Out-of-range values select the nearest end (-1 selects nothing).
    void SetItemIndex(int value);

signals:
    void Click();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void ButtonClicked(int id);
    void ArrangeButtons();

    QButtonGroup *Group = nullptr;
    QList<QRadioButton *> Buttons;
    int FItemIndex = -1;
};
