#pragma once

#include "FakeDialogs.h"
#include "KnowledgeBaseFixture.h"
#include "app/Startup.h"
#include "app/uMain.h"
#include "storage/uDM.h"

#include <QTest>

#include <memory>

// The program started over a fixture as the entry starts it: the window created, the data
// module opened on the fixture's knowledge base, the window shown (tree loaded, query mode).
// Header-only, for the tests that link the window code.
template <typename DialogsType = FakeDialogs>
struct RunningProgram
{
    DialogsType dialogs;
    TDM dm;
    std::unique_ptr<TfrmMainFAQ> window;

    explicit RunningProgram(const KnowledgeBaseFixture &kb)
    {
        window = startUp(dialogs, dm, kb.executable());
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("the main window was not exposed");
    }
    // Hidden, not closed: the close query is what some tests check themselves.
    ~RunningProgram() { window->hide(); }

    TfrmMainFAQ &w() { return *window; }
};
