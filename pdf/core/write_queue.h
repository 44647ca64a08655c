#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace pagora {

// Work on the bytes of a queued block, done on the writing thread just before they are
// written. It must not throw.
using ByteTransform = std::function<void(std::span<std::uint8_t>)>;

// A second thread that writes byte blocks to a file in the order they were queued, after
// running each through its transform, while the caller goes on making the next ones. The
// file comes out the same whatever the timing. The thread starts with the first block and
// ends at Finish; it is woken once a batch has gathered, not for every block, because
// waking it costs more than transforming a few kilobytes.
class WriteQueue {
 public:
  WriteQueue() = default;
  WriteQueue(const WriteQueue&) = delete;
  WriteQueue& operator=(const WriteQueue&) = delete;
  // Drops the blocks still queued.
  ~WriteQueue() { Abandon(); }

  bool active() const { return thread_.joinable(); }

  // Queues `bytes` to be run through `transform` (if any) and appended at the offset of
  // `fd`, which must stay open and unwritten by others until Finish. Waits while the queue
  // holds more than kMaxQueuedBytes. After a failed write later blocks are dropped.
  // Returns false, taking nothing, when the thread is not running and cannot be started:
  // the caller then writes the block itself.
  bool Add(int fd, std::vector<std::uint8_t>&& bytes, ByteTransform&& transform = {});
  // Writes every queued block and ends the thread. Returns 0, or the errno of the first
  // failed write; either way the next Add starts afresh.
  int Finish() noexcept;
  // Drops the blocks not yet begun, waits for the one being written and ends the thread.
  void Abandon() noexcept;

  static constexpr std::size_t kBatchBytes = std::size_t{256} << 10;
  // Beyond this the caller waits, so that a fast producer does not fill the memory.
  static constexpr std::size_t kMaxQueuedBytes = std::size_t{64} << 20;

 private:
  struct Block {
    std::vector<std::uint8_t> bytes;
    ByteTransform transform;
  };

  void Run();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Block> queue_;
  std::size_t queued_bytes_ = 0;  // of the blocks queued or being written
  int fd_ = -1;
  bool finishing_ = false;
  int error_ = 0;
  std::thread thread_;
};

}  // namespace pagora
