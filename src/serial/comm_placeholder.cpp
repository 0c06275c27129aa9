#include "serial/comm.h"

TComm::TComm(fw::TComponent* owner) : fw::TComponent(owner) {}
TComm::~TComm() = default;
void TComm::OpenPort() { throw ECommsError("Error opening serial port"); }
void TComm::ClosePort() {}
bool TComm::SendData(const void*, uint16_t) { return false; }
