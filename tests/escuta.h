#pragma once

// What the window tests hear and see, on the clock in use: the tones the
// windows' keying sequences place (reported ahead of time, with the moment
// each is heard) less those taken back, and what the window shows, painted
// when. Paired up, they tell what was shown while each tone sounded.

#include "platform/clock.h"
#include "platform/playsound.h"
#include "tests/tons.h"

#include <QEvent>
#include <QList>
#include <QObject>
#include <QStringList>
#include <algorithm>
#include <functional>

namespace escuta {

struct Tom
{
    std::int64_t frame = 0;
    platform::SteadyTime ouvido{};
    int ms = 0;
};

// Every tone placed in a sequence while it lives, in the order heard.
class Tons
{
public:
    std::function<void(const Tom &)> aoColocar; // as each is placed

    Tons()
    {
        platform::setSoundObserver([this](const platform::SoundCall &c) {
            if (c.kind == platform::SoundCall::Kind::Withdraw) {
                m_tons.erase(std::remove_if(m_tons.begin(), m_tons.end(),
                                            [&c](const Tom &t) {
                                                return t.frame >= c.frame &&
                                                       t.frame < c.frame + c.frames;
                                            }),
                             m_tons.end());
                return;
            }
            if (c.kind != platform::SoundCall::Kind::Play || c.frame < 0)
                return;
            const Tom t{c.frame, c.heard, int(c.frames * 1000 / 96000)};
            m_tons.append(t);
            ++m_colocados;
            if (aoColocar)
                aoColocar(t);
        });
    }
    ~Tons() { platform::setSoundObserver({}); }
    Q_DISABLE_COPY_MOVE(Tons)

    QList<Tom> ouvidos() const
    {
        QList<Tom> t = m_tons;
        std::stable_sort(t.begin(), t.end(),
                         [](const Tom &a, const Tom &b) { return a.frame < b.frame; });
        return t;
    }
    // Tones placed, taken back or not.
    int colocados() const { return m_colocados; }

private:
    QList<Tom> m_tons;
    int m_colocados = 0;
};

// What estado() gives at every paint of the widgets watched, and when.
class Quadros : public QObject
{
public:
    struct Quadro
    {
        platform::SteadyTime quando{};
        QStringList estado;
    };
    std::function<QStringList()> estado;
    std::function<void()> aoPintar;

    explicit Quadros(std::function<QStringList()> e) : estado(std::move(e)) {}

    void vigia(QObject *o) { o->installEventFilter(this); }

    // What was shown at moment t (the last paint at or before it).
    QStringList em(platform::SteadyTime t) const
    {
        QStringList visto;
        for (const Quadro &q : m_quadros) {
            if (q.quando > t)
                break;
            visto = q.estado;
        }
        return visto;
    }
    const QList<Quadro> &quadros() const { return m_quadros; }
    void limpa() { m_quadros.clear(); }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            m_quadros.append({platform::Clock::current().now(), estado()});
            if (aoPintar)
                aoPintar();
        }
        return false;
    }

private:
    QList<Quadro> m_quadros;
};

} // namespace escuta
