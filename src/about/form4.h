#pragma once

#include "about/about_view.h"
#include "core/list_host.h"

#include <memory>
#include <string>

namespace quivanto {

class Platform;

// The About box: what the program is and which version runs, with the system information
// tool, the licence agreement and the home page one click away. Modeless; built afresh at
// every opening.
class Form4 final : public ListDialog {
public:
    // The view is made here, from `views`; Form_Load then fills it.
    Form4(ListHost& listWindow, AboutViews& views);
    ~Form4() override;

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void cmdLic_Click();
    void lblWebsite_Click();
    void picIcon_Click();
    // However the box closes; it never refuses to. Runs once.
    void Form_Unload();

    void StartSysInfo();

    void close() override { Form_Unload(); }
    bool isMinimized() const override { return view_->isMinimized(); }

    AboutView& view() { return *view_; }

private:
    ListHost& list_;
    Platform& platform_;
    bool unloaded_ = false;
    // Last, so it goes first: a window being destroyed may still report an event.
    std::unique_ptr<AboutView> view_;
};

} // namespace quivanto
