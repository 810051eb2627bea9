#pragma once

#include "list_window/form1.h"
#include "support/fake_platform.h"
#include "support/fake_views.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace quivanto::testing {

// A list window on fake views and the fake platform, over a real list file in a fresh folder.
class FlowTest : public ::testing::Test {
protected:
    FlowTest() { platform.separator = '/'; } // the paths the tests use are written so

    Form1& start(const std::string& list = {}, bool shown = false) {
        if (!list.empty())
            dir.write("list.dat", list);
        form = std::make_unique<Form1>(platform, loop, dir.path().string(), window, views);
        const StartOutcome outcome = form->Form_Load();
        EXPECT_EQ(outcome, StartOutcome::Resident);
        if (shown)
            platform.trayEvent(TrayEvent::Kind::Click);
        return *form;
    }
    std::string listBytes() const { return dir.read("list.dat"); }
    int height() const { return window.window.height; }

    TempFolder dir;
    FakePlatform platform;
    FakeListWindow window;
    FakeEventLoop loop;
    FakeDialogViews views;
    std::unique_ptr<Form1> form;
};

} // namespace quivanto::testing
