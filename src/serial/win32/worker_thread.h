// A Win32 thread created suspended, so that its fields and priority can be
// set before it runs. Destroying it waits without limit for the body to end;
// a thread that was never started is let go without running its body.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>

namespace serial {

class WorkerThread {
 public:
  WorkerThread() = default;
  ~WorkerThread() { Finish(); }
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Creates the thread suspended; false when it cannot be created.
  bool Create(std::function<void()> body);
  void SetPriority(int priority);
  void Resume();
  // True when the body has ended (or never will run) within ms.
  bool WaitFor(DWORD ms);
  // Waits for the body without limit and releases the thread.
  void Finish();

  HANDLE Handle() const { return handle_; }
  DWORD ThreadId() const { return id_; }
  // Set when a bounded wait for the thread ran out.
  bool Terminated = false;

 private:
  static DWORD WINAPI Entry(void* self);

  std::function<void()> body_;
  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
  bool started_ = false;
  std::atomic<bool> skip_{false};
};

}  // namespace serial
