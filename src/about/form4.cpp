#include "about/form4.h"

#include "about/about_box.h"
#include "about/sys_info.h"
#include "core/list_file.h"
#include "core/message.h"

namespace quivanto {

Form4::Form4(ListHost& listWindow, AboutViews& views)
    : list_(listWindow)
    , platform_(listWindow.platform())
    , view_(views.makeAboutView(*this)) {
    Form_Load();
}

Form4::~Form4() = default;

void Form4::Form_Load() {
    view_->setCaption(aboutCaption());
    view_->setVersionText(versionLabel(programVersion()));
    view_->setTitleText(std::string(ApplicationTitle));
}

void Form4::cmdOK_Click() {
    close();
}

void Form4::cmdSysInfo_Click() {
    StartSysInfo();
}

void Form4::cmdLic_Click() {
    openLicenseAgreement(platform_);
}

void Form4::lblWebsite_Click() {
    openHomePage(platform_);
}

void Form4::picIcon_Click() {
    openHomePage(platform_);
}

void Form4::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    list_.focusList();
    if (!list_.isMinimized())
        list_.activateListWindow();
    view_->closeWindow();
    list_.dialogClosed(*this);
}

void Form4::StartSysInfo() {
    quivanto::StartSysInfo(platform_);
}

} // namespace quivanto
