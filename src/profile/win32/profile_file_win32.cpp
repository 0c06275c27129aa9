#include <windows.h>

#include <algorithm>

#include "profile/profile_file.h"

namespace profile {
namespace {

std::string ErrorText(DWORD err) {
  char* buf = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, err, 0, reinterpret_cast<char*>(&buf), 0, nullptr);
  std::string s = n && buf ? std::string(buf, n) : "System error " + std::to_string(err) + ".";
  if (buf) LocalFree(buf);
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ')) s.pop_back();
  return s;
}

void Reason(std::string* reason, DWORD err) {
  if (reason) *reason = ErrorText(err);
}

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return h_; }
  bool Close() {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return CloseHandle(h) != 0;
  }

 private:
  HANDLE h_;
};

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

}  // namespace

ReadStatus ReadProfileFile(const std::string& path, std::string* content, std::string* reason) {
  content->clear();
  Handle h(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (h.get() == INVALID_HANDLE_VALUE) {
    const DWORD err = GetLastError();
    if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return ReadStatus::Missing;
    Reason(reason, err);
    return ReadStatus::Failed;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(h.get(), &size)) {
    Reason(reason, GetLastError());
    return ReadStatus::Failed;
  }
  if (size.QuadPart > LONGLONG(kMaxProfileBytes)) {
    Reason(reason, ERROR_FILE_TOO_LARGE);
    return ReadStatus::Failed;
  }
  char buf[8192];
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(h.get(), buf, sizeof buf, &n, nullptr)) {
      Reason(reason, GetLastError());
      content->clear();
      return ReadStatus::Failed;
    }
    if (n == 0) break;
    if (content->size() + n > kMaxProfileBytes) {
      Reason(reason, ERROR_FILE_TOO_LARGE);
      content->clear();
      return ReadStatus::Failed;
    }
    content->append(buf, n);
  }
  return ReadStatus::Ok;
}

bool ReplaceProfileFile(const std::string& path, const std::string& content, std::string* reason) {
  const DWORD attrs = GetFileAttributesA(path.c_str());
  if (attrs != INVALID_FILE_ATTRIBUTES) {
    if (attrs & FILE_ATTRIBUTE_DIRECTORY) {
      if (reason) *reason = "It is a folder, not a file.";
      return false;
    }
    if (attrs & FILE_ATTRIBUTE_READONLY) {
      if (reason) *reason = "The file is read-only.";
      return false;
    }
  }

  char tmp[MAX_PATH + 1] = {};
  if (!GetTempFileNameA(FolderOf(path).c_str(), "sf", 0, tmp)) {
    Reason(reason, GetLastError());
    return false;
  }
  DWORD err = 0;
  {
    Handle h(CreateFileA(tmp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (h.get() == INVALID_HANDLE_VALUE) {
      err = GetLastError();
    } else {
      size_t done = 0;
      while (!err && done < content.size()) {
        DWORD n = 0;
        const DWORD chunk = DWORD(std::min<size_t>(content.size() - done, 1u << 20));
        if (!WriteFile(h.get(), content.data() + done, chunk, &n, nullptr) || n == 0)
          err = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
        done += n;
      }
      if (!err && !FlushFileBuffers(h.get())) err = GetLastError();
      if (!h.Close() && !err) err = GetLastError();
    }
  }
  if (!err && !MoveFileExA(tmp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    err = GetLastError();
  if (err) {
    DeleteFileA(tmp);
    Reason(reason, err);
    return false;
  }
  return true;
}

}  // namespace profile
