#pragma once

#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include <chrono>
#include <optional>

// The clock of a round, shown as it runs: the time left, or with no limit the time taken.
// When the limit is reached it stops and says so.
class CRoundClock : public QLabel
{
    Q_OBJECT

public:
    using Duration = std::chrono::milliseconds;

    explicit CRoundClock(QWidget* pParent = nullptr);

    // Starts a round's clock: a limit, or none.
    void Start(std::optional<Duration> limit);
    // Stops it where it stands; returns the time the round took.
    Duration Stop();
    bool IsRunning() const { return m_timeLimit.isActive() || m_tick.isActive(); }
    Duration Elapsed() const;
    std::optional<Duration> Limit() const { return m_limit; }

    // "0:27": minutes and seconds, the seconds rounded up, as a clock that counts down shows.
    static QString Text(Duration duration);

signals:
    // The limit is reached: the clock has stopped.
    void expired();

private slots:
    void OnTick();
    void OnLimit();

private:
    void Show();

    QElapsedTimer m_elapsed;
    QTimer m_tick;
    QTimer m_timeLimit;
    std::optional<Duration> m_limit;
    Duration m_stoppedAt{0};
};
