// Program entry: initialise the application, make the skin engine the one
// that skins the process's windows, create the configurator window (its
// creation handler loads the built-in skin unless the command line asks for
// none) and run the message loop until the window is closed.
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/umset.h"
#include "framework/forms.h"
#include "skin/engine/skin_manager.h"

int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i] ? argv[i] : "");
  const bool skin = !NoSkinRequested(args);
  fw::TApplication& app = fw::Application();
  app.Initialize();
  // Every skin data component of the process talks to this manager, which
  // hooks the windows and skins those its component accepts.
  skin::UseSkinManager();
  app.CreateForm<Tfrm_mset>(nullptr, skin);
  app.Run();
  app.DestroyForms();
  return 0;
}
