#include "sys/Launcher.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QUrlQuery>

using namespace Qt::StringLiterals;
using sys::SettingsApplet;

TEST(Launcher, MailtoEncodesSubjectAndBody)
{
    const QString subject = u"Bug in Corvane 1.21 & more? yes=no"_s;
    const QString body = u"Line one\r\nLine two #3 100% ü"_s;
    const QUrl url = sys::mailtoUrl(u"bugs@velmora.example"_s, subject, body);
    ASSERT_TRUE(url.isValid());
    EXPECT_EQ(url.toEncoded(),
              QByteArray("mailto:bugs@velmora.example?subject=Bug%20in%20Corvane%201.21%20%26%20more%3F%20yes%3Dno"
                         "&body=Line%20one%0D%0ALine%20two%20%233%20100%25%20%C3%BC"));
    EXPECT_EQ(url.scheme(), u"mailto"_s);
    EXPECT_EQ(url.path(), u"bugs@velmora.example"_s);
    const QUrlQuery q(url);
    EXPECT_EQ(q.queryItemValue(u"subject"_s, QUrl::FullyDecoded), subject);
    EXPECT_EQ(q.queryItemValue(u"body"_s, QUrl::FullyDecoded), body);
}

TEST(Launcher, SettingsToolOfTheDesktop)
{
    QSet<QString> installed;
    const auto find = [&installed](const QString& name) {
        return installed.contains(name) ? "/usr/bin/"_L1 + name : QString();
    };
    using sys::settingsAppletCommand;
    EXPECT_FALSE(settingsAppletCommand(SettingsApplet::InternetProperties, u"GNOME"_s, find));

    installed = {u"gnome-control-center"_s, u"systemsettings5"_s, u"xfce4-settings-manager"_s, u"xfce4-display-settings"_s};
    auto c = settingsAppletCommand(SettingsApplet::InternetProperties, u"ubuntu:GNOME"_s, find);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->program, u"/usr/bin/gnome-control-center"_s);
    EXPECT_EQ(c->args, QStringList{u"network"_s});
    c = settingsAppletCommand(SettingsApplet::DisplayProperties, u"GNOME"_s, find);
    EXPECT_EQ(c->args, QStringList{u"display"_s});

    c = settingsAppletCommand(SettingsApplet::DisplayProperties, u"KDE"_s, find);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->program, u"/usr/bin/systemsettings5"_s);
    EXPECT_EQ(c->args, QStringList{u"kcm_kscreen"_s});

    c = settingsAppletCommand(SettingsApplet::DisplayProperties, u"XFCE"_s, find);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->program, u"/usr/bin/xfce4-display-settings"_s);
    EXPECT_TRUE(c->args.isEmpty());

    // A known desktop never gets another desktop's tool.
    installed = {u"gnome-control-center"_s};
    EXPECT_FALSE(settingsAppletCommand(SettingsApplet::InternetProperties, u"KDE"_s, find));
    // Elsewhere whatever is installed serves.
    c = settingsAppletCommand(SettingsApplet::InternetProperties, u"i3"_s, find);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->program, u"/usr/bin/gnome-control-center"_s);
    EXPECT_TRUE(settingsAppletCommand(SettingsApplet::InternetProperties, QString(), find));
}

// The tools are tried in the table's order until one starts; what did not start, or what
// was looked for when nothing is installed, is kept for the user.
TEST(Launcher, SettingsToolsAreTriedInTurnAndWhatWasTriedIsKept)
{
    struct Case {
        const char* desktops;
        QStringList installed;
        QStringList failing; // installed, but do not start
        bool started;
        QStringList startedOrTried; // what started (one) or what was tried
        bool anyInstalled;
    };
    const Case cases[] = {
        {"KDE", {u"systemsettings"_s, u"systemsettings5"_s}, {}, true, {u"/usr/bin/systemsettings kcm_proxy"_s}, true},
        {"KDE", {u"systemsettings"_s, u"systemsettings5"_s}, {u"systemsettings"_s}, true, {u"/usr/bin/systemsettings5 kcm_proxy"_s}, true},
        {"KDE", {u"systemsettings"_s, u"systemsettings5"_s}, {u"systemsettings"_s, u"systemsettings5"_s}, false,
         {u"systemsettings kcm_proxy"_s, u"systemsettings5 kcm_proxy"_s}, true},
        {"KDE", {}, {}, false, {u"systemsettings"_s, u"systemsettings5"_s}, false},
        {"i3", {}, {}, false, {u"gnome-control-center"_s, u"systemsettings"_s, u"systemsettings5"_s, u"xfce4-settings-manager"_s}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.desktops << " " << c.installed.join(u',').toStdString());
        QStringList starts;
        const auto find = [&c](const QString& name) { return c.installed.contains(name) ? "/usr/bin/"_L1 + name : QString(); };
        const auto start = [&](const sys::Command& cmd) {
            if (c.failing.contains(cmd.program.mid(9)))
                return false;
            starts << (QStringList{cmd.program} + cmd.args).join(u' ');
            return true;
        };
        const sys::SettingsAppletStart r =
            sys::startSettingsApplet(SettingsApplet::InternetProperties, QString::fromLatin1(c.desktops), find, start);
        EXPECT_EQ(r.started, c.started);
        EXPECT_EQ(r.installed, c.anyInstalled);
        EXPECT_EQ(c.started ? starts : r.tried, c.startedOrTried);
        if (c.started) {
            EXPECT_TRUE(r.tried.isEmpty());
        }
    }
}

TEST(Launcher, OpenUrlRefusesRelativeAddresses)
{
    const sys::Launcher l = sys::Launcher::system();
    EXPECT_FALSE(l.openUrl(QUrl(u"--help"_s)));
    EXPECT_FALSE(l.openUrl(QUrl()));
}
