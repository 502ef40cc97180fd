// The program: the real platform (POSIX files, trash, settings hive and drives; Qt windows and
// dialogs) under the one Application, then the event loop until the program ends itself.
#include <QApplication>
#include <QIcon>

#include "ProductInfo.h"
#include "app/Application.h"
#include "base/Text.h"
#include "platform/posix/HiveFile.h"
#include "platform/posix/PosixDriveQuery.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/posix/PosixShell.h"
#include "platform/posix/PosixSystemFacts.h"
#include "platform/posix/PosixTrash.h"
#include "platform/qt/QtLocaleFormat.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtUi.h"
#include "services/Clock.h"
#include "ui/Services.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(qm::product::kTitle);
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(qm::product::kVersionMajor)
                                            .arg(qm::product::kVersionMinor)
                                            .arg(qm::product::kVersionRevision));
    QApplication::setDesktopFileName(QStringLiteral("org.quillmote.quillmote"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quillmote.png")));

    qm::platform::PosixFileSystem files;
    qm::platform::PosixTrash trash;
    qm::platform::PosixShell shell;
    qm::platform::SystemClock clock;
    const qm::platform::QtLocaleFormat format;
    qm::platform::PosixSystemFacts facts;
    const qm::text::CaseMapper caseMapper;
    qm::platform::HiveFile registry;
    qm::platform::PosixDriveQuery drives;
    qm::platform::QtUi ui(files, drives, caseMapper, facts);
    qm::platform::QtMessageBox messages;
    qm::platform::Services services{files, trash,      messages, shell,  clock, format,
                                    facts, caseMapper, registry, drives, ui};

    qm::Application program(services);
    program.Main();
    return ui.exec();
}
