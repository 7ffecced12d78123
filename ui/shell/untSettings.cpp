#include "ui/shell/untSettings.h"

#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <map>

#include "engine/untEngineError.h"
#include "engine/untTextFile.h"
#include "results/untFaultText.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLevels = 4, kTypes = 4, kPlacements = 4, kColours = 2, kOpponents = 3;
constexpr int kLongestWaitPerMove = 1000, kLongestWaitOnPass = 5000;
// The game writes a dozen lines of a few dozen characters; a line this long, or this many
// lines, were never written by it, and would only slow every save down.
constexpr std::size_t kLongestLine = 4096;
constexpr std::size_t kMostLines = 400;

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

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

// The section a [section] line opens; none for any other line.
std::optional<std::string> SectionOf(std::string_view line) {
    line = Trimmed(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
    return std::string(line.substr(1, line.size() - 2));
}

// The "section/key" of a key=value line in its section; empty for any other line.
std::string KeyOf(const std::string& section, std::string_view line) {
    line = Trimmed(line);
    const std::size_t equals = line.find('=');
    if (line.empty() || line.front() == ';' || line.front() == '[' ||
        equals == std::string_view::npos || equals == 0)
        return {};
    const std::string key(Trimmed(line.substr(0, equals)));
    return section.empty() ? key : section + '/' + key;
}

// A line of the toolkit's settings files: blank, a comment, a [section] header or key=value.
bool IsSettingsLine(std::string_view line) {
    const std::string_view text = Trimmed(line);
    return text.empty() || text.front() == ';' || SectionOf(line) || !KeyOf({}, line).empty();
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
    const std::vector<std::string_view> lines = SplitLines(bytes);
    if (lines.size() > kMostLines) return false;
    return std::ranges::all_of(lines, [](std::string_view line) {
        return line.size() <= kLongestLine && IsSettingsLine(line);
    });
}

// A value as the toolkit writes it: in quotes, with backslashes before quotes and
// backslashes, when it holds a character its format gives a meaning to.
std::string Quoted(const std::string& value) {
    const bool plain = value.find_first_of(";,=\"\\") == std::string::npos &&
                       Trimmed(value).size() == value.size();
    if (plain) return value;
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

std::string Unquoted(std::string_view value) {
    value = Trimmed(value);
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::string(value);
    std::string plain;
    for (std::size_t i = 1; i + 1 < value.size(); ++i) {
        if (value[i] == '\\' && i + 2 < value.size()) ++i;
        plain += value[i];
    }
    return plain;
}

// Every key=value of a settings file, by "section/key".
QMap<QString, QString> ValuesIn(std::string_view text) {
    QMap<QString, QString> values;
    std::string section;
    for (const std::string_view line : SplitLines(text)) {
        if (auto opened = SectionOf(line)) {
            section = std::move(*opened);
            continue;
        }
        if (const std::string key = KeyOf(section, line); !key.empty())
            values.insert(QString::fromStdString(key),
                          QString::fromStdString(Unquoted(line.substr(line.find('=') + 1))));
    }
    return values;
}

// The file's text with the given values set: lines of other keys, comments and sections stay
// as they are, a key already there is set where it stands, a new one goes to the end of its
// section, and a new section to the end of the file.
std::string Merged(std::string_view text, const std::vector<std::pair<QString, QString>>& entries) {
    std::map<std::string, std::string> lines;  // "section/key" and its new line
    for (const auto& [key, value] : entries)
        lines[key.toStdString()] =
            key.section('/', -1).toStdString() + '=' + Quoted(value.toStdString());
    std::map<std::string, bool> written;
    std::vector<std::string> out;
    std::string section;
    // The keys of the section that ends go after its last line that is not blank.
    const auto closeSection = [&] {
        auto end = std::find_if(out.rbegin(), out.rend(), [](const std::string& line) {
                       return !Trimmed(line).empty();
                   }).base();
        for (const auto& [key, line] : lines)
            if (!written[key] && key.rfind('/') != std::string::npos &&
                key.substr(0, key.rfind('/')) == section) {
                end = out.insert(end, line) + 1;
                written[key] = true;
            }
    };
    for (const std::string_view line : SplitLines(text)) {
        if (auto opened = SectionOf(line)) {
            closeSection();
            section = std::move(*opened);
        } else if (const std::string key = KeyOf(section, line); lines.contains(key)) {
            out.push_back(lines[key]);
            written[key] = true;
            continue;
        }
        out.emplace_back(line);
    }
    closeSection();
    for (const auto& [key, line] : lines) {
        if (written[key]) continue;
        section = key.substr(0, key.rfind('/'));
        if (!out.empty() && !Trimmed(out.back()).empty()) out.emplace_back();
        out.push_back('[' + section + ']');
        closeSection();
    }
    std::string merged;
    for (const std::string& line : out)
        merged += line + '\n';
    return merged;
}

bool IsMissing(const EFileError& error) {
    return error.Reason == EFileError::TReason::System &&
           (error.Error == ENOENT || error.Error == ENOTDIR);
}

bool IsUnreadable(const EFileError& error) {
    return error.Reason == EFileError::TReason::System &&
           (error.Error == EACCES || error.Error == EPERM);
}

int NumberFrom(const QString& value, int low, int high, int fallback) {
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok && number >= low && number <= high ? number : fallback;
}

int ScaleFrom(const QString& value) {
    const int scale = NumberFrom(value, 0, 1000, 0);
    return std::ranges::find(kScalePercents, scale) != kScalePercents.end()
               ? scale
               : TViewOptions{}.scalePercent;
}

QString Text(bool flag) {
    return flag ? QStringLiteral("true") : QStringLiteral("false");
}

QString Text(int number) {
    return QString::number(number);
}

// The view options as the file keeps them, one key each.
std::vector<std::pair<QString, QString>> ViewEntries(const TViewOptions& options) {
    return {{"view/legalMoves", Text(options.showLegalMoves)},
            {"view/coordinates", Text(options.showCoordinates)},
            {"view/thinkingInCaption", Text(options.thinkingInCaption)},
            {"view/scalePercent", Text(options.scalePercent)},
            {"view/theme", Text(static_cast<int>(options.theme))},
            {"view/turnDiscs", Text(options.turnDiscs)},
            {"view/turningSpeed", Text(static_cast<int>(options.turningSpeed))},
            {"view/showTurnable", Text(options.showTurnable)},
            {"view/sounds", Text(options.sounds)},
            {"view/language", Text(static_cast<int>(options.language))}};
}

std::vector<std::pair<QString, QString>> NewGameEntries(const TNewGameChoices& choices) {
    return {{"newGame/level", Text(choices.levelIndex)},
            {"newGame/type", Text(choices.typeIndex)},
            {"newGame/placement", Text(choices.placement)},
            {"newGame/waitPerMove", Text(choices.waitPerMove)},
            {"newGame/waitOnPass", Text(choices.waitOnPass)},
            {"newGame/colour", Text(choices.colourIndex)},
            {"newGame/opponent", Text(choices.opponentIndex)}};
}

}  // namespace

QString TSettings::DefaultFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tolvaney/tolvaney.conf");
}

TSettings::TSettings(const QString& file, TWriter writer)
    : file_(file), writer_(std::move(writer)) {
    Open();
}

TSettings::~TSettings() = default;

void TSettings::EditUnderLock(const std::filesystem::path& file, const TEdit& edit) {
    // The first save makes the folder; one that cannot be made fails the save below.
    std::error_code ignored;
    fs::create_directories(file.parent_path(), ignored);
    TFileSave save(file);
    std::string text;
    try {
        text = ReadTextFile(file);
    } catch (const EFileError& error) {
        if (!IsMissing(error)) throw;
    }
    save.Commit(edit(text));
}

// Reads the file without waiting, so that a named pipe in its place cannot hang the start. A
// missing file is a first run; a file that cannot be read is left as it is. A damaged file is
// moved aside before anything can be written over it; should that fail, it stays as it is.
// Either way this run's settings are then kept in memory only.
void TSettings::Open() {
    try {
        const std::string text = ReadTextFile(PathOf(file_));
        if (IsSettingsText(text)) {
            values_ = ValuesIn(text);
            return;
        }
    } catch (const EFileError& error) {
        if (IsMissing(error)) return;
        if (IsUnreadable(error)) {
            unreadableReason_ = QString::fromStdString(FileFaultReason(error));
            savesToFile_ = false;
            return;
        }
    }
    damaged_ = true;
    const QString copy = FreeDamagedName(FullName(file_));
    std::error_code error;
    fs::rename(PathOf(file_), PathOf(copy), error);
    if (error)
        savesToFile_ = false;
    else
        damagedCopy_ = copy;
}

QString TSettings::StartNotice() const {
    if (!unreadableReason_.isEmpty())
        return QCoreApplication::translate(
                   "TSettings",
                   "設定ファイルを読めないため、既定の設定で始めます。"
                   "ファイルはそのまま残し、今回の設定は保存しません:\r\n\r\n") +
               FullName(file_) + QCoreApplication::translate("TSettings", "\r\n理由: ") +
               unreadableReason_;
    if (!damaged_) return {};
    if (!damagedCopy_.isEmpty())
        return QCoreApplication::translate("TSettings",
                                           "設定ファイルが壊れていたため、既定の設定で始めます。"
                                           "壊れたファイルは次の場所に残してあります:\r\n\r\n") +
               damagedCopy_;
    return QCoreApplication::translate("TSettings",
                                       "設定ファイルが壊れていたため、既定の設定で始めます。"
                                       "ファイルを別の名前に移せなかったため、そのまま残し、"
                                       "今回の設定は保存しません:\r\n\r\n") +
           FullName(file_);
}

QString TSettings::TakeSaveNotice() {
    return std::exchange(saveNotice_, {});
}

QString TSettings::Value(const char* key) const {
    return values_.value(QLatin1String(key));
}

// Only the values this copy changed are written, so that what a second copy of the game
// saved meanwhile stays. A file that another program has turned into something else than
// settings is not written over.
void TSettings::SaveChanged(const TEntries& was, const TEntries& now, const char* what) {
    TEntries changed;
    for (std::size_t i = 0; i < now.size(); ++i)
        if (was[i] != now[i]) changed.push_back(now[i]);
    if (changed.empty()) return;
    for (const auto& [key, value] : changed)
        values_.insert(key, value);
    if (!savesToFile_) return;
    QString where = FullName(file_), reason;
    try {
        writer_(PathOf(file_), [&](std::string_view text) {
            if (!IsSettingsText(text))
                throw std::runtime_error("the settings file is no longer a settings file");
            return Merged(text, changed);
        });
        return;
    } catch (const EFileError& error) {
        // The file itself, or what stands in the way of its save, such as its temporary file.
        where = QString::fromStdString(FullPath(error.Path).string());
        reason = QString::fromStdString(FileFaultReason(error));
    } catch (const std::exception&) {
        reason = QCoreApplication::translate(
            "TSettings", "ほかのプログラムが設定ファイルでないものに書き換えました");
    }
    savesToFile_ = false;
    saveNotice_ = QCoreApplication::translate("TSettings", what) +
                  QCoreApplication::translate("TSettings", "を保存できませんでした。\r\n\r\n") +
                  where + QCoreApplication::translate("TSettings", "\r\n理由: ") + reason +
                  QCoreApplication::translate(
                      "TSettings",
                      "\r\n\r\n設定はこのゲームを終えるまで有効ですが、これから後はファイルに"
                      "保存しません。次に起動したときは、前に保存した設定で始まります。");
}

int TSettings::Number(const char* key, int low, int high, int fallback) const {
    return NumberFrom(Value(key), low, high, fallback);
}

bool TSettings::Flag(const char* key, bool fallback) const {
    const QString value = Value(key);
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
    options.language = static_cast<TLanguageChoice>(
        Number("view/language", 0, kLanguageChoices - 1, static_cast<int>(defaults.language)));
    return options;
}

void TSettings::SaveView(const TViewOptions& options) {
    SaveChanged(ViewEntries(View()), ViewEntries(options),
                QT_TRANSLATE_NOOP("TSettings", "表示の設定"));
}

std::optional<TNewGameChoices> TSettings::NewGame() const {
    if (!values_.contains(QStringLiteral("newGame/level"))) return std::nullopt;
    const TNewGameChoices defaults;
    TNewGameChoices choices;
    choices.levelIndex = Number("newGame/level", 0, kLevels - 1, defaults.levelIndex);
    choices.typeIndex = Number("newGame/type", 0, kTypes - 1, defaults.typeIndex);
    choices.placement = Number("newGame/placement", 1, kPlacements, defaults.placement);
    choices.waitPerMove =
        Number("newGame/waitPerMove", 1, kLongestWaitPerMove, defaults.waitPerMove);
    choices.waitOnPass = Number("newGame/waitOnPass", 1, kLongestWaitOnPass, defaults.waitOnPass);
    choices.colourIndex = Number("newGame/colour", 0, kColours - 1, defaults.colourIndex);
    choices.opponentIndex = Number("newGame/opponent", 0, kOpponents - 1, defaults.opponentIndex);
    return choices;
}

void TSettings::SaveNewGame(const TNewGameChoices& choices) {
    SaveChanged(NewGameEntries(NewGame().value_or(TNewGameChoices{})), NewGameEntries(choices),
                QT_TRANSLATE_NOOP("TSettings", "新規ゲームの設定"));
}

// Kept as Base64 text, so that the file stays a plain text file of short lines.
QByteArray TSettings::WindowGeometry() const {
    return QByteArray::fromBase64(Value("window/geometry").toLatin1());
}

void TSettings::SaveWindowGeometry(const QByteArray& geometry) {
    const auto entries = [](const QString& text) { return TEntries{{"window/geometry", text}}; };
    SaveChanged(entries(Value("window/geometry")),
                entries(QString::fromLatin1(geometry.toBase64())),
                QT_TRANSLATE_NOOP("TSettings", "ウィンドウの大きさと位置"));
}
