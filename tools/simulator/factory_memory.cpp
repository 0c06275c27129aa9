// The configuration memory of a controller as delivered: an installer's
// typical first setup, so that "Read Settings" shows something worth
// seeing, plus the identification and log areas that the configurator never
// reads.
#include <cstring>
#include <string>

#include "simulator/sim_controller.h"

namespace sim {
namespace {

void Put(Memory& m, size_t at, const std::string& s) { std::memcpy(m.data() + at, s.data(), s.size()); }

}  // namespace

Memory FactoryMemory() {
  Memory m;
  m.fill(0xFF);

  // Identification block: model, firmware and serial number.
  Put(m, 0x0000, "GSM-AL8 FW2.31");
  m[0x0010] = 0x02;
  m[0x0011] = 0x31;
  Put(m, 0x0020, "SN0004711");

  // Alarm dial numbers 1 and 2, SMS alert number 1.
  Put(m, 0x0200, "5550100");
  Put(m, 0x0210, "+15550101");
  Put(m, 0x0400, "5550199");

  // Options.
  m[0x0A00] = 1;     // sound alarm on
  m[0x0A01] = 24;    // report every 24 hours
  m[0x0A02] = 1;     // power-down alert after 30 minutes
  m[0x0A04] = 10;    // alarm delay 10 s
  m[0x0A05] = 0xFF;  // no start time
  m[0x0A06] = 0xFF;
  m[0x0A07] = 0xFF;  // no stop time
  m[0x0A08] = 0xFF;
  m[0x0A0E] = 0;     // jammer alert off
  // Inputs 1 and 2 normally open, 3 normally closed, 4 end-of-line, 5 to 8
  // disabled and "don't care".
  const uint8_t types[8] = {0x01, 0x01, 0x02, 0x00, 0x83, 0x83, 0x83, 0x83};
  std::memcpy(m.data() + 0x0A0F, types, 8);
  m[0x0A17] = 3;     // relay works 3 minutes
  m[0x0A18] = 0x00;  // texts in single bytes
  m[0x0A19] = 0x03;  // relay follows inputs 1 and 2

  Put(m, 0x0C00, "1234");  // password

  m[0x0E00] = 0;     // not armed at power-on
  m[0x0E01] = 5;     // volume
  m[0x0E02] = 0x81;

  static const char* const alarm[8] = {
      "Front door opened", "Back door opened", "Window broken", "Smoke detected",
      "Wired input 5 alarm", "Wired input 6 alarm", "Wired input 7 alarm", "Wired input 8 alarm"};
  static const char* const recovered[8] = {
      "Front door closed", "Back door closed", "Window restored", "Smoke cleared",
      "Wired input 5 recover", "Wired input 6 recover", "Wired input 7 recover", "Wired input 8 recover"};
  for (size_t k = 0; k < 8; ++k) {
    Put(m, 0x1600 + 32 * k, alarm[k]);
    Put(m, 0x1800 + 32 * k, recovered[k]);
  }

  // Event log area: a few records the configurator never touches.
  const uint8_t log[] = {0x01, 0x19, 0x03, 0x0C, 0x08, 0x2A, 0x02, 0x19, 0x03, 0x0C, 0x09, 0x05};
  std::memcpy(m.data() + 0x3000, log, sizeof log);
  return m;
}

}  // namespace sim
