// The fixed messages of ECommsError.
#pragma once

namespace serial {

inline constexpr const char* kErrAlreadyOpen = "This serial port already opened";
inline constexpr const char* kErrOpen = "Error opening serial port";
// The trailing blank belongs to the message.
inline constexpr const char* kErrNotComm = "File handle is not a comm handle ";
inline constexpr const char* kErrSetupComm = "Cannot setup comm buffer";
inline constexpr const char* kErrCreateEvent = "Unable to create event";
inline constexpr const char* kErrReadThread = "Unable to create read thread";
inline constexpr const char* kErrWriteThread = "Unable to create write thread";

}  // namespace serial
