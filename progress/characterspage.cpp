#include "progress/characterspage.h"

#include "app/errorguard.h"
#include "course/reviewsettings.h"
#include "keyboard/tfteclado.h"
#include "progress/charactermap.h"
#include "progress/drillpanel.h"
#include "progress/progresschart.h"
#include "record/record.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

namespace progress {

CharactersPage::CharactersPage(const AjustesPrincipais *main, course::RunPlayer *player,
                               record::Record *record, QWidget *parent)
    : QWidget(parent), record(record)
{
    build(main, player);
    if (record)
        connect(record, &record::Record::changed, this, &CharactersPage::recordChanged);
    retranslate();
    // Runs stored while no trainer followed the record move the boxes now.
    recordChanged();
}

void CharactersPage::build(const AjustesPrincipais *main, course::RunPlayer *player)
{
    map = new CharacterMap(this);
    QList<KeyCap> keys;
    for (const TfTeclado::Posicao &p : TfTeclado::Posicoes())
        keys.append({QString(p.caractere), p.retangulo});
    map->setKeys(keys);
    mapLabel = new QLabel(this);
    mapLabel->setBuddy(map);
    info = new QLabel(this);
    info->setWordWrap(true);
    confusions = new QListWidget(this);
    confusionsLabel = new QLabel(this);
    confusionsLabel->setBuddy(confusions);
    chart = new ProgressChart(this);
    chartLabel = new QLabel(this);
    chartLabel->setBuddy(chart);
    drill = new DrillPanel(main, player, record, this);
    exportButton = new QPushButton(this);
    exportButton->setAutoDefault(false);
    importButton = new QPushButton(this);
    importButton->setAutoDefault(false);
    recordStatus = new QLabel(this);
    recordStatus->setWordWrap(true);

    auto *keysColumn = new QVBoxLayout;
    keysColumn->addWidget(mapLabel);
    keysColumn->addWidget(map, 1);
    keysColumn->addWidget(info);
    auto *confusionsColumn = new QVBoxLayout;
    confusionsColumn->addWidget(confusionsLabel);
    confusionsColumn->addWidget(confusions, 1);
    auto *top = new QHBoxLayout;
    top->addLayout(keysColumn, 3);
    top->addLayout(confusionsColumn, 1);
    auto *recordRow = new QHBoxLayout;
    recordRow->addWidget(recordStatus, 1);
    recordRow->addWidget(exportButton);
    recordRow->addWidget(importButton);

    // At a large scale on a small screen the page scrolls, as the course's.
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    contents = new QWidget(scroll);
    auto *layout = new QVBoxLayout(contents);
    layout->addLayout(top, 2);
    layout->addWidget(chartLabel);
    layout->addWidget(chart, 1);
    layout->addWidget(drill);
    layout->addLayout(recordRow);
    scroll->setWidget(contents);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    // Reparented into the layouts above, so the tab chain is set by hand.
    setTabOrder(map, confusions);
    setTabOrder(confusions, chart);
    setTabOrder(chart, drill->drillButton);
    setTabOrder(drill->drillButton, drill->stopButton);
    setTabOrder(drill->stopButton, drill->scoreButton);
    setTabOrder(drill->scoreButton, drill->copyEdit);
    setTabOrder(drill->copyEdit, exportButton);
    setTabOrder(exportButton, importButton);

    exportButton->setEnabled(record);
    importButton->setEnabled(record);
    connect(map, &CharacterMap::infoChanged, info, &QLabel::setText);
    connect(exportButton, &QPushButton::clicked, this, &CharactersPage::exportRecord);
    connect(importButton, &QPushButton::clicked, this, &CharactersPage::importRecord);
}

QSize CharactersPage::sizeHint() const
{
    return contents->sizeHint() + QSize(style()->pixelMetric(QStyle::PM_ScrollBarExtent), 0);
}

void CharactersPage::retranslate()
{
    setWindowTitle(tr("&My characters"));
    mapLabel->setText(tr("K&eys, coloured by your last answers (green 90 % or more, amber 70 "
                         "to 89 %, red below 70 %, grey fewer than 10 answers):"));
    mapLabel->setWordWrap(true);
    info->setAccessibleName(tr("Selected character"));
    if (map->infoText().isEmpty())
        info->setText(tr("Point at a key or select it with the arrow keys."));
    confusionsLabel->setText(tr("Most &confused:"));
    confusions->setAccessibleName(tr("Most confused characters"));
    chartLabel->setText(tr("&Progress per day (accuracy and effective speed):"));
    chartLabel->setWordWrap(true);
    exportButton->setText(tr("E&xport record…"));
    exportButton->setAccessibleDescription(
        tr("Writes every stored answer to a CSV file, one a line."));
    importButton->setText(tr("&Import record…"));
    importButton->setAccessibleDescription(
        tr("Adds the answers of a CSV file written by an export; those already stored are "
           "left out."));
    recordStatus->setAccessibleName(tr("Record status"));
    if (recordStatusText)
        recordStatus->setText(recordStatusText());
    showConfusions();
}

void CharactersPage::recordChanged()
{
    if (record) {
        ComGuarda(this, [this] {
            course::ReviewSettings review = course::ReviewSettings::load();
            if (review.applyNewRuns(*record))
                review.save();
        });
    }
    stale = true;
    if (isVisible())
        refresh();
}

void CharactersPage::refresh()
{
    stale = false;
    stats = CharacterStats(record ? record->answers() : QList<record::Answer>());
    const QString selected = map->selectedCharacter();
    map->setStatistics(stats);
    if (!selected.isEmpty())
        map->selectCharacter(selected);
    chart->setDays(stats.days());
    showConfusions();
}

void CharactersPage::showConfusions()
{
    confusions->clear();
    const QList<Confusion> top = stats.topConfusions();
    for (const Confusion &c : top)
        confusions->addItem(
            tr("%1 and %2: %n time(s)", nullptr, c.count)
                .arg(CharacterStats::spokenName(c.first), CharacterStats::spokenName(c.second)));
    if (top.isEmpty())
        confusions->addItem(tr("No characters confused yet."));
    confusions->setCurrentRow(0);
}

void CharactersPage::setRecordStatus(std::function<QString()> text)
{
    recordStatusText = std::move(text);
    recordStatus->setText(recordStatusText());
}

void CharactersPage::exportRecord()
{
    if (!record)
        return;
    QString file;
    if (chooseExportFile) {
        file = chooseExportFile();
    } else {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        file = QFileDialog::getSaveFileName(
            this, tr("Export the record"), QDir(folder).filePath(tr("zirvano-record.csv")),
            tr("Comma-separated values (*.csv)"), nullptr, QFileDialog::DontUseNativeDialog);
    }
    if (file.isEmpty())
        return;
    QString error;
    if (!record->exportCsv(file, &error)) {
        MostraErro(this, tr("The record could not be exported: %1").arg(error));
        return;
    }
    setRecordStatus([file] { return tr("Record written to %1.").arg(file); });
}

void CharactersPage::importRecord()
{
    if (!record)
        return;
    QString file;
    if (chooseImportFile) {
        file = chooseImportFile();
    } else {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        file = QFileDialog::getOpenFileName(this, tr("Import a record"), folder,
                                            tr("Comma-separated values (*.csv)"), nullptr,
                                            QFileDialog::DontUseNativeDialog);
    }
    if (file.isEmpty())
        return;
    const record::ImportResult result = record->importCsv(file);
    if (!result.ok) {
        MostraErro(this, tr("The record could not be imported: %1").arg(result.error));
        return;
    }
    const QString name = QFileInfo(file).fileName();
    setRecordStatus([name, result] {
        return tr("%1: %2 answers read, %3 added, %4 already present.")
            .arg(name)
            .arg(result.read)
            .arg(result.added)
            .arg(result.present);
    });
}

void CharactersPage::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void CharactersPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (stale)
        refresh();
}

} // namespace progress
