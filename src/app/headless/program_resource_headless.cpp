// Programs of the headless flavour carry no resources.
#include "app/program_resource.h"

bool FindProgramResource(const char*, ProgramResource& out) {
  out = ProgramResource{};
  return false;
}
