#include "tests/support/ProgramFixture.h"

namespace qm::test {

void Program::start() {
    app = std::make_unique<Application>(h.services);
    h.ui.whenModal([](platform::HeadlessForm& about) { about.button("cmdContinue").click(); });
    app->Main();
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
    fileList().clickNames(names);
    controls().txtReplaceThis->setText(search);
    controls().txtWithThis->setText(replacement);
}

std::vector<std::string> Program::listed() {
    std::vector<std::string> names;
    for (int i = 0; i < controls().File1->listCount(); ++i) {
        names.push_back(controls().File1->list(i));
    }
    return names;
}

std::vector<std::string> Program::shownTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : h.messages.shown()) {
        texts.push_back(box.text);
    }
    return texts;
}

}  // namespace qm::test
