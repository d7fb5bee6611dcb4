#pragma once

#include "course/runscore.h"

#include <QStringList>
#include <QWidget>
#include <optional>

class QLabel;
class QListWidget;
class QTableWidget;
class QTextBrowser;

namespace course {

// A scored run: the accuracy, the sent and the typed text one above the
// other with each error marked (in colour and with a "^" beneath, so the
// marks survive without colour), the errors in words for a screen reader,
// and each character's accuracy.
class ResultView : public QWidget
{
    Q_OBJECT

public:
    explicit ResultView(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(ResultView)

    // order: the lesson's characters, the order of the table's rows.
    void showScore(const RunScore &score, const QStringList &order);
    void clear();

    // The alignment as blocks of three lines (sent, typed, marks), a block
    // ending at the first group boundary past width columns. Nothing typed
    // for a sent character shows "_", nothing sent for a typed one "_".
    static QList<QStringList> rows(const QList<Alignment::Step> &steps, int width = 48);

    QLabel *summary = nullptr;
    QLabel *alignmentLabel = nullptr;
    QTextBrowser *alignment = nullptr;
    QLabel *errorsLabel = nullptr;
    QListWidget *errors = nullptr;
    QLabel *charactersLabel = nullptr;
    QTableWidget *characters = nullptr;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void render();

    std::optional<RunScore> score;
    QStringList order;
};

} // namespace course
