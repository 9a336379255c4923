#include "sys/SettingsStore.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;
using sys::SettingsStore;

TEST(SettingsStore, AbsentValuesAndRoundTrip)
{
    QTemporaryDir dir;
    SettingsStore store(dir.path() + "/Tavolin.ini"_L1);
    EXPECT_EQ(store.get(u"Corvane"_s, u"HomePage"_s), QString());

    const QString values[] = {
        u"http://velmora.example/a?b=c&d=e"_s, u"a, b, c"_s, u"  padded  "_s, u"C:\\old\\path"_s,
        u"\"quoted\"; not a comment"_s, u"@Variant(x)"_s, u"Grüße ☃"_s, QString(),
    };
    for (const QString& v : values) {
        SCOPED_TRACE(v.toStdString());
        ASSERT_TRUE(store.set(u"Corvane"_s, u"HomePage"_s, v));
        EXPECT_EQ(store.get(u"Corvane"_s, u"HomePage"_s), v);
    }
    ASSERT_TRUE(store.set(u"General"_s, u"Key"_s, u"g"_s));
    ASSERT_TRUE(store.set(u"Other"_s, u"Key"_s, u"o"_s));
    EXPECT_EQ(store.get(u"General"_s, u"Key"_s), u"g"_s);
    EXPECT_EQ(store.get(u"Other"_s, u"Key"_s), u"o"_s);
    EXPECT_EQ(store.get(u"Other"_s, u"Missing"_s), QString());
}

TEST(SettingsStore, TwoStoresOnOneFileSeeEachOther)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/shared.ini"_L1;
    SettingsStore browser(path);
    SettingsStore help(path);
    ASSERT_TRUE(browser.set(u"Help"_s, u"Open"_s, u"1"_s));
    EXPECT_EQ(help.get(u"Help"_s, u"Open"_s), u"1"_s);
    ASSERT_TRUE(help.set(u"Help"_s, u"Open"_s, u"0"_s));
    EXPECT_EQ(browser.get(u"Help"_s, u"Open"_s), u"0"_s);
    // Written at once, not when the store goes away.
    EXPECT_TRUE(testsupport::readFile(path).contains("Open=0"));
}

TEST(SettingsStore, FailedWriteIsReported)
{
    QTemporaryDir dir;
    ASSERT_TRUE(testsupport::writeFile(dir.path() + "/file"_L1, "x"));
    SettingsStore store(dir.path() + "/file/Tavolin.ini"_L1);
    EXPECT_FALSE(store.set(u"A"_s, u"B"_s, u"C"_s));
    EXPECT_FALSE(store.set({{u"A"_s, u"B"_s, u"C"_s}, {u"D"_s, u"E"_s, u"F"_s}}));
}

TEST(SettingsStore, SeveralValuesInOneWriteKeepTheOthers)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/Tavolin.ini"_L1;
    SettingsStore store(path);
    ASSERT_TRUE(store.set(u"Members"_s, u"Kept"_s, u"old"_s));
    ASSERT_TRUE(store.set({{u"Count"_s, u"Last"_s, u"3"_s},
                           {u"Members"_s, u"Member3"_s, u"Corvane"_s},
                           {u"Folders"_s, u"Member3"_s, u"/opt/a, b/"_s}}));
    // Another reader of the file sees every value, and what was there before stays.
    SettingsStore other(path);
    EXPECT_EQ(other.get(u"Count"_s, u"Last"_s), u"3"_s);
    EXPECT_EQ(other.get(u"Members"_s, u"Member3"_s), u"Corvane"_s);
    EXPECT_EQ(other.get(u"Folders"_s, u"Member3"_s), u"/opt/a, b/"_s);
    EXPECT_EQ(other.get(u"Members"_s, u"Kept"_s), u"old"_s);
}

TEST(SettingsStore, DefaultPathIsTheUsersConfigurationFolder)
{
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    ASSERT_FALSE(config.isEmpty());
    const QString path = SettingsStore::defaultPath();
    EXPECT_TRUE(path.startsWith(config + u'/')) << path.toStdString();
    EXPECT_TRUE(path.endsWith("Tavolin.ini"_L1)) << path.toStdString();
}
