// The main window's commands outside a turn: leaving, a new match, the help.
#include "app/module1.h"
#include "ui/frmAbout.h"
#include "ui/frmDovrel.h"
#include "ui/frmSetup.h"
#include "ui/help.h"

namespace dovrel {

void frmDovrel::cmdQuit_Click()
{
    close();  // the unload handling asks first
}

void frmDovrel::mnuExit_Click()
{
    cmdQuit_Click();
}

void frmDovrel::mnuNewGame_Click()
{
    const Answer a = msgBox(tr("Starting a new game will clear all scores and accumulated wins.") + CrLf + CrLf
                                + tr("Proceed with a new game?"),
                            //: Title of the message box that asks before a new match.
                            MsgStyle::YesNoInformation, tr("New Game: Notice"));
    if (a != Answer::Yes)
        return;
    frmSetup& setup = forms::setupWithNames();
    Module1::instance().CloseReason = QStringLiteral("NO CLICK");
    setup.showModeless();
    close();
}

void frmDovrel::mnuHelpTopics_Click()
{
    setHelpContext(1000);
    help::show(helpContext());
}

void frmDovrel::mnuAbout_Click()
{
    // Loaded anew each time; it deletes itself once closed.
    auto* box = new frmAbout;
    box->showModal();
}

}  // namespace dovrel
