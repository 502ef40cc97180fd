#include "tests/support/ProgramFixture.h"

#include "base/PathRules.h"
#include "frame/cRegistry.h"

namespace qm::test {

void Program::start() {
    app = std::make_unique<Application>(h.services);
    h.ui.whenModal([](platform::HeadlessForm& about) { about.button("cmdContinue").click(); });
    app->Main();
}

void Program::startIn(const std::vector<std::string>& files) {
    for (const auto& name : files) {
        h.root.write("work/" + name, contentOf(name));
    }
    start();
    openFolder(h.work);
    logMark = h.log().size();
}

platform::HeadlessForm& Program::form() {
    platform::HeadlessForm* main = h.ui.mainForm();
    if (main == nullptr) {
        throw std::logic_error("the main window is not loaded");
    }
    return *main;
}

void Program::openFolder(const std::string& folder) {
    controls().Dir1->setPath(folder);
}

void Program::prepare(const std::vector<std::string>& names, const std::string& search,
                      const std::string& replacement) {
    form().get<platform::HeadlessFileList>("File1").clickNames(names);
    controls().txtReplaceThis->setText(search);
    controls().txtWithThis->setText(replacement);
}

std::string Program::entry(const std::string& from, const std::string& to) const {
    return "\r\n\r\n14:03:27\r\nRenamed: " + platform::joinPath(h.work, from) + "\r\n------> " +
           platform::joinPath(h.work, to) + "\r\n";
}

std::string Program::setting(const std::string& section, const std::string& key) const {
    TestRegistry fresh(h.registry.path(), nullptr, Owner::No);
    return cRegistry(fresh, "Quillmote Utility").GetSetting(section, key, "<missing>");
}

}  // namespace qm::test
