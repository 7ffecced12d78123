#pragma once

#include <exception>
#include <string>

class EFileError;

// Why a file could not be read or written, in Japanese, for the player's boxes: for example
// "読み取り専用のファイルシステムです".
std::string FileFaultReason(const EFileError& fault);

// A save of the pattern values that failed, for the player: the file's full path, why, and
// that the values are still in the game, to be saved again.
std::string PatternSaveFaultText(const std::exception& fault);
