#include "results/untFaultText.h"

#include <cerrno>
#include <cstring>

#include "catalogue/untCatalogue.h"
#include "engine/untEngineError.h"
#include "engine/untTextFile.h"

namespace {

std::string SystemReason(int error) {
    switch (error) {
        case ENOENT:
            return Tr("ファイルまたはフォルダーがありません");
        case ENOTDIR:
            return Tr("途中にフォルダーでないものがあります");
        case EACCES:
        case EPERM:
            return Tr("アクセスする権限がありません");
        case EROFS:
            return Tr("読み取り専用のファイルシステムです");
        case ENOSPC:
            return Tr("ディスクに空きがありません");
        case EDQUOT:
            return Tr("ディスクの使用量が上限に達しています");
        case EFBIG:
            return Tr("ファイルが大きすぎます");
        case ENAMETOOLONG:
            return Tr("パスが長すぎます");
        case ELOOP:
            return Tr("シンボリックリンクが多すぎるか、リンクです");
        case EIO:
            return Tr("読み書きの途中で装置のエラーが起きました");
        case EMFILE:
        case ENFILE:
            return Tr("開いているファイルが多すぎます");
        default:
            // A rare reason: the system's own words, with their number to look them up.
            return Tr("システムのエラー ") + std::to_string(error) + Tr("（") +
                   std::strerror(error) + Tr("）");
    }
}

}  // namespace

std::string FileFaultReason(const EFileError& fault) {
    switch (fault.Reason) {
        case EFileError::TReason::Folder:
            return Tr("同じ名前のフォルダーがあります");
        case EFileError::TReason::NotRegularFile:
            return Tr("普通のファイルではありません");
        case EFileError::TReason::ReadOnlyFile:
            return Tr("ファイルが読み取り専用になっています");
        case EFileError::TReason::TooLarge:
            return Tr("ファイルが大きすぎます");
        case EFileError::TReason::Busy:
            return Tr("ほかのプログラムが同じファイルを保存し続けています");
        case EFileError::TReason::System:
            break;
    }
    return SystemReason(fault.Error);
}

std::string PatternSaveFaultText(const std::exception& fault) {
    const auto* fileFault = dynamic_cast<const EFileError*>(&fault);
    const std::string notSaved = std::string(Tr("パターンの値を保存できませんでした。")) + "\r\n";
    if (!fileFault) return notSaved + fault.what();
    return notSaved + FullPath(fileFault->Path).string() + std::string("\r\n") + Tr("理由: ") +
           FileFaultReason(*fileFault) + std::string("\r\n\r\n") +
           Tr("値はこのゲームの中に残っています。保存できるようにしてから、もう一度保存してください"
              "。");
}
