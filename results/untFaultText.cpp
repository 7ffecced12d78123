#include "results/untFaultText.h"

#include <cerrno>
#include <cstring>

#include "engine/untEngineError.h"
#include "engine/untTextFile.h"

namespace {

std::string SystemReason(int error) {
    switch (error) {
        case ENOENT:
            return "ファイルまたはフォルダーがありません";
        case ENOTDIR:
            return "途中にフォルダーでないものがあります";
        case EACCES:
        case EPERM:
            return "アクセスする権限がありません";
        case EROFS:
            return "読み取り専用のファイルシステムです";
        case ENOSPC:
            return "ディスクに空きがありません";
        case EDQUOT:
            return "ディスクの使用量が上限に達しています";
        case EFBIG:
            return "ファイルが大きすぎます";
        case ENAMETOOLONG:
            return "パスが長すぎます";
        case ELOOP:
            return "シンボリックリンクが多すぎるか、リンクです";
        case EIO:
            return "読み書きの途中で装置のエラーが起きました";
        case EMFILE:
        case ENFILE:
            return "開いているファイルが多すぎます";
        default:
            // A rare reason: the system's own words, with their number to look them up.
            return "システムのエラー " + std::to_string(error) + "（" + std::strerror(error) + "）";
    }
}

}  // namespace

std::string FileFaultReason(const EFileError& fault) {
    switch (fault.Reason) {
        case EFileError::TReason::Folder:
            return "同じ名前のフォルダーがあります";
        case EFileError::TReason::NotRegularFile:
            return "普通のファイルではありません";
        case EFileError::TReason::ReadOnlyFile:
            return "ファイルが読み取り専用になっています";
        case EFileError::TReason::TooLarge:
            return "ファイルが大きすぎます";
        case EFileError::TReason::Busy:
            return "ほかのプログラムが同じファイルを保存し続けています";
        case EFileError::TReason::System:
            break;
    }
    return SystemReason(fault.Error);
}

std::string PatternSaveFaultText(const std::exception& fault) {
    const auto* fileFault = dynamic_cast<const EFileError*>(&fault);
    if (!fileFault) return std::string("パターンの値を保存できませんでした。\r\n") + fault.what();
    return "パターンの値を保存できませんでした。\r\n" + FullPath(fileFault->Path).string() +
           "\r\n理由: " + FileFaultReason(*fileFault) +
           "\r\n\r\n値はこのゲームの中に残っています。保存できるようにしてから、もう一度保存して"
           "ください。";
}
