// TMYStatusBar: a status bar that accepts child controls, so that the two
// lamps can sit on it. Only the constructor differs from TStatusBar.
#pragma once

#include "framework/extctrls.h"

class TMYStatusBar : public fw::TStatusBar {
 public:
  explicit TMYStatusBar(fw::TComponent* owner) : fw::TStatusBar(owner) { AcceptsControls = true; }
  const char* ClassName() const override { return "TMYStatusBar"; }
};
