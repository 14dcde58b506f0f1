#pragma once
// A pipe a waiting thread polls beside its input, so another thread (or a
// signal handler) can wake it without a timeout: the end of play found by
// the clock, a stop signal, a resize.
class WakePipe {
public:
    WakePipe();
    ~WakePipe();
    WakePipe(const WakePipe&) = delete;
    WakePipe& operator=(const WakePipe&) = delete;

    // The end to poll for reading; -1 when the pipe could not be made.
    int readEnd() const { return fds_[0]; }
    // The end wake() writes to; async-signal-safe to write a byte to.
    int writeEnd() const { return fds_[1]; }
    // Makes the poll return. A wake with nobody waiting is kept, so the
    // next wait returns at once: a waiter never misses one.
    void wake() const;
    // Empties the pipe after a poll has seen it readable.
    void drain() const;

private:
    int fds_[2] = {-1, -1};
};
