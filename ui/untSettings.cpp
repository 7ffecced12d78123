#include "ui/untSettings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace {

constexpr int kLevels = 4, kTypes = 4, kPlacements = 4;
constexpr int kLongestWaitPerMove = 1000, kLongestWaitOnPass = 5000;

// A free name for the damaged copy: NAME.damaged, else NAME.damaged.2, .3, ...
QString FreeDamagedName(const QString& file) {
    QString name = file + QStringLiteral(".damaged");
    for (int n = 2; QFile::exists(name); ++n)
        name = file + QStringLiteral(".damaged.%1").arg(n);
    return name;
}

}  // namespace

QString TSettings::DefaultFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tolvaney/tolvaney.conf");
}

TSettings::TSettings(const QString& file)
    : file_(file), settings_(std::make_unique<QSettings>(file, QSettings::IniFormat)) {
    if (settings_->status() != QSettings::FormatError) return;
    settings_.reset();
    damagedCopy_ = FreeDamagedName(file);
    if (!QFile::rename(file, damagedCopy_)) damagedCopy_.clear();
    settings_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
}

TSettings::~TSettings() = default;

int TSettings::Number(const char* key, int low, int high, int fallback) const {
    bool ok = false;
    const int value = settings_->value(QLatin1String(key)).toString().toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

bool TSettings::Flag(const char* key, bool fallback) const {
    const QString value = settings_->value(QLatin1String(key)).toString();
    if (value == QLatin1String("true")) return true;
    if (value == QLatin1String("false")) return false;
    return fallback;
}

TViewOptions TSettings::View() const {
    const TViewOptions defaults;
    TViewOptions options;
    options.showLegalMoves = Flag("view/legalMoves", defaults.showLegalMoves);
    options.showCoordinates = Flag("view/coordinates", defaults.showCoordinates);
    options.thinkingInCaption = Flag("view/thinkingInCaption", defaults.thinkingInCaption);
    const int scale = Number("view/scalePercent", 0, 1000, defaults.scalePercent);
    if (std::ranges::find(kScalePercents, scale) != kScalePercents.end())
        options.scalePercent = scale;
    return options;
}

void TSettings::SaveView(const TViewOptions& options) {
    settings_->setValue("view/legalMoves", options.showLegalMoves);
    settings_->setValue("view/coordinates", options.showCoordinates);
    settings_->setValue("view/thinkingInCaption", options.thinkingInCaption);
    settings_->setValue("view/scalePercent", options.scalePercent);
    settings_->sync();
}

std::optional<TNewGameChoices> TSettings::NewGame() const {
    if (!settings_->contains("newGame/level")) return std::nullopt;
    const TNewGameChoices defaults;
    TNewGameChoices choices;
    choices.levelIndex = Number("newGame/level", 0, kLevels - 1, defaults.levelIndex);
    choices.typeIndex = Number("newGame/type", 0, kTypes - 1, defaults.typeIndex);
    choices.placement = Number("newGame/placement", 1, kPlacements, defaults.placement);
    choices.waitPerMove =
        Number("newGame/waitPerMove", 1, kLongestWaitPerMove, defaults.waitPerMove);
    choices.waitOnPass = Number("newGame/waitOnPass", 1, kLongestWaitOnPass, defaults.waitOnPass);
    return choices;
}

void TSettings::SaveNewGame(const TNewGameChoices& choices) {
    settings_->setValue("newGame/level", choices.levelIndex);
    settings_->setValue("newGame/type", choices.typeIndex);
    settings_->setValue("newGame/placement", choices.placement);
    settings_->setValue("newGame/waitPerMove", choices.waitPerMove);
    settings_->setValue("newGame/waitOnPass", choices.waitOnPass);
    settings_->sync();
}
