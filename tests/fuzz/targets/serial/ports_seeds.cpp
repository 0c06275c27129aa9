// Seeds of the port list target: what Windows reports for a machine with
// a USB adapter (the same port from three sources, in several spellings),
// and the device nodes of a Linux machine.
#include "seed_corpus.h"

namespace fuzzseeds {

using namespace std::string_view_literals;

void AddPortsSeeds(Corpus& c) {
  c.Add("ports", "windows",
        "\0COM3\tUSB Serial Port (COM3)\nCOM1\t\nCOM10\t\ncom3\t\n COM3 \tother\n\\\\.\\COM3\t\nCOM03\t\n"
        "COM2\tCommunications Port (COM2)\nCNCA0\tcom0com\n\n   \tblank\nCOM1\0junk\t\n"sv);
  c.Add("ports", "linux",
        "\1ttyS0\t\nttyS10\t\nttyS2\t\nttyUSB0\tFTDI FT232R USB UART\nttyACM0\tArduino Uno\nttyUSB0\t\nttyS01\t\n"
        "console\t\nttyS\t\nttyUSBx\t\n");
}

}  // namespace fuzzseeds
