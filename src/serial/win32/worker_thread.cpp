#include "serial/win32/worker_thread.h"

namespace serial {

bool WorkerThread::Create(std::function<void()> body) {
  body_ = std::move(body);
  handle_ = CreateThread(nullptr, 0, &WorkerThread::Entry, this, CREATE_SUSPENDED, &id_);
  return handle_ != nullptr;
}

void WorkerThread::SetPriority(int priority) {
  if (handle_) SetThreadPriority(handle_, priority);
}

void WorkerThread::Resume() {
  if (!handle_ || started_) return;
  started_ = true;
  ResumeThread(handle_);
}

bool WorkerThread::WaitFor(DWORD ms) {
  if (!handle_ || !started_) return true;
  return WaitForSingleObject(handle_, ms) == WAIT_OBJECT_0;
}

void WorkerThread::Finish() {
  if (!handle_) return;
  if (!started_) {
    skip_ = true;
    started_ = true;
    ResumeThread(handle_);
  }
  WaitForSingleObject(handle_, INFINITE);
  CloseHandle(handle_);
  handle_ = nullptr;
}

DWORD WINAPI WorkerThread::Entry(void* p) {
  auto* self = static_cast<WorkerThread*>(p);
  if (!self->skip_) self->body_();
  return 0;
}

}  // namespace serial
