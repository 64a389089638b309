// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One page built alone with a fake context: scripted backends, a record of its own, timers
// that only a test ticks, and a host that records the codes instead of handling them.
#include <QPushButton>

#include "WizardFixture.h"

namespace orvanta::test {

struct RecordingHost : shell::NavigationHost {
    std::vector<int> posted, sent;
    void PostNavigation(int code) override { posted.push_back(code); }
    void SendNavigation(int code) override { sent.push_back(code); }
};

class PageTest : public ::testing::Test {
protected:
    template <class Page>
    std::unique_ptr<Page> Make() {
        auto page = std::make_unique<Page>();
        shell::PageContext context;
        context.host = &host_;
        context.settings = &settings_;
        context.camera = &camera_;
        context.network = &network_;
        context.discovery = &discovery_;
        context.server = &server_;
        context.kept = &kept_;
        context.timers = &timers_;
        page->Attach(context);
        page->LoadTexts(ORVANTA_SOURCE_DIR "/resources/Language/ENG.ini");
        page->Prepare();
        page->show();
        return page;
    }
    static QPushButton* Button(shell::CSubPage& page, int id) {
        return page.Control<QPushButton>(id);
    }

    RecordingHost host_;
    camera::CameraSettings settings_ = camera::NewCameraSettings();
    ScriptedCamera camera_;
    ScriptedNetwork network_;
    ScriptedDiscovery discovery_;
    ScriptedServer server_;
    shell::KeptResults kept_;
    ManualTimers timers_;
    shell::ScriptedPrompt prompt_;
};

}  // namespace orvanta::test
