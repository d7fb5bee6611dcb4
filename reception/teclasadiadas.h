#pragma once

#include <QObject>
#include <QPointer>
#include <memory>
#include <utility>
#include <vector>

class QKeyEvent;

// While it lives, holds back every key press and release the application
// receives; Libera() hands them to their widgets in the order they came, as
// if they had been typed then. The reception test judges the keys typed while
// its character sounds once it is over, and the window answers everything
// else meanwhile.
class TeclasAdiadas : public QObject
{
public:
    TeclasAdiadas();
    ~TeclasAdiadas() override;
    Q_DISABLE_COPY_MOVE(TeclasAdiadas)

    // Stops holding keys back and delivers those held.
    void Libera();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QKeyEvent>>> mRetidas;
    bool mAtiva = true;
};
