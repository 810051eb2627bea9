#pragma once

#include <QComboBox>

#include <string>
#include <vector>

namespace quivanto {

// The drive list `drvList`: the file-system roots a user would recognise, one chosen.
// Every change of the chosen root, by the user or by the program, is announced.
class DriveList final : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent);

    // "/" first, then the mounted volumes a user would recognise.
    static std::vector<std::string> mountedRoots();

    void setRoots(std::vector<std::string> roots);
    const std::vector<std::string>& roots() const { return roots_; }

    std::string drive() const;
    // Chooses a root; `announce` false changes the choice without the change signal.
    void setDrive(const std::string& root, bool announce = true);

signals:
    void change();

private:
    std::vector<std::string> roots_;
    bool quiet_ = false;
};

} // namespace quivanto
