#include "CRoundClock.h"

namespace
{
// Often enough that the seconds shown turn over on time.
constexpr std::chrono::milliseconds TICK{100};
} // namespace

CRoundClock::CRoundClock(QWidget* pParent) : QLabel(pParent)
{
    m_tick.setInterval(TICK);
    m_timeLimit.setSingleShot(true);
    // The limit is the round's rule: it falls on the millisecond, not on a coarse tick.
    m_timeLimit.setTimerType(Qt::PreciseTimer);
    connect(&m_tick, &QTimer::timeout, this, &CRoundClock::OnTick);
    connect(&m_timeLimit, &QTimer::timeout, this, &CRoundClock::OnLimit);
    setText(QStringLiteral("-:--"));
    setAccessibleName(QStringLiteral("Temps restant"));
}

void CRoundClock::Start(std::optional<Duration> limit)
{
    m_limit = limit;
    m_stoppedAt = Duration{0};
    m_elapsed.start();
    m_tick.start();
    if (limit)
        m_timeLimit.start(*limit);
    else
        m_timeLimit.stop();
    Show();
}

CRoundClock::Duration CRoundClock::Stop()
{
    if (IsRunning())
    {
        m_stoppedAt = Duration{m_elapsed.elapsed()};
        if (m_limit && m_stoppedAt > *m_limit)
            m_stoppedAt = *m_limit;
    }
    m_tick.stop();
    m_timeLimit.stop();
    Show();
    return m_stoppedAt;
}

CRoundClock::Duration CRoundClock::Elapsed() const
{
    return IsRunning() ? Duration{m_elapsed.elapsed()} : m_stoppedAt;
}

QString CRoundClock::Text(Duration duration)
{
    const auto nSeconds = (std::max<Duration::rep>(duration.count(), 0) + 999) / 1000;
    return QStringLiteral("%1:%2").arg(nSeconds / 60).arg(nSeconds % 60, 2, 10, QLatin1Char('0'));
}

void CRoundClock::OnTick()
{
    Show();
}

void CRoundClock::OnLimit()
{
    Stop();
    emit expired();
}

void CRoundClock::Show()
{
    const Duration elapsed = Elapsed();
    // Counting down, a second shows until it has wholly gone; counting up, once it has.
    const QString text =
        m_limit ? Text(*m_limit - elapsed) : Text(elapsed - elapsed % Duration{1000});
    const QString name =
        (m_limit ? QStringLiteral("Temps restant : ") : QStringLiteral("Temps écoulé : ")) + text;
    // Named anew only when it changes: each change is an event on the accessibility bus.
    setText(text);
    if (name != accessibleName())
        setAccessibleName(name);
}
