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

// Writes blocks of bytes to a fixed set of streams on a thread of its own,
// each in the order it was handed over, so that a run formats on one core
// while the other writes. The thread takes no signal: those go to the thread
// that runs.
class BlockWriter {
public:
    // One stream per descriptor, numbered in the order given.
    explicit BlockWriter(std::vector<int> fds);
    // Writes whatever was handed over, then ends the thread.
    ~BlockWriter();
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    // Takes block for writing to the stream and leaves in its place an empty
    // one to fill next; waits while two blocks are still queued, so memory
    // stays flat. After a write to a stream fails, the later blocks handed
    // over for it are dropped.
    void Write(std::size_t stream, std::string& block);
    // Waits until every block handed over is written or dropped, and tells,
    // by stream, 0 when all of its blocks were written, else the errno of the
    // write that failed.
    std::vector<int> Finish();

private:
    struct Job {
        std::size_t stream;
        std::string bytes;
    };
    void Run();

    const std::vector<int> fds_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> queued_;
    std::vector<std::string> spare_;
    std::vector<int> errors_;  // by stream: the errno of its failed write, 0 while none failed
    bool writing_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace nexmar
