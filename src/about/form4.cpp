#include "about/form4.h"

#include "about/about_box.h"
#include "about/sys_info.h"
#include "core/form1.h"
#include "core/message.h"

namespace quivanto {

Form4::Form4(Form1& form1, DialogViews& views)
    : form1_(form1)
    , platform_(form1.platform())
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
    form1_.focusList();
    if (!form1_.isMinimized())
        form1_.view().activate();
    view_->closeWindow();
    form1_.dialogClosed(*this);
}

void Form4::StartSysInfo() {
    quivanto::StartSysInfo(platform_);
}

} // namespace quivanto
