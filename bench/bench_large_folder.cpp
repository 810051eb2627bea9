// Prints how long the Add Item dialog takes to open folders of 10,000 entries: one of
// files, one of subfolders, from the click on the entry to the dialog drawn again.
#include "dialogs/folder_listing.h"
#include "dialogs/form2.h"
#include "qt/folder_list.h"
#include "support/fake_platform.h"
#include "support/qt_list_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;
using namespace quivanto;

namespace {

constexpr int Entries = 10000;
constexpr int Rounds = 5;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void fill(const fs::path& folder, bool asFolders) {
    fs::create_directories(folder);
    for (int i = 0; i < Entries; ++i) {
        const fs::path entry = folder / ("entry " + std::to_string(i) + ".dat");
        if (asFolders)
            fs::create_directory(entry);
        else
            std::ofstream(entry) << "x";
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const fs::path root = dir.path().toStdString();
    fill(root / "files", false);
    fill(root / "folders", true);

    testing::FakePlatform platform;
    testing::QtListWindow list(platform, root);
    list.form().Form_Load();
    QtDialogViews views(list.window(), platform);
    Form2 dialog(list.form(), views, root.string());
    auto& window = dynamic_cast<QWidget&>(dialog.view());
    window.show();
    auto* folders = window.findChild<FolderList*>(QStringLiteral("dirList"));
    // The row of a folder entry, by the path the dialog gives it.
    const auto rowOf = [&](const fs::path& folder) {
        for (int row = 0; row < folders->entryCount(); ++row) {
            folders->highlight(row);
            if (dialog.highlightedPath() == folder.string())
                return row;
        }
        return -1;
    };

    for (const char* name : {"files", "folders"}) {
        const fs::path big = root / name;
        std::vector<double> listing;
        std::vector<double> opening;
        for (int round = 0; round < Rounds; ++round) {
            QElapsedTimer timer;
            timer.start();
            const auto listed = listFolder(big.string());
            listing.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            if (!listed)
                return 1;

            folders->highlight(rowOf(root));
            dialog.dirList_Click();
            QApplication::processEvents();
            const int row = rowOf(big);
            folders->highlight(rowOf(root));
            timer.restart();

            // A click on the entry: the dialog opens it, lists its files and proposes.
            folders->setCurrentIndex(folders->model()->index(row, 0));
            if (dialog.folderPath() != big.string())
                return 1;
            window.repaint();
            QApplication::processEvents();
            opening.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
        std::printf("%d %s: listing %.1f ms, opening in the dialog %.1f ms (median of %d)\n",
                    Entries, name, median(listing), median(opening), Rounds);
    }
    return 0;
}
