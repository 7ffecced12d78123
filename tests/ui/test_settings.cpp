// The settings file as the player may find it after a crash, a bad disk or a text editor: a
// damaged one is kept aside with its bytes, named to the player and never written over.
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <filesystem>

#include "engine/untEngineError.h"
#include "engine/untTextFile.h"
#include "ui/shell/untSettings.h"

namespace {

// Every entry of the folder with its bytes; a named pipe as "fifo".
QMap<QString, QByteArray> Entries(const QString& folder) {
    QMap<QString, QByteArray> entries;
    for (const auto& entry : std::filesystem::directory_iterator(folder.toStdString()))
        entries[QString::fromStdString(entry.path().filename())] =
            entry.is_fifo() ? "fifo" : QByteArray::fromStdString(ReadTextFile(entry.path()));
    return entries;
}

TEST(SettingsTest, ADamagedFileIsKeptAsideReportedAndNeverWrittenOver) {
    const QByteArray sound = "[view]\nscalePercent=150\n";
    enum { kFile, kPipe, kMissing, kLongName };  // kLongName: the copy's name would be too long
    const std::tuple<const char*, int, QByteArray, bool> cases[] = {
        {"random bytes", kFile, QByteArray::fromHex("5be2a09f17c3ff0d8e41b6d2"), true},
        {"a NUL", kFile, sound + QByteArray("x=\0\n", 4), true},
        {"a control character", kLongName, sound + "x=\x01\n", true},
        {"invalid UTF-8", kFile, sound + "x=\xC3\x28\n", true},
        {"UTF-8 with its mark", kFile, "\xEF\xBB\xBFk=1\n" + sound, true},
        {"UTF-16 with its mark", kFile, QByteArray("\xFF\xFE[\0v\0]\0\n\0", 10), true},
        {"a very long line", kFile, sound + "x=" + QByteArray(100000, 'a') + '\n', true},
        {"a line of neither kind", kFile, sound + "scalePercent 150\n", true},
        {"too many lines", kFile, sound + QByteArray("k=1\n").repeated(400), true},
        {"a named pipe", kPipe, {}, true},
        {"an unknown key", kFile, "; by hand\r\n" + sound + "[later]\nx = 1\n", false},
        {"no file", kMissing, {}, false},
    };
    for (const auto& [name, kind, bytes, damaged] : cases) {
        SCOPED_TRACE(name);
        QTemporaryDir folder;
        const QString conf = kind == kLongName ? QString(250, 'a') + ".conf" : "tolvaney.conf";
        const QString file = folder.path() + '/' + conf, copy = file + ".damaged.2";
        ASSERT_TRUE(kind == kMissing ||
                    (kind == kPipe ? ::mkfifo(qPrintable(file), 0600) == 0
                                   : WriteNewFile(file.toStdString(), bytes.toStdString())));
        ASSERT_TRUE(kind == kLongName || WriteNewFile(file.toStdString() + ".damaged", "earlier"));
        auto kept = Entries(folder.path());
        const int scale = !damaged && kind == kFile ? 150 : 100;

        TSettings settings(file);
        const bool moved = damaged && kind != kLongName;
        if (moved) kept[conf + ".damaged.2"] = kept.take(conf);
        EXPECT_EQ(Entries(folder.path()), kept);
        EXPECT_EQ(settings.WasDamaged(), damaged);
        EXPECT_EQ(settings.DamagedCopy(), moved ? copy : "");
        EXPECT_EQ(settings.StartNotice().section("\r\n\r\n", 1),
                  damaged ? (moved ? copy : file) : "");
        EXPECT_EQ(settings.View(), TViewOptions{.scalePercent = scale});
        const TViewOptions saved{true, true, false, 125};
        settings.SaveView(saved);
        EXPECT_EQ(settings.View(), saved);
        EXPECT_EQ(settings.SavesToFile(), kind != kLongName);
        if (settings.SavesToFile()) {
            EXPECT_EQ(TSettings(file).View(), saved);
            kept[conf] = QByteArray::fromStdString(ReadTextFile(file.toStdString()));
        }
        EXPECT_EQ(Entries(folder.path()), kept) << "the save touched more than the settings file";
    }
}

}  // namespace

// Each fault a save may meet: the change is either in the file or told to the player once,
// and it stays for the rest of the run; no save waits on a lock that nobody will let go.
TEST(SettingsTest, EverySaveIsKeptOrTold) {
    const auto noRoom = [](const std::filesystem::path& file, const TSettings::TEdit&) {
        throw EFileError("Cannot write", file, EFileError::TReason::System, ENOSPC);
    };
    enum { kNone, kReadOnly, kFolder, kPipe };
    // The fault, and where: on the file (""), its folder ("/..") or a name beside it.
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"sound", kNone, "", nullptr},
        {"read-only file", kReadOnly, "", "ファイルが読み取り専用になっています"},
        {"read-only folder: written in place", kReadOnly, "/..", nullptr},
        {"no room", kNone, "", "ディスクに空きがありません"},
        {"a folder as the toolkit's lock", kFolder, ".lock", nullptr},
        {"a pipe as the toolkit's lock", kPipe, ".lock", nullptr},
        {"a folder as the temporary file", kFolder, ".tmp", "同じ名前のフォルダーがあります"},
        {"a pipe as the temporary file", kPipe, ".tmp", "普通のファイルではありません"},
    };
    for (const auto& [name, fault, where, reason] : cases) {
        SCOPED_TRACE(name);
        QTemporaryDir folder;
        const QString file = folder.path() + "/tolvaney.conf";
        const std::string before = "; the player's own note\n[view]\nscalePercent=150\n";
        ASSERT_TRUE(WriteNewFile(file.toStdString(), before));
        const QByteArray at = QFile::encodeName(QDir::cleanPath(file + where));
        if (fault == kReadOnly) ::chmod(at, *where ? 0555 : 0444);
        if (fault == kFolder) ::mkdir(at, 0700);
        if (fault == kPipe) ::mkfifo(at, 0600);
        TSettings settings(file, name == std::string("no room") ? TSettings::TWriter(noRoom)
                                                                : TSettings::EditUnderLock);
        TViewOptions options = settings.View();
        options.showCoordinates = true;
        settings.SaveView(options);
        const QString notice = settings.TakeSaveNotice();
        options.sounds = true;
        settings.SaveView(options);
        ::chmod(qPrintable(folder.path()), 0700);

        EXPECT_EQ(settings.View(), options) << "this run keeps its settings";
        EXPECT_EQ(settings.SavesToFile(), reason == nullptr);
        EXPECT_EQ(settings.TakeSaveNotice(), "") << "told once";
        const std::string after = ReadTextFile(file.toStdString());
        if (reason) {
            EXPECT_TRUE(notice.startsWith("表示の設定を保存できませんでした。") &&
                        notice.contains(file) && notice.contains(reason))
                << notice.toStdString();
            EXPECT_EQ(after, before);
        } else {
            EXPECT_EQ(notice, "");
            EXPECT_EQ(TSettings(file).View(), options);
            EXPECT_TRUE(after.starts_with("; the player's own note\n"));
        }
    }
}

// A file the player may not read is said to be unreadable and left where it is.
TEST(SettingsTest, AnUnreadableFileIsToldAndLeftAsItIs) {
    QTemporaryDir folder;
    const QString file = folder.path() + "/tolvaney.conf";
    ASSERT_TRUE(WriteNewFile(file.toStdString(), "[view]\nscalePercent=150\n"));
    ::chmod(qPrintable(file), 0);
    const uid_t was = ::setfsuid(65534);  // root reads anything; nobody does not
    TSettings settings(file);
    ::setfsuid(was);
    EXPECT_FALSE(settings.WasDamaged() || settings.SavesToFile());
    EXPECT_TRUE(settings.StartNotice().startsWith("設定ファイルを読めないため") &&
                settings.StartNotice().endsWith(file + "\r\n理由: アクセスする権限がありません"));
    settings.SaveView(TViewOptions{.scalePercent = 200});
    ::chmod(qPrintable(file), 0600);
    EXPECT_EQ(Entries(folder.path()).keys(), QStringList{"tolvaney.conf"});
    EXPECT_EQ(ReadTextFile(file.toStdString()), "[view]\nscalePercent=150\n");
}

// Two copies of the game on one file, their changes interleaved: each writes only what it
// changed, so the file ends with every change of both. The first save makes the folder.
TEST(SettingsTest, TwoCopiesKeepEachOthersChanges) {
    QTemporaryDir folder;
    const QString file = folder.path() + "/config/tolvaney/tolvaney.conf";
    TSettings first(file), second(file);
    first.SaveView({.showCoordinates = true});
    second.SaveView({.showLegalMoves = true});
    first.SaveView({.showCoordinates = true, .theme = TTheme::Dark});
    second.SaveView({.showLegalMoves = true, .scalePercent = 150});
    first.SaveNewGame({.levelIndex = 3});
    second.SaveWindowGeometry("window");
    const TSettings next(file);
    EXPECT_EQ(next.View(), (TViewOptions{.showLegalMoves = true,
                                         .showCoordinates = true,
                                         .scalePercent = 150,
                                         .theme = TTheme::Dark}));
    EXPECT_EQ(next.NewGame(), TNewGameChoices{.levelIndex = 3});
    EXPECT_EQ(next.WindowGeometry(), "window");
}
