#include "base/Text.h"

#include <gtest/gtest.h>

#include "tests/support/SystemServices.h"

namespace qm::text {
namespace {

TEST(Utf8, DecodesEveryByteSequenceLosslessly) {
    const std::vector<std::string> samples = {
        "plain",
        "é",
        "€",
        "😀",
        "\xFF",
        "\xC3",
        "\xC3(",
        "\xE2\x82",
        "\xC0\x80" /* overlong */,
        "\xED\xA0\x80" /* surrogate */,
        "\xF4\x90\x80\x80" /* past U+10FFFF */,
        std::string("a\0b", 3),
    };
    for (const auto& s : samples) {
        std::string round;
        for (std::size_t pos = 0, len = 0; pos < s.size(); pos += len) {
            append(round, decodeAt(s, pos, len));
        }
        EXPECT_EQ(round, s);
    }
    EXPECT_EQ(characterCount("aé€😀"), 4u);
    EXPECT_EQ(characterCount("\xC0\x80"), 2u);
    EXPECT_EQ(displayForm("a\xFF"
                          "b"),
              "a\xEF\xBF\xBD"
              "b");
}

TEST(CaseMapping, PerCharacterOverFullUnicode) {
    const CaseMapper mapper = test::neutralCaseMapper();
    EXPECT_EQ(mapper.toLower("ÉCOLE ΣΟΦΙΑ"), "école σοφια");
    const auto proper = [&](std::string s) {
        mapper.properInPlace(s);
        return s;
    };
    EXPECT_EQ(proper(std::string("a\0b\vc\fd\re\nf\tgH", 14)),
              std::string("A\0B\vC\fD\rE\nF\tGh", 14));
    // Beyond U+FFFF: Deseret letters have case, an emoji has none; neither is cut to 16 bits.
    EXPECT_EQ(mapper.toUpper("\xF0\x90\x90\xA8 \xF0\x9F\x98\x80"),
              "\xF0\x90\x90\x80 \xF0\x9F\x98\x80");
    EXPECT_EQ(mapper.toLower("\xF0\x90\x90\x80"), "\xF0\x90\x90\xA8");
}

#ifndef _WIN32  // Windows has no C library locale to fall back from: the system's own rules
TEST(CaseMapping, UserLocaleFallsBackToUtf8ForPlainC) {
    EXPECT_NE(CaseMapper::userLocale().name(), "C");
}
#endif

}  // namespace
}  // namespace qm::text
