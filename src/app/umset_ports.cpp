// The port drop-down follows the ports present on the machine: each time
// its list is opened the ports are listed again, so that an adapter plugged
// in while the window is open appears. The text stays what it was: it is
// the value, and any typed name still works.
#include <algorithm>

#include "app/port_items.h"
#include "app/umset.h"

void Tfrm_mset::cbox_comDropDown(fw::TObject*) { RefreshPortList(); }

void Tfrm_mset::RefreshPortList() {
  if (!cbox_com || !ListPorts) return;
  const std::vector<serial::PortInfo> present = ListPorts();
  const std::vector<std::string> items = PortItems(present);
  if (items != cbox_com->Items()) {
    const bool picked = cbox_com->ItemIndex() >= 0;
    const std::string text = cbox_com->Text();
    cbox_com->SetItems(items);  // keeps the text, selects nothing
    auto it = std::find(items.begin(), items.end(), text);
    if (picked && it != items.end()) cbox_com->SetItemIndex(int(it - items.begin()));
  }
  cbox_com->SetHint(PortHint(present));
}
