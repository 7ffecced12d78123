#include "engine/search/untSearch.h"

namespace {

const char* LevelText(uint8_t gameLevel) {
    switch (gameLevel) {
        case 1:
            return " GameLevel = ランダム";
        case 2:
            return " GameLevel = 初級";
        case 3:
            return " GameLevel = 中級";
        case 4:
            return " GameLevel = 上級";
    }
    return "";
}

}  // namespace

std::string RootComment(const TKyokumen& k, const std::string& value, char type) {
    std::string comment = LevelText(k.GameLevel);
    comment += " Max = " + value + " Tejun = ";
    for (int ply = 1; ply <= 6; ++ply) {
        if (ply > 1) comment += ',';
        comment += std::to_string(k.Tejun[ply]);
    }
    comment += " AI Type = ";
    comment += type;
    if (k.MoveNumber > 48) comment += " 完全読み";
    return comment;
}
