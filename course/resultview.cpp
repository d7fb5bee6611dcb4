#include "course/resultview.h"

#include "translations/translations.h"

#include <QEvent>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace course {
namespace {

struct Column
{
    QString sent;
    QString typed;
    bool error = false;
};

using Block = QList<Column>;

// A skipped or an extra space is no error: it shows as a space in both rows.
QList<Block> Blocks(const QList<Alignment::Step> &steps, int width)
{
    QList<Block> blocks(1);
    int used = 0;
    for (const Alignment::Step &step : steps) {
        Column c;
        if (step.isSpace()) {
            if (!step.sent.isEmpty() && used >= width) {
                blocks.append(Block());
                used = 0;
                continue;
            }
            c.sent = c.typed = QStringLiteral(" ");
        } else {
            c.sent = step.sent.isEmpty() ? QStringLiteral("_") : step.sent;
            c.typed = step.typed.isEmpty() ? QStringLiteral("_") : step.typed;
            c.error = step.kind != Alignment::Kind::Right;
        }
        const qsizetype w = qMax(c.sent.size(), c.typed.size());
        c.sent = c.sent.leftJustified(w);
        c.typed = c.typed.leftJustified(w);
        used += int(w);
        blocks.last() << c;
    }
    if (blocks.last().isEmpty())
        blocks.removeLast();
    return blocks;
}

QLocale Locale()
{
    return QLocale(Translations::code(Translations::current()));
}

QString Percent(int part, int whole)
{
    return Locale().toString(whole > 0 ? 100.0 * part / whole : 0.0, 'f', 1);
}

// "nothing" where no character was typed.
QString Shown(const QString &typed)
{
    return typed.isEmpty() ? ResultView::tr("nothing") : typed;
}

} // namespace

ResultView::ResultView(QWidget *parent) : QWidget(parent)
{
    summary = new QLabel(this);
    summary->setWordWrap(true);
    // A stop for the keyboard, so a screen reader reads the result when the
    // focus lands here after a run (selectable text alone takes clicks only).
    summary->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    summary->setFocusPolicy(Qt::StrongFocus);

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    alignment = new QTextBrowser(this);
    alignment->setFont(fixed);
    alignment->setLineWrapMode(QTextEdit::NoWrap);
    alignment->setTabChangesFocus(true);
    alignmentLabel = new QLabel(this);
    alignmentLabel->setBuddy(alignment);

    errors = new QListWidget(this);
    errorsLabel = new QLabel(this);
    errorsLabel->setBuddy(errors);

    characters = new QTableWidget(0, 4, this);
    characters->setEditTriggers(QAbstractItemView::NoEditTriggers);
    characters->setSelectionBehavior(QAbstractItemView::SelectRows);
    characters->verticalHeader()->hide();
    characters->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    characters->horizontalHeader()->setStretchLastSection(true);
    characters->setTabKeyNavigation(false);
    charactersLabel = new QLabel(this);
    charactersLabel->setBuddy(characters);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(summary);
    layout->addWidget(alignmentLabel);
    layout->addWidget(alignment, 2);
    auto *lists = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(errorsLabel);
    left->addWidget(errors);
    auto *right = new QVBoxLayout;
    right->addWidget(charactersLabel);
    right->addWidget(characters);
    lists->addLayout(left, 1);
    lists->addLayout(right, 1);
    layout->addLayout(lists, 3);

    retranslate();
    clear();
}

void ResultView::showScore(const RunScore &runScore, const QStringList &lessonOrder)
{
    score = runScore;
    order = lessonOrder;
    render();
}

void ResultView::clear()
{
    score.reset();
    order.clear();
    render();
}

QList<QStringList> ResultView::rows(const QList<Alignment::Step> &steps, int width)
{
    QList<QStringList> result;
    for (const Block &block : Blocks(steps, width)) {
        QString sent, typed, marks;
        for (const Column &c : block) {
            sent += c.sent;
            typed += c.typed;
            marks += QString(c.sent.size(), c.error ? QLatin1Char('^') : QLatin1Char(' '));
        }
        result << QStringList{sent, typed, marks.trimmed().isEmpty() ? QString() : marks};
    }
    return result;
}

void ResultView::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        render();
    }
}

void ResultView::retranslate()
{
    alignmentLabel->setText(tr("Se&nt and typed:"));
    alignment->setAccessibleName(tr("Sent and typed text"));
    errorsLabel->setText(tr("&Mistakes:"));
    errors->setAccessibleName(tr("Mistakes"));
    charactersLabel->setText(tr("Each c&haracter:"));
    characters->setAccessibleName(tr("Accuracy of each character"));
    characters->setHorizontalHeaderLabels(
        {tr("Character"), tr("Accuracy"), tr("Right"), tr("Taken for")});
}

void ResultView::render()
{
    errors->clear();
    characters->setRowCount(0);
    if (!score) {
        summary->setText(tr("No run scored yet."));
        alignment->clear();
        alignment->setAccessibleDescription(QString());
        return;
    }
    const RunScore &s = *score;
    summary->setText(
        tr("Accuracy %1 %: %2 of %3 characters right (%4 wrong, %5 skipped, %6 extra).")
            .arg(Percent(s.right(), s.counted()))
            .arg(s.right())
            .arg(s.sent())
            .arg(s.wrong())
            .arg(s.skipped())
            .arg(s.extra()));

    // Labels padded alike, so the rows line up under each other.
    const QString sentTitle = tr("Sent"), typedTitle = tr("Typed");
    const qsizetype titleWidth = qMax(sentTitle.size(), typedTitle.size()) + 2;
    auto escaped = [](const QString &t) { return t.toHtmlEscaped(); };
    QString html = QStringLiteral("<pre>");
    for (const Block &block : Blocks(s.steps(), 48)) {
        QString sent = escaped(sentTitle.leftJustified(titleWidth));
        QString typed = escaped(typedTitle.leftJustified(titleWidth));
        QString marks(titleWidth, QLatin1Char(' '));
        for (const Column &c : block) {
            if (c.error) {
                const QString open =
                    QStringLiteral("<span style=\"background-color:#ffd0d0; color:#900000; "
                                   "font-weight:bold; text-decoration:underline\">");
                sent += open + escaped(c.sent) + QStringLiteral("</span>");
                typed += open + escaped(c.typed) + QStringLiteral("</span>");
                marks +=
                    open + QString(c.sent.size(), QLatin1Char('^')) + QStringLiteral("</span>");
            } else {
                sent += escaped(c.sent);
                typed += escaped(c.typed);
                marks += QString(c.sent.size(), QLatin1Char(' '));
            }
        }
        html +=
            sent + QLatin1Char('\n') + typed + QLatin1Char('\n') + marks + QStringLiteral("\n\n");
    }
    html += QStringLiteral("</pre>");
    alignment->setHtml(html);

    // The same errors in words, group by group.
    int group = 1;
    for (const Alignment::Step &step : s.steps()) {
        if (step.isSpace()) {
            if (!step.sent.isEmpty())
                ++group;
            continue;
        }
        switch (step.kind) {
        case Alignment::Kind::Right:
            break;
        case Alignment::Kind::Wrong:
            errors->addItem(
                tr("Group %1: %2 sent, %3 typed").arg(group).arg(step.sent, step.typed));
            break;
        case Alignment::Kind::Skipped:
            errors->addItem(tr("Group %1: %2 sent, nothing typed").arg(group).arg(step.sent));
            break;
        case Alignment::Kind::Extra:
            errors->addItem(tr("Group %1: %2 typed, nothing sent").arg(group).arg(step.typed));
            break;
        }
    }
    if (errors->count() == 0)
        errors->addItem(tr("No mistakes."));
    alignment->setAccessibleDescription(
        tr("%n mistake(s); the list of mistakes reads them one by one.", nullptr,
           s.wrong() + s.skipped() + s.extra()));

    // Rows in the lesson's order, then any other character sent.
    QStringList keys = order;
    for (const QString &c : s.perCharacter().keys())
        if (!keys.contains(c))
            keys << c;
    for (const QString &c : std::as_const(keys)) {
        const auto it = s.perCharacter().constFind(c);
        if (it == s.perCharacter().cend())
            continue;
        QStringList taken;
        for (auto t = it->takenFor.cbegin(); t != it->takenFor.cend(); ++t)
            taken << tr("%1 ×%2").arg(Shown(t.key())).arg(t.value());
        const int row = characters->rowCount();
        characters->insertRow(row);
        const QStringList cells{c, tr("%1 %").arg(Percent(it->right, it->sent)),
                                tr("%1 of %2").arg(it->right).arg(it->sent),
                                taken.join(QStringLiteral(", "))};
        for (int col = 0; col < cells.size(); ++col)
            characters->setItem(row, col, new QTableWidgetItem(cells.at(col)));
    }
}

} // namespace course
