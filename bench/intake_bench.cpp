// Takes a folder of 100,000 files into the sorted source list and compares the
// time with `find DIR -type f | sort -f` on the same tree; prints both times,
// their ratio (target: at most 2) and the memory the take adds (target: at
// most 100 MB). Usage: intake_bench [FOLDER] (default: a temporary folder;
// a given folder is filled once and reused).
#include "pathtext.h"
#include "sourceintake.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

using namespace sorvane;
namespace fs = std::filesystem;

namespace {

constexpr int Folders = 100;
constexpr int FilesPerFolder = 1000;
constexpr int Runs = 3;

// Names like "07 Blue RIVER the night 0412.Flac", folders like "Artist 42 - Album".
std::string RandomWord(std::mt19937 &random)
{
    static const std::array<const char *, 16> words{"blue", "river", "night", "Sky", "LOVE", "the", "Dance",
                                                    "moon", "Rain", "fire", "歌", "夜明け", "été", "Zero", "echo", "Ölz"};
    std::string word = words[random() % words.size()];
    if (random() % 3 == 0 && word[0] >= 'a' && word[0] <= 'z')
        word[0] = char(word[0] - 'a' + 'A');
    return word;
}

void MakeTree(const fs::path &root)
{
    static const std::array<const char *, 6> extensions{".mp3", ".FLAC", ".wav", ".Ogg", ".m4a", ".MP4"};
    std::mt19937 random(2026);
    for (int folder = 0; folder < Folders; ++folder) {
        const fs::path dir = root / ("Artist " + std::to_string(folder) + " - " + RandomWord(random));
        fs::create_directories(dir);
        for (int file = 0; file < FilesPerFolder; ++file) {
            const std::string name = std::to_string(file % 20) + " " + RandomWord(random) + " " + RandomWord(random) +
                                     " " + std::to_string(file) + extensions[random() % extensions.size()];
            std::ofstream{dir / name};
        }
    }
    std::ofstream{root / ".complete"};
}

// The process's peak resident memory so far, in kilobytes.
long PeakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return 0;
}

// Lets the peak start again from the current resident size (Linux 4.0 and later).
void ResetPeak()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

double Median(std::array<double, Runs> values)
{
    std::sort(values.begin(), values.end());
    return values[Runs / 2];
}

double FindAndSortSeconds(const fs::path &root)
{
    const std::string command = "find '" + root.string() + "' -type f | sort -f > /dev/null";
    QElapsedTimer timer;
    timer.start();
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "find | sort failed\n");
    return double(timer.nsecsElapsed()) / 1e9;
}

// From the take to a model a list view can show: the rows of a first screen read.
double IntakeSeconds(const fs::path &root, int &count)
{
    QElapsedTimer timer;
    timer.start();
    SourceIntake intake;
    intake.takePaths({root});
    const SourceList &list = intake.sources();
    count = list.rowCount();
    for (int row = 0; row < std::min(count, 40); ++row)
        list.data(list.index(row));
    return double(timer.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const fs::path root = argc > 1 ? fs::absolute(argv[1]) : PathFromQt(temporary.path());
    if (!fs::exists(root / ".complete")) {
        std::printf("making %d files in %s ...\n", Folders * FilesPerFolder, root.c_str());
        MakeTree(root);
    }
    FindAndSortSeconds(root); // warms the file system cache

    ResetPeak();
    const long peakBefore = PeakKilobytes();
    int count = 0;
    std::array<double, Runs> intake{};
    std::array<double, Runs> findSort{};
    intake[0] = IntakeSeconds(root, count);
    const long addedKilobytes = PeakKilobytes() - peakBefore;
    findSort[0] = FindAndSortSeconds(root);
    for (int run = 1; run < Runs; ++run) {
        intake[run] = IntakeSeconds(root, count);
        findSort[run] = FindAndSortSeconds(root);
    }

    const double ratio = Median(intake) / Median(findSort);
    const double addedMegabytes = double(addedKilobytes) / 1024;
    std::printf("intake: %d files taken (median of %d runs)\n", count, Runs);
    std::printf("  find | sort -f   %.3f s\n", Median(findSort));
    std::printf("  takePaths        %.3f s\n", Median(intake));
    std::printf("  ratio            %.2f (target <= 2.0) %s\n", ratio, ratio <= 2.0 ? "ok" : "OVER TARGET");
    std::printf("  memory added     %.1f MB (target <= 100) %s\n", addedMegabytes,
                addedMegabytes <= 100 ? "ok" : "OVER TARGET");
    return 0;
}
