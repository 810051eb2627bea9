#include "commands/command_strip.h"
#include "qt/item_list_box.h"
#include "support/fake_platform.h"
#include "support/qt_list_window.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

using namespace quivanto;
using quivanto::testing::FakePlatform;
using quivanto::testing::QtListWindow;

namespace {

const std::string TwoItems = "Alpha                         |/opt/alpha\r\n"
                             "Beta                          |/opt/beta\r\n";

} // namespace

class TestCommandStrip final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void listKeysAct_data();
    void listKeysAct();
    void otherKeysDoNothing();
    void bannerKeysActAndGiveTheListTheFocus();
    void windowKeysActOnlyWithoutAFocusedControl();
    void stripButtonsAct_data();
    void stripButtonsAct();
    void openingAgainYieldsOneFreshDialog_data();
    void openingAgainYieldsOneFreshDialog();
    void stripShowsItsTooltipsAndTabOrder();
    void tabWalksTheOrderBothWays_data();
    void tabWalksTheOrderBothWays();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakePlatform> platform_;
    std::unique_ptr<QtListWindow> app_;

    ListWindow& startShown();
    QWidget* control(const char* name) const;
};

void TestCommandStrip::init() {
    app_.reset();
    dir_ = std::make_unique<QTemporaryDir>();
    platform_ = std::make_unique<FakePlatform>();
    QVERIFY(dir_->isValid());
}

ListWindow& TestCommandStrip::startShown() {
    std::ofstream(dir_->filePath("list.dat").toStdString(), std::ios::binary) << TwoItems;
    app_ = std::make_unique<QtListWindow>(*platform_, dir_->path().toStdString());
    if (app_->form().Form_Load() != StartOutcome::Resident)
        qFatal("start-up failed");
    platform_->trayEvent(TrayEvent::Kind::Click);
    app_->window().activateWindow();
    app_->window().lstApps()->setFocus();
    return app_->window();
}

QWidget* TestCommandStrip::control(const char* name) const {
    return app_->window().findChild<QWidget*>(QLatin1String(name));
}

// What one key or click did, read from the window and the fake platform.
struct Effect {
    int opens;
    int messages;
    bool shown;
    bool addDialog;
    QString firstTitle;
};

static Effect effectOf(const QtListWindow& app, const FakePlatform& platform) {
    return {
        static_cast<int>(platform.openRequests.size()), static_cast<int>(platform.messages.size()),
        app.window().isVisible(), app.dialog(DialogNumber::AddItem) != nullptr,
        platform.messages.empty() ? QString() : QString::fromStdString(platform.messages[0].title)};
}

void TestCommandStrip::listKeysAct_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("opens");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("addDialog");
    QTest::addColumn<QString>("title");
    const QList<QPair<QByteArray, Qt::KeyboardModifiers>> shifts{{"", Qt::NoModifier},
                                                                 {"+Shift", Qt::ShiftModifier},
                                                                 {"+Ctrl", Qt::ControlModifier},
                                                                 {"+Alt", Qt::AltModifier}};
    for (const auto& [suffix, modifier] : shifts) {
        const auto row = [&](const char* name) {
            return QByteArray(name) + suffix;
        };
        const int mod = static_cast<int>(modifier);
        // Enter launches once, hides.
        QTest::newRow(row("Enter")) << (Qt::Key_Return | mod) << 1 << false << false << "";
        QTest::newRow(row("keypad Enter")) << (Qt::Key_Enter | mod) << 1 << false << false << "";
        QTest::newRow(row("Space")) << (Qt::Key_Space | mod) << 1 << false << false << "";
        QTest::newRow(row("Esc")) << (Qt::Key_Escape | mod) << 0 << false << false << "";
        QTest::newRow(row("Delete"))
            << (Qt::Key_Delete | mod) << 0 << true << false << "Quivanto - Are you sure?";
        QTest::newRow(row("Insert")) << (Qt::Key_Insert | mod) << 0 << true << true << "";
        QTest::newRow(row("F1")) << (Qt::Key_F1 | mod) << 0 << true << false
                                 << "Quivanto - Error Occured!";
    }
}

void TestCommandStrip::listKeysAct() {
    QFETCH(int, key);
    QFETCH(int, opens);
    QFETCH(bool, shown);
    QFETCH(bool, addDialog);
    QFETCH(QString, title);
    ListWindow& form = startShown();
    const auto modifiers = Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask);
    QTest::keyClick(form.lstApps(), Qt::Key(key & ~Qt::KeyboardModifierMask), modifiers);
    const Effect effect = effectOf(*app_, *platform_);
    QCOMPARE(effect.opens, opens);
    if (opens > 0)
        QCOMPARE(platform_->openRequests[0], std::string("/opt/alpha"));
    QCOMPARE(effect.shown, shown);
    QCOMPARE(effect.addDialog, addDialog);
    QCOMPARE(effect.firstTitle, title);
    QCOMPARE(form.lstApps()->count(), 2); // Delete was answered No
}

void TestCommandStrip::otherKeysDoNothing() {
    ListWindow& form = startShown();
    for (const auto key : {Qt::Key_A, Qt::Key_F2, Qt::Key_Tab, Qt::Key_Backspace}) {
        QTest::keyClick(form.lstApps(), key);
        form.lstApps()->setFocus();
    }
    QTest::keyClick(form.lstApps(), Qt::Key_Down);
    QVERIFY(form.isVisible());
    QVERIFY(platform_->messages.empty());
    QVERIFY(platform_->openRequests.empty());
    QCOMPARE(form.lstApps()->selectedIndex(), 1); // the list still handles its own keys
}

void TestCommandStrip::bannerKeysActAndGiveTheListTheFocus() {
    ListWindow& form = startShown();
    QWidget* banner = control("picHeader");
    banner->setFocus();
    QTest::keyClick(banner, Qt::Key_F1);
    QCOMPARE(platform_->messages.size(), 1u);
    QCOMPARE(form.focusWidget(), form.lstApps());

    banner->setFocus();
    QTest::keyClick(banner, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
}

void TestCommandStrip::windowKeysActOnlyWithoutAFocusedControl() {
    ListWindow& form = startShown();
    // A picture button has no keys of its own: F1 there is nobody's.
    control("picAdd")->setFocus();
    QTest::keyClick(control("picAdd"), Qt::Key_F1);
    QVERIFY(platform_->messages.empty());

    form.focusWidget()->clearFocus();
    QCOMPARE(form.focusWidget(), nullptr);
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
}

void TestCommandStrip::stripButtonsAct_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("dialog");
    QTest::addColumn<QString>("title");
    QTest::newRow("Add") << "picAdd" << true << DialogNumber::AddItem << "";
    QTest::newRow("Delete") << "picDelete" << true << 0 << "Quivanto - Are you sure?";
    QTest::newRow("Properties") << "picProperties" << true << DialogNumber::Properties << "";
    QTest::newRow("Help") << "picHelp" << true << 0 << "Quivanto - Error Occured!";
    QTest::newRow("Hide") << "picClose" << false << 0 << "";
    QTest::newRow("About") << "lblAbout" << true << DialogNumber::About << "";
}

void TestCommandStrip::stripButtonsAct() {
    QFETCH(QString, name);
    QFETCH(bool, shown);
    QFETCH(int, dialog);
    QFETCH(QString, title);
    ListWindow& form = startShown();
    QWidget* target = control(name.toLatin1().constData());
    QVERIFY(target != nullptr);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
    QCOMPARE(form.isVisible(), shown);
    if (dialog != 0)
        QVERIFY(app_->dialog(dialog) != nullptr);
    const Effect effect = effectOf(*app_, *platform_);
    QCOMPARE(effect.firstTitle, title);
    QCOMPARE(form.lstApps()->count(), 2);
}

void TestCommandStrip::openingAgainYieldsOneFreshDialog_data() {
    QTest::addColumn<QString>("opener");
    QTest::addColumn<int>("dialog");
    QTest::addColumn<bool>("minimized"); // the window manager minimised the first one
    for (const bool minimized : {false, true}) {
        const char* state = minimized ? ", first minimised" : "";
        QTest::addRow("Insert%s", state) << "Insert" << DialogNumber::AddItem << minimized;
        QTest::addRow("Properties button%s", state)
            << "picProperties" << DialogNumber::Properties << minimized;
        QTest::addRow("About area%s", state) << "lblAbout" << DialogNumber::About << minimized;
    }
}

void TestCommandStrip::openingAgainYieldsOneFreshDialog() {
    QFETCH(QString, opener);
    QFETCH(int, dialog);
    QFETCH(bool, minimized);
    ListWindow& form = startShown();
    const auto open = [&] {
        if (opener == "Insert") {
            form.lstApps()->setFocus();
            QTest::keyClick(form.lstApps(), Qt::Key_Insert);
        } else {
            QWidget* target = control(opener.toLatin1().constData());
            QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        }
    };
    open();
    QPointer<QWidget> first = app_->dialog(dialog);
    QVERIFY(first);
    if (minimized)
        first->showMinimized();
    open();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull() || !first->isVisible());
    QVERIFY(app_->dialog(dialog) != nullptr);
    QVERIFY(app_->dialog(dialog) != first.data());
    const auto openDialogs = [&form] {
        int visible = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            visible += (widget != &form && widget->isVisible()) ? 1 : 0;
        return visible;
    };
    QCOMPARE(openDialogs(), 1);

    // Hiding the list leaves no dialog behind, minimised or not.
    if (minimized)
        app_->dialog(dialog)->showMinimized();
    platform_->trayEvent(TrayEvent::Kind::Click);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!form.isVisible());
    QCOMPARE(openDialogs(), 0);
}

void TestCommandStrip::stripShowsItsTooltipsAndTabOrder() {
    ListWindow& form = startShown();
    const QList<QPair<const char*, QString>> tips{
        {"picAdd", "Add"},
        {"picDelete", "Delete"},
        {"picProperties", "Properties"},
        {"picHelp", "Help"},
        {"picClose", "Hide"},
        {"lblAbout", "Click here for more information about the Quivanto"}};
    for (const auto& [name, tip] : tips) {
        QCOMPARE(control(name)->toolTip(), tip);
        QVERIFY(!control(name)->accessibleName().isEmpty());
    }
    QStringList order;
    QWidget* widget = form.lstApps();
    for (int i = 0; i < 7; ++i) {
        order << widget->objectName();
        widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&form))
            widget = widget->nextInFocusChain();
    }
    QCOMPARE(order, (QStringList{"lstApps", "picProperties", "picDelete", "picAdd", "picHelp",
                                 "picHeader", "picClose"}));
}

void TestCommandStrip::tabWalksTheOrderBothWays_data() {
    QTest::addColumn<bool>("backwards");
    QTest::newRow("Tab") << false;
    QTest::newRow("Shift+Tab") << true;
}

// Pressed for real from every control, the banner included, all the way round to the list.
void TestCommandStrip::tabWalksTheOrderBothWays() {
    QFETCH(bool, backwards);
    ListWindow& window = startShown();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QStringList order{"lstApps", "picProperties", "picDelete", "picAdd",
                      "picHelp", "picHeader",     "picClose"};
    if (backwards)
        std::reverse(order.begin(), order.end());
    for (qsizetype i = 0; i < order.size(); ++i) {
        control(qPrintable(order[i]))->setFocus(Qt::OtherFocusReason);
        QCOMPARE(QApplication::focusWidget()->objectName(), order[i]);
        if (backwards)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != nullptr);
        QCOMPARE(QApplication::focusWidget()->objectName(), order[(i + 1) % order.size()]);
    }
    QVERIFY(window.isVisible()); // no key of the walk acted on the list window
}

QTEST_MAIN(TestCommandStrip)
#include "test_command_strip.moc"
