#ifdef _WIN32
#include <windows.h>
#else
#include <sys/utsname.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <tuple>

#include "frame/bFade.h"
#include "frame/bForms.h"
#include "frame/bOperatingSystem.h"
#include "platform/headless/HeadlessSystemInformation.h"
#include "platform/headless/HeadlessWindow.h"
#include "tests/support/Harness.h"
#include "tests/support/RecordingReporter.h"

namespace qm {
namespace {

using test::RecordingReporter;

TEST(OperatingSystem, ComputerNameAsTheMachineReportsIt) {
    test::FakeSystemFacts facts;
    RecordingReporter errors;
    const bOperatingSystem os(facts, errors);
    char host[256] = {};
#ifdef _WIN32
    DWORD size = sizeof host;
    ASSERT_TRUE(::GetComputerNameA(host, &size));
#else
    ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
#endif
    EXPECT_EQ(os.ReadComputerName(), std::string(host));

    facts.name = std::optional<std::string>(std::string("  box\0\0", 7));
    EXPECT_EQ(os.ReadComputerName(), "box");
    facts.name = std::optional<std::string>();
    EXPECT_EQ(os.ReadComputerName(), "Unknown");
    EXPECT_EQ(bOperatingSystem::machineNameFrom("   "), "Unknown");
    EXPECT_EQ(bOperatingSystem::machineNameFrom(" named "), " named ");
}

TEST(OperatingSystem, NamesTheSystemAndItsFolders) {
    test::FakeSystemFacts facts;
    RecordingReporter errors;
    const bOperatingSystem os(facts, errors);
    platform::HeadlessSystemInformation info;
    info.setOs(2, "", "5.1", "2600");
    EXPECT_EQ(os.GetOS(&info), "Windows NT, ver. 5.1(2600)");
    info.setOs(1, "", "4.0", "950");
    EXPECT_EQ(os.GetOS(&info), "Windows 95, ver. 4.0(950)");
    info.setOs(7, "", "1", "1");
    EXPECT_EQ(os.GetOS(&info), "");
#ifndef _WIN32  // the Windows family and version are the system information's own (win32 suite)
    struct utsname names {};
    ASSERT_EQ(::uname(&names), 0);
    EXPECT_EQ(facts.kernel().name + "|" + facts.kernel().release,
              std::string(names.sysname) + "|" + names.release);
#endif
    EXPECT_EQ(platform::shortVersion("6.1.0-28-amd64"), "6.1");
    EXPECT_EQ(platform::shortVersion("5.15"), "5.15");

    EXPECT_TRUE(errors.logged.empty());
    EXPECT_EQ(os.GetOS(nullptr), "");
    ASSERT_EQ(errors.logged.size(), 1u);
    EXPECT_EQ(errors.logged[0].source, "bOperatingSystem.GetOS");
    EXPECT_EQ(errors.logged[0].fileObject, "");
    EXPECT_TRUE(errors.shown.empty());
    // The two folders are lines of the About text's golden test.
}

struct FormsTest : ::testing::Test {
    RecordingReporter errors;
    platform::HeadlessPointer pointer;
    platform::HeadlessClipboard clipboard;
    bForms forms{errors, pointer, clipboard};
};

TEST_F(FormsTest, DisableXRemovesCloseAndTheSeparatorAbove) {
    struct Case {
        std::vector<std::string> before;
        std::vector<std::string> after;
    };
    const std::vector<Case> cases = {
        {{"&Restore", "&Move", "", "&Close\tAlt+F4", "&About"}, {"&Restore", "&Move", "&About"}},
        {{"&Close"}, {}},
        {{"&Move", "", std::string("&Close\0\0", 8)}, {"&Move"}},
        {{"&Move", "", "S&chließen"}, {"&Move", "", "S&chließen"}},
        {{"&Move", "", "Close"}, {"&Move", "", "Close"}},
    };
    for (const auto& c : cases) {
        platform::HeadlessWindow window(platform::previewWindowDesign(), nullptr);
        window.headlessSystemMenu() = platform::HeadlessSystemMenu(c.before);
        forms.DisableX(window);
        EXPECT_EQ(window.headlessSystemMenu().items(), c.after);
        EXPECT_EQ(window.headlessSystemMenu().redraws(), 1);
    }
    EXPECT_TRUE(errors.logged.empty());
}

// A filled box as its corners and colour, to compare in one check.
using Box = std::tuple<double, double, double, double, platform::Rgb>;
Box boxOf(const platform::FilledBox& b) {
    return {b.x1, b.y1, b.x2, b.y2, b.color};
}

// The About box's gradient: blue bands across and down in turn, fading to black.
TEST(FadeTest, BandsBothWaysFadeToBlackAndTheStateIsRestoredAfterAFailureToo) {
    platform::DrawingState before;
    before.scaleWidth = 560;  // the About box's own scale
    const FadeOptions blueBothWaysInverted{false, false, true, true, true, true};
    platform::HeadlessSurface surface;
    surface.setState(before);
    RecordingReporter errors;
    bFade::Fade(surface, blueBothWaysInverted, errors);
    const auto& boxes = surface.boxes();
    ASSERT_EQ(boxes.size(), 512u);
    EXPECT_EQ(boxOf(boxes[0]), (Box{0, 0, 512, 2, {0, 0, 255}}));
    EXPECT_EQ(boxOf(boxes[1]), (Box{0, 0, 2, 512, {0, 0, 255}}));
    EXPECT_EQ(boxOf(boxes[510]), (Box{0, 510, 512, 512, {0, 0, 0}}));
    EXPECT_EQ(boxOf(boxes[511]), (Box{510, 0, 512, 512, {0, 0, 0}}));
    const auto& states = surface.stateChanges();
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(states[1].drawWidth, 3);
    EXPECT_EQ(states[1].drawStyle, 6);
    EXPECT_EQ(states[1].scaleWidth, 512);
    EXPECT_EQ(surface.state(), before);
    EXPECT_TRUE(errors.logged.empty());

    platform::HeadlessSurface failing;
    failing.setState(before);
    failing.failNextFill = true;
    bFade::Fade(failing, blueBothWaysInverted, errors);
    ASSERT_EQ(errors.logged.size(), 1u);
    EXPECT_EQ(errors.logged[0].source, "bFade.Fade");
    EXPECT_EQ(failing.state(), before);
}

}  // namespace
}  // namespace qm
