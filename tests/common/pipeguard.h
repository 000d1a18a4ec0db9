#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A named pipe for a test that must not wait on it. Should the code under test block
// in reading it, a writer comes after a few seconds and goes again, so the read ends
// and the test fails on released() instead of hanging.
class PipeGuard
{
public:
    explicit PipeGuard(const QString& path) : m_path(QFile::encodeName(path))
    {
        m_made = ::mkfifo(m_path.constData(), 0600) == 0;
        m_thread = std::thread([this] { watch(); });
    }
    ~PipeGuard()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    PipeGuard(const PipeGuard&) = delete;
    PipeGuard& operator=(const PipeGuard&) = delete;

    bool made() const { return m_made; }
    // True when a reader was found waiting on the pipe.
    bool released() const { return m_released; }

private:
    void watch()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_wake.wait_for(lock, std::chrono::seconds(3), [this] { return m_stop; }))
            return;
        while (!m_wake.wait_for(lock, std::chrono::milliseconds(50), [this] { return m_stop; })) {
            // Opening for writing without waiting succeeds only while a reader is there.
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                m_released = true;
                ::close(fd);
            }
        }
    }

    QByteArray m_path;
    bool m_made = false;
    std::atomic<bool> m_released {false};
    bool m_stop = false;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::thread m_thread;
};
