// Raising the component's events for one notification, on the GUI thread.
#pragma once

#include <cstdint>

class TComm;

namespace serial {

// Calls the event that matches msg (COMM_RECEIVE_DATA ... COMM_SEND_DATA_EMPTY),
// when it is assigned. For COMM_RECEIVE_DATA, block holds count bytes and
// stays owned by the caller, which releases it after this returns. Other
// messages are ignored.
void RaiseCommEvent(TComm& comm, uint32_t msg, uint32_t count, uint32_t bits, const void* block);

}  // namespace serial
