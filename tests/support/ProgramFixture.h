// The whole program over the harness: start it (the greeting About box closed with Continue),
// reach its windows, and play the user on the headless controls. Program serves benchmarks too;
// ProgramFixture is the same as a test fixture.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Application.h"
#include "tests/support/Harness.h"

namespace qm::test {

class Program {
  public:
    // Starts the program: Main, with the About box answered by Continue.
    void start();
    // Writes `files` into the work folder (each holding contentOf its name), starts the program,
    // opens the work folder and marks the log's end for logged().
    void startIn(const std::vector<std::string>& files);
    static std::string contentOf(const std::string& name) { return "content of " + name; }

    platform::HeadlessForm& form();  // the main window
    platform::MainControls& controls() { return app->mainWindow()->controls(); }
    frmQuillmote& window() { return *app->mainWindow(); }
    std::string panel(int n) { return controls().StatusBar1->panelText(n); }
    // Opens `folder` in the folder list as the user would.
    void openFolder(const std::string& folder);
    // Selects the named files (Ctrl+click each), types the two texts.
    void prepare(const std::vector<std::string>& names, const std::string& search,
                 const std::string& replacement);
    // The names listed by the file list.
    std::vector<std::string> listed() { return entriesOf(*controls().File1); }
    void rename() { form().button("cmdRename").click(); }
    // What the log gained since startIn.
    std::string logged() const { return h.log().substr(logMark); }
    // The log entry of a file of the work folder renamed at the harness clock's time: two empty
    // lines, the time, "Renamed: " and the old path, "------> " and the new path, CR LF each.
    std::string entry(const std::string& from, const std::string& to) const;
    // What a fresh reader finds in the settings hive ("<missing>" when nothing).
    std::string setting(const std::string& section, const std::string& key) const;

    Harness h;
    std::unique_ptr<Application> app;
    std::size_t logMark = 0;
};

class ProgramFixture : public ::testing::Test, public Program {};

}  // namespace qm::test
