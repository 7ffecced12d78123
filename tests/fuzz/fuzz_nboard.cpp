// NBoard commands, any of them malformed: a refused game or move leaves the board as it was.
#include "FuzzProtocol.h"
#include "protocol/untNBoardProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzProtocolSession<TNBoardProtocol>(data, size, "the board is as it was");
    return 0;
}
