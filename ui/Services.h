// Every service the program uses and the window factory, in one place: built once by main()
// from the real back ends, or by a test from the system's services in a temporary folder and the
// headless windows. It names the Ui, so it sits with the windows rather than among the services.
#pragma once

namespace qm::text {
class CaseMapper;
}

namespace qm::platform {

class FileSystem;
class Trash;
class MessageBox;
class Shell;
class Clock;
class LocaleFormat;
class SystemFacts;
class RegistryStore;
class DriveQuery;
class Ui;

struct Services {
    FileSystem& files;
    Trash& trash;
    MessageBox& messages;
    Shell& shell;
    const Clock& clock;
    const LocaleFormat& format;
    const SystemFacts& facts;
    const text::CaseMapper& caseMapper;
    RegistryStore& registry;
    DriveQuery& drives;
    Ui& ui;
};

}  // namespace qm::platform
