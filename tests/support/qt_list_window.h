#pragma once

#include "about/form4.h"
#include "dialogs/form2.h"
#include "dialogs/form3.h"
#include "list_window/form1.h"
#include "qt/list_window.h"
#include "qt/qt_dialog_views.h"
#include "qt/qt_event_loop.h"

#include <QWidget>

#include <filesystem>

namespace quivanto::testing {

// The Qt edition's list window as main() puts it together: the widgets, the dialog
// factory and the flows, on whatever platform the test gives.
class QtListWindow {
public:
    QtListWindow(Platform& platform, const std::filesystem::path& folder)
        : window_(platform.screenMetrics())
        , dialogViews_(window_, platform)
        , form_(platform, eventLoop_, folder, window_, dialogViews_) {
        window_.attach(form_);
    }

    Form1& form() { return form_; }
    QtEventLoop& eventLoop() { return eventLoop_; }
    ListWindow& window() { return window_; }
    const ListWindow& window() const { return window_; }

    // The window of an open dialog, or null.
    QWidget* dialog(int dialogNumber) const {
        ListDialog* open = form_.openDialog(dialogNumber);
        if (open == nullptr)
            return nullptr;
        if (auto* add = dynamic_cast<Form2*>(open))
            return dynamic_cast<QWidget*>(&add->view());
        if (auto* properties = dynamic_cast<Form3*>(open))
            return dynamic_cast<QWidget*>(&properties->view());
        if (auto* about = dynamic_cast<Form4*>(open))
            return dynamic_cast<QWidget*>(&about->view());
        return nullptr;
    }

private:
    ListWindow window_;
    QtDialogViews dialogViews_;
    QtEventLoop eventLoop_;
    Form1 form_;
};

} // namespace quivanto::testing
