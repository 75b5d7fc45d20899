// The login item as an autostart entry: where the entry lives, what it holds, the status read back
// from it, and what counts as installed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "Platform/LoginItem/LoginItemError.hpp"
#include "Platform/LoginItem/XDGAutostartLoginItemService.hpp"
#include "PlatformTests/TemporaryDirectory.hpp"

namespace tessaril::platform {
namespace {

using test_support::fileText;
using test_support::TemporaryDirectory;
using Environment = std::map<std::string, std::string, std::less<>>;

constexpr const char* entryName = "com.tessaril.Tessaril";

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

XDGAutostartLoginItemService service(const std::optional<std::filesystem::path>& directory,
                                     const std::filesystem::path& running = "/usr/local/bin/tessaril") {
    return XDGAutostartLoginItemService(directory, running, "/usr/local/bin/tessaril", entryName);
}

TEST(XDGAutostartLoginItemService, TheAutostartDirectoryFollowsAnAbsoluteConfigHomeElseTheHome) {
    struct Case {
        Environment environment;
        std::optional<std::filesystem::path> directory;
    };
    const Case cases[] = {
        {{{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/u"}}, "/cfg/autostart"},
        {{{"XDG_CONFIG_HOME", ""}, {"HOME", "/home/u"}}, "/home/u/.config/autostart"},
        {{{"XDG_CONFIG_HOME", "relative/cfg"}, {"HOME", "/home/u"}}, "/home/u/.config/autostart"},
        {{{"HOME", "/home/u"}}, "/home/u/.config/autostart"},
        {{{"XDG_CONFIG_HOME", "relative"}, {"HOME", ""}}, std::nullopt},
        {{}, std::nullopt},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(XDGAutostartLoginItemService::autostartDirectory(ProcessInfo{{"tessaril"}, test.environment, 1}),
                  test.directory);
    }
}

TEST(XDGAutostartLoginItemService, TheEntryStartsTheExecutableQuotedAsTheExecLineRequires) {
    struct Case {
        std::string path;
        std::string exec;
    };
    const Case cases[] = {
        {"/usr/bin/tessaril", R"(Exec="/usr/bin/tessaril")"},
        {"/opt/my apps/tessaril", R"(Exec="/opt/my apps/tessaril")"},
        // Quoting escapes " ` $ \ with a backslash; the string value then doubles every backslash.
        {R"(/o/a"b)", R"(Exec="/o/a\\"b")"},
        {"/o/$HOME`x`", R"(Exec="/o/\\$HOME\\`x\\`")"},
        {R"(/o/back\slash)", R"(Exec="/o/back\\\\slash")"},
        {"/o/100%", R"(Exec="/o/100%%")"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(XDGAutostartLoginItemService::desktopEntry(test.path),
                  "[Desktop Entry]\nType=Application\nName=Tessaril\n" + test.exec +
                      "\nIcon=tessaril\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
    }
    for (const std::string& path : {std::string("/o/line\nbreak"), std::string("/o/tab\there")}) {
        try {
            XDGAutostartLoginItemService::desktopEntry(path);
            ADD_FAILURE() << "accepted " << path;
        } catch (const LoginItemError& error) {
            EXPECT_EQ(error.description(), "cannot start " + path + " at login: its path holds a control character");
        }
    }
}

TEST(XDGAutostartLoginItemService, RegisteringWritesTheEntryAndUnregisteringRemovesIt) {
    TemporaryDirectory temporary;
    const auto directory = temporary.path() / "config" / "autostart";
    auto items = service(directory);
    EXPECT_EQ(items.status(), LoginItemStatus::notRegistered);
    items.unregisterItem(); // nothing to remove
    items.registerItem();
    EXPECT_EQ(items.status(), LoginItemStatus::enabled);
    EXPECT_EQ(fileText(directory / "com.tessaril.Tessaril.desktop"),
              XDGAutostartLoginItemService::desktopEntry("/usr/local/bin/tessaril"));
    EXPECT_EQ(std::filesystem::status(directory / "com.tessaril.Tessaril.desktop").permissions(),
              std::filesystem::perms(0644));
    items.unregisterItem();
    EXPECT_EQ(items.status(), LoginItemStatus::notRegistered);
    EXPECT_FALSE(std::filesystem::exists(directory / "com.tessaril.Tessaril.desktop"));
}

TEST(XDGAutostartLoginItemService, AnEntryTheSessionWasToldToSkipWaitsForApprovalThere) {
    struct Case {
        const char* text;
        LoginItemStatus status;
    };
    const Case cases[] = {
        {"[Desktop Entry]\nExec=x\n", LoginItemStatus::enabled},
        {"[Desktop Entry]\nHidden=true\n", LoginItemStatus::requiresApproval},
        {"[Desktop Entry]\n  Hidden = true  \n", LoginItemStatus::requiresApproval},
        {"[Desktop Entry]\nHidden=false\n", LoginItemStatus::enabled},
        {"[Desktop Entry]\nX-GNOME-Autostart-enabled=false\n", LoginItemStatus::requiresApproval},
        {"# Hidden=true\n[Desktop Entry]\nExec=x\n", LoginItemStatus::enabled},
        {"[Desktop Action quit]\nHidden=true\n[Desktop Entry]\nExec=x\n", LoginItemStatus::enabled},
        {"", LoginItemStatus::enabled},
    };
    TemporaryDirectory temporary;
    for (const auto& test : cases) {
        writeFile(temporary.path() / "com.tessaril.Tessaril.desktop", test.text);
        EXPECT_EQ(service(temporary.path()).status(), test.status) << test.text;
    }
    // Registering again replaces the entry, so the session starts it once more.
    service(temporary.path()).registerItem();
    EXPECT_EQ(service(temporary.path()).status(), LoginItemStatus::enabled);
}

TEST(XDGAutostartLoginItemService, WithoutAPlaceOrAReadableEntryTheStatusSaysSoAndChangesFail) {
    TemporaryDirectory temporary;
    auto homeless = service(std::nullopt);
    EXPECT_EQ(homeless.status(), LoginItemStatus::notFound);
    EXPECT_EQ(homeless.loginItemsSettingsURL(), "");
    try {
        homeless.registerItem();
        ADD_FAILURE() << "registered without a place";
    } catch (const LoginItemError& error) {
        EXPECT_EQ(error.description(), "cannot register a login item: neither XDG_CONFIG_HOME nor HOME names a place for it");
    }
    homeless.unregisterItem();

    std::filesystem::create_directories(temporary.path() / "com.tessaril.Tessaril.desktop");
    writeFile(temporary.path() / "com.tessaril.Tessaril.desktop" / "child", "x");
    auto blocked = service(temporary.path());
    EXPECT_EQ(blocked.status(), LoginItemStatus::unknown);
    EXPECT_THROW(blocked.unregisterItem(), LoginItemError);

    // The autostart "directory" is a file: nothing can be written below it.
    writeFile(temporary.path() / "file", "x");
    auto misplaced = service(temporary.path() / "file" / "autostart");
    try {
        misplaced.registerItem();
        ADD_FAILURE() << "registered below a file";
    } catch (const LoginItemError& error) {
        EXPECT_EQ(error.description(), "cannot create " + (temporary.path() / "file" / "autostart").string() + ": Not a directory");
    }
}

TEST(XDGAutostartLoginItemService, OnlyTheInstalledExecutableItselfCountsAsInstalled) {
    TemporaryDirectory temporary;
    const auto installed = temporary.path() / "prefix" / "bin" / "tessaril";
    const auto built = temporary.path() / "build" / "tessaril";
    writeFile(installed, "binary");
    writeFile(built, "binary");
    std::filesystem::create_directory_symlink(temporary.path() / "prefix", temporary.path() / "link");
    struct Case {
        std::filesystem::path running;
        std::filesystem::path installed;
        bool isInstalled;
    };
    const Case cases[] = {
        {installed, installed, true},
        {temporary.path() / "link" / "bin" / "tessaril", installed, true},
        {installed, temporary.path() / "link" / "bin" / "tessaril", true},
        {built, installed, false},
        {installed, temporary.path() / "missing" / "tessaril", false},
        {installed, "", false},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(XDGAutostartLoginItemService(temporary.path(), test.running, test.installed, entryName).isInstalled(),
                  test.isInstalled)
            << test.running << " / " << test.installed;
    }
}

TEST(XDGAutostartLoginItemService, TheSettingsAddressIsTheAutostartDirectoryAsAFileURL) {
    EXPECT_EQ(service("/home/u/.config/autostart").loginItemsSettingsURL(), "file:///home/u/.config/autostart");
    EXPECT_EQ(service("/home/a b/%/日").loginItemsSettingsURL(), "file:///home/a%20b/%25/%E6%97%A5");
}

} // namespace
} // namespace tessaril::platform
