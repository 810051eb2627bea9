#include "qt/properties_window.h"

#include "dialogs/dialog_layout.h"
#include "dialogs/form3.h"
#include "qt/artwork.h"
#include "qt/description_box.h"
#include "qt/pixel_rect.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quivanto {
namespace {

QString fromBytes(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

PropertiesWindow::PropertiesWindow(Form3& form, const ScreenMetrics& metrics, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , form_(form) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Quivanto - Properties for Selected Item"));
    setWindowIcon(programIcon());
    buildControls(metrics);
}

// Controls going away report no more events to a flow that is going away too.
PropertiesWindow::~PropertiesWindow() {
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

void PropertiesWindow::buildControls(const ScreenMetrics& screen) {
    // Not placed by code: the client area opens at its designed place.
    const QRect client = pixelRect(PropertiesLayout::Client, screen);
    setFixedSize(client.size());
    setGeometry(client);
    setFont(designFont(QStringLiteral("MS Sans Serif"), 8.25, QFont::SansSerif));
    const QFont labelFont = designFont(QStringLiteral("Verdana"), 9.75, QFont::SansSerif, true);

    Label1_ = new QLabel(QStringLiteral("DESCRIPTION:"), this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setFont(labelFont);
    Label1_->setGeometry(pixelRect(PropertiesLayout::DescriptionLabel, screen));

    txtDescr_ = new DescriptionBox(DescriptionTypingLimit, this);
    txtDescr_->setObjectName(QStringLiteral("txtDescr"));
    txtDescr_->setAccessibleName(QStringLiteral("Description"));
    txtDescr_->setAccessibleDescription(
        QStringLiteral("The selected item's description, up to 30 characters"));
    txtDescr_->setGeometry(pixelRect(PropertiesLayout::Description, screen));
    Label1_->setBuddy(txtDescr_);

    Label2_ = new QLabel(QStringLiteral("FILE NAME:"), this);
    Label2_->setObjectName(QStringLiteral("Label2"));
    Label2_->setFont(labelFont);
    Label2_->setGeometry(pixelRect(PropertiesLayout::TargetLabel, screen));

    txtName_ = new QLineEdit(this);
    txtName_->setObjectName(QStringLiteral("txtName"));
    txtName_->setAccessibleName(QStringLiteral("File name"));
    txtName_->setAccessibleDescription(
        QStringLiteral("What the selected item opens; it cannot be changed here"));
    txtName_->setReadOnly(true);
    QPalette buttonFace = txtName_->palette();
    buttonFace.setColor(QPalette::Base, buttonFace.color(QPalette::Button));
    txtName_->setPalette(buttonFace);
    txtName_->setGeometry(pixelRect(PropertiesLayout::Target, screen));
    Label2_->setBuddy(txtName_);

    btnUpdate_ = new QPushButton(QStringLiteral("&Update"), this);
    btnUpdate_->setObjectName(QStringLiteral("btnUpdate"));
    btnUpdate_->setAccessibleName(QStringLiteral("Update"));
    btnUpdate_->setAccessibleDescription(QStringLiteral("Saves the new description"));
    btnUpdate_->setGeometry(pixelRect(PropertiesLayout::Update, screen));

    btnCancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel_->setObjectName(QStringLiteral("btnCancel"));
    btnCancel_->setAccessibleName(QStringLiteral("Cancel"));
    btnCancel_->setAccessibleDescription(QStringLiteral("Closes this dialog without a change"));
    btnCancel_->setGeometry(pixelRect(PropertiesLayout::Cancel, screen));

    setTabOrder(txtDescr_, txtName_);
    setTabOrder(txtName_, btnUpdate_);
    setTabOrder(btnUpdate_, btnCancel_);

    connect(btnUpdate_, &QPushButton::clicked, this, [this] { form_.btnUpdate_Click(); });
    connect(btnCancel_, &QPushButton::clicked, this, [this] { form_.btnCancel_Click(); });
}

void PropertiesWindow::proposeDescription(const std::string& text) {
    txtDescr_->setProposal(fromBytes(text));
}

std::string PropertiesWindow::description() const {
    return txtDescr_->text().toStdString();
}

void PropertiesWindow::showTarget(const std::string& target) {
    txtName_->setText(fromBytes(target));
}

void PropertiesWindow::closeEvent(QCloseEvent* event) {
    form_.Form_Unload();
    event->accept();
}

} // namespace quivanto
