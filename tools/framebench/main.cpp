// framebench: how quickly the configurator window appears in the skin's
// frame, and how long one full repaint of that frame takes.
//
//   wine framebench.exe [repaints]
//
// Prints the time from the start of main to the end of the first skinned
// paint; the median, 10th and 90th percentile of repeated full frame
// repaints (message 0x3502 and WM_NCPAINT) and of full repaints of the
// window with every control; and the time from a mouse move over a button
// to its hot frame on the screen, with the windows painted meanwhile.
// Goals: start to skinned window at most 300 ms once Wine is up, a frame
// repaint at most 2 ms, a full repaint at most 30 ms, and the hover
// feedback one repaint of that button only.
#include "app/umset.h"
#include "framework/forms.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/win32/win_skin_form.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

namespace {

// Windows that received WM_PAINT while counting.
std::set<HWND>* g_painted = nullptr;

LRESULT CALLBACK CountPaints(int code, WPARAM wp, LPARAM lp) {
  if (code >= 0 && g_painted) {
    const auto* c = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (c->message == WM_PAINT) g_painted->insert(c->hwnd);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

void Report(const char* what, const std::vector<double>& v) {
  std::printf("%-28s median %.3f ms  p10 %.3f ms  p90 %.3f ms  (%zu runs)\n", what, Percentile(v, 0.5),
              Percentile(v, 0.1), Percentile(v, 0.9), v.size());
}

}  // namespace

int main(int argc, char** argv) {
  const Clock::time_point start = Clock::now();
  const int repaints = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;
  fw::TApplication& app = fw::Application();
  app.Initialize();
  skin::UseSkinManager();  // as the program does
  auto* form = app.CreateForm<Tfrm_mset>(nullptr);
  const double created = Ms(Clock::now() - start);
  form->Show();
  const double shown = Ms(Clock::now() - start);
  HWND w = static_cast<HWND>(form->Handle());
  const Clock::time_point limit = start + std::chrono::seconds(60);
  double attached = -1;
  for (;;) {
    app.ProcessMessages();
    auto* f = skin::TWinSkinForm::Of(w);
    if (f && attached < 0) attached = Ms(Clock::now() - start);
    if (f && f->SkinState() == skin::kFrameSkinned) break;
    if (Clock::now() > limit) {
      std::fprintf(stderr, "framebench: the window was not skinned within 60 s\n");
      return 2;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  const double first = Ms(Clock::now() - start);
  std::printf("start to skinned window      %.1f ms (window made %.1f, shown %.1f, frame attached %.1f)\n", first,
              created, shown, attached);

  std::vector<double> private_msg, nc_paint;
  for (int i = 0; i < repaints; ++i) {
    Clock::time_point t0 = Clock::now();
    SendMessageA(w, skin::msg::kRepaintFrame, 0, 0);
    GdiFlush();
    private_msg.push_back(Ms(Clock::now() - t0));
    t0 = Clock::now();
    SendMessageA(w, WM_NCPAINT, 1, 0);
    GdiFlush();
    nc_paint.push_back(Ms(Clock::now() - t0));
  }
  Report("frame repaint (0x3502)", private_msg);
  Report("frame repaint (WM_NCPAINT)", nc_paint);

  std::vector<double> full;
  for (int i = 0; i < std::max(10, repaints / 10); ++i) {
    Clock::time_point t0 = Clock::now();
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
    full.push_back(Ms(Clock::now() - t0));
  }
  Report("window with every control", full);

  // Hover: a mouse move over "Read Settings", then every pending paint.
  HWND button = static_cast<HWND>(form->btn_load->Handle());
  std::set<HWND> painted;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountPaints, nullptr, GetCurrentThreadId());
  std::vector<double> hover;
  size_t most = 0;
  for (int i = 0; i < std::max(10, repaints / 10); ++i) {
    app.ProcessMessages();
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    painted.clear();
    g_painted = &painted;
    Clock::time_point t0 = Clock::now();
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    hover.push_back(Ms(Clock::now() - t0));
    g_painted = nullptr;
    most = std::max(most, painted.size());
  }
  if (hook) UnhookWindowsHookEx(hook);
  Report("mouse move to hot frame", hover);
  std::printf("windows painted for one hover: %zu at most (the button alone: %s)\n", most,
              most == 1 && painted.count(button) ? "yes" : "no");
  app.DestroyForms();
  return 0;
}
