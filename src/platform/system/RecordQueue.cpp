// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/RecordQueue.h"

#include <QCoreApplication>
#include <QPointer>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace platform {

namespace {

struct Queue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::function<void()>> jobs;
    std::thread thread;
    bool running = false;  // a job is being done
    bool held = false;
    bool stopping = false;

    void work() {
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return stopping || (!held && !jobs.empty()); });
            if (jobs.empty() || (held && !stopping)) {
                if (stopping) return;
                continue;
            }
            std::function<void()> job = std::move(jobs.front());
            jobs.pop_front();
            running = true;
            lock.unlock();
            job();
            lock.lock();
            running = false;
            changed.notify_all();
        }
    }

    void stop(int ms) {
        {
            std::unique_lock<std::mutex> lock(mutex);
            if (!thread.joinable()) return;
            changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return jobs.empty() && !running; });
            stopping = true;
            held = false;
            if (!jobs.empty() || running) {
                // A job hangs on the share: the process ends without it.
                jobs.clear();
                changed.notify_all();
                lock.unlock();
                thread.detach();
                return;
            }
            changed.notify_all();
        }
        thread.join();
    }
};

// Never destroyed: a job that hangs on the share keeps its thread to the process's end.
Queue& queue() {
    static Queue* q = new Queue;
    return *q;
}

}  // namespace

void recordWork(std::function<void()> job) {
    Queue& q = queue();
    std::lock_guard<std::mutex> lock(q.mutex);
    if (q.stopping) return;
    if (!q.thread.joinable()) q.thread = std::thread([&q] { q.work(); });
    q.jobs.push_back(std::move(job));
    q.changed.notify_all();
}

void recordWorkThen(QObject* receiver, std::function<void()> job, std::function<void()> done) {
    QPointer<QObject> owner(receiver);
    recordWork([owner, job = std::move(job), done = std::move(done)] {
        job();
        QCoreApplication* app = QCoreApplication::instance();
        if (!app) return;
        // The pointer is looked at on the main thread only, where the receiver lives.
        QMetaObject::invokeMethod(
            app, [owner, done] {
                if (owner) done();
            },
            Qt::QueuedConnection);
    });
}

bool recordWorkDone(int ms) {
    Queue& q = queue();
    std::unique_lock<std::mutex> lock(q.mutex);
    return q.changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return q.jobs.empty() && !q.running; });
}

void endRecordWork(int ms) { queue().stop(ms); }

void holdRecordWork(bool hold) {
    Queue& q = queue();
    std::lock_guard<std::mutex> lock(q.mutex);
    q.held = hold;
    q.changed.notify_all();
}

}  // namespace platform
