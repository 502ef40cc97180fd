// Every platform service the program uses, in one place: built once by main() from the real
// backends, or by a test from the POSIX services in a temporary folder and the headless UI.
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
