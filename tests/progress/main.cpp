// One executable for the progress logic: each unit's test class in turn.

#include <QCoreApplication>

int RunCharacterStatsTests(int argc, char **argv);
int RunWeakDrillTests(int argc, char **argv);
int RunLeitnerReviewTests(int argc, char **argv);
int RunRecognitionTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int failed = 0;
    failed += RunCharacterStatsTests(argc, argv);
    failed += RunWeakDrillTests(argc, argv);
    failed += RunLeitnerReviewTests(argc, argv);
    failed += RunRecognitionTests(argc, argv);
    return failed;
}
