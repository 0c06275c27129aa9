// Drives the running configurator from outside, as a user would: finds its
// window, presses a button with BM_CLICK, waits for the "Information" box,
// reads its text, presses OK, and reads or sets the settings edits.
//
//   transfer_driver read              "Read Settings", then print every value
//   transfer_driver save NAME=TEXT... set the edits, then "Save Settings"
//   transfer_driver port NAME         open the "Com Port" list, print its
//                                     items, pick NAME from it
//   transfer_driver skinned           print the skin engine's "skinned?"
//                                     answer of the window and its controls
//   transfer_driver version EXE       print the version resource of EXE
//   transfer_driver press CAPTION     press a button without waiting for what
//                                     it opens (a box or a dialog stays open)
//   transfer_driver context NAME      open the context menu of a settings edit
//   transfer_driver sysmenu           open the window's system menu (Alt+Space)
//   transfer_driver close             close the window
//
// Every command but version first waits for the window whose caption ends
// in this build's version.
// Prints "box: <text>" and "ms: <click to box>" for a transfer, one
// "NAME=TEXT" line per setting for read, one "item: NAME" per list item for
// port, and "skinned: <count of windows answering 1> of <count>" for
// skinned. Exit status 0 on success.
#include <windows.h>

#include "win32_wait.h"

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
  char buf[64] = {};
  GetClassNameA(h, buf, sizeof buf);
  return buf;
}

std::string TextOf(HWND h) {
  char buf[512] = {};
  DWORD_PTR r = 0;
  SendMessageTimeoutA(h, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, kMsgTimeout, &r);
  return buf;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(
      parent,
      [](HWND h, LPARAM p) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&out));
  return out;
}

HWND ChildByClassAndText(HWND parent, const std::string& cls, const std::string& text) {
  for (HWND h : Children(parent))
    if (ClassOf(h) == cls && TextOf(h) == text) return h;
  return nullptr;
}

// The edits of a group box, top to bottom.
std::vector<HWND> EditsOf(HWND group) {
  std::vector<std::pair<LONG, HWND>> v;
  for (HWND h : Children(group)) {
    if (ClassOf(h) != "TEdit" || GetParent(h) != group) continue;
    RECT r;
    GetWindowRect(h, &r);
    v.push_back({r.top, h});
  }
  std::sort(v.begin(), v.end(), [](auto& a, auto& b) { return a.first < b.first; });
  std::vector<HWND> out;
  for (auto& p : v) out.push_back(p.second);
  return out;
}

HWND MainWindow() {
  HWND w = nullptr;
  WaitFor([&] { return (w = FindWindowA(nullptr, kTitle)) != nullptr && IsWindowVisible(w); }, 120);
  return w;
}

// The "Information" box of the program's process.
HWND FindBox(DWORD pid) {
  HWND h = nullptr;
  while ((h = FindWindowExA(nullptr, h, "#32770", "Information")) != nullptr) {
    DWORD p = 0;
    GetWindowThreadProcessId(h, &p);
    if (p == pid && IsWindowVisible(h)) return h;
  }
  return nullptr;
}

std::string BoxText(HWND box) {
  for (HWND h : Children(box)) {
    if (ClassOf(h) != "Static") continue;
    std::string t = TextOf(h);
    if (!t.empty()) return t;
  }
  return {};
}

// Named settings edits: group caption and position in it.
struct EditRef {
  const char* group;
  int index;
};
std::map<std::string, EditRef> EditNames() {
  std::map<std::string, EditRef> m;
  for (int i = 0; i < 5; ++i) m["tel" + std::to_string(i + 1)] = {"Alarm Dial Tel Numbers", i};
  for (int i = 0; i < 3; ++i) m["sms" + std::to_string(i + 1)] = {"SMS Alert Numbers", i};
  for (int i = 0; i < 8; ++i) m["name" + std::to_string(i + 1)] = {"When Input Activated SMS Content", i};
  for (int i = 0; i < 8; ++i) m["name1" + std::to_string(i + 1)] = {"When Input Recovered SMS Content", i};
  return m;
}

// Waits until a popup menu is on the screen.
bool MenuShown() {
  HWND m = nullptr;
  if (WaitFor([&] { return (m = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(m); }, 120)) return true;
  std::printf("no menu opened\n");
  return false;
}

HWND EditByName(HWND main, const std::string& name) {
  auto names = EditNames();
  auto it = names.find(name);
  if (it == names.end()) return nullptr;
  HWND group = ChildByClassAndText(main, "TGroupBox", it->second.group);
  if (!group) return nullptr;
  auto edits = EditsOf(group);
  return it->second.index < int(edits.size()) ? edits[size_t(it->second.index)] : nullptr;
}

// Presses a button and waits for the box; prints it and presses OK.
int Transfer(HWND main, const char* caption, const char* expected) {
  // A window still busy with its first paint on a loaded machine answers
  // the text queries late: wait for the button rather than give up.
  HWND button = nullptr;
  WaitFor([&] { return (button = ChildByClassAndText(main, "TButton", caption)) != nullptr; }, 120);
  if (!button) {
    std::printf("no button \"%s\"\n", caption);
    return 1;
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(main, &pid);
  const auto t0 = std::chrono::steady_clock::now();
  DWORD_PTR r = 0;
  SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kMsgTimeout, &r);
  HWND box = nullptr;
  WaitFor([&] { return (box = FindBox(pid)) != nullptr; }, 120);
  const auto t1 = std::chrono::steady_clock::now();
  if (!box) {
    std::printf("no box after \"%s\"\n", caption);
    return 1;
  }
  const std::string text = BoxText(box);
  std::printf("box: %s\nms: %lld\n", text.c_str(),
              static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(t1 - t0).count()));
  HWND ok = GetDlgItem(box, IDOK);
  if (ok) SendMessageTimeoutA(ok, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kMsgTimeout, &r);
  else PostMessageA(box, WM_COMMAND, IDOK, 0);
  WaitFor([&] { return FindBox(pid) == nullptr; }, 30);
  return text == expected ? 0 : 1;
}

// Opens and closes the port drop-down's list (the program lists the present
// ports again when it opens), then picks the item `name` as a user would.
int PickPort(HWND main, const std::string& name) {
  HWND group = ChildByClassAndText(main, "TGroupBox", "COM Settings");
  HWND combo = nullptr;
  for (HWND h : group ? Children(group) : std::vector<HWND>{})
    if (ClassOf(h) == "TComboBox") combo = h;
  if (!combo) {
    std::printf("no port drop-down\n");
    return 1;
  }
  DWORD_PTR r = 0;
  SendMessageTimeoutA(combo, CB_SHOWDROPDOWN, TRUE, 0, SMTO_ABORTIFHUNG, kMsgTimeout, &r);
  SendMessageTimeoutA(combo, CB_SHOWDROPDOWN, FALSE, 0, SMTO_ABORTIFHUNG, kMsgTimeout, &r);
  DWORD_PTR count = 0;
  SendMessageTimeoutA(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kMsgTimeout, &count);
  int found = -1;
  for (int i = 0; i < int(count) && i < 1000; ++i) {
    // The wide form: Wine passes the narrow one between processes as wide
    // text.
    wchar_t buf[256] = {};
    DWORD_PTR len = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, WPARAM(i), 0, SMTO_ABORTIFHUNG, kMsgTimeout, &len);
    if (len >= 256) continue;
    SendMessageTimeoutW(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, kMsgTimeout,
                        &r);
    std::string item;
    for (const wchar_t* p = buf; *p; ++p) item += *p < 128 ? char(*p) : '?';
    std::printf("item: %s\n", item.c_str());
    if (name == item) found = i;
  }
  if (found < 0) {
    std::printf("no item \"%s\"\n", name.c_str());
    return 1;
  }
  // What the list does when the user picks an item.
  SendMessageTimeoutA(combo, CB_SETCURSEL, WPARAM(found), 0, SMTO_ABORTIFHUNG, kMsgTimeout, &r);
  SendMessageTimeoutA(group, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(combo), SMTO_ABORTIFHUNG, kMsgTimeout, &r);
  const std::string text = TextOf(combo);
  std::printf("text: %s\n", text.c_str());
  return text == name ? 0 : 1;
}

// The version resource of a program: "FileVersion" of its US English
// strings, and the file version of its fixed part as MAJOR.MINOR.
int PrintVersion(const char* exe) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(exe, &ignored);
  std::vector<char> data(size);
  if (size == 0 || !GetFileVersionInfoA(exe, 0, size, data.data())) {
    std::printf("no version resource in %s\n", exe);
    return 1;
  }
  void* p = nullptr;
  UINT n = 0;
  if (VerQueryValueA(data.data(), "\\StringFileInfo\\040904B0\\FileVersion", &p, &n) && n > 0)
    std::printf("FileVersion: %.*s\n", int(strnlen(static_cast<const char*>(p), n)), static_cast<const char*>(p));
  if (VerQueryValueA(data.data(), "\\", &p, &n) && n >= sizeof(VS_FIXEDFILEINFO)) {
    auto* fixed = static_cast<VS_FIXEDFILEINFO*>(p);
    std::printf("fixed: %u.%u\n", unsigned(HIWORD(fixed->dwFileVersionMS)), unsigned(LOWORD(fixed->dwFileVersionMS)));
  }
  return 0;
}

// The skin engine answers this message with 1 from every window it skins.
constexpr UINT kSkinnedQuery = 0x3523;

int Skinned(HWND main) {
  std::vector<HWND> all = Children(main);
  all.insert(all.begin(), main);
  int skinned = 0;
  for (HWND h : all) {
    DWORD_PTR r = 0;
    SendMessageTimeoutA(h, kSkinnedQuery, 0, 0, SMTO_ABORTIFHUNG, kMsgTimeout, &r);
    skinned += r == 1;
  }
  std::printf("skinned: %d of %d\n", skinned, int(all.size()));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  setvbuf(stdout, nullptr, _IONBF, 0);
  if (argc < 2) {
    std::printf("usage: transfer_driver read | save NAME=TEXT... | port NAME | skinned | version EXE | press CAPTION |"
                " context NAME | sysmenu | close\n");
    return 2;
  }
  if (std::string(argv[1]) == "version" && argc == 3) return PrintVersion(argv[2]);
  HWND main = MainWindow();
  if (!main) {
    std::printf("no window \"%s\"\n", kTitle);
    return 1;
  }
  const std::string cmd = argv[1];
  if (cmd == "close") {
    PostMessageA(main, WM_CLOSE, 0, 0);
    return 0;
  }
  if (cmd == "port" && argc == 3) return PickPort(main, argv[2]);
  if (cmd == "context" && argc == 3) {
    HWND e = EditByName(main, argv[2]);
    if (!e) {
      std::printf("no edit for \"%s\"\n", argv[2]);
      return 1;
    }
    RECT r;
    GetWindowRect(e, &r);
    PostMessageA(e, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(e), MAKELPARAM(r.left + 20, r.bottom - 4));
    return MenuShown() ? 0 : 1;
  }
  if (cmd == "sysmenu") {
    PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    return MenuShown() ? 0 : 1;
  }
  if (cmd == "press" && argc == 3) {
    HWND button = ChildByClassAndText(main, "TButton", argv[2]);
    if (!button) {
      std::printf("no button \"%s\"\n", argv[2]);
      return 1;
    }
    PostMessageA(button, BM_CLICK, 0, 0);
    return 0;
  }
  if (cmd == "skinned") return Skinned(main);
  if (cmd == "read") {
    const int rc = Transfer(main, "Read Settings", "UpLoad Success");
    for (auto& [name, ref] : EditNames()) {
      HWND e = EditByName(main, name);
      std::printf("%s=%s\n", name.c_str(), e ? TextOf(e).c_str() : "<missing>");
    }
    return rc;
  }
  if (cmd == "save") {
    for (int i = 2; i < argc; ++i) {
      const std::string a = argv[i];
      const auto eq = a.find('=');
      HWND e = eq == std::string::npos ? nullptr : EditByName(main, a.substr(0, eq));
      if (!e) {
        std::printf("no edit for \"%s\"\n", a.c_str());
        return 1;
      }
      const std::string text = a.substr(eq + 1);
      DWORD_PTR r = 0;
      SendMessageTimeoutA(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, kMsgTimeout,
                          &r);
    }
    return Transfer(main, "Save Settings", "DownLoad Success");
  }
  std::printf("unknown command %s\n", cmd.c_str());
  return 2;
}
