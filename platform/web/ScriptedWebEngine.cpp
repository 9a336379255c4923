#include "web/ScriptedWebEngine.h"

#include "vb/Form.h"
#include "vb/Runtime.h"

#include <QWidget>

#include <algorithm>

namespace vb {

ScriptedWebEngine::ScriptedWebEngine(ScriptedWebEngineFactory& factory, WebBrowser& control, QWidget* parent)
    : m_factory(&factory), m_control(control), m_view(new QWidget(parent))
{
    factory.m_engines.push_back(this);
    ++factory.m_created;
}

ScriptedWebEngine::~ScriptedWebEngine()
{
    if (m_factory) {
        auto& engines = m_factory->m_engines;
        engines.erase(std::remove(engines.begin(), engines.end(), this), engines.end());
    }
    delete m_view.data();
}

bool ScriptedWebEngine::goBack()
{
    ++m_backCalls;
    return m_canGoBack;
}

bool ScriptedWebEngine::goForward()
{
    ++m_forwardCalls;
    return m_canGoForward;
}

void ScriptedWebEngine::print(bool promptUser)
{
    ++m_printCalls;
    m_lastPrompt = promptUser;
}

void ScriptedWebEngine::saveAs(bool promptUser)
{
    ++m_saveCalls;
    m_lastPrompt = promptUser;
}

int ScriptedWebEngine::searchCalls() const
{
    if (!m_factory)
        return 0;
    return static_cast<int>(m_navigations.count(m_factory->searchPage()));
}

// Every event is one engine callback: work the handler defers runs when it returns.
template <class F> auto ScriptedWebEngine::fire(F&& f)
{
    Runtime::EngineCallbackScope scope(m_control.form().runtime(), false);
    return std::forward<F>(f)();
}

void ScriptedWebEngine::fireBeforeNavigate2()
{
    fire([this] { m_control.engineBeforeNavigate2(); });
}

void ScriptedWebEngine::fireDownloadBegin()
{
    fire([this] { m_control.engineDownloadBegin(); });
}

void ScriptedWebEngine::fireProgressChange(qint32 progress, qint32 progressMax)
{
    fire([&] { m_control.engineProgressChange(progress, progressMax); });
}

void ScriptedWebEngine::fireNavigateComplete2(const QString& address)
{
    fire([&] { m_control.engineNavigateComplete2(address); });
}

bool ScriptedWebEngine::fireNavigateError(PageFailure failure, const QString& address)
{
    return fire([&] { return m_control.engineNavigateError(failure, address); });
}

void ScriptedWebEngine::firePageTrouble(PageFailure failure)
{
    fire([&] { m_control.enginePageTrouble(failure); });
}

bool ScriptedWebEngine::fireNewWindowCheck()
{
    return fire([this] { return m_control.engineNewWindowCheck(); });
}

void ScriptedWebEngine::fireDownloadComplete()
{
    fire([this] { m_control.engineDownloadComplete(); });
}

void ScriptedWebEngine::fireSameDocumentNavigate(const QString& address)
{
    fire([&] { m_control.engineSameDocumentNavigate(address); });
}

void ScriptedWebEngine::fireFileDownload()
{
    fire([this] { m_control.engineFileDownload(); });
}

WebBrowser* ScriptedWebEngine::fireNewWindow2()
{
    return fire([this]() -> WebBrowser* {
        WebBrowser* target = m_control.engineNewWindow2();
        // As with the real engine, the new window's page belongs to the handed-back control.
        if (target)
            target->ensureEngine();
        return target;
    });
}

void ScriptedWebEngine::completeNavigation(const QString& address)
{
    fireBeforeNavigate2();
    fireDownloadBegin();
    fireProgressChange(0, 100);
    fireNavigateComplete2(address);
    fireProgressChange(100, 100);
    fireDownloadComplete();
}

// --- factory ---

ScriptedWebEngineFactory::ScriptedWebEngineFactory(QString searchPage) : m_searchPage(std::move(searchPage)) {}

ScriptedWebEngineFactory::~ScriptedWebEngineFactory()
{
    for (ScriptedWebEngine* engine : m_engines) {
        engine->m_factory = nullptr;
        delete engine->m_view.data();
    }
}

std::unique_ptr<WebEngine> ScriptedWebEngineFactory::create(WebBrowser& control, QWidget* parent)
{
    return std::make_unique<ScriptedWebEngine>(*this, control, parent);
}

ScriptedWebEngine* ScriptedWebEngineFactory::engineFor(const WebBrowser& control) const
{
    for (ScriptedWebEngine* engine : m_engines)
        if (&engine->control() == &control)
            return engine;
    return nullptr;
}

} // namespace vb
