// "Save Profile" and "Load Profile" on the real window with the system's
// file dialogs: a watcher thread looks at each dialog as the user would see
// it, types the file name and presses OK.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "app/umset.h"
#include "framework/forms.h"
#include "profile_files.h"

// After the program's headers: <windows.h> defines macros named like
// members of theirs.
#include "framework/win32/win32_widgetset.h"

#include <dlgs.h>

namespace {

std::string TextOf(HWND w) {
  char buf[2048] = {};
  GetWindowTextA(w, buf, sizeof buf);
  return buf;
}

// The first visible dialog-class window of this process whose title is not
// `except`; waits up to a minute.
HWND WaitForDialog(const std::string& title = "") {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  for (;;) {
    struct Search {
      std::string title;
      HWND found;
    } s{title, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
          auto* s = reinterpret_cast<Search*>(p);
          DWORD pid = 0;
          GetWindowThreadProcessId(w, &pid);
          char cls[64] = {};
          GetClassNameA(w, cls, sizeof cls);
          if (pid != GetCurrentProcessId() || std::string(cls) != "#32770" || !IsWindowVisible(w)) return TRUE;
          if (!s->title.empty() && TextOf(w) != s->title) return TRUE;
          s->found = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    if (std::chrono::steady_clock::now() > end) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

// What a file dialog showed.
struct SeenDialog {
  bool seen = false;
  std::string title, file_name, first_filter;
  int filter_count = 0;
  bool places_bar = false, read_only_box = false, resizable = false;
};

HWND NameBox(HWND d) {
  HWND name = GetDlgItem(d, cmb13);
  return name ? name : GetDlgItem(d, edt1);
}

// Runs `command` on this thread while a watcher answers the file dialog with
// `path` (or cancels it for an empty path) and, when `message` is given,
// closes the message box that follows, keeping its text.
SeenDialog RunWithDialog(const std::function<void()>& command, const std::string& path,
                         std::string* message = nullptr) {
  SeenDialog seen;
  std::thread watcher([&] {
    HWND d = WaitForDialog();
    if (!d) return;
    seen.seen = true;
    seen.title = TextOf(d);
    seen.file_name = TextOf(NameBox(d));
    HWND types = GetDlgItem(d, cmb1);
    seen.filter_count = int(SendMessageA(types, CB_GETCOUNT, 0, 0));
    char item[256] = {};
    if (seen.filter_count > 0 && SendMessageA(types, CB_GETLBTEXTLEN, 0, 0) < LRESULT(sizeof item))
      SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
    seen.first_filter = item;
    HWND places = GetDlgItem(d, ctl1);
    seen.places_bar = places && IsWindowVisible(places);
    HWND ro = GetDlgItem(d, chx1);
    seen.read_only_box = ro && IsWindowVisible(ro);
    seen.resizable = (GetWindowLongA(d, GWL_STYLE) & WS_THICKFRAME) != 0;
    if (path.empty()) {
      PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      return;
    }
    SendMessageA(NameBox(d), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    if (!message) return;
    HWND box = WaitForDialog("Information");
    if (!box) return;
    // The static control with the text of the box.
    HWND text = GetDlgItem(box, 0xFFFF);
    *message = text ? TextOf(text) : "(box without text)";
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  command();
  watcher.join();
  return seen;
}

class WindowDialogs : public ProfileFiles {
 protected:
  void SetUp() override {
    ProfileFiles::SetUp();
    w = std::make_unique<Tfrm_mset>(nullptr);
    w->Show();
    fw::Application().ProcessMessages();
  }
  void TearDown() override {
    w.reset();
    ProfileFiles::TearDown();
  }
  SeenDialog Save(const std::string& path, std::string* message = nullptr) {
    return RunWithDialog([&] { w->btn_saveClick(w->btn_save); }, path, message);
  }
  SeenDialog Load(const std::string& path, std::string* message = nullptr) {
    return RunWithDialog([&] { w->btn_readClick(w->btn_read); }, path, message);
  }
  std::unique_ptr<Tfrm_mset> w;
};

TEST_F(WindowDialogs, SaveEditAndLoadThroughTheSystemDialogs) {
  w->edt_tel[0]->SetText("+4912345");
  w->edt_name[2]->SetText("Back door open");
  w->cb_ed[4]->SetChecked(true);
  w->cb_nt[6]->SetItemIndex(1);
  w->edt_rtt->SetText("12");

  // A name typed without an extension gets ".sf".
  SeenDialog s = Save(Path("site"));
  ASSERT_TRUE(s.seen);
  EXPECT_FALSE(s.title.empty());  // the system's own title
  EXPECT_EQ(s.first_filter, "Settings file(*.sf)");
  EXPECT_EQ(s.filter_count, 1);
  EXPECT_FALSE(s.places_bar);
  EXPECT_FALSE(s.read_only_box);
  EXPECT_TRUE(s.resizable);
  EXPECT_EQ(s.file_name, "");
  EXPECT_EQ(w->SaveD->FileName, Path("site.sf"));
  const std::string saved = Read(Path("site.sf"));
  ASSERT_FALSE(saved.empty());
  EXPECT_EQ(saved.rfind("[COM]\r\nComName=com1\r\n[SMS]\r\n", 0), 0u);
  for (const char* section : {"[SMS]", "[WZN]", "[TEL]", "[OTH]"}) EXPECT_NE(saved.find(section), std::string::npos);
  EXPECT_NE(saved.find("tel1=+4912345\r\n"), std::string::npos);
  EXPECT_NE(saved.find("name3=Back door open\r\n"), std::string::npos);
  EXPECT_NE(saved.find("cb_ed5=1\r\n"), std::string::npos);

  // Edit it as a text editor would, and load it into a fresh window.
  std::string edited = saved;
  auto replace = [&](const std::string& from, const std::string& to) {
    const size_t at = edited.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    edited.replace(at, from.size(), to);
  };
  replace("name3=Back door open", "name3=  \"Garage door\"  ");
  replace("rtt=12", "rtt=300");
  replace("nt7=1", "nt7=0x2");
  replace("ComName=com1", "ComName=COM3");
  Put(Path("site.sf"), edited);

  w.reset();
  w = std::make_unique<Tfrm_mset>(nullptr);
  w->Show();
  fw::Application().ProcessMessages();
  s = Load(Path("site.sf"));
  ASSERT_TRUE(s.seen);
  EXPECT_EQ(s.first_filter, "Settings file(*.sf)");
  EXPECT_FALSE(s.places_bar);
  EXPECT_EQ(w->edt_tel[0]->Text(), "+4912345");
  EXPECT_EQ(w->edt_name[2]->Text(), "Garage door");
  EXPECT_TRUE(w->cb_ed[4]->Checked());
  EXPECT_EQ(w->cb_nt[6]->ItemIndex(), 2);
  EXPECT_EQ(w->edt_rtt->Text(), "240");
  EXPECT_EQ(w->cbox_com->Text(), "COM3");
  // What the window's controls show is what was loaded.
  EXPECT_EQ(TextOf(static_cast<HWND>(w->edt_name[2]->Handle())), "Garage door");

  // Each dialog remembers its own last file; cancelling changes nothing.
  s = Load("");
  EXPECT_EQ(s.file_name.find("site.sf") != std::string::npos, true) << s.file_name;
  s = Save("");
  EXPECT_EQ(Read(Path("site.sf")), edited);
}

TEST_F(WindowDialogs, FailuresAreToldInAnInformationBox) {
  Put(Path("locked.sf"), "[OTH]\r\npwd=1\r\n");
  ASSERT_TRUE(SetFileAttributesA(Path("locked.sf").c_str(), FILE_ATTRIBUTE_READONLY));
  std::string message;
  SeenDialog s = Save(Path("locked.sf"), &message);
  SetFileAttributesA(Path("locked.sf").c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(s.seen);
  EXPECT_NE(message.find(Path("locked.sf")), std::string::npos) << message;
  EXPECT_NE(message.find("read-only"), std::string::npos) << message;
  EXPECT_EQ(Read(Path("locked.sf")), "[OTH]\r\npwd=1\r\n");

  w->edt_name[0]->SetText("mine");
  message.clear();
  s = Load(Path("nothing.sf"), &message);
  ASSERT_TRUE(s.seen);
  EXPECT_NE(message.find(Path("nothing.sf")), std::string::npos) << message;
  EXPECT_EQ(w->edt_name[0]->Text(), "mine");
}

}  // namespace
