#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "profile/profile_file.h"

namespace profile {
namespace {

void Reason(std::string* reason, int err) {
  if (reason) *reason = std::strerror(err);
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now and reports the result (close may report a late write error).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const std::string& s) {
  size_t done = 0;
  while (done < s.size()) {
    ssize_t n = ::write(fd, s.data() + done, s.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += size_t(n);
  }
  return true;
}

}  // namespace

ReadStatus ReadProfileFile(const std::string& path, std::string* content, std::string* reason) {
  content->clear();
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT) return ReadStatus::Missing;
    Reason(reason, errno);
    return ReadStatus::Failed;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) {
    Reason(reason, errno);
    return ReadStatus::Failed;
  }
  if (S_ISDIR(st.st_mode)) {
    Reason(reason, EISDIR);
    return ReadStatus::Failed;
  }
  char buf[8192];
  for (;;) {
    ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      Reason(reason, errno);
      content->clear();
      return ReadStatus::Failed;
    }
    if (n == 0) break;
    if (content->size() + size_t(n) > kMaxProfileBytes) {
      Reason(reason, EFBIG);
      content->clear();
      return ReadStatus::Failed;
    }
    content->append(buf, size_t(n));
  }
  return ReadStatus::Ok;
}

bool ReplaceProfileFile(const std::string& path, const std::string& content, std::string* reason) {
  // Replace what a symbolic link points to, not the link.
  std::string target = path;
  if (char* real = ::realpath(path.c_str(), nullptr)) {
    target = real;
    std::free(real);
  }

  struct stat st {};
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) {
    Reason(reason, EISDIR);
    return false;
  }
  if (exists && ::access(target.c_str(), W_OK) != 0) {
    Reason(reason, errno);
    return false;
  }

  std::string tmp = target + ".XXXXXX";
  Fd fd(::mkstemp(tmp.data()));
  if (fd.get() < 0) {
    Reason(reason, errno);
    return false;
  }
  // A new file gets the usual permissions, a replaced one keeps its own.
  mode_t mode = 0;
  if (exists) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  int err = 0;
  if (::fchmod(fd.get(), mode) != 0 || !WriteAll(fd.get(), content) || ::fsync(fd.get()) != 0) err = errno;
  if (!fd.Close() && !err) err = errno;
  if (!err && ::rename(tmp.c_str(), target.c_str()) != 0) err = errno;
  if (err) {
    ::unlink(tmp.c_str());
    Reason(reason, err);
    return false;
  }
  return true;
}

}  // namespace profile
