// A window procedure put in front of a window's own and taken away again:
// while in place it sees the messages and hands them on; taken away it
// leaves the window as it was, or, when another procedure came after it,
// stays in the chain and only passes on, so the window keeps working.
#include "skin/engine/win32/subclass.h"

#include <gtest/gtest.h>

namespace {

using skin::TWindowSubclass;
using Charset = TWindowSubclass::Charset;

constexpr UINT kPing = WM_APP + 7;

// A subclasser that counts the pings it sees; two kinds, each with its
// own properties, so that one can come after the other.
template <int Kind>
struct Counter {
  static constexpr char kOwner[] = {'T', 'e', 's', 't', 'O', char('0' + Kind), 0};
  static constexpr char kPrevious[] = {'T', 'e', 's', 't', 'P', char('0' + Kind), 0};
  explicit Counter(Charset c) : charset(c) {}
  Charset charset;
  TWindowSubclass sub{kOwner, kPrevious, &Proc};
  int pings = 0;
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* c = static_cast<Counter*>(TWindowSubclass::Owner(w, kOwner));
    if (!c) return TWindowSubclass::PassOn(w, kPrevious, Charset::OfWindow, msg, wp, lp);
    if (msg == kPing) ++c->pings;
    return c->sub.CallPrevious(msg, wp, lp);
  }
};

struct Edit {
  HWND w = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
  ~Edit() {
    if (IsWindow(w)) DestroyWindow(w);
  }
  // The procedure read as the subclass of that kind reads it (the other
  // kind of read may give a translating stub).
  WNDPROC Proc(Charset c) const {
    return reinterpret_cast<WNDPROC>(c == Charset::Ansi ? GetWindowLongPtrA(w, GWLP_WNDPROC)
                                                        : GetWindowLongPtrW(w, GWLP_WNDPROC));
  }
  // The edit's own handling answers, through whatever chain stands.
  bool Works() const {
    SendMessageA(w, EM_SETLIMITTEXT, 123, 0);
    SetWindowTextA(w, "abc");
    return SendMessageA(w, EM_GETLIMITTEXT, 0, 0) == 123 && GetWindowTextLengthA(w) == 3;
  }
};

TEST(WindowSubclass, InPlaceItSeesAndPassesOnRemovedTheWindowIsAsBefore) {
  for (Charset charset : {Charset::Ansi, Charset::OfWindow}) {
    SCOPED_TRACE(charset == Charset::Ansi ? "narrow" : "the window's own");
    Edit e;
    ASSERT_TRUE(e.w);
    const bool unicode = IsWindowUnicode(e.w);
    Counter<1> c(charset);
    c.sub.Install(e.w, &c, charset);
    EXPECT_TRUE(c.sub.Installed());
    EXPECT_EQ(TWindowSubclass::Owner(e.w, c.kOwner), &c);
    SendMessageW(e.w, kPing, 0, 0);
    EXPECT_EQ(c.pings, 1);
    EXPECT_TRUE(e.Works());

    c.sub.Remove();
    // (A narrow read of a wide procedure gives a stub, and a wide window
    // given back its procedure through the narrow call may stay narrow, so
    // the procedure is compared by what it does.)
    EXPECT_NE(e.Proc(charset), &Counter<1>::Proc);
    if (charset == Charset::OfWindow) {
      EXPECT_EQ(IsWindowUnicode(e.w), unicode);
    }
    EXPECT_EQ(TWindowSubclass::Owner(e.w, c.kOwner), nullptr);
    EXPECT_EQ(TWindowSubclass::Value(e.w, c.kPrevious), nullptr);
    SendMessageW(e.w, kPing, 0, 0);
    EXPECT_EQ(c.pings, 1);
    EXPECT_TRUE(e.Works());
  }
}

TEST(WindowSubclass, RemovedBehindALaterOneItStaysInTheChainAndTheWindowKeepsWorking) {
  for (Charset charset : {Charset::Ansi, Charset::OfWindow}) {
    SCOPED_TRACE(charset == Charset::Ansi ? "narrow" : "the window's own");
    Edit e;
    ASSERT_TRUE(e.w);
    Counter<1> first(charset);
    Counter<2> later(Charset::OfWindow);
    first.sub.Install(e.w, &first, charset);
    later.sub.Install(e.w, &later, Charset::OfWindow);

    first.sub.Remove();
    EXPECT_FALSE(first.sub.Installed());
    EXPECT_EQ(TWindowSubclass::Owner(e.w, first.kOwner), nullptr);
    SendMessageW(e.w, kPing, 0, 0);
    EXPECT_EQ(first.pings, 0);
    EXPECT_EQ(later.pings, 1);
    EXPECT_TRUE(e.Works());

    // The later one goes too: the first one's procedure, ownerless, is what
    // the window has now, and still hands everything to the edit.
    later.sub.Remove();
    SendMessageW(e.w, kPing, 0, 0);
    EXPECT_EQ(first.pings + later.pings, 1);
    EXPECT_TRUE(e.Works());
  }
}

TEST(WindowSubclass, ReleasedAsTheWindowGoesItNeitherRestoresNorFails) {
  Edit e;
  ASSERT_TRUE(e.w);
  Counter<1> c(Charset::OfWindow);
  c.sub.Install(e.w, &c, Charset::OfWindow);
  c.sub.Release();
  EXPECT_FALSE(c.sub.Installed());
  EXPECT_EQ(TWindowSubclass::Owner(e.w, c.kOwner), nullptr);
  EXPECT_TRUE(e.Works());  // passed on through the kept previous procedure
  DestroyWindow(e.w);
  c.sub.Remove();  // nothing left to do
  EXPECT_FALSE(IsWindow(e.w));
}

}  // namespace
