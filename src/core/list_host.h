#pragma once

#include "core/list_window_geometry.h"
#include "core/message.h"
#include "platform/platform.h"

#include <string>
#include <vector>

namespace quivanto {

class ListFile;

// Numbers of the secondary dialogs, as CloseOtherDialogs takes them.
namespace DialogNumber {
inline constexpr int None = 0;
inline constexpr int AddItem = 2;
inline constexpr int Properties = 3;
inline constexpr int About = 4;
} // namespace DialogNumber

// A dialog opened from the list window, as the list window's registry holds it.
class ListDialog {
public:
    virtual ~ListDialog() = default;
    // Runs the dialog's own closing behaviour and takes it off the screen.
    virtual void close() = 0;
    virtual bool isMinimized() const = 0;
};

// The list window as the commands and the dialogs see it: its rows, its list file, its
// showing and sizing, and the registry the dialogs tell when they close. The list window
// above them implements it, so they never depend on it.
class ListHost {
public:
    virtual ~ListHost() = default;

    virtual Platform& platform() = 0;
    virtual ListFile& listFile() = 0;

    // The rows of `lstApps`, in list order.
    virtual const std::vector<std::string>& rows() const = 0;
    // Adds a row at its sorted place, the selection staying on its row; returns its index.
    virtual int addRow(const std::string& line) = 0;
    virtual void removeRow(int index) = 0;
    // -1 when no row is selected; selecting -1 clears the selection.
    virtual int selectedIndex() const = 0;
    virtual void selectIndex(int index) = 0;
    virtual void focusList() = 0;

    virtual MessageAnswer showMessage(const Message& message) = 0;

    virtual bool isMinimized() const = 0;
    virtual const ListWindowGeometry& listGeometry() const = 0;
    virtual void ShowMenu() = 0;
    virtual void HideListWindow() = 0;
    virtual void GrowListWindow() = 0;
    virtual void ShrinkListWindow() = 0;
    // Brings the list window to the front with the keyboard focus, when it is shown.
    virtual void activateListWindow() = 0;

    virtual void ShowAddDialog() = 0;
    virtual void CloseOtherDialogs(int dialogNumber) = 0;
    // A dialog tells it has closed; it is destroyed once the event that closed it is over.
    virtual void dialogClosed(ListDialog& dialog) = 0;
};

} // namespace quivanto
