#pragma once

#include "progress/characterstats.h"

#include <QWidget>
#include <functional>

class AjustesPrincipais;
class QLabel;
class QListWidget;
class QPushButton;

namespace course {
class RunPlayer;
}
namespace record {
class Record;
}

namespace progress {

class CharacterMap;
class DrillPanel;
class ProgressChart;

// "My characters": the keyboard's keys coloured by the learner's last answers
// for each, what a key pointed at or selected says, the confusions met most
// often, the progress per day, the weak-character drill, and the record out
// to a file and back in.
//
// Every run stored moves the spaced review's boxes (whichever window stored
// it), since the page follows the record; the figures are read again when
// the record changes, at once while the page is shown, else when it is.
class CharactersPage : public QWidget
{
    Q_OBJECT

public:
    // Nothing is owned; any may be null (without a record there is nothing
    // to show, export or import).
    CharactersPage(const AjustesPrincipais *main, course::RunPlayer *player, record::Record *record,
                   QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(CharactersPage)

    const CharacterStats &statistics() const { return stats; }

    // Tests: stand-ins for the file dialogs.
    std::function<QString()> chooseExportFile;
    std::function<QString()> chooseImportFile;

    void refresh();
    void exportRecord();
    void importRecord();

    QSize sizeHint() const override;

    QLabel *mapLabel = nullptr;
    CharacterMap *map = nullptr;
    QLabel *info = nullptr;
    QLabel *confusionsLabel = nullptr;
    QListWidget *confusions = nullptr;
    QLabel *chartLabel = nullptr;
    ProgressChart *chart = nullptr;
    DrillPanel *drill = nullptr;
    QPushButton *exportButton = nullptr;
    QPushButton *importButton = nullptr;
    QLabel *recordStatus = nullptr;

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void build(const AjustesPrincipais *main, course::RunPlayer *player);
    void retranslate();
    void recordChanged();
    void showConfusions();
    void setRecordStatus(std::function<QString()> text);

    record::Record *record;
    QWidget *contents = nullptr;
    CharacterStats stats;
    bool stale = true;
    std::function<QString()> recordStatusText;
};

} // namespace progress
