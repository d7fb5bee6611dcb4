#include "sendpage/sendfeedback.h"

#include <algorithm>

namespace sending {

SendFeedback::SendFeedback(QWidget *parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    retranslate();
}

void SendFeedback::showResult(const SendingResult &result)
{
    m_result = result;
    m_shown = true;
    setHtml(html());
}

void SendFeedback::clearResult()
{
    m_shown = false;
    clear();
}

void SendFeedback::retranslate()
{
    setAccessibleName(tr("Result of the sending"));
    if (m_shown)
        setHtml(html());
}

QString SendFeedback::figure(const QString &label, double value, double ideal) const
{
    const QString v = value < 0 ? tr("not measured") : QString::number(value, 'f', 1);
    return QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>")
        .arg(label.toHtmlEscaped(), v, tr("ideal %1").arg(ideal));
}

QString SendFeedback::html() const
{
    const SendingResult &r = m_result;
    QString out;
    out += QStringLiteral("<p><b>%1</b></p>")
               .arg(tr("%1 of %2 characters right (%3 %), at %4 WPM")
                        .arg(r.right)
                        .arg(r.prompted)
                        .arg(qRound(r.accuracy * 100))
                        .arg(qRound(r.wpm)));
    // Right characters plain, wrong ones marked with what came out.
    QString line;
    for (const SendingResult::Character &c : r.characters) {
        if (c.right) {
            line += QStringLiteral("<span style=\"color:#1a7f1a\">%1</span> ")
                        .arg(c.prompted.toHtmlEscaped());
            continue;
        }
        QString said;
        if (c.prompted.isEmpty())
            said = tr("%1 added").arg(c.decoded);
        else if (c.decoded.isEmpty())
            said = tr("%1 missed").arg(c.prompted);
        else
            said = tr("%1 sent as %2").arg(c.prompted, c.decoded);
        line += QStringLiteral("<span style=\"color:#c00000\"><u>%1</u></span> ")
                    .arg(said.toHtmlEscaped());
    }
    out += QStringLiteral("<p>%1</p>").arg(line);
    out += QStringLiteral("<table cellspacing=\"4\">");
    out += figure(tr("Dash/dot ratio"), r.dashDotRatio, 3);
    out += figure(tr("Gaps inside characters, in dots"), r.elementGap, 1);
    out += figure(tr("Gaps between characters, in dots"), r.characterGap, 3);
    out += figure(tr("Gaps between words, in dots"), r.wordGap, 7);
    out += QStringLiteral("</table>");
    QStringList worst;
    for (const SendingResult::Worst &w : r.worst) {
        if (worst.size() == WorstShown || w.timingError <= 0)
            break;
        worst << tr("%1 (%2 % off)").arg(w.character.toHtmlEscaped()).arg(qRound(w.timingError));
    }
    if (!worst.isEmpty())
        out += QStringLiteral("<p>%1 %2</p>")
                   .arg(tr("Worst timed:").toHtmlEscaped(), worst.join(QStringLiteral(", ")));
    return out;
}

} // namespace sending
