#pragma once

#include <QComboBox>

#include <string>
#include <vector>

namespace quivanto {

// The drive list `drvList`: the file-system roots, one chosen. Only a choice by the user
// is announced.
class DriveList final : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent);

    void setRoots(const std::vector<std::string>& roots);
    // Chooses a root by its index (-1: none), without the change signal.
    void choose(int index);

signals:
    void change();

private:
    bool quiet_ = false;
};

} // namespace quivanto
