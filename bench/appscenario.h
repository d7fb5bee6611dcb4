#pragma once

#include <QString>
#include <QStringList>

// One scenario of the app-level rhythm benchmark, run in a process of its own
// that starts as the program does: the application, then the real windows,
// whose buttons and keys then key characters as a learner would. The sound
// device opens at the first tone of the scenario, never before.
namespace AppScenario {

// The scenarios in the order they run by default.
QStringList names();

struct Options
{
    QString scenario;
    int unit = 5;       // the speed slider's position for the keyboard, sentence and test
    int characters = 6; // reception-test characters
    QString report;     // where the ScenarioReport goes
};

// Runs the scenario (no QApplication may exist yet) and writes its report.
// Returns the process's exit code.
int run(int &argc, char **argv, const Options &options);

} // namespace AppScenario
