#pragma once

// Stand-ins for what the course page plays, stores and exports through.

#include "course/audioexporter.h"
#include "course/runplayer.h"
#include "course/runstore.h"

class FakePlayer : public course::RunPlayer
{
public:
    int starts = 0;
    int stops = 0;
    course::RunSpec spec;
    NextGroup next;

    void start(const course::RunSpec &s, NextGroup nextGroup) override
    {
        ++starts;
        spec = s;
        next = std::move(nextGroup);
    }
    void stop() override
    {
        ++stops;
        next = nullptr;
    }

    // Pulls groups without playing them.
    QStringList pull(int count)
    {
        QStringList groups;
        for (int i = 0; i < count && next; ++i)
            groups << next();
        return groups;
    }
    // Plays count groups and ends the run, as when the time is up.
    QStringList play(int count)
    {
        const QStringList groups = pull(count);
        emit finished(groups);
        return groups;
    }
};

class FakeStore : public course::RunStore
{
public:
    QList<course::CourseRun> runs;
    QString failure; // set: every store fails with it

    bool storeRun(const course::CourseRun &run, QString &error) override
    {
        error = failure;
        if (failure.isEmpty())
            runs << run;
        return failure.isEmpty();
    }
};

class FakeExporter : public course::AudioExporter
{
public:
    QString file, text, failure;

    bool exportWav(const QString &f, const QString &t, const course::RunSpec &,
                   QString &error) override
    {
        file = f;
        text = t;
        error = failure;
        return failure.isEmpty();
    }
};
