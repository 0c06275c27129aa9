#include "serial/comm_notify.h"

#include "serial/comm.h"
#include "serial/comm_messages.h"

namespace serial {

void RaiseCommEvent(TComm& comm, uint32_t msg, uint32_t count, uint32_t bits, const void* block) {
  switch (msg) {
    case COMM_RECEIVE_DATA:
      if (comm.OnReceiveData && block) comm.OnReceiveData(&comm, block, uint16_t(count & 0xFFFF));
      break;
    case COMM_RECEIVE_ERROR:
      if (comm.OnReceiveError) comm.OnReceiveError(&comm, bits);
      break;
    case COMM_REQUEST_HANGUP:
      if (comm.OnRequestHangup) comm.OnRequestHangup(&comm);
      break;
    case COMM_MODEM_STATE_CHANGE:
      if (comm.OnModemStateChange) comm.OnModemStateChange(&comm, bits);
      break;
    case COMM_SEND_DATA_EMPTY:
      if (comm.OnSendDataEmpty) comm.OnSendDataEmpty(&comm);
      break;
    default:
      break;
  }
}

}  // namespace serial
