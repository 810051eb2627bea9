#include "qt/about_window.h"

#include "about/about_box.h"
#include "about/about_layout.h"
#include "about/form4.h"
#include "qt/artwork.h"
#include "qt/click_label.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QTextLayout>

#include <algorithm>

namespace quivanto {
namespace {

constexpr QColor WebsiteGreen(0, 128, 0);
constexpr QColor SeparatorGrey(128, 128, 128);

QString text(std::string_view bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The box was drawn for a narrow sans serif; where that face is missing, narrow ones that
// resemble it come first, so the texts fit their places.
QFont windowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

// A one-line label as wide as its text needs, when the system's font is wider than the
// one its place was drawn for.
void widenToText(QLabel* label) {
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 1;
    label->resize(std::max(label->width(), needed), label->height());
}

// The sentence may wrap, but never inside the address: a broken address is hard to read
// and to type. Where wrapping would split it, the address starts a line of its own.
QString keepingAddressWhole(const QString& sentence, const QString& address, const QFont& font,
                            int width) {
    const qsizetype start = sentence.indexOf(address);
    if (start <= 0)
        return sentence;
    QTextLayout layout(sentence, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    bool split = false;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        const qsizetype end = line.textStart() + line.textLength();
        split = split || (end > start && end < start + address.size());
    }
    layout.endLayout();
    if (!split)
        return sentence;
    QString broken = sentence;
    if (broken[start - 1] == QLatin1Char(' '))
        broken[start - 1] = QLatin1Char('\n');
    else
        broken.insert(start, QLatin1Char('\n'));
    return broken;
}

} // namespace

AboutWindow::AboutWindow(Form4& form, const ScreenMetrics& metrics, QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , form_(form)
    , twipsPerPixelX_(metrics.twipsPerPixelX)
    , twipsPerPixelY_(metrics.twipsPerPixelY) {
    setObjectName(QStringLiteral("Form4"));
    buildControls();
}

// Controls going away report no more events to a flow that is going away too.
AboutWindow::~AboutWindow() {
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

int AboutWindow::pixelsX(float twips) const {
    return twipsToPixels(twips, twipsPerPixelX_);
}
int AboutWindow::pixelsY(float twips) const {
    return twipsToPixels(twips, twipsPerPixelY_);
}

QRect AboutWindow::pixelRect(const TwipsRect& rect) const {
    return {pixelsX(rect.left), pixelsY(rect.top), pixelsX(rect.width), pixelsY(rect.height)};
}

QLabel* AboutWindow::makeLabel(const char* name, const TwipsRect& rect) {
    auto* label = new QLabel(this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(pixelRect(rect));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

void AboutWindow::buildControls() {
    // Opens where it was designed to, not centred and not placed by the window manager.
    setGeometry(pixelsX(AboutLayout::ClientLeft), pixelsY(AboutLayout::ClientTop),
                pixelsX(AboutLayout::ClientWidth), pixelsY(AboutLayout::ClientHeight));
    setFixedSize(size());
    setFont(windowFont());
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    face.setColor(QPalette::WindowText, face.color(QPalette::ButtonText));
    setPalette(face);
    setAutoFillBackground(true);

    const auto makeButton = [this](const char* name, const char* caption, const TwipsRect& rect) {
        auto* button = new QPushButton(QLatin1String(caption), this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(pixelRect(rect));
        // Enter presses the button that has the focus, OK otherwise.
        button->setAutoDefault(true);
        return button;
    };
    cmdLic_ = makeButton("cmdLic", "&License", AboutLayout::License);
    cmdSysInfo_ = makeButton("cmdSysInfo", "&System Info...", AboutLayout::SysInfo);
    cmdOK_ = makeButton("cmdOK", "&OK", AboutLayout::Ok);
    cmdOK_->setDefault(true);
    cmdLic_->setAccessibleName(QStringLiteral("License"));
    cmdLic_->setAccessibleDescription(QStringLiteral("Opens the licence agreement"));
    cmdSysInfo_->setAccessibleName(QStringLiteral("System Info"));
    cmdSysInfo_->setAccessibleDescription(QStringLiteral("Starts the system information tool"));
    cmdOK_->setAccessibleName(QStringLiteral("OK"));
    cmdOK_->setAccessibleDescription(QStringLiteral("Closes the About box"));

    picIcon_ = new ClickLabel(this);
    picIcon_->setObjectName(QStringLiteral("picIcon"));
    const int iconBox = AboutLayout::IconPixels + 2 * AboutLayout::IconBorderPixels;
    const QRect iconRect = pixelRect(AboutLayout::Icon);
    picIcon_->setGeometry(iconRect.x(), iconRect.y(), iconBox, iconBox);
    picIcon_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picIcon_->setLineWidth(AboutLayout::IconBorderPixels);
    picIcon_->setPixmap(artworkPixmap(QStringLiteral("icon"),
                                      QSize(AboutLayout::IconPixels, AboutLayout::IconPixels),
                                      devicePixelRatioF()));
    picIcon_->setFocusPolicy(Qt::StrongFocus);
    picIcon_->setAccessibleName(text(ApplicationTitle));
    picIcon_->setAccessibleDescription(QStringLiteral("Opens Quivanto's home page"));

    lblWebsite_ = new ClickLabel(this);
    lblWebsite_->setObjectName(QStringLiteral("lblWebsite"));
    lblWebsite_->setGeometry(pixelRect(AboutLayout::Website));
    lblWebsite_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblWebsite_->setWordWrap(true);
    lblWebsite_->setAccessibleDescription(QStringLiteral("Opens Quivanto's home page"));
    QFont underlined = font();
    underlined.setUnderline(true);
    lblWebsite_->setFont(underlined);
    lblWebsite_->setText(keepingAddressWhole(text(websiteLabel()), text(homePage()),
                                             lblWebsite_->font(),
                                             lblWebsite_->contentsRect().width()));
    QPalette green = lblWebsite_->palette();
    green.setColor(QPalette::WindowText, WebsiteGreen);
    lblWebsite_->setPalette(green);

    QPalette black = palette();
    black.setColor(QPalette::WindowText, Qt::black);
    lblVersion_ = makeLabel("lblVersion", AboutLayout::Version);
    lblTitle_ = makeLabel("lblTitle", AboutLayout::Title);
    lblTitle_->setPalette(black);
    lblDescription_ = makeLabel("lblDescription", AboutLayout::Description);
    lblDescription_->setPalette(black);
    lblDescription_->setWordWrap(true);
    lblDescription_->setText(text(AboutDescription));
    lblCopy_ = makeLabel("lblCopy", AboutLayout::Copyright);
    lblCopy_->setText(text(CopyrightLine));
    lblRights_ = makeLabel("lblRights", AboutLayout::Rights);
    lblRights_->setWordWrap(true);
    lblRights_->setText(text(RightsLine));
    lblDisclaimer_ = makeLabel("lblDisclaimer", AboutLayout::Warning);
    lblDisclaimer_->setWordWrap(true);
    lblDisclaimer_->setText(text(CopyrightWarning));

    // Of the controls only these take the focus, in this order, starting on the icon.
    setTabOrder(picIcon_, cmdOK_);
    setTabOrder(cmdOK_, cmdSysInfo_);
    setTabOrder(cmdSysInfo_, cmdLic_);
    picIcon_->setFocus();

    connect(cmdOK_, &QPushButton::clicked, this, [this] { form_.cmdOK_Click(); });
    connect(cmdSysInfo_, &QPushButton::clicked, this, [this] { form_.cmdSysInfo_Click(); });
    connect(cmdLic_, &QPushButton::clicked, this, [this] { form_.cmdLic_Click(); });
    connect(lblWebsite_, &ClickLabel::clicked, this, [this] { form_.lblWebsite_Click(); });
    connect(picIcon_, &ClickLabel::clicked, this, [this] { form_.picIcon_Click(); });
}

void AboutWindow::setCaption(const std::string& caption) {
    setWindowTitle(text(caption));
}

void AboutWindow::setVersionText(const std::string& version) {
    lblVersion_->setText(text(version));
    widenToText(lblVersion_);
}

void AboutWindow::setTitleText(const std::string& title) {
    lblTitle_->setText(text(title));
    widenToText(lblTitle_);
}

void AboutWindow::closeEvent(QCloseEvent* event) {
    form_.Form_Unload();
    event->accept();
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // OK is the default and the cancel button; a focused button took its own Enter.
        cmdOK_->click();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void AboutWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    const int left = pixelsX(AboutLayout::SeparatorLeft);
    const int y = pixelsY(AboutLayout::SeparatorY);
    // The white line lies one pixel lower than the grey one, which gives the etched look.
    painter.fillRect(QRect(left, y, pixelsX(AboutLayout::SeparatorWhiteRight) - left + 1, 2),
                     Qt::white);
    painter.fillRect(QRect(left, y, pixelsX(AboutLayout::SeparatorGreyRight) - left + 1, 1),
                     SeparatorGrey);
}

} // namespace quivanto
