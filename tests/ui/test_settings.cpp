// The settings file as the player may find it after a crash, a bad disk or a text editor: a
// damaged one is kept aside with its bytes, named to the player and never written over.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <filesystem>

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
        EXPECT_EQ(settings.DamageNotice().section("\r\n\r\n", 1),
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
