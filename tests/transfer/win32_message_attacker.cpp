// Plays a hostile program on the same desktop: posts made-up window and
// thread messages to the running configurator, the numbers WM_USER to
// WM_USER+0x40 and WM_APP to WM_APP+0x140 with parameters that would be
// taken for pointers, counts or handles (0x41414141, 1, -1, a huge wParam),
// to every window of its process that is not one of the system's own
// controls (top-level, child and message-only windows) and to each of its
// threads.
//
//   message_attacker storm        one storm, then wait until the program has
//                                 taken every message posted to its window
//                                 thread, and check that it still runs
//   message_attacker transfer [READY-FILE]
//                                 wait until the program's serial port is
//                                 open (run it before a transfer starts; it
//                                 creates READY-FILE once it watches), storm
//                                 once, its threads first, then check the same
//   ... CLASS                     only the windows of that class (and the
//                                 threads)
//
// Prints the windows and threads attacked and "alive" at the end. Exit
// status 0 when the program survived.
#include <windows.h>

#include "win32_wait.h"
#include <tlhelp32.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "gsm_version.h"

namespace {

constexpr char kTitle[] = "GSM SMS Controller Alarm Configurator Ver" GSM_VERSION;
constexpr DWORD kMsgTimeout = 10000;

std::string ClassOf(HWND h) {
  char buf[128] = {};
  GetClassNameA(h, buf, sizeof buf);
  return buf;
}

DWORD ProcessOf(HWND h) {
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  return pid;
}

// Windows of the system's own classes (its controls, and the windows its
// libraries make in every process, such as COM's): their documented
// messages take pointers from whoever sends them, in every program alike.
bool IsSystemControl(const std::string& cls) {
  static const char* const kSystem[] = {
      "Button", "Edit",   "ComboBox", "ComboLBox", "ListBox", "Static", "ScrollBar", "msctls_statusbar32",
      "tooltips_class32", "IME", "MSCTFIME UI", "OleMainThreadWndClass", "#32768", "#32769", "#32770", "#32771",
      "#32772"};
  for (const char* s : kSystem)
    if (cls == s) return true;
  return false;
}

struct Targets {
  std::vector<HWND> windows;
  std::vector<bool> alone;  // the only window (or one of few) of its class
};

void AddWithChildren(HWND h, std::vector<HWND>& out) {
  out.push_back(h);
  EnumChildWindows(
      h,
      [](HWND c, LPARAM p) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(c);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&out));
}

Targets FindTargets(DWORD pid, const std::string& only_class) {
  std::vector<HWND> all;
  struct Ctx {
    DWORD pid;
    std::vector<HWND>* out;
  } ctx{pid, &all};
  EnumWindows(
      [](HWND h, LPARAM p) -> BOOL {
        auto* c = reinterpret_cast<Ctx*>(p);
        if (ProcessOf(h) == c->pid) AddWithChildren(h, *c->out);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ctx));
  // Message-only windows are not enumerated with the others.
  for (HWND h = nullptr; (h = FindWindowExA(HWND_MESSAGE, h, nullptr, nullptr)) != nullptr;)
    if (ProcessOf(h) == pid) AddWithChildren(h, all);

  Targets t;
  std::map<std::string, int> per_class;
  for (HWND h : all) {
    const std::string cls = ClassOf(h);
    if (IsSystemControl(cls) || (!only_class.empty() && cls != only_class)) continue;
    t.windows.push_back(h);
    ++per_class[cls];
  }
  for (HWND h : t.windows) t.alone.push_back(per_class[ClassOf(h)] < 4);

  return t;
}

std::vector<DWORD> ThreadsOf(DWORD pid) {
  std::vector<DWORD> threads;
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snap != INVALID_HANDLE_VALUE) {
    THREADENTRY32 te{};
    te.dwSize = sizeof te;
    for (BOOL ok = Thread32First(snap, &te); ok; ok = Thread32Next(snap, &te))
      if (te.th32OwnerProcessID == pid) threads.push_back(te.th32ThreadID);
    CloseHandle(snap);
  }
  return threads;
}

struct Params {
  WPARAM wp;
  LPARAM lp;
};
constexpr Params kParams[] = {
    {0, LPARAM(0x41414141)},
    {1, 1},
    {WPARAM(-1), LPARAM(-1)},
    {WPARAM(0x7FFFFFF0), LPARAM(0x41414141)},
};

std::vector<UINT> Messages() {
  std::vector<UINT> m;
  for (UINT n = WM_USER; n <= WM_USER + 0x40; ++n) m.push_back(n);
  for (UINT n = WM_APP; n <= WM_APP + 0x140; ++n) m.push_back(n);
  return m;
}

struct Counts {
  long posted = 0;
  long refused = 0;
};

// A window that is one of few of its class gets every message with every
// set of parameters. Windows of one class share their window procedure: of
// many such, each gets every message with one set, in turn, so that the
// class as a whole still gets every combination.
// The threads first (those of the moment: the serial port's threads live
// while it is open), then the windows.
void Storm(DWORD pid, const Targets& t, Counts& c) {
  static const std::vector<UINT> messages = Messages();
  constexpr size_t kSets = sizeof kParams / sizeof kParams[0];
  // A thread without a message queue refuses them.
  for (DWORD id : ThreadsOf(pid))
    for (UINT m : messages)
      for (const Params& p : kParams) (PostThreadMessageA(id, m, p.wp, p.lp) ? c.posted : c.refused)++;
  for (size_t w = 0; w < t.windows.size(); ++w) {
    HWND h = t.windows[w];
    if (!IsWindow(h)) continue;
    for (size_t i = 0; i < messages.size(); ++i) {
      if (t.alone[w]) {
        for (const Params& p : kParams) (PostMessageA(h, messages[i], p.wp, p.lp) ? c.posted : c.refused)++;
      } else {
        const Params& p = kParams[(w + i) % kSets];
        (PostMessageA(h, messages[i], p.wp, p.lp) ? c.posted : c.refused)++;
      }
    }
  }
}

// The "Information" box of the program's process.
bool BoxShown(DWORD pid) {
  HWND h = nullptr;
  while ((h = FindWindowExA(nullptr, h, "#32770", "Information")) != nullptr)
    if (ProcessOf(h) == pid && IsWindowVisible(h)) return true;
  return false;
}

// An edit of the window (a framework edit: its class is the program's).
HWND AnyEdit(HWND main) {
  HWND found = nullptr;
  EnumChildWindows(
      main,
      [](HWND h, LPARAM p) -> BOOL {
        if (ClassOf(h) != "TEdit") return TRUE;
        *reinterpret_cast<HWND*>(p) = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Posted messages of one thread are taken in order: once margins posted to
// an edit after the storm show in it, everything posted before them to the
// window thread has been handled. The edit gets its margins back after.
bool WaitUntilTaken(HWND main) {
  HWND edit = AnyEdit(main);
  if (!edit) {
    std::printf("no edit to mark the end of the storm\n");
    return false;
  }
  DWORD_PTR before = 0, r = 0;
  SendMessageTimeoutA(edit, EM_GETMARGINS, 0, 0, SMTO_ABORTIFHUNG, kMsgTimeout, &before);
  const DWORD_PTR marked = MAKELONG((LOWORD(before) + 3) & 0x7FFF, HIWORD(before));
  PostMessageA(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, LPARAM(marked));
  bool gone = false;
  const bool taken = WaitFor(
      [&] {
        if ((gone = !IsWindow(edit))) return true;
        DWORD_PTR now = 0;
        return SendMessageTimeoutA(edit, EM_GETMARGINS, 0, 0, SMTO_ABORTIFHUNG, kMsgTimeout, &now) && now == marked;
      },
      300);
  SendMessageTimeoutA(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, LPARAM(before), SMTO_ABORTIFHUNG,
                      kMsgTimeout, &r);
  if (gone) std::printf("the window has gone\n");
  else if (!taken) std::printf("the program did not take the storm's messages\n");
  return taken && !gone;
}

bool Alive(DWORD pid, HWND main) {
  HANDLE p = OpenProcess(SYNCHRONIZE, FALSE, pid);
  const bool running = p && WaitForSingleObject(p, 0) == WAIT_TIMEOUT;
  if (p) CloseHandle(p);
  DWORD_PTR r = 0;
  const bool answers = IsWindow(main) && SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kMsgTimeout, &r);
  if (!running) std::printf("the program has ended\n");
  else if (!answers) std::printf("the window does not answer\n");
  return running && answers;
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  const std::string mode = argc >= 2 ? argv[1] : "";
  // A class name after the mode narrows the storm to its windows (and the
  // threads), to find which window a crash comes from.
  const std::string only_class = argc == 3 && mode == "storm" ? argv[2] : "";
  const std::string ready_file = argc == 3 && mode == "transfer" ? argv[2] : "";
  if ((mode != "storm" && mode != "transfer") || argc > 3) {
    std::printf("usage: message_attacker storm [WINDOW-CLASS] | transfer [READY-FILE]\n");
    return 2;
  }
  HWND main = nullptr;
  WaitFor([&] { return (main = FindWindowA(nullptr, kTitle)) != nullptr && IsWindowVisible(main); }, 120);
  if (!main) {
    std::printf("no window \"%s\"\n", kTitle);
    return 1;
  }
  const DWORD pid = ProcessOf(main);
  const Targets targets = FindTargets(pid, only_class);
  for (HWND h : targets.windows) std::printf("window: %s\n", ClassOf(h).c_str());
  const std::vector<DWORD> idle_threads = ThreadsOf(pid);
  std::printf("threads: %d\n", int(idle_threads.size()));

  Counts counts;
  if (mode == "storm") {
    Storm(pid, targets, counts);
  } else {
    // One storm from the moment the port is open (its threads, new ones
    // of each opening, have started), while the transfer runs.
    auto port_open = [&] {
      for (DWORD id : ThreadsOf(pid))
        if (std::find(idle_threads.begin(), idle_threads.end(), id) == idle_threads.end()) return true;
      return false;
    };
    // The transfer may start now: its threads will be new ones.
    if (!ready_file.empty()) {
      HANDLE f = CreateFileA(ready_file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
      if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    }
    if (!WaitFor(port_open, 120)) {
      std::printf("the port's threads did not start\n");
      return 1;
    }
    std::printf("threads with the port open: %d\n", int(ThreadsOf(pid).size()));
    Storm(pid, targets, counts);
    std::printf("box shown when the storm was posted: %s\n", BoxShown(pid) ? "yes" : "no");
  }
  std::printf("posted: %ld, refused: %ld\n", counts.posted, counts.refused);
  if (!WaitUntilTaken(main) || !Alive(pid, main)) return 1;
  std::printf("alive\n");
  return 0;
}
