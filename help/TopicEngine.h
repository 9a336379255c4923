#pragma once
// The topic engine: what the help window calls to write its pages. The window's topic
// list, step images and Restart button call TopicShowSelected, TopicStepBack and
// TopicStepContinue; every click on the imitation of the browser's window changes the
// demonstration state (TopicVars) as the real button would change the browser, then
// asks for one page with TopicPageShow.
//
// This class writes the overview page (topic 0) and offers the pieces every page shares.
// The topics themselves are written by a subclass that overrides the three dispatchers
// and TopicPageShow; HelpConfig::topicEngine (or the default in HelpApp.cpp) builds it.

#include "HelpDeclaration.h"

#include <QString>

namespace corvanehelp {

class HelpApp;
class frmMain;

// The procedure's name of a page ("TopicPageButtonShow", "TopicTabsTabDemo", ...).
QString TopicPageProcedure(TopicPage page);

class TopicEngine {
public:
    explicit TopicEngine(HelpApp& app);
    virtual ~TopicEngine();
    TopicEngine(const TopicEngine&) = delete;
    TopicEngine& operator=(const TopicEngine&) = delete;

    // Shows topic TopicIndex from its first page. This engine writes the overview for
    // topic 0 and only the topic's title for the others.
    virtual void TopicShowSelected();
    // One step back or forward in a stepped topic (the Go Back and Continue images).
    virtual void TopicStepBack();
    virtual void TopicStepContinue();
    // A page of the imitation. This engine writes none.
    virtual void TopicPageShow(TopicPage page);

    // --- what every page shares ---
    // Step images and Restart from StepState and StepNumber.
    void TopicStepButtonsUpdate();
    // Only FrameIntro(IntroFrameIndex) visible.
    void TopicIntroFrameShow();
    // The overview page (topic 0): sets up the imitation's buttons and demonstration state.
    void TopicMainWindowShow();
    // The focus to the window's picture box, unless start-up is still running.
    void FocusRest();

protected:
    HelpApp& app;
    frmMain& window() const;
};

} // namespace corvanehelp
