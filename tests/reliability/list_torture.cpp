// Crash consistency of the list file, proven by killing a writer at random moments.
//
// A child process runs a planned sequence of adds, removes and edits on a real list.dat and
// reports on a pipe the number of each operation before it begins. The parent kills it with
// SIGKILL at a random moment, runs the program's start-up path on the folder, and requires
// the list to equal the state before or after the interrupted operation: never missing,
// partial or mixed.
#include "core/item_line.h"
#include "core/list_file.h"
#include "platform/desktop/desktop_platform.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

enum class Kind { Append, Delete, Replace };

struct Operation {
    Kind kind;
    std::string line;    // appended, deleted, or the old line
    std::string newLine; // for Replace
};

Lines initialLines() {
    Lines lines;
    for (int i = 0; i < 40; ++i)
        lines.push_back(quivanto::makeItemLine("Item " + std::to_string(i),
                                               "/home/user/documents/item-" + std::to_string(i)));
    return lines;
}

// The same seed gives the same operations in parent and child.
std::vector<Operation> plan(unsigned seed, Lines model, int count, std::vector<Lines>& states) {
    std::mt19937 random(seed);
    std::vector<Operation> operations;
    states.assign(1, model);
    for (int i = 0; i < count; ++i) {
        const auto choice = random() % 3;
        const std::string fresh =
            quivanto::makeItemLine("New " + std::to_string(seed % 1000) + "-" + std::to_string(i),
                                   "/srv/target/" + std::string(random() % 200, 'x'));
        if (choice == 0 || model.size() < 2) {
            operations.push_back({Kind::Append, fresh, {}});
            model.push_back(fresh);
        } else {
            const auto index = random() % model.size();
            if (choice == 1) {
                operations.push_back({Kind::Delete, model[index], {}});
                model.erase(model.begin() + static_cast<long>(index));
            } else {
                operations.push_back({Kind::Replace, model[index], fresh});
                model[index] = fresh;
            }
        }
        states.push_back(model);
    }
    return operations;
}

void writeList(const std::filesystem::path& folder, const Lines& lines) {
    std::ofstream out(folder / "list.dat", std::ios::binary | std::ios::trunc);
    for (const auto& line : lines)
        out << line << "\r\n";
}

[[noreturn]] void runChild(const std::filesystem::path& folder,
                           const std::vector<Operation>& operations, int progress) {
    quivanto::DesktopPlatform platform;
    quivanto::ListFile file(folder, platform);
    for (std::size_t i = 0; i < operations.size(); ++i) {
        const auto number = static_cast<unsigned>(i);
        if (::write(progress, &number, sizeof number) != sizeof number)
            std::_Exit(3);
        const Operation& op = operations[i];
        switch (op.kind) {
        case Kind::Append:
            file.appendItemLine(op.line);
            break;
        case Kind::Delete:
            file.deleteItemLine(op.line);
            break;
        case Kind::Replace:
            file.replaceItemLine(op.newLine, op.line);
            break;
        }
    }
    std::_Exit(0);
}

struct Trial {
    bool consistent = false;
    std::string detail;
};

Trial runTrial(const std::filesystem::path& folder, unsigned seed, std::mt19937& random) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::vector<Lines> states;
    const auto operations = plan(seed, initialLines(), 400, states);
    writeList(folder, states.front());

    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {false, "pipe failed"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        runChild(folder, operations, pipeEnds[1]);
    }
    ::close(pipeEnds[1]);
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 40000));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);

    unsigned started = 0;
    unsigned number = 0;
    bool any = false;
    while (::read(pipeEnds[0], &number, sizeof number) == sizeof number) {
        started = number;
        any = true;
    }
    ::close(pipeEnds[0]);

    // What the program does at its next start.
    quivanto::DesktopPlatform platform;
    quivanto::ListFile file(folder, platform);
    Lines found;
    try {
        file.ensureExists();
        found = file.readLines();
    } catch (const quivanto::ListFileError& error) {
        return {false, error.what()};
    }
    const std::size_t before = any ? started : 0;
    const std::size_t after = any ? std::min<std::size_t>(started + 1, states.size() - 1) : 0;
    if (found == states[before] || found == states[after])
        return {true, {}};
    return {false, "seed " + std::to_string(seed) +
                       ": list matches neither state around operation " + std::to_string(started) +
                       " (" + std::to_string(found.size()) + " lines)"};
}

} // namespace

int main(int argc, char* argv[]) {
    int trials = 1000;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--trials")
            trials = std::atoi(argv[i + 1]);
    }
    const auto folder =
        std::filesystem::temp_directory_path() / ("quivanto-torture-" + std::to_string(::getpid()));
    std::mt19937 random(20261207u);
    int failures = 0;
    for (int trial = 0; trial < trials; ++trial) {
        const Trial result = runTrial(folder, static_cast<unsigned>(random()), random);
        if (!result.consistent) {
            ++failures;
            std::fprintf(stderr, "trial %d: %s\n", trial, result.detail.c_str());
        }
    }
    std::filesystem::remove_all(folder);
    std::printf("list file torture: %d trials, %d failures\n", trials, failures);
    std::printf("%d passed, %d failed\n", trials - failures, failures);
    return failures == 0 ? 0 : 1;
}
