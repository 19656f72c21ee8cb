// The Qt settings store (INI file form) and the code page 1252 conversion.
//
// Every test works in its own temporary folder. QSettings keeps files it has
// read in a per-process cache keyed by path, so where a test must see what is
// really on disk it opens a copy of the file under a new name.

#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "platform/cp1252.h"
#include "platform/qt_settings_backend.h"

namespace {

using trevanor::fromCp1252;
using trevanor::QtSettingsBackend;
using trevanor::SettingsReadError;
using trevanor::toCp1252;

// The message of the SettingsReadError `f` raises, or a note that it raised none.
template <class F>
std::string readError(F f) {
    try {
        f();
    } catch (const SettingsReadError& e) {
        return e.what();
    }
    return "<no SettingsReadError>";
}

std::string allBytesFrom(int first) {
    std::string s;
    for (int b = first; b < 256; ++b) s.push_back(static_cast<char>(b));
    return s;
}

// ---------------------------------------------------------------------------
// Code page 1252

TEST(Cp1252, EveryByteRoundTripsAloneAndTogether) {
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const std::string one(1, static_cast<char>(b));
        const QString text = fromCp1252(one);
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(toCp1252(text), one);
    }
    const std::string all = allBytesFrom(0);
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
}

TEST(Cp1252, KnownMappingsBothWays) {
    struct Case {
        unsigned char byte;
        char16_t unicode;
    };
    const Case cases[] = {
        {0x00, 0x0000}, {0x41, 0x0041}, {0x7F, 0x007F}, {0x80, 0x20AC}, {0x81, 0x0081},
        {0x83, 0x0192}, {0x8A, 0x0160}, {0x8D, 0x008D}, {0x8E, 0x017D}, {0x8F, 0x008F},
        {0x90, 0x0090}, {0x92, 0x2019}, {0x96, 0x2013}, {0x99, 0x2122}, {0x9C, 0x0153},
        {0x9D, 0x009D}, {0x9F, 0x0178}, {0xA0, 0x00A0}, {0xE9, 0x00E9}, {0xFF, 0x00FF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.byte));
        const std::string byte(1, static_cast<char>(c.byte));
        EXPECT_EQ(fromCp1252(byte), QString(QChar(c.unicode)));
        EXPECT_EQ(toCp1252(QString(QChar(c.unicode))), byte);
    }
}

TEST(Cp1252, DefinedHighBytesAreNotControlCharacters) {
    // Only the five undefined bytes may come out as C1 controls; the rest of
    // 0x80..0x9F are printable characters above U+00FF.
    for (int b = 0x80; b <= 0x9F; ++b) {
        SCOPED_TRACE(b);
        const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
        const char16_t u = fromCp1252(std::string(1, static_cast<char>(b))).at(0).unicode();
        if (undefined) {
            EXPECT_EQ(u, b);
        } else {
            EXPECT_GT(u, 0xFF);
        }
    }
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    struct Case {
        const char* what;
        QString text;
        std::string bytes;
    };
    const Case cases[] = {
        {"Latin Extended", QString::fromUtf16(u"a\u0100b"), "a?b"},
        {"C1 control whose byte is taken", QString(QChar(0x0080)), "?"},
        {"U+009F (byte 9F is Y diaeresis)", QString(QChar(0x009F)), "?"},
        {"Cyrillic", QString::fromUtf16(u"\u0416\u0416"), "??"},
        {"surrogate pair is one character", QString::fromUtf16(u"x\U0001F600y"), "x?y"},
        {"lone high surrogate", QString(QChar(0xD800)) + u'x', "?x"},
        {"lone low surrogate", QString(QChar(0xDC00)), "?"},
        {"high surrogate at the end", u'x' + QString(QChar(0xD83D)), "x?"},
        {"euro sign", QString::fromUtf16(u"\u20ACuro"), "\x80uro"},
        {"NUL kept", QString(QChar(0)) + u'a', std::string("\0a", 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(toCp1252(c.text), c.bytes);
    }
}

// ---------------------------------------------------------------------------
// The INI store

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath("Pellam/Trevanor.conf");
    }

    QString fileText(const QString& path = {}) const {
        QFile file(path.isEmpty() ? path_ : path);
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll());
    }

    void writeFile(const QByteArray& content) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path_).absolutePath()));
        QFile file(path_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }

    // A copy of the store (or of `from`) under a name QSettings has not seen
    // in this process.
    QString copyOfFile(const QString& from = {}) {
        const QString copy = dir_.filePath(QStringLiteral("copy%1.conf").arg(++copies_));
        EXPECT_TRUE(QFile::copy(from.isEmpty() ? path_ : from, copy));
        return copy;
    }

    // Lines of the file (the store unless named) whose value name is `name` in
    // any case, in group `group` ("General" for the program key).
    int linesNamed(const QString& group, const QString& name, const QString& path = {}) const {
        int count = 0;
        QString current;
        for (const QString& line : fileText(path).split(u'\n')) {
            if (line.startsWith(u'[')) {
                current = line.mid(1, line.indexOf(u']') - 1);
            } else if (current.compare(group, Qt::CaseInsensitive) == 0 &&
                       line.section(u'=', 0, 0).compare(name, Qt::CaseInsensitive) == 0) {
                ++count;
            }
        }
        return count;
    }

    QTemporaryDir dir_;
    QString path_;
    int copies_ = 0;
};

struct NameSpellings {
    const char* written;
    const char* asked;
};

const NameSpellings kValueSpellings[] = {
    {"Autoload_MAP", "autoload_map"},
    {"last_DIR", "LAST_dir"},
    {"\xC4rger", "\xE4RGER"},  // A and a diaeresis
    {"\x8A" "koda", "\x9A" "KODA"},  // S and s caron, from the 0x80..0x9F range
};

TEST_F(SettingsFile, ValueNamesMatchInAnyCaseAndStayOneValue) {
    for (const char* key : {"", "GAME.MAP"}) {
        for (const NameSpellings& n : kValueSpellings) {
            SCOPED_TRACE(std::string(key) + " / " + n.written + " / " + n.asked);
            {
                QtSettingsBackend store(path_);
                ASSERT_TRUE(store.openKey(key, true));
                store.writeInt(key, n.written, 7);
                EXPECT_TRUE(store.valueExists(key, n.asked));
                EXPECT_EQ(store.readInt(key, n.asked), 7);

                store.writeText(key, n.asked, "replaced");
                EXPECT_EQ(store.readText(key, n.written), "replaced");
                EXPECT_EQ(readError([&] { store.readInt(key, n.written); }),
                          "Invalid data type for '" + std::string(n.written) + "'");
            }
            QSettings raw(copyOfFile(), QSettings::IniFormat);
            if (*key) raw.beginGroup(key);
            const QStringList names = raw.childKeys().filter(fromCp1252(n.written), Qt::CaseInsensitive);
            ASSERT_EQ(names.size(), 1) << names.join(u',').toStdString();
            EXPECT_EQ(names.front(), fromCp1252(n.written)) << "first spelling kept";
        }
    }
    EXPECT_EQ(linesNamed("General", "autoload_map"), 1);
    EXPECT_EQ(linesNamed("GAME.MAP", "autoload_map"), 1);
}

TEST_F(SettingsFile, KeyNamesMatchInAnyCase) {
    const NameSpellings keys[] = {
        {"GAME.MAP", "game.map"},
        {"Game.Map", "GAME.MAP"},
        {"\xC9T\xC9.MAP", "\xE9t\xE9.map"},  // E acute in both cases
    };
    for (const NameSpellings& k : keys) {
        SCOPED_TRACE(std::string(k.written) + " / " + k.asked);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath("t.conf");
        {
            QtSettingsBackend store(path);
            ASSERT_TRUE(store.openKey(k.written, true));
            store.writeInt(k.written, "Zoom", 3);
            EXPECT_TRUE(store.keyExists(k.asked));
            EXPECT_TRUE(store.openKey(k.asked, false));
            EXPECT_TRUE(store.openKey(k.asked, true));
            EXPECT_EQ(store.readInt(k.asked, "zoom"), 3);
            store.writeInt(k.asked, "ZOOM", 4);
            store.writeText(k.asked, "Title", "t");
        }
        const QString copy = dir.filePath("copy.conf");
        ASSERT_TRUE(QFile::copy(path, copy));
        QSettings raw(copy, QSettings::IniFormat);
        EXPECT_EQ(raw.childGroups(), QStringList{fromCp1252(k.written)});
        QtSettingsBackend reopened(copy);
        EXPECT_EQ(reopened.readInt(k.written, "Zoom"), 4);
        EXPECT_EQ(reopened.readText(k.written, "title"), "t");
    }
}

TEST_F(SettingsFile, IntegerAndTextStayDistinct) {
    QtSettingsBackend store(path_);
    ASSERT_TRUE(store.openKey("GAME.MAP", true));
    store.writeInt("GAME.MAP", "Number", 12);
    store.writeText("GAME.MAP", "Digits", "12");
    store.writeText("GAME.MAP", "LooksLikeNumber", "dword:0000000c");
    store.writeInt("", "RootNumber", 1);
    store.writeText("", "RootText", "1");

    struct Case {
        const char* key;
        const char* name;  // as asked
        bool readAsInt;
    };
    const Case wrong[] = {
        {"GAME.MAP", "number", false}, {"game.map", "DIGITS", true}, {"GAME.MAP", "LooksLikeNumber", true},
        {"", "rootnumber", false},     {"", "RootText", true},
    };
    for (const Case& c : wrong) {
        SCOPED_TRACE(std::string(c.key) + "/" + c.name);
        const std::string expected = "Invalid data type for '" + std::string(c.name) + "'";
        if (c.readAsInt) {
            EXPECT_EQ(readError([&] { store.readInt(c.key, c.name); }), expected);
        } else {
            EXPECT_EQ(readError([&] { store.readText(c.key, c.name); }), expected);
        }
        EXPECT_TRUE(store.valueExists(c.key, c.name));
    }
    EXPECT_EQ(store.readInt("GAME.MAP", "Number"), 12);
    EXPECT_EQ(store.readText("GAME.MAP", "Digits"), "12");
    EXPECT_EQ(store.readText("GAME.MAP", "LooksLikeNumber"), "dword:0000000c");

    // Writing the other type over a value changes its type.
    store.writeText("GAME.MAP", "number", "now text");
    EXPECT_EQ(store.readText("GAME.MAP", "Number"), "now text");
    EXPECT_NE(readError([&] { store.readInt("GAME.MAP", "Number"); }), "<no SettingsReadError>");
}

TEST_F(SettingsFile, MissingValuesAndKeysRaiseReadErrors) {
    QtSettingsBackend store(path_);
    store.writeInt("GAME.MAP", "Zoom", 1);
    struct Case {
        const char* key;
        const char* name;
    };
    const Case missing[] = {{"", "Zoom"}, {"GAME.MAP", "Other"}, {"OTHER.MAP", "Zoom"}, {"GAME", "Zoom"}};
    for (const Case& c : missing) {
        SCOPED_TRACE(std::string(c.key) + "/" + c.name);
        EXPECT_FALSE(store.valueExists(c.key, c.name));
        EXPECT_NE(readError([&] { store.readInt(c.key, c.name); }), "<no SettingsReadError>");
        EXPECT_NE(readError([&] { store.readText(c.key, c.name); }), "<no SettingsReadError>");
    }
}

TEST_F(SettingsFile, ValuesWrittenByHandAreCheckedStrictly) {
    struct Case {
        const char* line;  // the value as it stands in the file
        std::optional<std::int32_t> asInt;
        std::optional<std::string> asText;
    };
    const Case cases[] = {
        {"dword:0000000a", 10, std::nullopt},
        {"dword:0000000A", 10, std::nullopt},
        {"DWORD:ffffffff", -1, std::nullopt},
        {"dword:80000000", std::numeric_limits<std::int32_t>::min(), std::nullopt},
        // Typed by hand: one to eight digits are the integer.
        {"dword:1", 1, std::nullopt},
        {"dword:a", 10, std::nullopt},
        {"DWORD:Ff", 255, std::nullopt},
        {"dword:1234567", 0x1234567, std::nullopt},
        {"dword:0000001", 1, std::nullopt},
        // Anything else after "dword:" is no integer: it stays text, as typed.
        {"dword:0000000g", std::nullopt, std::string("dword:0000000g")},
        {"dword:000000001", std::nullopt, std::string("dword:000000001")},
        {"dword:100000000", std::nullopt, std::string("dword:100000000")},
        {"dword:-0000001", std::nullopt, std::string("dword:-0000001")},
        {"dword:-1", std::nullopt, std::string("dword:-1")},
        {"dword:+1", std::nullopt, std::string("dword:+1")},
        {"dword:0x1", std::nullopt, std::string("dword:0x1")},
        {"dword: 1", std::nullopt, std::string("dword: 1")},
        {"dword:1g", std::nullopt, std::string("dword:1g")},
        {"dword:", std::nullopt, std::string("dword:")},
        {"10", std::nullopt, std::string("10")},  // no tag: text, as written by hand
        {"", std::nullopt, std::string()},
        {"text", std::nullopt, std::string("text")},
        {"/games/a.MAP", std::nullopt, std::string("/games/a.MAP")},
        {"sz:", std::nullopt, std::string()},
        {"sz:abc", std::nullopt, std::string("abc")},
        {"\"sz:a, b\"", std::nullopt, std::string("a, b")},
        {"sz:a, b", std::nullopt, std::nullopt},  // QSettings reads a list
        {"@Rect(1 2 3 4)", std::nullopt, std::nullopt},
        {"sz:caf\xc3\xa9", std::nullopt, std::string("caf\xE9")},  // UTF-8 in the file
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        writeFile(QByteArray("[General]\nv=") + c.line + "\n");
        QtSettingsBackend store(copyOfFile());
        ASSERT_TRUE(store.valueExists("", "V"));
        if (c.asInt) {
            EXPECT_EQ(store.readInt("", "V"), *c.asInt);
        } else {
            EXPECT_EQ(readError([&] { store.readInt("", "V"); }), "Invalid data type for 'V'");
        }
        if (c.asText) {
            EXPECT_EQ(store.readText("", "V"), *c.asText);
        } else {
            EXPECT_EQ(readError([&] { store.readText("", "V"); }), "Invalid data type for 'V'");
        }
    }
}

TEST_F(SettingsFile, IntegersAreWrittenAsRegistryDwords) {
    struct Case {
        std::int32_t value;
        const char* stored;
    };
    const Case cases[] = {
        {0, "dword:00000000"},
        {10, "dword:0000000a"},
        {-1, "dword:ffffffff"},
        {-2, "dword:fffffffe"},
        {0x12345678, "dword:12345678"},
        {std::numeric_limits<std::int32_t>::max(), "dword:7fffffff"},
        {std::numeric_limits<std::int32_t>::min(), "dword:80000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        QtSettingsBackend store(path_);
        store.writeInt("", "Value", c.value);
        store.writeInt("GAME.MAP", "Value", c.value);
        const QString text = fileText();  // on disk while the store is still open
        EXPECT_TRUE(text.contains(QStringLiteral("[General]\nValue=") + c.stored + u'\n')) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("[GAME.MAP]\nValue=") + c.stored + u'\n')) << text.toStdString();
        QtSettingsBackend reopened(copyOfFile());
        EXPECT_EQ(reopened.readInt("", "value"), c.value);
        EXPECT_EQ(reopened.readInt("game.map", "value"), c.value);
    }
}

TEST_F(SettingsFile, BatchedWritesReachTheFileWhenTheOutermostBatchEnds) {
    QtSettingsBackend store(path_);
    store.writeInt("", "Before", 1);
    try {
        trevanor::SettingsBatch outer(store);
        store.writeInt("GAME.MAP", "Ships", 2);
        {
            trevanor::SettingsBatch inner(store);
            store.writeText("GAME.MAP", "Race", "Vorlani");
        }
        EXPECT_FALSE(fileText().contains(QStringLiteral("Ships="))) << "written before the outer batch ended";
        EXPECT_EQ(store.readText("game.map", "race"), "Vorlani");  // the store sees its own writes at once
        throw std::runtime_error("a routine stops half-way");
    } catch (const std::runtime_error&) {
    }
    const QString text = fileText();
    EXPECT_TRUE(text.contains(QStringLiteral("Ships=dword:00000002"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Race=sz:Vorlani"))) << text.toStdString();
    store.writeInt("", "After", 3);
    EXPECT_TRUE(fileText().contains(QStringLiteral("After=dword:00000003"))) << "a write after the batch waits";
}

TEST_F(SettingsFile, TextsRoundTripThroughTheFile) {
    struct Case {
        const char* what;
        std::string text;
    };
    const Case cases[] = {
        {"empty", ""},
        {"plain", "GAME.MAP"},
        {"every byte but NUL", allBytesFrom(1)},
        {"NUL inside", std::string("nul\0inside", 10)},
        {"code page letters", "\xC9t\xE9 \x80 \x9F \x8A\x9A"},
        {"undefined code page bytes", "\x81\x8D\x8F\x90\x9D"},
        {"looks typed", "dword:0000000a"},
        {"prefix inside", "sz:sz:"},
        {"spaces around", "  both ends  "},
        {"comma", "a, b"},
        {"comment characters", "; not a comment # nor this"},
        {"quotes", "\"quoted\""},
        {"QSettings variant syntax", "@Variant(x)"},
        {"at signs", "@@"},
        {"Windows path", "C:\\MAPS\\GAME.MAP"},
        {"line breaks", "line\r\nbreak\ttab"},
        {"brackets", "[General]"},
    };
    {
        QtSettingsBackend store(path_);
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const std::string name = "Text" + std::to_string(i);
            store.writeText("", name, cases[i].text);
            store.writeText("GAME.MAP", name, cases[i].text);
            EXPECT_EQ(store.readText("", name), cases[i].text) << cases[i].what;
        }
    }
    EXPECT_TRUE(fileText().contains(QString::fromUtf16(u"\u00C9t\u00E9 \u20AC \u0178")));
    QtSettingsBackend reopened(copyOfFile());
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].what);
        const std::string name = "Text" + std::to_string(i);
        EXPECT_EQ(reopened.readText("", name), cases[i].text);
        EXPECT_EQ(reopened.readText("GAME.MAP", name), cases[i].text);
        EXPECT_NE(readError([&] { reopened.readInt("", name); }), "<no SettingsReadError>");
    }
}

TEST_F(SettingsFile, EverythingPersistsForTheNextStoreObject) {
    {
        QtSettingsBackend store(path_);
        ASSERT_TRUE(store.openKey("", true));
        store.writeInt("", "Autoload", -5);
        store.writeText("", "LastMap", "GAME.MAP");
        ASSERT_TRUE(store.openKey("GAME.MAP", true));
        store.writeInt("GAME.MAP", "Zoom", 2);
        ASSERT_TRUE(store.openKey("EMPTY.MAP", true));
        EXPECT_TRUE(store.keyExists("empty.map"));
    }
    for (const bool sameFile : {true, false}) {
        SCOPED_TRACE(sameFile ? "same file" : "copy of the file");
        QtSettingsBackend store(sameFile ? path_ : copyOfFile());
        EXPECT_EQ(store.readInt("", "autoload"), -5);
        EXPECT_EQ(store.readText("", "lastmap"), "GAME.MAP");
        EXPECT_EQ(store.readInt("game.map", "ZOOM"), 2);
        EXPECT_EQ(readError([&] { store.readText("", "Autoload"); }), "Invalid data type for 'Autoload'");
        EXPECT_EQ(readError([&] { store.readInt("", "LastMap"); }), "Invalid data type for 'LastMap'");
        // Nothing but values is written: a key left empty is not kept.
        EXPECT_FALSE(store.keyExists("EMPTY.MAP"));
        EXPECT_FALSE(store.keyExists("OTHER.MAP"));
    }
    QSettings raw(copyOfFile(), QSettings::IniFormat);
    EXPECT_EQ(raw.allKeys(), (QStringList{"Autoload", "GAME.MAP/Zoom", "LastMap"}));
}

TEST_F(SettingsFile, KeysExistOnlyOnceCreatedOrWritten) {
    QtSettingsBackend store(path_);
    EXPECT_TRUE(store.keyExists(""));
    EXPECT_TRUE(store.openKey("", false));
    EXPECT_FALSE(store.keyExists("MISSING.MAP"));
    EXPECT_FALSE(store.openKey("MISSING.MAP", false));
    EXPECT_FALSE(store.keyExists("MISSING.MAP")) << "opening without create must not create";

    store.writeInt("", "MISSING.MAP", 1);  // a value of that name is not the key
    EXPECT_FALSE(store.keyExists("MISSING.MAP"));

    store.writeInt("WRITTEN.MAP", "Zoom", 1);  // a write creates its key
    EXPECT_TRUE(store.keyExists("written.map"));

    ASSERT_TRUE(store.openKey("NEW.MAP", true));
    ASSERT_TRUE(store.openKey("new.map", true));
    EXPECT_TRUE(store.keyExists("New.Map"));
    QSettings raw(copyOfFile(), QSettings::IniFormat);
    EXPECT_EQ(raw.childGroups(), (QStringList{"WRITTEN.MAP"}));
}

TEST_F(SettingsFile, AwkwardKeyAndValueNamesStayApart) {
    // Every name is its own key (and its own value name), none nested or merged.
    const std::vector<std::string> names = {
        "a/b", "a\\b", "/", "\\", "//", "a/", "/a", "a|b", "|", "|7C", "|2F", "a|2Fb", "|key",
        "General", "%General", "[x]", "a=b", ";x", "#x", " spaced ", "\xFC" "ber", "a%2Fb", "key",
    };
    {
        QtSettingsBackend store(path_);
        store.writeInt("", "Sentinel", -1);
        store.writeInt("a", "Sentinel", -2);
        store.writeInt("b", "Sentinel", -3);
        for (std::size_t i = 0; i < names.size(); ++i) {
            SCOPED_TRACE(names[i]);
            ASSERT_TRUE(store.openKey(names[i], true));
            store.writeInt(names[i], "Sentinel", static_cast<std::int32_t>(i));
            store.writeInt(names[i], names[i], static_cast<std::int32_t>(100 + i));
            store.writeInt("", names[i], static_cast<std::int32_t>(200 + i));
        }
        store.writeText("", "", "empty name");
    }
    QtSettingsBackend store(copyOfFile());
    EXPECT_EQ(store.readInt("", "Sentinel"), -1);
    EXPECT_EQ(store.readInt("a", "Sentinel"), -2);
    EXPECT_EQ(store.readInt("b", "Sentinel"), -3);
    EXPECT_EQ(store.readText("", ""), "empty name");
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_TRUE(store.keyExists(names[i]));
        EXPECT_EQ(store.readInt(names[i], "Sentinel"), static_cast<std::int32_t>(i));
        EXPECT_EQ(store.readInt(names[i], names[i]), static_cast<std::int32_t>(100 + i));
        EXPECT_EQ(store.readInt("", names[i]), static_cast<std::int32_t>(200 + i));
        EXPECT_FALSE(store.valueExists(names[i], ""));
    }
    QSettings raw(copyOfFile(), QSettings::IniFormat);
    EXPECT_EQ(raw.childGroups().size(), static_cast<qsizetype>(names.size() + 2));
    for (const QString& group : raw.childGroups()) {
        raw.beginGroup(group);
        EXPECT_TRUE(raw.childGroups().isEmpty()) << "nested below " << group.toStdString();
        raw.endGroup();
    }
}

TEST_F(SettingsFile, SlashInAKeyNameDoesNotReachOtherKeys) {
    QtSettingsBackend store(path_);
    ASSERT_TRUE(store.openKey("x/y", true));
    store.writeInt("x\\y", "v", 1);
    store.writeInt("x/y", "v", 2);
    EXPECT_TRUE(store.keyExists("X/Y"));
    EXPECT_FALSE(store.keyExists("x"));
    EXPECT_FALSE(store.keyExists("y"));
    EXPECT_FALSE(store.valueExists("", "x"));
    EXPECT_EQ(store.readInt("x\\y", "v"), 1);
    EXPECT_EQ(store.readInt("x/y", "v"), 2);
    store.writeInt("", "p/q", 3);
    EXPECT_FALSE(store.keyExists("p"));
    EXPECT_EQ(store.readInt("", "P/Q"), 3);
}

TEST_F(SettingsFile, GeneralKeyIsNotTheProgramKey) {
    {
        QtSettingsBackend store(path_);
        store.writeText("", "v", "program");
        for (const char* key : {"General", "GENERAL", "general"}) {
            store.writeText(key, "v", key);
        }
    }
    QtSettingsBackend store(copyOfFile());
    EXPECT_EQ(store.readText("", "v"), "program");
    EXPECT_EQ(store.readText("general", "v"), "general");
}

TEST_F(SettingsFile, HandEditedDuplicatesBecomeOneValue) {
    struct Case {
        const char* what;
        const char* extraGroup;  // appended to the file
        int linesLeft;
    };
    const Case cases[] = {
        {"plain duplicates", "", 1},
        // QSettings cannot remove such a value without the key of that name;
        // the key must keep its values, and the spelling written stays first.
        {"a key spelt like the second spelling", "[autoload]\nv=dword:00000001\n", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(QByteArray(
                      "[General]\n"
                      "Autoload=sz:first\n"
                      "autoload=sz:second\n"
                      "[GAME.MAP]\n"
                      "Zoom=dword:00000002\n"
                      "[game.map]\n"
                      "Title=sz:t\n") +
                  c.extraGroup);
        const QString path = copyOfFile();
        {
            QtSettingsBackend store(path);
            // Both spellings of the key count as the key.
            EXPECT_EQ(store.readInt("Game.Map", "zoom"), 2);
            EXPECT_EQ(store.readText("Game.Map", "title"), "t");
            EXPECT_EQ(store.readText("", "AUTOLOAD"), "first");
            store.writeText("", "AUTOLOAD", "new");
            EXPECT_EQ(store.readText("", "autoload"), "new");
            store.writeText("GAME.MAP", "TITLE", "u");
        }
        EXPECT_EQ(linesNamed("General", "autoload", path), c.linesLeft);
        QtSettingsBackend store(copyOfFile(path));
        EXPECT_EQ(store.readText("", "Autoload"), "new");
        EXPECT_EQ(store.readText("game.map", "Title"), "u");
        EXPECT_EQ(store.readInt("GAME.MAP", "Zoom"), 2);
        if (*c.extraGroup) {
            EXPECT_EQ(store.readInt("autoload", "v"), 1);
        }
    }
}

TEST_F(SettingsFile, PartlyUnreadableFileStillOpensAndKeepsWhatWasRead) {
    writeFile("[General]\nZoom=dword:00000003\n[broken\nTitle=sz:t\n");
    QtSettingsBackend store(path_);
    EXPECT_TRUE(store.openKey("", true));
    EXPECT_TRUE(store.openKey("NEW.MAP", true));
    store.writeInt("NEW.MAP", "Zoom", 2);
    store.writeInt("", "Other", 1);
    QtSettingsBackend reopened(copyOfFile());
    EXPECT_EQ(reopened.readInt("", "Zoom"), 3);
    EXPECT_EQ(reopened.readInt("", "Other"), 1);
    EXPECT_TRUE(reopened.keyExists("NEW.MAP"));
}

TEST(SettingsStoreAccess, OpenFailsWhereTheFolderCannotBeMade) {
    const char* layouts[] = {"blocker/Trevanor.conf", "blocker/Pellam/Trevanor.conf"};
    for (const char* layout : layouts) {
        SCOPED_TRACE(layout);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString blocker = dir.filePath("blocker");
        {
            QFile file(blocker);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        const QString path = dir.filePath(layout);
        QtSettingsBackend store(path);
        EXPECT_FALSE(store.openKey("", true));
        EXPECT_FALSE(store.openKey("GAME.MAP", true));
        EXPECT_TRUE(store.openKey("", false));
        EXPECT_FALSE(store.openKey("GAME.MAP", false));
        store.writeInt("", "Zoom", 1);  // cannot reach the disk; must not crash
        EXPECT_FALSE(QFile::exists(path));

        // Once the way is clear the same object writes again.
        ASSERT_TRUE(QFile::remove(blocker));
        EXPECT_TRUE(store.openKey("GAME.MAP", true));
        store.writeInt("GAME.MAP", "Zoom", 4);
        ASSERT_TRUE(QFile::exists(path));
        const QString copy = dir.filePath("copy.conf");
        ASSERT_TRUE(QFile::copy(path, copy));
        QtSettingsBackend reopened(copy);
        EXPECT_EQ(reopened.readInt("GAME.MAP", "Zoom"), 4);
    }
}

// File permissions do not bind the superuser: run as root (as CI runs), the
// store is opened by a child that has become an ordinary user, the file its
// own and read-only, in a folder it may not write.
TEST(SettingsStoreAccess, OpenFailsOnAReadOnlyFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("t.conf");
    {
        QtSettingsBackend store(path);
        store.writeInt("", "Zoom", 1);
    }
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));
    const auto check = [&path] {
        QtSettingsBackend store(path);
        return !store.openKey("", true) && store.openKey("", false) && store.readInt("", "Zoom") == 1;
    };
    if (geteuid() != 0) {
        EXPECT_TRUE(check());
        return;
    }
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther));
    ASSERT_EQ(chown(path.toLocal8Bit().constData(), 65534, 65534), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) _exit(setgid(65534) == 0 && setuid(65534) == 0 && check() ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "as user 65534: the store opened for writing";
}

TEST(SettingsStoreAccess, DefaultStoreIsTrevanorConfInTheUserConfigFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QtSettingsBackend store;
    const QString expected = QDir(dir.path()).filePath("Pellam/Trevanor.conf");
    // Stop before anything is written if the store is not in the test folder.
    ASSERT_EQ(store.fileName(), expected);
    ASSERT_TRUE(store.openKey("", true));
    store.writeInt("", "Zoom", 9);
    EXPECT_TRUE(QFile::exists(expected));
}

}  // namespace
