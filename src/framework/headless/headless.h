// Test controls of the headless widgetset: a virtual clock for timers,
// scripted answers for message boxes and file dialogs, and a record of what
// was shown. Only the native flavour links this widgetset.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace fw::headless {

struct ShownMessage {
  std::string text;
  std::string caption;
  unsigned flags = 0;
};

// Milliseconds on the virtual clock (starts at 0).
uint64_t Now();
// Moves the clock forward, firing due timers in order of their due time.
void AdvanceTime(uint64_t ms);

// Message boxes: every box shown is recorded; the answer is the next queued
// reply, or ID_OK. A hook, when set, is called while the box is "open" and
// its result is the answer.
std::vector<ShownMessage>& ShownMessages();
void QueueMessageBoxReply(int reply);
void SetMessageBoxHook(std::function<int(const ShownMessage&)> hook);

// File dialogs: the next queued reply is the file chosen; nullopt or an
// empty queue is Cancel. The dialogs shown are recorded by their options.
void QueueFileDialogReply(std::optional<std::string> path);
struct ShownDialog {
  bool save = false;
  std::string filter, default_ext, file_name;
  unsigned options = 0;
  unsigned options_ex = 0;
};
std::vector<ShownDialog>& ShownDialogs();

// Popup menus: every Popup is recorded with the visible items it showed
// (depth first, level 0 for the menu's own items). The next queued choice
// picks the item whose caption without "&" matches, as a user would: the
// submenus on the way open (their items' OnClick runs) and the chosen
// item's OnClick runs afterwards from the event loop (posted, like the
// native menu's command). An empty queue, a queued dismissal, or a caption
// that names no enabled command item closes the menu with nothing chosen.
struct ShownMenuItem {
  int level = 0;
  std::string caption;
  std::string shortcut;  // text form
  bool enabled = true;
  bool checked = false;
  bool submenu = false;
};
struct ShownPopup {
  std::string menu;  // the menu's Name
  int x = 0, y = 0;
  std::vector<ShownMenuItem> items;
};
std::vector<ShownPopup>& ShownPopups();
void QueuePopupChoice(const std::string& caption);
void QueuePopupDismiss();

// Runs posted work and due timers, with the virtual clock following real
// time, until pred() is true or timeout_ms of real time have passed.
// Returns pred()'s last value. For tests with real threads.
bool PumpUntil(const std::function<bool()>& pred, unsigned timeout_ms);

// Forgets recorded boxes, dialogs and popups, queued replies and the hook.
void ResetScripts();

}  // namespace fw::headless
