// The registry store over the real per-user registry, under a test key of its own that goes
// away afterwards: values round trip with their type and exact size, and every status a caller
// acts on comes back as the registry's own number.
#include "platform/win32/Win32Registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/HiveValues.h"
#include "tests/support/SystemServices.h"
#include "tests/support/TempFolder.h"

namespace qm::platform {
namespace {

using namespace std::string_literals;

struct Win32RegistryTest : ::testing::Test {
    test::TempFolder dir;
    std::unique_ptr<test::TestRegistry> store =
        std::make_unique<test::TestRegistry>(dir / "user.reg");

    // The test key as the registry itself holds it.
    HKEY raw(const std::string& below) {
        HKEY key = nullptr;
        const std::wstring path = test::fsPath(store->base() + below).native();
        return ::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &key) ==
                       ERROR_SUCCESS
                   ? key
                   : nullptr;
    }
};

TEST_F(Win32RegistryTest, ValuesRoundTripWithTypeAndExactSize) {
    const struct {
        const char* name;
        RegType type;
        std::string data;
        DWORD storedBytes;  // what the registry holds: UTF-16 for text
    } rows[] = {
        {"Filename Case", kRegSz, "2\0"s, 4},
        {"Empty", kRegSz, "\0"s, 2},
        {"Nothing", kRegSz, "", 0},
        {"\xC3\x89t\xC3\xA9", kRegSz, "caf\xC3\xA9 \xF0\x9F\x98\x80\0"s, 16},
        {"", kRegExpandSz, "%TEMP%\0"s, 14},
        {"Blob", kRegBinary, "\x01\x00\xFF"s, 3},
        {"Count", kRegDword, "\x0a\0\0\0"s, 4},
    };
    const std::string key = "Software\\Quillmote Utility\\Preferences";
    for (const auto& row : rows) {
        ASSERT_EQ(test::putValue(*store, key, row.name, row.data, row.type), kRegSuccess);
        RegType type = kRegNone;
        EXPECT_EQ(test::getValue(*store, key, row.name, &type), row.data) << row.name;
        EXPECT_EQ(type, row.type) << row.name;
        const HKEY held = raw("\\" + key);
        ASSERT_NE(held, nullptr);
        DWORD size = 0;
        EXPECT_EQ(::RegQueryValueExW(held, test::fsPath(row.name).native().c_str(), nullptr,
                                     nullptr, nullptr, &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(size, row.storedBytes) << row.name;
        ::RegCloseKey(held);
    }
    const std::string base = store->base();
    store.reset();
    HKEY gone = nullptr;
    EXPECT_EQ(
        ::RegOpenKeyExW(HKEY_CURRENT_USER, test::fsPath(base).native().c_str(), 0, KEY_READ, &gone),
        ERROR_FILE_NOT_FOUND)
        << "the test key is removed afterwards";
}

TEST_F(Win32RegistryTest, EveryStatusIsTheRegistrysOwn) {
    RegKey key = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(store->openKey("Software\\Missing", RegAccess::Read, key), kRegFileNotFound);
    EXPECT_EQ(store->openKey("Software\\\\Double", RegAccess::Read, key), kRegInvalidParameter);
    EXPECT_EQ(store->createKey("Trailing\\", key), kRegInvalidParameter);
    EXPECT_EQ(store->queryValue(12345, "x", nullptr, nullptr, size), kRegInvalidHandle);
    EXPECT_EQ(store->closeKey(12345), kRegInvalidHandle);

    bool created = false;
    ASSERT_EQ(store->createKey("A\\B", key, &created), kRegSuccess);
    EXPECT_TRUE(created);
    EXPECT_EQ(store->queryValue(key, "absent", nullptr, nullptr, size), kRegFileNotFound);
    EXPECT_EQ(store->setValue(key, "line\nfeed", kRegSz, "x", 1), kRegInvalidParameter);
    EXPECT_EQ(store->setValue(key, "bad", kRegSz, "\xFF", 1), kRegInvalidParameter);
    ASSERT_EQ(store->setValue(key, "v", kRegSz, "abcdef\0", 7), kRegSuccess);
    char small[3] = {};
    size = sizeof small;
    EXPECT_EQ(store->queryValue(key, "v", nullptr, small, size), kRegMoreData);
    EXPECT_EQ(size, 7u);
    char name[8] = {};
    std::uint32_t nameLength = sizeof name;
    EXPECT_EQ(store->enumValue(key, 1, name, nameLength, nullptr, nullptr, nullptr),
              kRegNoMoreItems);
    RegKeyInfo info;
    ASSERT_EQ(store->queryInfoKey(key, info), kRegSuccess);
    EXPECT_EQ(info.values, 1u);
    EXPECT_EQ(info.maxValueNameLength, 1u);
    EXPECT_EQ(info.maxValueDataSize, 7u);
    EXPECT_EQ(store->deleteValue(key, "absent"), kRegFileNotFound);
    EXPECT_EQ(store->closeKey(key), kRegSuccess);

    ASSERT_EQ(store->openKey("A", RegAccess::Read, key), kRegSuccess);
    EXPECT_EQ(store->setValue(key, "w", kRegSz, "x\0", 2), kRegAccessDenied);
    EXPECT_EQ(store->closeKey(key), kRegSuccess);
    ASSERT_EQ(store->openKey("A", RegAccess::Full, key), kRegSuccess);
    EXPECT_EQ(store->deleteKey(key, "Missing"), kRegFileNotFound);
    ASSERT_EQ(store->openKey("", RegAccess::Full, key), kRegSuccess);
    EXPECT_EQ(store->deleteKey(key, "A"), kRegAccessDenied) << "a key with subkeys stays";
    EXPECT_EQ(store->closeKey(key), kRegSuccess);
}

TEST_F(Win32RegistryTest, RevisionFollowsChangesOfTheProgramsKeyFromAnywhere) {
    test::putValue(*store, "Software\\Quillmote Utility\\Preferences", "Filename Case", "1\0"s);
    store->setReadFreshness(std::chrono::nanoseconds(0));
    const std::uint64_t before = store->revision();
    EXPECT_EQ(store->revision(), before) << "nothing changed";
    // Another program writing its own settings beside ours.
    const std::wstring other = test::fsPath(store->base() + "\\Software\\Other").native();
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, other.c_str(), L"x", REG_SZ, L"1", 4),
              ERROR_SUCCESS);
    EXPECT_EQ(store->revision(), before) << "another program's key";
    // Another writer (the registry reached directly, as another program would).
    const HKEY held = raw("\\Software\\Quillmote Utility\\Preferences");
    ASSERT_NE(held, nullptr);
    const wchar_t upper[] = L"2";
    ASSERT_EQ(::RegSetValueExW(held, L"Filename Case", 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(upper), sizeof upper),
              ERROR_SUCCESS);
    ::RegCloseKey(held);
    const std::uint64_t after = store->revision();
    EXPECT_NE(after, before);
    EXPECT_EQ(store->revision(), after);
}

}  // namespace
}  // namespace qm::platform
