// GTP commands, any of them malformed: a command answered with "?" leaves the board as it was.
#include "FuzzProtocol.h"
#include "protocol/untGtpProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzProtocolSession<TGtpProtocol>(data, size, "?");
    return 0;
}
