#include "sysinfo/frmAbout.h"

#include "frame/ErrorTail.h"
#include "frame/bFade.h"

namespace qm {

frmAbout::frmAbout(std::unique_ptr<platform::AboutView> view, platform::DriveQuery& drives,
                   const AboutSources& sources, bForms& forms)
    : m_view(std::move(view)), m_drives(drives), m_sources(sources), m_forms(forms) {}

void frmAbout::Form_Load() {
    auto& c = controls();
    m_drive = std::make_unique<CDriveInfo>(m_drives, m_sources.format);
    // The list starts on the current drive; a drive it cannot show leaves it on its first,
    // and the text below tells the drive's state.
    bestEffort([&] { c.lstDrive->setDrive(m_drive->Drive()); });
    c.lstDrive->onChange = [this] { lstDrive_Change(); };
    c.cmdContinue->onClick = [this] { cmdContinue_Click(); };

    c.lblCopyrightInfo->setCaption(AppIdentity::copyright());
    platform::Rect label = c.lblCopyrightInfo->geometry();
    label.left = (c.window->innerWidth() - label.width) / 2;
    c.lblCopyrightInfo->setGeometry(label);
    UpdateAboutInfo();
    c.window->setCaption(AppIdentity::title());
    PaintBackground();
}

void frmAbout::lstDrive_Change() {
    m_forms.ShowHourglass(true);
    m_drive->Drive(controls().lstDrive->drive());
    UpdateAboutInfo();
    m_forms.ShowHourglass(false);
}

void frmAbout::cmdContinue_Click() {
    controls().window->hide();
}

void frmAbout::UpdateAboutInfo() {
    controls().lblAboutInfo->setCaption(GetAboutInfo(*m_drive, controls().SystemInfo, m_sources));
}

void frmAbout::PaintBackground() {
    auto& c = controls();
    bFade::Fade(c.window->surface(), FadeOptions{false, false, true, true, true, true},
                m_sources.errors);
    c.Line1->setEnds(0, 0, c.window->innerWidth(), 0);
}

}  // namespace qm
