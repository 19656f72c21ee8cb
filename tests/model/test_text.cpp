#include <gtest/gtest.h>

#include "model/main_commands.h"
#include "model/report_format.h"
#include "model/errors.h"
#include "model/files.h"
#include "model/numbers.h"
#include "model/text.h"

using namespace trevanor;

TEST(ParseInt, AcceptsOnlySignAndDigits) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> value;
    };
    const Case cases[] = {
        {"0", 0}, {"007", 7}, {"+12", 12}, {"-5", -5}, {"9223372036854775807", INT64_MAX},
        {"-9223372036854775808", INT64_MIN}, {"9223372036854775808", std::nullopt}, {"", std::nullopt},
        {"+", std::nullopt}, {"-", std::nullopt}, {" 1", std::nullopt}, {"1 ", std::nullopt},
        {"12a", std::nullopt}, {"1.5", std::nullopt}, {"0x10", std::nullopt}, {"--1", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parse_int(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseInt, ConversionErrorNamesTheText) {
    EXPECT_EQ(to_int("2147483647"), 2147483647);
    try {
        to_int("12a");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
    }
    EXPECT_THROW(to_int("2147483648"), ConversionError);
    EXPECT_EQ(to_int_def("x", -1), -1);
}

TEST(CaseInsensitive, LowerCasesAsciiAndAccentedLetters) {
    EXPECT_TRUE(equal_ci("Scout", "sCOUT"));
    EXPECT_TRUE(equal_ci("\xC9t\xE9", "\xE9T\xC9"));  // É/é
    EXPECT_FALSE(equal_ci("Scout", "Scouts"));
    EXPECT_LT(compare_ci(" unknown", "!x"), 0);
    EXPECT_LT(compare_ci("abc", "ABD"), 0);
    EXPECT_LT(compare_ci("Z", "\xE0"), 0);  // bytes above 0x7F sort after ASCII
    EXPECT_EQ(compare_ci("ab", "AB"), 0);
}

TEST(FileNames, PartAndExtension) {
    EXPECT_EQ(file_name_part("/games/x/GAME.MAP"), "GAME.MAP");
    EXPECT_EQ(file_name_part("C:\\games\\GAME.F12"), "GAME.F12");
    EXPECT_EQ(file_extension("/a.b/GAME.F12"), ".F12");
    EXPECT_EQ(file_extension("/a.b/GAME"), "");
    EXPECT_EQ(file_extension("x.fleet"), ".fleet");
}

TEST(SplitLines, LineEnds) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {""}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\rb\r", {"a", "b"}},            // a CR alone ends a line too
        {"a\r\r\nb", {"a", "", "b"}},     // CR, then CR LF: an empty line between
        {"a\n\rb", {"a", "", "b"}},        // LF, then CR: likewise
        {"\n", {""}},
        {std::string("a\0b\nc", 5), {std::string("a\0b", 3), "c"}},
    };
    for (const auto& c : cases) {
        const auto views = split_lines(c.bytes);
        EXPECT_EQ(std::vector<std::string>(views.begin(), views.end()), c.lines);
    }
}

TEST(ReadFile, MissingFileAndFolderGiveTheSystemReason) {
    try {
        read_file_bytes("/nonexistent/x.MAP");
        FAIL();
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file \"/nonexistent/x.MAP\": No such file or directory");
    }
    EXPECT_THROW(read_file_bytes("/tmp"), FileError);
    // Neither a device that never ends nor a pipe without a writer is read.
    try {
        read_file_bytes("/dev/zero");
        FAIL();
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file \"/dev/zero\": not a regular file");
    }
    EXPECT_FALSE(file_exists("/tmp"));
    EXPECT_FALSE(file_exists(""));
}

TEST(CutAtTabs, MapLinesKeepTheRestInTheLastField) {
    using V = std::vector<std::string>;
    EXPECT_EQ(cut_at_tabs("1\t1000\t1200\tNew Aldris", 3), (V{"1", "1000", "1200", "New Aldris"}));
    EXPECT_EQ(cut_at_tabs("1\t2\t3\tName\twith\ttabs", 3), (V{"1", "2", "3", "Name\twith\ttabs"}));
    EXPECT_EQ(cut_at_tabs("no tab at all", 3), (V{"", "", "", "no tab at all"}));
    EXPECT_EQ(cut_at_tabs("a\tb", 3), (V{"a", "", "", "b"}));
    EXPECT_EQ(cut_at_tabs("", 3), (V{"", "", "", ""}));
}

TEST(SplitFleetLine, FieldsCutAndSurplusKept) {
    std::string line;
    for (int k = 0; k < 35; ++k) line += (k ? "\t" : "") + std::string("f") + std::to_string(k);
    auto f = split_fleet_line(line);
    ASSERT_EQ(f.size(), 29u);
    EXPECT_EQ(f[27], "f27");
    EXPECT_EQ(f[28], "f28\tf29\tf30\tf31\tf32\tf33\tf34");

    const std::string longText(300, 'x');
    f = split_fleet_line(longText + "\t1\t" + longText + std::string(26, '\t') + longText);
    EXPECT_EQ(f[0].size(), 255u);
    EXPECT_EQ(f[2].size(), 255u);
    EXPECT_EQ(f[28].size(), 300u);  // the last field is kept whole

    f = split_fleet_line("Name\t1203");
    EXPECT_EQ(f[0], "Name");
    EXPECT_EQ(f[1], "1203");
    for (int k = 2; k < 29; ++k) EXPECT_EQ(f[static_cast<std::size_t>(k)], "");
}
