#pragma once

#include <string>

class EFileError;

// Why a file could not be read or written, in Japanese, for the player's boxes: for example
// "読み取り専用のファイルシステムです".
std::string FileFaultReason(const EFileError& fault);
