#include "Platform/Foundation/UserDefaults.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <thread>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

#include "Platform/Foundation/DataEncoding.hpp"
#include "Platform/Foundation/UserDefaultsWriteError.hpp"
#include "PlatformTests/TemporaryDirectory.hpp"
#include "TestSupport/ThrownError.hpp"

namespace tessaril::platform {
namespace {

using test_support::TemporaryDirectory;
using test_support::fileText;
using test_support::writeFileText;

UserDefaults::Data bytes(std::string_view text) { return UserDefaults::Data(text.begin(), text.end()); }

mode_t permissions(const std::filesystem::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

ino_t inode(const std::filesystem::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_ino;
}

std::vector<std::string> directoryEntries(const std::filesystem::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(UserDefaultsTests, valuesAnswerOnlyForTheirOwnKind) {
    UserDefaults defaults;
    defaults.setData("data", bytes("{\"a\":1}"));
    defaults.setString("string", "日本語");
    defaults.setBool("flag", true);
    defaults.setBool("off", false);

    EXPECT_EQ(defaults.data("data"), bytes("{\"a\":1}"));
    EXPECT_EQ(defaults.string("string"), "日本語");
    EXPECT_TRUE(defaults.boolean("flag"));
    EXPECT_FALSE(defaults.boolean("off"));
    EXPECT_TRUE(defaults.hasValue("off"));

    // A value of another kind answers as absent, as a missing key does.
    EXPECT_EQ(defaults.data("string"), std::nullopt);
    EXPECT_EQ(defaults.string("data"), std::nullopt);
    EXPECT_FALSE(defaults.boolean("string"));
    EXPECT_EQ(defaults.string("missing"), std::nullopt);
    EXPECT_FALSE(defaults.hasValue("missing"));

    defaults.removeObject("string");
    EXPECT_EQ(defaults.string("string"), std::nullopt);
    EXPECT_TRUE(defaults.hasValue("data"));

    defaults.removePersistentDomain();
    EXPECT_FALSE(defaults.hasValue("data"));
    EXPECT_FALSE(defaults.boolean("flag"));
}

TEST(UserDefaultsTests, textThatIsNotUTF8IsRejected) {
    UserDefaults defaults;
    EXPECT_EQ(tessaril::test_support::thrownError([&] { defaults.setString("key", "\xff"); }),
              "UserDefaultsArgumentError: user defaults string is not valid UTF-8");
    EXPECT_EQ(tessaril::test_support::thrownError([&] { defaults.setBool("\xc3", true); }),
              "UserDefaultsArgumentError: user defaults key is not valid UTF-8");
    EXPECT_FALSE(defaults.hasValue("key"));
}

TEST(UserDefaultsTests, persistedFileHoldsEachKindInItsJSONForm) {
    TemporaryDirectory temporary;
    const auto directory = temporary.path() / "config" / "tessaril";
    UserDefaults defaults(directory, "standard");
    EXPECT_FALSE(std::filesystem::exists(directory)) << "nothing is created before the first change";

    defaults.setBool("Tessaril.didShowOnboardingGuide.v1", true);
    defaults.setString("Tessaril.inputSource.katakana.sourceID", "com.apple.inputmethod.Kotoeri");
    defaults.setData("text", bytes("{\"k\":\"かな\"}"));
    defaults.setData("binary", UserDefaults::Data{0x00, 0xff, 0x10});

    const auto file = directory / "standard.json";
    EXPECT_EQ(defaults.filePath(), file);
    EXPECT_EQ(nlohmann::json::parse(fileText(file)), nlohmann::json::parse(R"({
        "Tessaril.didShowOnboardingGuide.v1": true,
        "Tessaril.inputSource.katakana.sourceID": "com.apple.inputmethod.Kotoeri",
        "text": {"utf8": "{\"k\":\"かな\"}"},
        "binary": {"base64": "AP8Q"}
    })"));
    EXPECT_EQ(permissions(directory), 0700u);
    EXPECT_EQ(permissions(directory.parent_path()), 0700u);
    EXPECT_EQ(permissions(file), 0600u);
    EXPECT_EQ(directoryEntries(directory), std::vector<std::string>{"standard.json"}) << "no temporary file is left";
}

TEST(UserDefaultsTests, writesReplaceTheFileInsteadOfRewritingIt) {
    TemporaryDirectory temporary;
    UserDefaults defaults(temporary.path(), "standard");
    defaults.setString("key", "first");
    const auto file = temporary.path() / "standard.json";
    const auto firstInode = inode(file);
    // A hard link keeps the first version reachable: an in-place rewrite would change it too.
    std::filesystem::create_hard_link(file, temporary.path() / "first-version");

    defaults.setString("key", "second");

    EXPECT_NE(inode(file), firstInode);
    EXPECT_EQ(nlohmann::json::parse(fileText(temporary.path() / "first-version")), nlohmann::json({{"key", "first"}}));
    EXPECT_EQ(nlohmann::json::parse(fileText(file)), nlohmann::json({{"key", "second"}}));
}

TEST(UserDefaultsTests, aSecondObjectSeesWhatTheFirstSavedAndKeepsItsKeys) {
    TemporaryDirectory temporary;
    UserDefaults first(temporary.path(), "standard");
    UserDefaults second(temporary.path(), "standard");
    EXPECT_EQ(second.string("a"), std::nullopt);

    first.setString("a", "from first");
    EXPECT_EQ(second.string("a"), "from first") << "re-read because the file changed";

    second.setData("b", UserDefaults::Data{0x80, 0x81});
    EXPECT_EQ(first.data("b"), (UserDefaults::Data{0x80, 0x81}));
    EXPECT_EQ(second.string("a"), "from first") << "the second writer started from the first's file";

    first.removeObject("a");
    EXPECT_FALSE(second.hasValue("a"));
    EXPECT_TRUE(second.hasValue("b"));

    // An edit by hand that keeps size and inode is still seen after synchronize().
    UserDefaults third(temporary.path(), "standard");
    writeFileText(temporary.path() / "standard.json", R"({"c": true})");
    third.synchronize();
    EXPECT_TRUE(third.boolean("c"));
}

TEST(UserDefaultsTests, aWriteThatFailsIsReportedAndNotKept) {
    struct Case {
        std::string name;
        // Prepares the directory so that the write fails (the tests may run as root, so permissions
        // are no obstacle: the failures come from the shape of the tree).
        std::function<std::filesystem::path(const std::filesystem::path&)> prepare;
        std::string expectedMessagePrefix;
    };
    const std::vector<Case> cases = {
        {"file name taken by a directory",
         [](const std::filesystem::path& root) {
             std::filesystem::create_directories(root / "standard.json" / "child");
             return root;
         },
         "cannot keep a copy of "},
        {"directory below a regular file",
         [](const std::filesystem::path& root) {
             writeFileText(root / "plain", "x");
             return root / "plain" / "tessaril";
         },
         "cannot inspect "},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        TemporaryDirectory temporary;
        const auto directory = testCase.prepare(temporary.path());
        UserDefaults defaults(directory, "standard");
        try {
            defaults.setBool("flag", true);
            ADD_FAILURE() << "the write was reported as a success";
        } catch (const UserDefaultsWriteError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(testCase.expectedMessagePrefix, 0), 0u) << error.what();
        }
        EXPECT_FALSE(defaults.boolean("flag")) << "the object answers what the file holds";
    }

}

TEST(UserDefaultsTests, aWriteCutShortLeavesThePreviousFileWhole) {
    TemporaryDirectory temporary;
    UserDefaults defaults(temporary.path(), "standard");
    defaults.setString("key", "old");
    const auto before = fileText(temporary.path() / "standard.json");

    // A file-size limit makes write(2) fail half-way through the temporary file (EFBIG).
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previousLimit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previousLimit), 0);
    rlimit small = previousLimit;
    small.rlim_cur = 8;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::optional<std::string> message;
    try {
        defaults.setString("key", "a value longer than eight bytes");
    } catch (const UserDefaultsWriteError& error) {
        message = error.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &previousLimit);
    std::signal(SIGXFSZ, previousHandler);

    ASSERT_TRUE(message.has_value()) << "the write was reported as a success";
    EXPECT_EQ(message->rfind("cannot write " + (temporary.path() / "standard.json.").string(), 0), 0u) << *message;
    EXPECT_NE(message->find(": File too large"), std::string::npos) << *message;
    EXPECT_EQ(fileText(temporary.path() / "standard.json"), before);
    EXPECT_EQ(directoryEntries(temporary.path()), std::vector<std::string>{"standard.json"})
        << "the temporary file is removed";
    EXPECT_EQ(defaults.string("key"), "old");
}

TEST(UserDefaultsTests, injectedWriteFailureReachesTheCallerForEveryChange) {
    TemporaryDirectory temporary;
    UserDefaults persisted(temporary.path(), "standard");
    UserDefaults inMemory;
    for (UserDefaults* defaults : {&persisted, &inMemory}) {
        defaults->setString("kept", "yes");
        defaults->setWriteFailure("disk full");
        const std::vector<std::function<void()>> changes = {
            [&] { defaults->setData("d", bytes("x")); },
            [&] { defaults->setString("s", "x"); },
            [&] { defaults->setBool("b", true); },
            [&] { defaults->removeObject("kept"); },
            [&] { defaults->removePersistentDomain(); },
        };
        for (const auto& change : changes) {
            try {
                change();
                ADD_FAILURE() << "a change succeeded while writes fail";
            } catch (const UserDefaultsWriteError& error) {
                EXPECT_STREQ(error.what(), "disk full");
            }
        }
        EXPECT_EQ(defaults->string("kept"), "yes");
        EXPECT_FALSE(defaults->hasValue("d"));
        EXPECT_FALSE(defaults->hasValue("b"));
        defaults->setWriteFailure(std::nullopt);
        defaults->setBool("b", true);
        EXPECT_TRUE(defaults->boolean("b"));
    }
    EXPECT_EQ(nlohmann::json::parse(fileText(temporary.path() / "standard.json")),
              nlohmann::json({{"kept", "yes"}, {"b", true}}));
}

TEST(UserDefaultsTests, anUnreadableFileIsKeptAsideBeforeTheFirstChange) {
    for (const std::string& corrupt : std::vector<std::string>{"{\"key\": tru", "[1, 2]", ""}) {
        SCOPED_TRACE(corrupt);
        TemporaryDirectory temporary;
        const auto file = temporary.path() / "standard.json";
        writeFileText(file, corrupt);
        UserDefaults defaults(temporary.path(), "standard");

        EXPECT_FALSE(defaults.hasValue("key"));
        ASSERT_TRUE(defaults.readProblem().has_value());
        EXPECT_EQ(defaults.readProblem()->rfind(file.string(), 0), 0u) << *defaults.readProblem();
        EXPECT_EQ(fileText(file), corrupt) << "reading leaves the file alone";

        defaults.setBool("new", true);

        const auto backup = temporary.path() / "standard.json.corrupt-1";
        EXPECT_EQ(defaults.lastCorruptFileBackup(), backup);
        EXPECT_EQ(fileText(backup), corrupt);
        EXPECT_EQ(nlohmann::json::parse(fileText(file)), nlohmann::json({{"new", true}}));
        EXPECT_EQ(defaults.readProblem(), std::nullopt);
    }

    // An older backup is never replaced.
    TemporaryDirectory temporary;
    writeFileText(temporary.path() / "standard.json.corrupt-1", "older");
    writeFileText(temporary.path() / "standard.json", "newer");
    UserDefaults defaults(temporary.path(), "standard");
    defaults.setBool("new", true);
    EXPECT_EQ(fileText(temporary.path() / "standard.json.corrupt-1"), "older");
    EXPECT_EQ(fileText(temporary.path() / "standard.json.corrupt-2"), "newer");
}

TEST(UserDefaultsTests, entriesOfUnknownShapeSurviveOtherChanges) {
    TemporaryDirectory temporary;
    writeFileText(temporary.path() / "standard.json",
                  R"({"number": 3, "badData": {"base64": "@@@@"}, "otherData": {"hex": "00"}})");
    UserDefaults defaults(temporary.path(), "standard");
    EXPECT_EQ(defaults.data("badData"), std::nullopt);
    EXPECT_EQ(defaults.data("otherData"), std::nullopt);
    EXPECT_FALSE(defaults.boolean("number"));
    EXPECT_TRUE(defaults.hasValue("number"));

    defaults.setBool("flag", true);

    EXPECT_EQ(nlohmann::json::parse(fileText(temporary.path() / "standard.json")),
              nlohmann::json::parse(
                  R"({"number": 3, "badData": {"base64": "@@@@"}, "otherData": {"hex": "00"}, "flag": true})"));
}

TEST(UserDefaultsTests, configurationDirectoryFollowsTheXDGRules) {
    struct Case {
        std::map<std::string, std::string> environment;
        std::optional<std::filesystem::path> expected;
    };
    const std::vector<Case> cases = {
        {{{"XDG_CONFIG_HOME", "/xdg"}, {"HOME", "/home/u"}}, "/xdg/tessaril"},
        {{{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/home/u"}}, "/home/u/.config/tessaril"},
        {{{"XDG_CONFIG_HOME", ""}, {"HOME", "/home/u"}}, "/home/u/.config/tessaril"},
        {{{"HOME", "/home/u"}}, "/home/u/.config/tessaril"},
        {{}, std::nullopt},
    };
    for (const auto& testCase : cases) {
        const auto lookup = [&](const char* name) -> const char* {
            const auto found = testCase.environment.find(name);
            return found == testCase.environment.end() ? nullptr : found->second.c_str();
        };
        EXPECT_EQ(UserDefaults::configurationDirectory(lookup), testCase.expected);
    }
}

TEST(UserDefaultsTests, processDomainsAreSharedPerName) {
    TemporaryDirectory temporary;
    ::setenv("XDG_CONFIG_HOME", temporary.path().c_str(), 1);

    EXPECT_EQ(&UserDefaults::suite("qa-preview"), &UserDefaults::suite("qa-preview"));
    EXPECT_NE(&UserDefaults::suite("qa-preview"), &UserDefaults::standard());
    EXPECT_EQ(&UserDefaults::suite("standard"), &UserDefaults::standard());
    EXPECT_EQ(UserDefaults::standard().filePath(), temporary.path() / "tessaril" / "standard.json");
    for (const std::string& invalid : std::vector<std::string>{"", ".", "..", "a/b"}) {
        EXPECT_EQ(tessaril::test_support::thrownError([&] { UserDefaults::suite(invalid); }),
                  "UserDefaultsArgumentError: invalid user defaults suite name \"" + invalid + "\"");
    }

    UserDefaults::suite("qa-preview").setBool("flag", true);
    UserDefaults::suite("qa-preview").removePersistentDomain();
    EXPECT_EQ(nlohmann::json::parse(fileText(temporary.path() / "tessaril" / "qa-preview.json")),
              nlohmann::json::object());
    ::unsetenv("XDG_CONFIG_HOME");
}

// Two objects on one file stand for two processes: each change re-reads the file under the directory
// lock before writing, so neither writer loses the other's keys.
TEST(ThreadedUserDefaultsTests, concurrentWritersOnOneFileLoseNothing) {
    TemporaryDirectory temporary;
    UserDefaults first(temporary.path(), "standard");
    UserDefaults second(temporary.path(), "standard");
    constexpr int keysEach = 40;
    std::thread writerA([&] {
        for (int index = 0; index < keysEach; ++index) first.setBool("a" + std::to_string(index), true);
    });
    std::thread writerB([&] {
        for (int index = 0; index < keysEach; ++index) second.setString("b" + std::to_string(index), "x");
    });
    std::thread reader([&] {
        for (int index = 0; index < keysEach; ++index) (void)first.string("b0");
    });
    writerA.join();
    writerB.join();
    reader.join();

    UserDefaults third(temporary.path(), "standard");
    for (int index = 0; index < keysEach; ++index) {
        EXPECT_TRUE(third.boolean("a" + std::to_string(index))) << index;
        EXPECT_EQ(third.string("b" + std::to_string(index)), "x") << index;
    }
}

TEST(DataEncodingTests, base64RoundTripsAndRejectsMalformedText) {
    const std::vector<std::pair<std::string, std::string>> encodings = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"\xff\xfe\xfd", "//79"},
    };
    for (const auto& [plain, encoded] : encodings) {
        EXPECT_EQ(data_encoding::base64Encoded(bytes(plain)), encoded);
        EXPECT_EQ(data_encoding::base64Decoded(encoded), bytes(plain));
    }
    for (const std::string& malformed :
         std::vector<std::string>{"Zg=", "Z===", "Zg=a", "Zm9v!A==", "Zg==Zg==", " Zm9v", "Zm9v\n", "Zm 9v", "Zm9v-_=="}) {
        EXPECT_EQ(data_encoding::base64Decoded(malformed), std::nullopt) << malformed;
    }
}

TEST(DataEncodingTests, utf8ValidationRejectsEveryIllFormedSequence) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"plain", true},          {"かな英数", true},      {"\xf0\x9f\x98\x80", true}, {"\xc0\xaf", false},
        {"\xe0\x80\xaf", false}, {"\xed\xa0\x80", false}, {"\xf4\x90\x80\x80", false}, {"\xe3\x81", false},
        {"\x80", false},         {"\xff", false},
    };
    for (const auto& [text, valid] : cases) {
        EXPECT_EQ(data_encoding::isValidUTF8(text), valid) << ::testing::PrintToString(text);
    }
}

} // namespace
} // namespace tessaril::platform
