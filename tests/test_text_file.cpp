// Reading and saving the program's files whatever the disk holds: folders and pipes where a
// file should be, read-only files and folders (for root and for an ordinary user), a full
// file system, and saves killed at random moments.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <tuple>

#include "engine/eval/untPatterns.h"
#include "engine/untEngineError.h"
#include "engine/untTextFile.h"
#include "results/untScore.h"
#include "results/untStrongestScore.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

// A fresh folder for one test, removed afterwards.
class Folder {
public:
    Folder() {
        char name[] = "/tmp/tolvaney-files-XXXXXX";
        path_ = ::mkdtemp(name);
    }
    ~Folder() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void Put(const fs::path& file, const std::string& contents, fs::perms mode = fs::perms(0644)) {
    std::ofstream(file, std::ios::binary) << contents;
    fs::permissions(file, mode);
}

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The names in a folder, sorted.
std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The message of the EEngineError a call throws, or "" when it throws none.
std::string FaultOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const EEngineError& fault) {
        return fault.what();
    }
    return "";
}

// Runs checks in a child process, as the given user when it is not -1; returns the problems
// the child found, or why it could not run them.
std::vector<std::string> InChild(const std::function<std::vector<std::string>()>& checks,
                                 int user = -1) {
    int channel[2];
    if (::pipe(channel) != 0) return {"no pipe"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::string report;
        if (user >= 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(user) != 0 || ::setuid(user) != 0))
            report = "cannot become user " + std::to_string(user);
        else
            for (const std::string& problem : checks())
                report += problem + "\n";
        const ssize_t written = ::write(channel[1], report.data(), report.size());
        ::_exit(written == static_cast<ssize_t>(report.size()) ? 0 : 1);
    }
    ::close(channel[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    std::vector<std::string> problems;
    for (const std::string_view line : SplitLines(report))
        problems.emplace_back(line);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) problems.push_back("the child failed");
    return problems;
}

TEST(ReadTextFile, EveryFailureNamesTheFileAndTheReason) {
    Folder folder;
    const fs::path missing = folder.path() / "成績.dat", pipe = folder.path() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    const struct {
        fs::path path;
        const char* reason;
    } cases[] = {
        {missing, "No such file"},
        {folder.path(), "it is a folder"},
        {pipe, "not a regular file"},  // read without waiting for a writer
        {"/dev/zero", "not a regular file"},
    };
    for (const auto& c : cases) {
        const std::string fault = FaultOf([&] { ReadTextFile(c.path); });
        EXPECT_NE(fault.find(c.path.string()), std::string::npos) << fault;
        EXPECT_NE(fault.find(c.reason), std::string::npos) << fault;
    }
    Put(missing, "1500\r\n");
    EXPECT_EQ(ReadTextFile(missing), "1500\r\n");
}

// The saving cases, for whoever runs them; each returns what went wrong.
std::vector<std::string> SavingProblems(const fs::path& folder) {
    std::vector<std::string> problems;
    auto expect = [&](bool holds, const std::string& what) {
        if (!holds) problems.push_back(what);
    };
    const bool root = ::geteuid() == 0;
    const fs::path file = folder / "成績.dat";

    // A new file, then a replaced one that keeps its permissions; no temporary file stays.
    WriteFileAtomically(file, "1\r\n");
    expect(Contents(file) == "1\r\n", "a new file is written");
    fs::permissions(file, fs::perms(0640));
    WriteFileAtomically(file, "2\r\n");
    expect(Contents(file) == "2\r\n", "a file is replaced");
    expect(fs::status(file).permissions() == fs::perms(0640), "a replaced file keeps its mode");
    expect(Names(folder) == std::vector<std::string>{"成績.dat"}, "nothing is left beside it");

    // A leftover temporary file from a killed save is reused, never a second one made.
    Put(folder / "成績.dat.tmp", "half a sa");
    WriteFileAtomically(file, "3\r\n");
    expect(Contents(file) == "3\r\n" && Names(folder).size() == 1, "a leftover is cleared");

    // A file made read-only is refused by name and kept.
    fs::permissions(file, fs::perms(0444));
    std::string fault = FaultOf([&] { WriteFileAtomically(file, "4\r\n"); });
    expect(fault.find(file.string()) != std::string::npos &&
               fault.find("read-only") != std::string::npos,
           "a read-only file is refused by name: " + fault);
    expect(Contents(file) == "3\r\n", "a read-only file keeps its contents");
    expect(fs::status(file).permissions() == fs::perms(0444), "a read-only file keeps its mode");
    fs::permissions(file, fs::perms(0644));

    // A folder in the file's place.
    const fs::path folderInPlace = folder / "学習_1.dat";
    fs::create_directory(folderInPlace);
    fault = FaultOf([&] { WriteFileAtomically(folderInPlace, "x"); });
    expect(fault.find("it is a folder") != std::string::npos, "a folder is refused: " + fault);
    expect(fs::is_directory(folderInPlace), "the folder stays");
    fs::remove(folderInPlace);

    // A folder that takes no new file: the writable results file is still updated (in
    // place); a file that does not exist yet cannot be made. Root may write anyway.
    fs::permissions(folder, fs::perms(0555));
    fault = FaultOf([&] { WriteFileAtomically(file, "5\r\n"); });
    expect(fault.empty() && Contents(file) == "5\r\n",
           "a read-only folder's file is updated: " + fault);
    fault = FaultOf([&] { WriteFileAtomically(folder / "学習_2.dat", "x"); });
    expect(root ? fault.empty() : fault.find("学習_2.dat") != std::string::npos,
           "a new file in a read-only folder: " + fault);
    fs::permissions(folder, fs::perms(0755));
    const std::vector<std::string> left = Names(folder);
    expect(std::none_of(left.begin(), left.end(),
                        [](const std::string& name) { return name.ends_with(".tmp"); }),
           "no temporary file is left");
    return problems;
}

TEST(WriteFileAtomically, ReadOnlyFilesAndFoldersAndFoldersInPlace) {
    Folder folder;
    EXPECT_EQ(SavingProblems(folder.path()), std::vector<std::string>{});
}

// The same as an ordinary user, where the tests run as root and may become one.
TEST(WriteFileAtomically, TheSameForAnOrdinaryUser) {
    if (::geteuid() != 0) return;  // the test above already ran as an ordinary user
    Folder folder;
    ASSERT_EQ(::chown(folder.path().c_str(), kNobody, kNobody), 0);
    EXPECT_EQ(InChild([&] { return SavingProblems(folder.path()); }, kNobody),
              std::vector<std::string>{});
}

// A disk that fills up during the save: the old file stays whole and no temporary file is
// left. The file size limit stands in for a full disk everywhere; where a small file system
// can be mounted (as root), a real one is filled too.
TEST(WriteFileAtomically, AFullDiskLeavesTheOldFileWhole) {
    const std::string large(1 << 20, '7');
    auto fullDiskProblems = [&](const fs::path& folder) {
        std::vector<std::string> problems;
        const fs::path file = folder / "学習_3.dat";
        const std::string fault = FaultOf([&] { WriteFileAtomically(file, large); });
        if (fault.find(file.string()) == std::string::npos) problems.push_back("fault: " + fault);
        if (Contents(file) != "old\r\n") problems.push_back("the old file changed");
        if (Names(folder) != std::vector<std::string>{"学習_3.dat"} &&
            Names(folder) != std::vector<std::string>{"filler", "学習_3.dat"})
            problems.push_back("something was left behind");
        return problems;
    };

    Folder limited;
    Put(limited.path() / "学習_3.dat", "old\r\n");
    EXPECT_EQ(InChild([&] {
                  ::signal(SIGXFSZ, SIG_IGN);
                  const rlimit limit{64 * 1024, 64 * 1024};
                  ::setrlimit(RLIMIT_FSIZE, &limit);
                  return fullDiskProblems(limited.path());
              }),
              std::vector<std::string>{});

    Folder mountPoint;
    if (::mount("tmpfs", mountPoint.path().c_str(), "tmpfs", 0, "size=256k") != 0) {
        std::printf(
            "a small file system cannot be mounted here (%s): the size limit above "
            "stands in for it\n",
            std::strerror(errno));
        return;
    }
    Put(mountPoint.path() / "学習_3.dat", "old\r\n");
    Put(mountPoint.path() / "filler", std::string(200 * 1024, '0'));
    EXPECT_EQ(fullDiskProblems(mountPoint.path()), std::vector<std::string>{});
    ::umount(mountPoint.path().c_str());
}

// The text of a pattern table whose entries all hold one value.
std::string TableText(int value) {
    auto table = std::make_unique<TPatternTable>();
    for (auto& index : (*table)[EDGE])
        index.fill(value);
    return PatternTableText(*table, EDGE);
}

// A child saves the results file and a pattern table over and over, reporting every save
// it finished; it is killed at random moments. Each time the files hold exactly the last
// finished save or the one after it, and at most the one temporary file of each is left.
TEST(WriteFileAtomically, SavesKilledAtRandomMomentsLeaveOldOrNewContents) {
    constexpr int kKills = 300;
    Folder folder;
    const fs::path results = folder.path() / "成績.dat",
                   table = folder.path() / PatternFileName(EDGE);
    auto resultsText = [](int wins) {
        return "1500\r\n" + std::to_string(wins) + "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    };
    auto tableValue = [](int save) { return save % 41 - 20; };
    WriteFileAtomically(results, resultsText(0));
    WriteFileAtomically(table, TableText(tableValue(0)));
    std::vector<std::string> texts;  // the table texts by value + 20
    for (int value = -20; value <= 20; ++value)
        texts.push_back(TableText(value));

    std::mt19937 random(11);
    int saved = 0, interrupted = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        int channel[2];
        ASSERT_EQ(::pipe(channel), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(channel[0]);
            TScore score(results, [](const std::string&, const std::string&) {});
            for (int save = saved + 1;; ++save) {
                score.WinsRandom = save;
                score.Save();
                WriteFileAtomically(table, texts[tableValue(save) + 20]);
                if (::write(channel[1], &save, sizeof save) != sizeof save) ::_exit(1);
            }
        }
        ::close(channel[1]);
        // The first save is waited for, so that every child gets somewhere however busy the
        // machine is; the kill then falls anywhere in a later one.
        int finished = saved;
        ASSERT_EQ(::read(channel[0], &finished, sizeof finished), sizeof finished);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 3000)(random));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        for (int save; ::read(channel[0], &save, sizeof save) == sizeof save;)
            finished = save;
        ::close(channel[0]);

        const std::string resultsNow = Contents(results), tableNow = Contents(table);
        const bool resultsOldOrNew =
            resultsNow == resultsText(finished) || resultsNow == resultsText(finished + 1);
        const bool tableOldOrNew = tableNow == texts[tableValue(finished) + 20] ||
                                   tableNow == texts[tableValue(finished + 1) + 20];
        ASSERT_TRUE(resultsOldOrNew) << "kill " << kill << ": " << resultsNow.substr(0, 40);
        ASSERT_TRUE(tableOldOrNew) << "kill " << kill;
        for (const std::string& name : Names(folder.path()))
            ASSERT_TRUE(name == "成績.dat" || name == "成績.dat.tmp" ||
                        name == PatternFileName(EDGE) || name == PatternFileName(EDGE) + ".tmp")
                << name;
        interrupted += Names(folder.path()).size() > 2;
        // The table is saved second: where it got to, both files did.
        saved = tableNow == texts[tableValue(finished + 1) + 20] ? finished + 1 : finished;
    }
    std::printf("%d kills, %d saves finished, %d kills left a temporary file\n", kKills, saved,
                interrupted);
    EXPECT_GT(interrupted, 0);  // some kills did fall in the middle of a save
}

// A results file can hold the largest counter: one more game leaves it there.
TEST(TScore, ACounterAtItsLargestValueStaysThere) {
    Folder folder;
    const fs::path file = folder.path() / "成績.dat";
    Put(file, "1500\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2147483647\r\n-5\r\n");
    TScore score(file, [](const std::string&, const std::string&) { ADD_FAILURE(); });
    score.RecordGame(4, 40, 24);
    score.RecordGame(4, 24, 40);
    EXPECT_EQ(score.WinsAdvanced, INT32_MAX);
    EXPECT_EQ(score.LossesAdvanced, -4);
    EXPECT_EQ(Contents(file), "1500\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2147483647\r\n-4\r\n");
}

}  // namespace

namespace {

// The two results files: 成績.dat, with the wins and losses at level 1 on lines 2 and 3 of
// nine, and the strongest computer's, on lines 1 and 2 of two. Each records a game as the
// window does.
struct TResultsKind {
    const char* name;
    size_t lines;
    int winLine;  // the losses are on the next line
    void (*record)(const fs::path& file, bool win, const TScore::TReport& report, int games);
};

void RecordInScore(const fs::path& file, bool win, const TScore::TReport& report, int games) {
    TScore score(file, report);
    for (int game = 0; game != games; ++game)
        score.RecordGame(1, win ? 40 : 20, win ? 20 : 40);
}
void RecordInStrongest(const fs::path& file, bool win, const TScore::TReport& report, int games) {
    TStrongestScore score(file, report);
    for (int game = 0; game != games; ++game)
        score.RecordGame(win ? 40 : 20, win ? 20 : 40);
}
const TResultsKind kResultsKinds[] = {{"成績.dat", 9, 1, RecordInScore},
                                      {kStrongestScoreFileName, 2, 0, RecordInStrongest}};

// The wins and losses a results file holds, or nothing when it is not whole.
std::optional<std::pair<int, int>> Counts(const TResultsKind& kind, const fs::path& file) {
    const std::string text = Contents(file);
    const std::vector<std::string_view> lines = SplitLines(text);
    int32_t values[9];
    if (lines.size() != kind.lines) return std::nullopt;
    for (size_t line = 0; line < kind.lines; ++line)
        if (!ParseInt32(lines[line], values[line])) return std::nullopt;
    return std::pair<int, int>(values[kind.winLine], values[kind.winLine + 1]);
}

// A copy of the game that records one game after another (a win, or a loss) and reports
// each save it finished through the pipe.
pid_t GameRecordingForever(const TResultsKind& kind, const fs::path& file, bool wins,
                           int channel[2]) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    ::close(channel[0]);
    int saved = 0;
    const TScore::TReport report = [](const std::string&, const std::string&) { ::_exit(3); };
    for (;;) {
        kind.record(file, wins, report, 1);
        ++saved;
        if (::write(channel[1], &saved, sizeof saved) != sizeof saved) ::_exit(1);
    }
}

// Two copies of the game record games into one results file at once, and both are killed
// at random moments. Whoever reads the file meanwhile finds it whole; afterwards it holds
// every game either copy finished, and at most the one each was saving when it was killed.
// The same for both results files.
TEST(TScore, TwoCopiesOfTheGameSavingOneFileLoseNoGame) {
    constexpr int kRounds = 20;
    for (const TResultsKind& kind : kResultsKinds) {
        SCOPED_TRACE(kind.name);
        Folder folder;
        const fs::path file = folder.path() / kind.name;
        std::mt19937 random(8);
        int wins = 0, losses = 0;
        for (int round = 0; round < kRounds; ++round) {
            int winChannel[2], lossChannel[2];
            ASSERT_EQ(::pipe(winChannel), 0);
            ASSERT_EQ(::pipe(lossChannel), 0);
            const pid_t winner = GameRecordingForever(kind, file, true, winChannel);
            const pid_t loser = GameRecordingForever(kind, file, false, lossChannel);
            ::close(winChannel[1]);
            ::close(lossChannel[1]);
            int wonNow = 0, lostNow = 0;
            ASSERT_EQ(::read(winChannel[0], &wonNow, sizeof wonNow), sizeof wonNow);
            ASSERT_EQ(::read(lossChannel[0], &lostNow, sizeof lostNow), sizeof lostNow);
            const int reads = std::uniform_int_distribution<int>(0, 30)(random);
            for (int read = 0; read < reads; ++read)
                ASSERT_TRUE(Counts(kind, file)) << "round " << round << ": " << Contents(file);
            ::kill(winner, SIGKILL);
            ::kill(loser, SIGKILL);
            ::waitpid(winner, nullptr, 0);
            ::waitpid(loser, nullptr, 0);
            for (int save; ::read(winChannel[0], &save, sizeof save) == sizeof save;)
                wonNow = save;
            for (int save; ::read(lossChannel[0], &save, sizeof save) == sizeof save;)
                lostNow = save;
            ::close(winChannel[0]);
            ::close(lossChannel[0]);

            const std::optional<std::pair<int, int>> counts = Counts(kind, file);
            ASSERT_TRUE(counts) << "round " << round << ": " << Contents(file);
            EXPECT_GE(counts->first, wins + wonNow) << "round " << round;
            EXPECT_LE(counts->first, wins + wonNow + 1) << "round " << round;
            EXPECT_GE(counts->second, losses + lostNow) << "round " << round;
            EXPECT_LE(counts->second, losses + lostNow + 1) << "round " << round;
            std::tie(wins, losses) = *counts;
        }
        std::printf("%s: %d wins and %d losses saved by two copies at once\n", kind.name, wins,
                    losses);
    }
}

// A results file damaged after its first value: the read error is told, the file as it was
// is kept byte for byte beside it and the player told where, the value before the damage
// survives the next game, and the player's own lines after the values stay.
TEST(TScore, BothResultsFilesKeepADamagedFileBesideThemBeforeTheNextGame) {
    for (const TResultsKind& kind : kResultsKinds) {
        SCOPED_TRACE(kind.name);
        Folder folder;
        const fs::path file = folder.path() / kind.name;
        std::string damaged = "7\r\nxx\r\n";
        for (size_t line = 2; line < kind.lines; ++line)
            damaged += "5\r\n";
        damaged += "a line of the player's own\r\n";
        Put(file, damaged);
        std::vector<std::string> told;
        kind.record(
            file, false, [&](const std::string& text, const std::string&) { told.push_back(text); },
            2);
        ASSERT_EQ(told.size(), 2u);
        EXPECT_EQ(told[0], "成績データ読込みエラー");
        fs::path copy = file;
        copy += ".damaged";
        EXPECT_NE(told[1].find(copy.string()), std::string::npos) << told[1];
        EXPECT_EQ(Contents(copy), damaged);
        const std::string saved = Contents(file);
        const std::vector<std::string_view> lines = SplitLines(saved);
        EXPECT_EQ(lines.at(0), "7");
        EXPECT_EQ(lines.at(kind.winLine + 1), "2");  // the two losses, counted from 0
        EXPECT_EQ(lines.at(kind.lines), "a line of the player's own");
        EXPECT_EQ(lines.size(), kind.lines == 9 ? 11u : 3u);  // 成績.dat is filled up to 11
    }
}

}  // namespace
