#include "course/practicewindow.h"

#include "settings/ajustesprincipais.h"
#include "translations/translations.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace course {

PracticeWindow::PracticeWindow(const AjustesPrincipais *main, QWidget *parent)
    : QDialog(parent), main(main)
{
    setObjectName(QStringLiteral("PracticeWindow"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);

    tabs = new QTabWidget(this);
    tabs->setTabBarAutoHide(true);
    tabs->setDocumentMode(true);
    closeButton = new QPushButton(this);
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addLayout(buttons);
    retranslate();
}

void PracticeWindow::addPage(PracticePage id, QWidget *page)
{
    pages.insert(id, page);
    tabs->addTab(page, page->windowTitle());
    page->installEventFilter(this);
    // The close button comes last in the tab chain, after the page's controls.
    setTabOrder(page, closeButton);
    // A single page has no tab bar, and the tab widget must not hold on to
    // the focus in its place.
    tabs->setFocusPolicy(tabs->count() > 1 ? Qt::TabFocus : Qt::NoFocus);
}

bool PracticeWindow::showPage(PracticePage id)
{
    QWidget *page = pages.value(id);
    if (!page)
        return false;
    tabs->setCurrentWidget(page);
    return true;
}

int PracticeWindow::openAt(PracticePage id)
{
    showPage(id);
    return exec();
}

bool PracticeWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowTitleChange) {
        if (auto *page = qobject_cast<QWidget *>(watched); page && tabs->indexOf(page) >= 0)
            tabs->setTabText(tabs->indexOf(page), page->windowTitle());
    }
    return QDialog::eventFilter(watched, event);
}

void PracticeWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void PracticeWindow::showEvent(QShowEvent *event)
{
    if (main)
        Translations::apply(main->NumeroIdioma());
    // Sized once to its contents, within the screen even at a large scale.
    if (!sized) {
        sized = true;
        QSize size = sizeHint();
        if (const QScreen *s = screen())
            size = size.boundedTo(s->availableGeometry().size() * 9 / 10);
        resize(size);
    }
    QDialog::showEvent(event);
}

void PracticeWindow::retranslate()
{
    setWindowTitle(tr("Zirvano: practice"));
    closeButton->setText(tr("Close"));
    closeButton->setAccessibleDescription(tr("Closes the practice window (Escape)."));
    tabs->setAccessibleName(tr("Practice pages"));
}

} // namespace course
