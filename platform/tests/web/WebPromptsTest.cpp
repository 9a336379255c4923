// What the web control does on its own, on the real engine and loopback pages: files a link
// offers are saved where the user says, a page's alert, confirm and prompt, file fields,
// sites that ask for a name and password, certificates nobody vouches for, and requests for
// the camera, the location or notifications. Tests answer through the factory, and some
// through the dialog with real keys (a page's own dialog: PageDialogsTest, HostilePagesTest).

#include "EngineFixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWebEngineProfile>

using namespace Qt::StringLiterals;
using testsupport::runScript;
using testsupport::waitFor;
using testsupport::whenModal;
using vb::PageAnswer;

namespace {

class WebPromptsTest : public webtest::EngineFixture {
protected:
    WebPromptsTest()
    {
        form->show();
        factory->tellDownloadFailure = [this](const QString& text) { failures << text; };
    }
    ~WebPromptsTest() override { QDir(QDir::home().filePath(u"Downloads"_s)).removeRecursively(); }

    // Puts a link (or another element) on the page shown and clicks it as a user does.
    void click(const QString& html, const QString& id)
    {
        runScript(form->first, u"document.body.innerHTML = \"%1\"; true"_s.arg(html));
        const QVariantList at = testsupport::clickPointOf(form->first, id);
        ASSERT_EQ(at.size(), 2);
        testsupport::clickAt(form->first, QPoint(at[0].toInt(), at[1].toInt()));
    }

    QStringList partialFiles() const
    {
        return QDir(storage + u"/cache/Partial downloads"_s).entryList(QDir::Files | QDir::Hidden);
    }

    QStringList failures;
};

TEST_F(WebPromptsTest, ALinkToAFileIsSavedWhereTheUserSays)
{
    load(server.url(u"/ok"_s));
    QStringList offered;
    const QString target = storage + u"/saved/report.txt"_s;
    QDir().mkpath(storage + u"/saved"_s);
    factory->askDownloadPath = [&](const QString& where) {
        offered << where;
        EXPECT_FALSE(rt.inEngineCallback());
        return target;
    };
    click(u"<a id=file href='/download' style='display:block;height:30px'>file</a>"_s, u"file"_s);
    ASSERT_TRUE(waitFor([&] { return testsupport::readFile(target) == webtest::downloadBody; }));
    // Offered under the site's name in the user's download folder, made for it.
    EXPECT_EQ(offered, QStringList{QDir::home().filePath(u"Downloads/report 1.txt"_s)});
    EXPECT_EQ(factory->pendingDownloads(), 0);
    EXPECT_EQ(partialFiles(), QStringList());
    EXPECT_EQ(failures, QStringList());
    EXPECT_EQ(form->first.locationURL(), server.url(u"/ok"_s));

    // The next one is offered where the user saved the last; a file the user chose to
    // replace is replaced.
    ASSERT_TRUE(testsupport::writeFile(target, "old content"));
    load(server.url(u"/download"_s));
    ASSERT_TRUE(waitFor([&] { return testsupport::readFile(target) == webtest::downloadBody; }));
    EXPECT_EQ(offered.value(1), storage + u"/saved/report 1.txt"_s);
    EXPECT_EQ(factory->pendingDownloads(), 0);
    EXPECT_EQ(partialFiles(), QStringList());
}

TEST_F(WebPromptsTest, ADeclinedDownloadLeavesNothingBehind)
{
    load(server.url(u"/ok"_s));
    int asked = 0;
    factory->askDownloadPath = [&](const QString&) {
        ++asked;
        return QString();
    };
    load(server.url(u"/download"_s));
    ASSERT_TRUE(waitFor([&] { return asked == 1 && factory->pendingDownloads() == 0; }));
    EXPECT_TRUE(waitFor([&] { return partialFiles().isEmpty(); }));
    EXPECT_EQ(failures, QStringList());
    EXPECT_EQ(QDir::home().entryList({u"report*"_s}), QStringList());
}

TEST_F(WebPromptsTest, ADownloadThatCannotBeSavedSaysSo)
{
    load(server.url(u"/ok"_s));
    // The transfer breaks off.
    const QString target = storage + u"/broken.txt"_s;
    factory->askDownloadPath = [&](const QString&) { return target; };
    load(server.url(u"/broken"_s));
    ASSERT_TRUE(waitFor([&] { return failures.size() == 1; }));
    EXPECT_TRUE(failures[0].startsWith(u"report 1.txt could not be downloaded."_s)) << failures[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(target));

    // The place the user chose cannot take it.
    const QString nowhere = storage + u"/no such folder/report.txt"_s;
    factory->askDownloadPath = [&](const QString&) { return nowhere; };
    load(server.url(u"/download"_s));
    ASSERT_TRUE(waitFor([&] { return failures.size() == 2; }));
    EXPECT_EQ(failures[1], u"report 1.txt could not be saved as %1."_s.arg(nowhere));
    EXPECT_EQ(factory->pendingDownloads(), 0);
    EXPECT_EQ(partialFiles(), QStringList());
}

// Qt's own dialogs open in the user's folders, not in the program's (the current folder).
TEST_F(WebPromptsTest, FileDialogsOpenInTheUsersFolders)
{
    load(server.url(u"/ok"_s));
    ASSERT_NE(QDir::currentPath(), QDir::homePath());
    QDir::home().mkpath(u"Downloads"_s);
    const QString downloads = QDir::home().filePath(u"Downloads"_s);

    // The download dialog, answered with real keys.
    const QString target = downloads + u"/kept.txt"_s;
    QString folder;
    whenModal([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_TRUE(files);
        folder = files->directory().absolutePath();
        QWidget* input = QApplication::focusWidget();
        ASSERT_TRUE(qobject_cast<QLineEdit*>(input));
        EXPECT_EQ(qobject_cast<QLineEdit*>(input)->text(), u"report 1.txt"_s);
        QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(input, u"kept.txt"_s);
        QTest::keyClick(input, Qt::Key_Return);
    });
    load(server.url(u"/download"_s));
    ASSERT_TRUE(waitFor([&] { return testsupport::readFile(target) == webtest::downloadBody; }));
    EXPECT_EQ(folder, downloads);

    // Save As.
    folder.clear();
    QString name;
    whenModal([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_TRUE(files);
        folder = files->directory().absolutePath();
        name = files->selectedFiles().value(0);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    form->first.execWB(vb::WebBrowser::ExecSaveAs, vb::WebBrowser::PromptUser);
    ASSERT_TRUE(waitFor([&] { return !folder.isEmpty(); }));
    EXPECT_EQ(folder, downloads);
    EXPECT_EQ(QFileInfo(name).fileName(), u"ok.html"_s);

    // A file field of the page.
    folder.clear();
    whenModal([&](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_TRUE(files);
        folder = files->directory().absolutePath();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    click(u"<input id=pick type=file style='display:block;width:200px;height:30px'>"_s, u"pick"_s);
    ASSERT_TRUE(waitFor([&] { return !folder.isEmpty(); }));
    EXPECT_EQ(folder, QDir::homePath());
}

TEST_F(WebPromptsTest, FileFieldsGetTheFilesTheUserPicks)
{
    load(server.url(u"/ok"_s));
    const QString first = QDir::home().filePath(u"letters/one.txt"_s);
    const QString second = QDir::home().filePath(u"letters/two.txt"_s);
    ASSERT_TRUE(testsupport::writeFile(first, "1"));
    ASSERT_TRUE(testsupport::writeFile(second, "22"));
    QList<QPair<QWebEnginePage::FileSelectionMode, QString>> asked;
    factory->askFiles = [&](QWebEnginePage::FileSelectionMode mode, const QString& folder) {
        asked.append({mode, folder});
        return mode == QWebEnginePage::FileSelectOpenMultiple ? QStringList{first, second} : QStringList{first};
    };
    click(u"<input id=pick type=file style='display:block;width:200px;height:30px'>"_s, u"pick"_s);
    ASSERT_TRUE(waitFor([&] { return runScript(form->first, u"document.getElementById('pick').files.length"_s).toInt() == 1; }));
    EXPECT_EQ(runScript(form->first, u"document.getElementById('pick').files[0].name"_s).toString(), u"one.txt"_s);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].first, QWebEnginePage::FileSelectOpen);
    EXPECT_EQ(asked[0].second, QDir::homePath());

    click(u"<input id=many type=file multiple style='display:block;width:200px;height:30px'>"_s, u"many"_s);
    ASSERT_TRUE(waitFor([&] { return runScript(form->first, u"document.getElementById('many').files.length"_s).toInt() == 2; }));
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[1].first, QWebEnginePage::FileSelectOpenMultiple);
    EXPECT_EQ(runScript(form->first, u"document.getElementById('many').files[1].size"_s).toInt(), 2);

    // Nothing picked: the field stays empty.
    factory->askFiles = [&](QWebEnginePage::FileSelectionMode mode, const QString& folder) {
        asked.append({mode, folder});
        return QStringList();
    };
    runScript(form->first, u"window.changed = false; true"_s);
    click(u"<input id=none type=file onchange='window.changed = true' "
          "style='display:block;width:200px;height:30px'>"_s, u"none"_s);
    ASSERT_TRUE(waitFor([&] { return asked.size() == 3; }));
    EXPECT_EQ(runScript(form->first, u"document.getElementById('none').files.length + ' ' + changed"_s).toString(),
              u"0 false"_s);
}

TEST_F(WebPromptsTest, AlertConfirmAndPromptGetTheAnswerGiven)
{
    load(server.url(u"/ok"_s));
    const QString site = u"127.0.0.1:%1"_s.arg(server.port());
    struct Row {
        QString script;
        PageAnswer given;
        QString expected; // what the script returns, as text
        QString asked;    // kind, site, text and value of the question
    };
    const Row rows[] = {
        {u"alert('hello'); 'after'"_s, {}, u"after"_s, u"alert|%1|hello|"_s},
        {u"confirm('yes?')"_s, {true, {}, false}, u"true"_s, u"confirm|%1|yes?|"_s},
        {u"confirm('no?')"_s, {false, {}, false}, u"false"_s, u"confirm|%1|no?|"_s},
        {u"prompt('name?', 'given')"_s, {true, u"typed"_s, false}, u"typed"_s, u"prompt|%1|name?|given"_s},
        {u"String(prompt('cancel?', 'x'))"_s, {false, u"ignored"_s, false}, u"null"_s, u"prompt|%1|cancel?|x"_s},
    };
    const char* const kinds[] = {"alert", "confirm", "prompt", "leave"};
    for (const Row& row : rows) {
        QString asked;
        factory->answerPage = [&](const vb::PageQuestion& q, bool) {
            asked = QString::fromLatin1(kinds[int(q.kind)]) + u"|"_s + q.site + u"|"_s + q.text + u"|"_s + q.value;
            return row.given;
        };
        EXPECT_EQ(runScript(form->first, row.script).toString(), row.expected) << row.script.toStdString();
        EXPECT_EQ(asked, row.asked.arg(site)) << row.script.toStdString();
    }
}

TEST_F(WebPromptsTest, ASiteAsksForANameAndPassword)
{
    load(server.url(u"/ok"_s));
    QStringList asked;
    QList<QPair<QString, QString>> answers = {{u"reader"_s, u"wrong"_s},
                                              {QString::fromLatin1(webtest::authUser), QString::fromLatin1(webtest::authPassword)}};
    factory->askCredentials = [&](const QString& site, const QString& realm, QString& user, QString& password) {
        asked << site + u" "_s + realm;
        if (answers.isEmpty())
            return false;
        std::tie(user, password) = answers.takeFirst();
        return true;
    };
    log.clear();
    load(server.url(u"/auth"_s));
    EXPECT_TRUE(committed(log.events, server.url(u"/auth"_s)));
    EXPECT_EQ(asked, QStringList(2, u"127.0.0.1 Corvane <test>"_s));
    EXPECT_EQ(runScript(form->first, u"document.body.innerText"_s).toString(), u"welcome in"_s);

    // Cancelled: the server's refusal is shown as the page, and nothing more is asked.
    asked.clear();
    log.clear();
    load(server.url(u"/locked"_s));
    EXPECT_TRUE(committed(log.events, server.url(u"/locked"_s)));
    EXPECT_EQ(runScript(form->first, u"document.body.innerText"_s).toString(), u"refused"_s);
    load(address(u"b.html"_s));
    EXPECT_EQ(asked, QStringList{u"127.0.0.1 locked room"_s});
    EXPECT_LE(server.requests().count(u"/locked"_s), 2);
}

TEST_F(WebPromptsTest, TheNameAndPasswordDialogTakesRealKeys)
{
    load(server.url(u"/ok"_s));
    QString told;
    whenModal([&](QWidget* dialog) {
        ASSERT_EQ(dialog->objectName(), u"credentials"_s);
        for (QLabel* label : dialog->findChildren<QLabel*>())
            if (label->text().contains(u"Corvane"_s))
                told = label->text();
        QWidget* input = QApplication::focusWidget();
        ASSERT_TRUE(input && input->objectName() == u"user"_s);
        QTest::keyClicks(input, QString::fromLatin1(webtest::authUser));
        QTest::keyClick(input, Qt::Key_Tab);
        input = QApplication::focusWidget();
        ASSERT_TRUE(input && input->objectName() == u"password"_s);
        QTest::keyClicks(input, QString::fromLatin1(webtest::authPassword));
        QTest::keyClick(input, Qt::Key_Return);
    });
    load(server.url(u"/auth"_s));
    EXPECT_EQ(runScript(form->first, u"document.body.innerText"_s).toString(), u"welcome in"_s);
    // The server's realm is shown as the text it is.
    EXPECT_EQ(told, u"127.0.0.1 asks for a user name and password for \"Corvane <test>\"."_s);
}

TEST_F(WebPromptsTest, APageWithACertificateNobodyVouchesForIsNotShown)
{
    testsupport::LoopbackServer secure(&webtest::servedPage, testsupport::LoopbackServer::Scheme::Https);
    load(server.url(u"/ok"_s));
    log.clear();
    load(secure.url(u"/secret"_s));
    EXPECT_EQ(log.events, QStringList({u"BeforeNavigate2"_s, u"DownloadBegin"_s, u"ProgressChange"_s, u"NavigateError"_s,
                                       u"DownloadComplete"_s}));
    EXPECT_EQ(form->first.locationURL(), server.url(u"/ok"_s));
    EXPECT_EQ(runScript(form->first, u"document.body.innerText"_s).toString(), u"served /ok"_s);
}

TEST_F(WebPromptsTest, RequestsForTheLocationAndNotificationsAreRefused)
{
    load(server.url(u"/ok"_s));
    runScript(form->first, u"window.answers = [];"
                           "navigator.geolocation.getCurrentPosition(function() { answers.push('location given'); },"
                           "    function(e) { answers.push('location ' + (e.code == e.PERMISSION_DENIED ? 'refused' : e.code)); });"
                           "Notification.requestPermission().then(function(p) { answers.push('notifications ' + p); });"
                           "true"_s);
    ASSERT_TRUE(waitFor([&] { return runScript(form->first, u"answers.length"_s).toInt() == 2; }))
        << runScript(form->first, u"answers.join()"_s).toString().toStdString();
    QStringList answers = runScript(form->first, u"answers.join()"_s).toString().split(u","_s);
    answers.sort();
    EXPECT_EQ(answers, QStringList({u"location refused"_s, u"notifications denied"_s}));
}

} // namespace
