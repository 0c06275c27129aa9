// Read-only access to a data (RCDATA) resource compiled into the program.
// The bytes belong to the program image and stay valid for the whole run.
#pragma once

#include <cstddef>
#include <cstdint>

struct ProgramResource {
  const uint8_t* data = nullptr;
  size_t size = 0;
};

// False when the program has no such resource (always so in builds that
// carry no resources).
bool FindProgramResource(const char* name, ProgramResource& out);
