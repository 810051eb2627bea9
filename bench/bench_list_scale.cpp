// How Quivanto's list scales to 1,000, 10,000 and 100,000 items, each figure beside its
// floor, the same work in plain C++ measured in the same run:
// - loading at start-up (Form_Load until the program is idle) vs reading the file and
//   sorting its lines;
// - adding, removing and editing an item (the atomic rewrite through temp.dat, flushed to
//   disk by the real desktop back end) vs copying the file with fsync;
// - a drop's duplicate scan over every row; the memory each item costs.
// Usage: bench_list_scale [FOLDER]  (the folder holds the lists; its disk is the one timed)
#include "commands/drop_decision.h"
#include "core/item_line.h"
#include "core/list_file.h"
#include "platform/desktop/desktop_platform.h"
#include "qt/item_list_box.h"
#include "support/fake_platform.h"
#include "support/qt_list_window.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <optional>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace quivanto;

namespace {

constexpr int Rounds = 5;
constexpr int Sizes[] = {1000, 10000, 100000};
constexpr int Largest = 100000;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double timed(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double medianOf(const std::function<void()>& work, const std::function<void()>& between = {}) {
    std::vector<double> times;
    for (int round = 0; round < Rounds; ++round) {
        times.push_back(timed(work));
        if (between)
            between();
    }
    return median(times);
}

// One line per figure, in the same columns as the desktop benchmark's.
struct Figure {
    std::string name;
    double value;
    std::optional<double> floor;
    const char* unit = "ms";
    std::optional<double> ratioGoal;
    std::string note;
};

void print(const Figure& f) {
    char value[32];
    std::snprintf(value, sizeof value, "%.1f %s", f.value, f.unit);
    std::printf("%-42s%12s  ", f.name.c_str(), value);
    if (f.floor) {
        char floor[32];
        std::snprintf(floor, sizeof floor, "%.1f %s", *f.floor, f.unit);
        std::printf("floor %9s  ratio %5.2f  ", floor, f.value / *f.floor);
    } else {
        std::printf("%15s  %11s  ", "", "");
    }
    if (f.ratioGoal) {
        const bool met = f.floor && f.value / *f.floor <= *f.ratioGoal;
        std::printf("goal ratio <= %-5.2f %-6s", *f.ratioGoal, met ? "met" : "MISSED");
    } else {
        std::printf("%-25s", "(reported)");
    }
    if (!f.note.empty())
        std::printf("  (%s)", f.note.c_str());
    std::printf("\n");
    std::fflush(stdout);
}

std::string withThousands(int n) {
    const std::string digits = std::to_string(n);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

// Item lines as people write them: words of mixed case, folders and documents, in the order
// they were added, not sorted.
std::vector<std::string> makeLines(int count) {
    std::mt19937 random(20240607u + static_cast<unsigned>(count));
    const auto word = [&random](int shortest, int longest) {
        std::uniform_int_distribution<int> length(shortest, longest);
        std::uniform_int_distribution<int> letter(0, 25);
        std::uniform_int_distribution<int> capital(0, 3);
        std::string text;
        const int n = length(random);
        for (int i = 0; i < n; ++i)
            text +=
                static_cast<char>((i == 0 && capital(random) == 0 ? 'A' : 'a') + letter(random));
        return text;
    };
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::string description = word(3, 12) + " " + word(2, 14);
        const std::string target =
            "/home/user/" + word(4, 10) + "/" + word(3, 16) + "/" + word(3, 12) + ".txt";
        lines.push_back(makeItemLine(description.substr(0, 30), target));
    }
    return lines;
}

void writeList(const fs::path& folder, const std::vector<std::string>& lines) {
    fs::create_directories(folder);
    std::ofstream out(folder / ListFileName, std::ios::binary | std::ios::trunc);
    for (const auto& line : lines)
        out << line << "\r\n";
}

std::string readAll(const fs::path& file) {
    std::FILE* in = std::fopen(file.c_str(), "rb");
    std::string bytes;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        bytes.append(buffer, got);
    std::fclose(in);
    return bytes;
}

constexpr int asciiLower(int c) {
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// The floor of loading: the file's bytes, split into lines, sorted ignoring case.
std::size_t readAndSort(const fs::path& file) {
    const std::string bytes = readAll(file);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos)
            end = bytes.size();
        lines.emplace_back(bytes, start, end - start);
        start = end + 2;
    }
    std::sort(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
        const std::size_t common = std::min(a.size(), b.size());
        for (std::size_t i = 0; i < common; ++i) {
            const int x = asciiLower(static_cast<unsigned char>(a[i]));
            const int y = asciiLower(static_cast<unsigned char>(b[i]));
            if (x != y)
                return x < y;
        }
        return a.size() < b.size();
    });
    return lines.size();
}

// The floor of a rewrite: the same bytes copied to another file and flushed to disk.
void copyWithFsync(const fs::path& from, const fs::path& to) {
    const std::string bytes = readAll(from);
    std::FILE* out = std::fopen(to.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fflush(out);
    ::fsync(::fileno(out));
    std::fclose(out);
}

void settle() {
    // Layouts and other deferred work run once the event loop is reached.
    QApplication::processEvents();
    QApplication::processEvents();
}

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

// Child mode: the resident size of a loaded list window with `rows` items.
int printMemory(const fs::path& folder) {
    testing::FakePlatform platform;
    testing::QtListWindow app(platform, folder);
    app.form().Form_Load();
    settle();
    ::malloc_trim(0); // what was only needed while loading is given back
    std::printf("%ld\n", residentKilobytes());
    return 0;
}

long childMemory(const char* self, const fs::path& folder) {
    const std::string command =
        "\"" + std::string(self) + "\" --memory \"" + folder.string() + "\"";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    long kilobytes = 0;
    if (pipe == nullptr || std::fscanf(pipe, "%ld", &kilobytes) != 1)
        kilobytes = 0;
    if (pipe != nullptr)
        ::pclose(pipe);
    return kilobytes;
}

} // namespace

int main(int argc, char* argv[]) {
    // The offscreen platform's remarks (no raise(), no runtime folder) would break the table.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg && type != QtWarningMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--memory") == 0)
        return printMemory(argv[2]);

    const fs::path root = fs::absolute(argc > 1 ? fs::path(argv[1]) : fs::path("bench-lists")) /
                          ("run-" + std::to_string(::getpid()));
    fs::create_directories(root);

    std::vector<double> loads;
    std::vector<double> floorsBySize;
    for (const int size : Sizes) {
        const fs::path folder = root / std::to_string(size);
        writeList(folder, makeLines(size));
        // Short loads are timed more often; each round times the floor and the load in turn,
        // so both meet the same weather on a busy machine.
        const int rounds = size < Largest ? 21 : 9;
        std::vector<double> floors;
        std::vector<double> times;
        for (int round = 0; round < rounds; ++round) {
            // As in a program just started, no freed memory is at hand to be used again.
            ::malloc_trim(0);
            floors.push_back(timed([&] { readAndSort(folder / ListFileName); }));
            testing::FakePlatform platform;
            testing::QtListWindow app(platform, folder);
            ::malloc_trim(0);
            times.push_back(timed([&] {
                app.form().Form_Load();
                settle();
            }));
            if (app.window().lstApps()->count() != size)
                return 1;
        }
        const double floor = median(floors);
        loads.push_back(median(times));
        floorsBySize.push_back(floor);
        print({"load at start-up, " + withThousands(size) + " items", loads.back(), floor, "ms",
               3.0, "median of " + std::to_string(rounds)});
    }
    char floorGrowth[16];
    std::snprintf(floorGrowth, sizeof floorGrowth, "%.1f", floorsBySize[2] / floorsBySize[1]);
    print({"load growth, 10,000 to 100,000 items", loads[2] / loads[1], std::nullopt, "x",
           std::nullopt,
           "goal <= 11: " + std::string(loads[2] / loads[1] <= 11 ? "met" : "MISSED") +
               "; the floor grows " + floorGrowth + " x"});

    DesktopPlatform desktop;
    // Adding writes the whole list through temp.dat, as removing and editing do: the same
    // floor, at every size.
    const std::string added = makeItemLine("Added document", "/home/user/added/document.txt");
    for (const int size : Sizes) {
        const fs::path folder = root / std::to_string(size);
        const std::string before = readAll(folder / ListFileName);
        ListFile file(folder, desktop);
        std::vector<double> copies;
        std::vector<double> adds;
        for (int round = 0; round < 9; ++round) {
            copies.push_back(
                timed([&] { copyWithFsync(folder / ListFileName, folder / "copy.dat"); }));
            adds.push_back(timed([&] { file.appendItemLine(added); }));
            std::ofstream(folder / ListFileName, std::ios::binary | std::ios::trunc) << before;
        }
        fs::remove(folder / "copy.dat");
        print({"add an item, " + withThousands(size) + " items", median(adds), median(copies), "ms",
               2.0, "median of 9; floor: copy the file with fsync"});
    }

    // The rewrites, on the largest list, with the real back end's flushes.
    const fs::path big = root / std::to_string(Largest);
    const std::string original = readAll(big / ListFileName);
    const auto lines = makeLines(Largest);
    const std::string& middle = lines[lines.size() / 2];
    const std::string edited = makeItemLine("Edited description", targetField(middle));
    ListFile list(big, desktop);
    const auto restore = [&] {
        std::ofstream(big / ListFileName, std::ios::binary | std::ios::trunc) << original;
    };
    // The disk's pace changes from one second to the next: each round copies, removes and
    // edits in turn, so the three meet the same disk.
    std::vector<double> copies;
    std::vector<double> removals;
    std::vector<double> edits;
    for (int round = 0; round < 9; ++round) {
        copies.push_back(timed([&] { copyWithFsync(big / ListFileName, big / "copy.dat"); }));
        removals.push_back(timed([&] { list.deleteItemLine(middle); }));
        restore();
        edits.push_back(timed([&] { list.replaceItemLine(edited, middle); }));
        restore();
    }
    const double copy = median(copies);
    const double removal = median(removals);
    const double edit = median(edits);
    fs::remove(big / "copy.dat");
    print({"remove an item, 100,000 items", removal, copy, "ms", 2.0,
           "median of 9; floor: copy the file with fsync"});
    print({"edit an item, 100,000 items", edit, copy, "ms", 2.0,
           "median of 9; floor: copy the file with fsync"});

    // A drop onto the largest list: every row is compared with the new item.
    testing::FakePlatform platform;
    testing::QtListWindow bigList(platform, big);
    bigList.form().Form_Load();
    settle();
    const ItemListBox& box = *bigList.window().lstApps();
    std::vector<std::string> rows;
    const double gather = medianOf([&] {
        rows.clear();
        rows.reserve(static_cast<std::size_t>(box.count()));
        for (int i = 0; i < box.count(); ++i)
            rows.push_back(box.line(i));
    });
    const DroppedFiles dropped{true, {"/home/user/Downloads/new document.txt"}};
    const double scan = medianOf([&] {
        if (!decideDrop(dropped, rows, PathRules{'/', true}).itemLine)
            std::abort();
    });
    print({"drop: duplicate scan, 100,000 rows", scan, std::nullopt, "ms", std::nullopt,
           "decideDrop"});
    print({"drop: rows read from the list, 100,000", gather, std::nullopt, "ms", std::nullopt,
           "before the scan"});

    const double firstShow = timed([&] {
        bigList.form().ShowListAtCursor();
        settle();
    });
    print({"first show of the list, 100,000 items", firstShow, std::nullopt, "ms", std::nullopt,
           "offscreen, once"});

    fs::create_directories(root / "defaults"); // the program writes its two default items
    const long small = childMemory(argv[0], root / "defaults");
    const long large = childMemory(argv[0], big);
    print({"memory per item", static_cast<double>(large - small) * 1024.0 / (Largest - 2),
           std::nullopt, "B", std::nullopt,
           "RSS with 100,000 items minus with 2; the file has " +
               std::to_string(original.size() / Largest) + " B a line"});

    fs::remove_all(root);
    return 0;
}
