#pragma once

#include <QDialog>
#include <QMap>

class AjustesPrincipais;
class QPushButton;
class QTabWidget;

namespace course {

// The pages the practice window can hold.
enum class PracticePage
{
    Course,
    Characters,
    Send,
    Recognition
};

// The practice window: the newer exercises, one page each, in a window that
// resizes and works from the keyboard alone. Shown modally like the trainer's
// other windows, so that nothing else plays meanwhile; Escape closes it. It
// takes the main window's language each time it is shown.
//
// A page is any widget; its tab shows the page's window title, followed as
// it changes (a page retranslates its own title). Hiding a page must stop
// whatever it plays: the window hides the page it leaves.
class PracticeWindow : public QDialog
{
    Q_OBJECT

public:
    explicit PracticeWindow(const AjustesPrincipais *main, QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(PracticeWindow)

    // Takes the page; pages show in the order added. With a single page
    // there is no tab bar.
    void addPage(PracticePage id, QWidget *page);
    QWidget *page(PracticePage id) const { return pages.value(id); }
    // False when no page has that id.
    bool showPage(PracticePage id);

    // Shows the window modally at page id (or where it was, without one) and
    // returns when it is closed.
    int openAt(PracticePage id);

    QTabWidget *tabs = nullptr;
    QPushButton *closeButton = nullptr;

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void retranslate();

    const AjustesPrincipais *main;
    QMap<PracticePage, QWidget *> pages;
    bool sized = false;
};

} // namespace course
