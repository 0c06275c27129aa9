// Program entry: initialise the application, create the configurator
// window (its creation handler loads the built-in skin) and run the message
// loop until the window is closed.
#include "app/umset.h"
#include "framework/forms.h"

int main() {
  fw::TApplication& app = fw::Application();
  app.Initialize();
  app.CreateForm<Tfrm_mset>(nullptr);
  app.Run();
  app.DestroyForms();
  return 0;
}
