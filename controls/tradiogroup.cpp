#include "controls/tradiogroup.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFontMetrics>
#include <QRadioButton>

TRadioGroup::TRadioGroup(QWidget *parent) : QFrame(parent), Group(new QButtonGroup(this))
{
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    // Exclusivity is kept by hand so that no button at all can be checked.
    Group->setExclusive(false);
    connect(Group, &QButtonGroup::idClicked, this, &TRadioGroup::ButtonClicked);
}

void TRadioGroup::Add(const QString &caption)
{
    auto *button = new QRadioButton(caption, this);
    Group->addButton(button, Count());
    Buttons.append(button);
    ArrangeButtons();
    button->show();
}

void TRadioGroup::Clear()
{
    for (QRadioButton *button : std::as_const(Buttons))
        delete button;
    Buttons.clear();
    FItemIndex = -1;
}

void TRadioGroup::SetItemIndex(int value)
{
    value = qBound(-1, value, Count() - 1);
    if (value == FItemIndex)
        return;
    FItemIndex = value;
    for (int i = 0; i < Count(); ++i)
        Buttons[i]->setChecked(i == FItemIndex);
    emit Click();
}

void TRadioGroup::ButtonClicked(int id)
{
    // A click on the checked button unchecks it in a non-exclusive group.
    Buttons[id]->setChecked(true);
    SetItemIndex(id);
}

void TRadioGroup::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    ArrangeButtons();
}

void TRadioGroup::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        ArrangeButtons();
}

// One column, the height shared evenly below a caption-high top margin.
void TRadioGroup::ArrangeButtons()
{
    if (Buttons.isEmpty())
        return;
    const int textHeight = QFontMetrics(font()).height();
    const int count = Count();
    const int room = height() - textHeight - 5;
    const int buttonHeight = room / count;
    const int top = textHeight + 1 + (room % count) / 2;
    for (int i = 0; i < count; ++i)
        Buttons[i]->setGeometry(8, top + i * buttonHeight, width() - 10, buttonHeight);
}
