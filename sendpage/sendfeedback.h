#pragma once

#include "sending/sendingresult.h"

#include <QTextBrowser>

namespace sending {

// What the learner's sending of a prompt came to: each character right or
// wrong (a wrong one with what was decoded for it), his dash/dot ratio and
// his gaps against their ideals, his speed, and the characters he timed
// worst.
class SendFeedback : public QTextBrowser
{
    Q_OBJECT

public:
    // How many of the worst-timed characters are named.
    static constexpr int WorstShown = 5;

    explicit SendFeedback(QWidget *parent = nullptr);

    void showResult(const SendingResult &result);
    void clearResult();
    // The same result in the current language.
    void retranslate();

private:
    QString html() const;
    QString figure(const QString &label, double value, double ideal) const;

    SendingResult m_result;
    bool m_shown = false;
};

} // namespace sending
