#include "core/block_writer.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>

namespace nexmar {

namespace {

constexpr std::size_t kMaxQueued = 2;

}  // namespace

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

BlockWriter::BlockWriter(std::vector<int> fds) : fds_(std::move(fds)), errors_(fds_.size(), 0)
{
    // The new thread starts with every signal blocked, and keeps them so.
    sigset_t all;
    sigset_t before;
    ::sigfillset(&all);
    ::pthread_sigmask(SIG_BLOCK, &all, &before);
    thread_ = std::thread([this] { Run(); });
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

BlockWriter::~BlockWriter()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BlockWriter::Write(std::size_t stream, std::string& block)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queued_.size() < kMaxQueued; });
    queued_.push_back(Job{stream, std::move(block)});
    if (spare_.empty()) {
        block = std::string();
    } else {
        block = std::move(spare_.back());
        spare_.pop_back();
    }
    lock.unlock();
    changed_.notify_all();
}

std::vector<int> BlockWriter::Finish()
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queued_.empty() && !writing_; });
    return errors_;
}

void BlockWriter::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !queued_.empty() || stopping_; });
        if (queued_.empty()) {
            return;
        }
        Job job = std::move(queued_.front());
        queued_.pop_front();
        writing_ = true;
        const bool dropped = errors_[job.stream] != 0;
        lock.unlock();
        errno = 0;
        const bool written = dropped || WriteAll(fds_[job.stream], job.bytes);
        const int error = written ? 0 : errno != 0 ? errno : EIO;
        lock.lock();
        if (!dropped) {
            errors_[job.stream] = error;
        }
        job.bytes.clear();
        spare_.push_back(std::move(job.bytes));
        writing_ = false;
        changed_.notify_all();
    }
}

}  // namespace nexmar
