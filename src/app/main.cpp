// Program entry: initialise the application, create the configurator
// window (its creation handler loads the built-in skin unless the command
// line asks for none) and run the message loop until the window is closed.
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/umset.h"
#include "framework/forms.h"

int main(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i] ? argv[i] : "");
  const bool skin = !NoSkinRequested(args);
  fw::TApplication& app = fw::Application();
  app.Initialize();
  app.CreateForm<Tfrm_mset>(nullptr, skin);
  app.Run();
  app.DestroyForms();
  return 0;
}
