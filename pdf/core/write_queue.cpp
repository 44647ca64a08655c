#include "pdf/core/write_queue.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <utility>

namespace pagora {

namespace {

// Appends all of `bytes`, retrying short writes; 0 or the errno of the failure.
int WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    if (written == 0) return EIO;
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace

bool WriteQueue::Add(int fd, std::vector<std::uint8_t>&& bytes, ByteTransform&& transform) {
  std::unique_lock lock(mutex_);
  if (!thread_.joinable()) {
    fd_ = fd;
    finishing_ = false;
    try {
      thread_ = std::thread(&WriteQueue::Run, this);
    } catch (const std::system_error&) {
      return false;
    }
  }
  changed_.wait(lock, [&] { return queued_bytes_ <= kMaxQueuedBytes; });
  queued_bytes_ += bytes.size();
  queue_.push_back({std::move(bytes), std::move(transform)});
  const bool batch_ready = queued_bytes_ >= kBatchBytes;
  lock.unlock();
  if (batch_ready) changed_.notify_all();
  return true;
}

int WriteQueue::Finish() noexcept {
  std::unique_lock lock(mutex_);
  finishing_ = true;
  lock.unlock();
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
  lock.lock();
  const int error = error_;
  error_ = 0;
  return error;
}

void WriteQueue::Abandon() noexcept {
  std::unique_lock lock(mutex_);
  for (const Block& block : queue_) queued_bytes_ -= block.bytes.size();
  queue_.clear();
  lock.unlock();
  Finish();
}

void WriteQueue::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return queued_bytes_ >= kBatchBytes || finishing_; });
    if (queue_.empty()) return;
    // The whole batch at once: one wait and one lock for many blocks.
    std::deque<Block> batch;
    batch.swap(queue_);
    int error = error_;
    lock.unlock();
    std::size_t done = 0;
    for (Block& block : batch) {
      if (error == 0) {
        if (block.transform) block.transform(block.bytes);
        error = WriteAll(fd_, block.bytes);
      }
      done += block.bytes.size();
    }
    batch.clear();
    lock.lock();
    error_ = error;
    queued_bytes_ -= done;
    changed_.notify_all();
  }
}

}  // namespace pagora
