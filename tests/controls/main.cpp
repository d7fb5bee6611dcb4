// One executable for the controls: each unit's test class in turn.

#include "fixture.h"

#include <QApplication>

int RunGaugeTests(int argc, char **argv);
int RunLabelTests(int argc, char **argv);
int RunLinkLabelTests(int argc, char **argv);
int RunBarTests(int argc, char **argv);
int RunMulDivColorTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    fixture::UseFixedLook();
    int failed = 0;
    failed += RunMulDivColorTests(argc, argv);
    failed += RunGaugeTests(argc, argv);
    failed += RunLabelTests(argc, argv);
    failed += RunLinkLabelTests(argc, argv);
    failed += RunBarTests(argc, argv);
    return failed;
}
