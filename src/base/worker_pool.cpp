#include "base/worker_pool.h"

namespace vorex {

WorkerPool::WorkerPool(int threads) {
  int total = threads > 0 ? threads : static_cast<int>(std::thread::hardware_concurrency());
  if (total < 1) total = 1;
  workers_.reserve(static_cast<std::size_t>(total - 1));
  for (int i = 1; i < total; ++i) workers_.emplace_back([this] { Work(); });
}

WorkerPool::~WorkerPool() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

// Takes the next task until none is left; the lock is held only to pick one.
void WorkerPool::TakeTasks() {
  for (;;) {
    int index = 0;
    {
      std::lock_guard lock(mutex_);
      if (next_ >= count_) return;
      index = next_++;
    }
    try {
      (*task_)(index);
    } catch (...) {
      std::lock_guard lock(mutex_);
      errors_[static_cast<std::size_t>(index)] = std::current_exception();
    }
  }
}

void WorkerPool::Work() {
  long seen = 0;
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [&] { return stopping_ || round_ != seen; });
      if (stopping_) return;
      seen = round_;
      ++running_;
    }
    TakeTasks();
    {
      std::lock_guard lock(mutex_);
      --running_;
    }
    done_.notify_all();
  }
}

void WorkerPool::Run(int count, const std::function<void(int)>& task) {
  if (count <= 0) return;
  {
    std::lock_guard lock(mutex_);
    task_ = &task;
    count_ = count;
    next_ = 0;
    errors_.assign(static_cast<std::size_t>(count), nullptr);
    ++round_;
  }
  if (!workers_.empty() && count > 1) wake_.notify_all();
  TakeTasks();
  {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return running_ == 0; });
    task_ = nullptr;
  }
  for (const std::exception_ptr& error : errors_) {
    if (error) std::rethrow_exception(error);
  }
}

}  // namespace vorex
