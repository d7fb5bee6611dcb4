#pragma once

#include <QWidget>

class AjustesPrincipais;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace course {

struct CourseSettings;

// The course's choices: the lesson and the Koch order, the speeds, the
// group size, the duration and the pass mark. Every change goes straight
// into the settings it is given (the course page's, kept by it); a new order
// is announced, the others are read when a run starts.
class CourseSetup : public QWidget
{
    Q_OBJECT

public:
    // settings must outlive the widget; main gives the main window's speed
    // for the note on its scale (none without it).
    CourseSetup(CourseSettings &settings, const AjustesPrincipais *main, QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(CourseSetup)

    // Shows the settings as they are now (after a run changed the progress).
    void showSettings();
    void showScaleNote();

    QGroupBox *lessonGroup = nullptr;
    QLabel *lessonLabel = nullptr;
    QComboBox *lessonBox = nullptr;
    QLabel *lessonInfo = nullptr;
    QLabel *orderLabel = nullptr;
    QLineEdit *orderEdit = nullptr;
    QPushButton *orderApply = nullptr;
    QPushButton *orderDefault = nullptr;
    QLabel *orderError = nullptr;

    QGroupBox *speedGroup = nullptr;
    QLabel *charSpeedLabel = nullptr;
    QSpinBox *charSpeed = nullptr;
    QLabel *effectiveSpeedLabel = nullptr;
    QSpinBox *effectiveSpeed = nullptr;
    QLabel *groupSizeLabel = nullptr;
    QComboBox *groupSize = nullptr;
    QLabel *durationLabel = nullptr;
    QComboBox *duration = nullptr;
    QLabel *thresholdLabel = nullptr;
    QSpinBox *threshold = nullptr;
    QLabel *scaleNote = nullptr;

signals:
    void orderChanged();

protected:
    void changeEvent(QEvent *event) override;

private:
    void build();
    void retranslate();
    void fillLessons();
    void fillChoices();
    void showLessonInfo();
    void applyOrder(const QString &text);

    CourseSettings &current;
    const AjustesPrincipais *main;
};

} // namespace course
