#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace vorex {

// Threads kept for the life of a long computation (a fit runs hundreds of evaluations, each of a
// few independent tasks): starting threads per evaluation would cost as much as a short
// simulation. The calling thread works too, so a pool of one thread runs every task itself.
class WorkerPool {
 public:
  // `threads` counts the caller: 1 starts none; 0 takes the machine's processors.
  explicit WorkerPool(int threads);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  int Threads() const { return static_cast<int>(workers_.size()) + 1; }

  // Runs task(0) .. task(count - 1), each once, on the pool and the caller, and returns when all
  // have ended. Which thread runs which task varies; a task must touch only what is its own. An
  // exception a task throws is rethrown here once all have ended: the one of the lowest task,
  // so that what the caller sees does not depend on the threads' timing.
  void Run(int count, const std::function<void(int)>& task);

 private:
  void Work();
  void TakeTasks();

  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  const std::function<void(int)>* task_ = nullptr;
  std::vector<std::exception_ptr> errors_;
  int count_ = 0;
  int next_ = 0;
  int running_ = 0;  // workers inside the current round
  long round_ = 0;
  bool stopping_ = false;
};

}  // namespace vorex
