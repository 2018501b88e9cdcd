#pragma once
// Time and chance as services, so that date-dependent results can be tested.
#include <QDateTime>
#include <QRandomGenerator>

namespace kav {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still until it is set or advanced.
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime t = QDateTime(QDate(2000, 1, 1), QTime(0, 0))) : m_t(std::move(t)) {}
    QDateTime now() const override { return m_t; }
    void set(const QDateTime& t) { m_t = t; }
    void advanceSeconds(qint64 s) { m_t = m_t.addSecs(s); }
    void advanceMs(qint64 ms) { m_t = m_t.addMSecs(ms); }

private:
    QDateTime m_t;
};

// Source of random digits; seeded from the system unless a seed is given.
class RandomSource {
public:
    RandomSource() : m_gen(QRandomGenerator::securelySeeded()) {}
    explicit RandomSource(quint32 seed) : m_gen(seed) {}
    int bounded(int highExclusive) { return static_cast<int>(m_gen.bounded(highExclusive)); }

private:
    QRandomGenerator m_gen;
};

} // namespace kav
