#include "ui/shell/untSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/untEngineError.h"
#include "engine/untTextFile.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLevels = 4, kTypes = 4, kPlacements = 4;
constexpr int kLongestWaitPerMove = 1000, kLongestWaitOnPass = 5000;
// The game writes lines of a few dozen characters; a line this long was never written by it.
constexpr std::size_t kLongestLine = 4096;

fs::path PathOf(const QString& file) {
    return fs::path(QFile::encodeName(file).toStdString());
}

QString FullName(const QString& file) {
    return QDir::cleanPath(QFileInfo(file).absoluteFilePath());
}

// A free name for the damaged copy: NAME.damaged, else NAME.damaged.2, .3, ... A name held
// by anything, even a link to nothing, is taken.
QString FreeDamagedName(const QString& file) {
    const auto taken = [](const QString& name) {
        std::error_code ignored;
        return fs::exists(fs::symlink_status(PathOf(name), ignored));
    };
    QString name = file + QStringLiteral(".damaged");
    for (int n = 2; taken(name); ++n)
        name = file + QStringLiteral(".damaged.%1").arg(n);
    return name;
}

// A line of the toolkit's settings files: blank, a comment, a [section] header or key=value.
bool IsSettingsLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) return true;
    line = line.substr(first, line.find_last_not_of(" \t") + 1 - first);
    if (line.front() == ';') return true;
    if (line.front() == '[') return line.size() >= 2 && line.back() == ']';
    const std::size_t equals = line.find('=');
    return equals != std::string_view::npos && equals > 0;
}

// The file's own bytes are those of a settings file: UTF-8 text without control characters
// besides tabs and line ends, in settings lines of a sensible length. The mark some editors
// put in front of UTF-8 text counts as damage too: the toolkit refuses it, but says so only
// the first time the program reads the file, so it must not be left to the toolkit.
bool IsSettingsText(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return false;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError()) return false;
    const auto control = [](QChar c) {
        return c.category() == QChar::Other_Control && c != u'\t' && c != u'\r' && c != u'\n';
    };
    if (std::ranges::any_of(text, control)) return false;
    return std::ranges::all_of(SplitLines(bytes), [](std::string_view line) {
        return line.size() <= kLongestLine && IsSettingsLine(line);
    });
}

// The toolkit's settings on the file, or none when the file is damaged. The file is read
// here first, without waiting, so that the toolkit is never handed a named pipe, which it
// would wait on for ever. A missing file is not damaged: it is a first run.
std::unique_ptr<QSettings> OpenUndamaged(const QString& file) {
    try {
        if (!IsSettingsText(ReadTextFile(PathOf(file)))) return nullptr;
    } catch (const EFileError& error) {
        const bool missing = error.Reason == EFileError::TReason::System &&
                             (error.Error == ENOENT || error.Error == ENOTDIR);
        if (!missing) return nullptr;
    }
    auto settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
    // The toolkit reads the keys only when they are first asked for, and finds its format
    // errors then.
    settings->allKeys();
    if (settings->status() == QSettings::FormatError) return nullptr;
    return settings;
}

int NumberFrom(const QVariant& value, int low, int high, int fallback) {
    bool ok = false;
    const int number = value.toString().toInt(&ok);
    return ok && number >= low && number <= high ? number : fallback;
}

int ScaleFrom(const QVariant& value) {
    const int scale = NumberFrom(value, 0, 1000, 0);
    return std::ranges::find(kScalePercents, scale) != kScalePercents.end()
               ? scale
               : TViewOptions{}.scalePercent;
}

}  // namespace

QString TSettings::DefaultFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tolvaney/tolvaney.conf");
}

// A damaged file is moved aside before anything can be written over it. Should that fail,
// it stays as it is, and this run's settings are kept in memory only.
TSettings::TSettings(const QString& file) : file_(file), settings_(OpenUndamaged(file)) {
    if (settings_) return;
    damaged_ = true;
    const QString copy = FreeDamagedName(FullName(file));
    std::error_code error;
    fs::rename(PathOf(file), PathOf(copy), error);
    if (error) return;
    damagedCopy_ = copy;
    settings_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
}

TSettings::~TSettings() = default;

QString TSettings::DamageNotice() const {
    if (!damaged_) return {};
    if (!damagedCopy_.isEmpty())
        return QStringLiteral(
                   "設定ファイルが壊れていたため、既定の設定で始めます。"
                   "壊れたファイルは次の場所に残してあります:\r\n\r\n") +
               damagedCopy_;
    return QStringLiteral(
               "設定ファイルが壊れていたため、既定の設定で始めます。"
               "ファイルを別の名前に移せなかったため、そのまま残し、"
               "今回の設定は保存しません:\r\n\r\n") +
           FullName(file_);
}

QVariant TSettings::Value(const char* key) const {
    return settings_ ? settings_->value(key) : unsaved_.value(QLatin1String(key));
}

void TSettings::Store(const char* key, const QVariant& value) {
    if (settings_)
        settings_->setValue(key, value);
    else
        unsaved_.insert(QLatin1String(key), value);
}

void TSettings::Sync() {
    if (settings_) settings_->sync();
}

int TSettings::Number(const char* key, int low, int high, int fallback) const {
    return NumberFrom(Value(key), low, high, fallback);
}

bool TSettings::Flag(const char* key, bool fallback) const {
    const QString value = Value(key).toString();
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
    options.scalePercent = ScaleFrom(Value("view/scalePercent"));
    options.theme =
        static_cast<TTheme>(Number("view/theme", 0, kThemes - 1, static_cast<int>(defaults.theme)));
    options.turnDiscs = Flag("view/turnDiscs", defaults.turnDiscs);
    options.turningSpeed = static_cast<TTurningSpeed>(Number(
        "view/turningSpeed", 0, kTurningSpeeds - 1, static_cast<int>(defaults.turningSpeed)));
    options.showTurnable = Flag("view/showTurnable", defaults.showTurnable);
    options.sounds = Flag("view/sounds", defaults.sounds);
    return options;
}

void TSettings::SaveView(const TViewOptions& options) {
    Store("view/legalMoves", options.showLegalMoves);
    Store("view/coordinates", options.showCoordinates);
    Store("view/thinkingInCaption", options.thinkingInCaption);
    Store("view/scalePercent", options.scalePercent);
    Store("view/theme", static_cast<int>(options.theme));
    Store("view/turnDiscs", options.turnDiscs);
    Store("view/turningSpeed", static_cast<int>(options.turningSpeed));
    Store("view/showTurnable", options.showTurnable);
    Store("view/sounds", options.sounds);
    Sync();
}

std::optional<TNewGameChoices> TSettings::NewGame() const {
    if (!Value("newGame/level").isValid()) return std::nullopt;
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
    Store("newGame/level", choices.levelIndex);
    Store("newGame/type", choices.typeIndex);
    Store("newGame/placement", choices.placement);
    Store("newGame/waitPerMove", choices.waitPerMove);
    Store("newGame/waitOnPass", choices.waitOnPass);
    Sync();
}

// Kept as Base64 text, so that the file stays a plain text file of short lines.
QByteArray TSettings::WindowGeometry() const {
    return QByteArray::fromBase64(Value("window/geometry").toString().toLatin1());
}

void TSettings::SaveWindowGeometry(const QByteArray& geometry) {
    Store("window/geometry", QString::fromLatin1(geometry.toBase64()));
    Sync();
}
