#include "dialogs/form3.h"

#include "core/artwork.h"
#include "core/form1.h"
#include "core/item_line.h"
#include "core/item_list_box.h"
#include "core/pixel_rect.h"
#include "dialogs/description_box.h"
#include "dialogs/dialog_layout.h"
#include "dialogs/list_rows.h"
#include "dialogs/properties_rules.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace quivanto {
namespace {

QString fromBytes(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

Form3::Form3(Form1& listWindow, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , list_(listWindow) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Quivanto - Properties for Selected Item"));
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
}

void Form3::buildControls() {
    const ScreenMetrics screen = list_.platform().screenMetrics();
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

    connect(btnUpdate_, &QPushButton::clicked, this, &Form3::btnUpdate_Click);
    connect(btnCancel_, &QPushButton::clicked, this, &Form3::btnCancel_Click);
}

void Form3::Form_Load() {
    const ItemListBox& rows = *list_.lstApps();
    loadedLine_ = rows.line(rows.selectedIndex());
    const ShownItem item = shownItem(loadedLine_);
    txtDescr_->setProposal(fromBytes(item.description));
    txtName_->setText(fromBytes(item.target));
    // As the box shows it: bytes that are not UTF-8 come back changed, and must not make
    // an untouched description look edited.
    LoadedDescription = txtDescr_->text().toStdString();
}

void Form3::btnUpdate_Click() {
    const std::string typed = txtDescr_->text().toStdString();
    if (typed == LoadedDescription) {
        close();
        return;
    }
    ItemListBox& rows = *list_.lstApps();
    const auto row = rowOfLine(rowsOf(rows), loadedLine_);
    if (!row) {
        list_.showMessage(itemGoneMessage(shownItem(loadedLine_)));
        close();
        return;
    }
    // The target's own bytes: the read-only box shows them, but cannot give back every one.
    const std::string newLine = makeItemLine(typed, shownItem(loadedLine_).target);
    if (IsDescriptionTaken())
        return;

    rows.removeLine(static_cast<int>(*row));
    const int newRow = rows.addLine(newLine);
    rows.selectIndex(-1);
    try {
        if (ReplaceItemLine(newLine, loadedLine_)) {
            close();
            return;
        }
        restoreRow(newRow, {});
    } catch (const ListFileError& error) {
        restoreRow(newRow, error.what());
    }
}

void Form3::restoreRow(int newRow, const std::string& reason) {
    ItemListBox& rows = *list_.lstApps();
    rows.removeLine(newRow);
    rows.selectIndex(rows.addLine(loadedLine_));
    list_.showMessage(reason.empty() ? itemNotInListFileMessage(list_.listFile().path().string(),
                                                                shownItem(loadedLine_))
                                     : descriptionNotSavedMessage(reason));
}

bool Form3::IsDescriptionTaken() {
    const ItemListBox& rows = *list_.lstApps();
    const auto taken = rowWithDescription(rowsOf(rows), txtDescr_->text().toStdString());
    if (!taken)
        return false;
    list_.showMessage(descriptionTakenMessage(rows.line(static_cast<int>(*taken))));
    return true;
}

bool Form3::ReplaceItemLine(const std::string& newLine, const std::string& oldLine) {
    return list_.listFile().replaceItemLine(newLine, oldLine);
}

void Form3::btnCancel_Click() {
    close();
}

void Form3::Form_Unload() {
    list_.lstApps()->setFocus();
}

void Form3::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

} // namespace quivanto
