#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace nexmar {

// Writes all of bytes to fd, resuming after interruptions. False when a write fails.
bool WriteAll(int fd, std::string_view bytes);

// Writes blocks of bytes on a thread of its own, each in the order it was
// handed over, so that a run formats on one core while the other writes.
// The thread takes no signal: those go to the thread that runs.
class BlockWriter {
public:
    BlockWriter();
    // Writes whatever was handed over, then ends the thread.
    ~BlockWriter();
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    // Takes block for writing to fd and leaves in its place an empty one to
    // fill next; waits while two blocks are still queued, so memory stays
    // flat. When a write to fd fails, failed is set and the later blocks
    // handed over with it are dropped. failed may be read after Finish.
    void Write(int fd, std::string& block, bool& failed);
    // Waits until every block handed over is written.
    void Finish();

private:
    struct Job {
        int fd;
        std::string bytes;
        bool* failed;
    };
    void Run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> queued_;
    std::vector<std::string> spare_;
    bool writing_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace nexmar
