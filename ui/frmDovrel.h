#pragma once
// The main window: the board, the take panel, the scoreboard and the menus.
#include <QPixmap>
#include <optional>

#include "game/game.h"
#include "game/indexed.h"
#include "game/random.h"
#include "game/view.h"
#include "ui/forms.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QFrame;

namespace dovrel {

class Announcer;
class PictureBox;
class ShapeItem;
class LineItem;
class TextBox;

class frmDovrel final : public Form, public BoardView {
    Q_OBJECT
public:
    frmDovrel();
    ~frmDovrel() override;

    Game& game() { return game_; }
    // True while a deal, take, slide or computer move of this window runs.
    bool busy() const { return busy_ > 0; }

    // BoardView
    Kind tokenKind(int k) const override;
    void showToken(int k, Kind kind) override;
    void clearToken(int k) override;
    void setEnabled(Ctl c, bool on, int index = 0) override;
    bool isEnabled(Ctl c, int index = 0) const override;
    void setVisible(Ctl c, bool on) override;
    bool isVisible(Ctl c) const override;
    void setCaption(Ctl c, const QString& text, int index = 0) override;
    QString caption(Ctl c, int index = 0) const override;
    void setBackColor(Ctl c, int index, Color color) override;
    void setForeColor(Ctl c, int index, Color color) override;
    void setBold(Ctl c, bool bold) override;
    void setLeft(Ctl c, int twips) override;
    void setValue(Ctl c, bool on, int index = 0) override;
    bool value(Ctl c, int index = 0) const override;
    bool canFocus(Ctl c) const override;
    void setFocus(Ctl c) override;
    void selectText(Ctl c, int start, int length) override;
    void doEvents() override;
    void pause(const std::function<double()>& seconds, bool processEvents) override;
    void turnBegins() override;
    Answer msgBox(const QString& text, MsgStyle style, const QString& title) override;
    void showWindow() override;
    void showWinnerDialog() override;

    // The controls, by their names.
    QMenuBar* menuBar = nullptr;
    QMenu* mnuGame = nullptr;
    QAction* mnuNewGame = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuOptions = nullptr;
    QAction* mnuViewKey = nullptr;
    QAction* mnuSound = nullptr;
    QMenu* mnuSpeed = nullptr;
    QAction* mnuNormalSpeed = nullptr;
    QAction* mnuFasterSpeed = nullptr;
    QAction* mnuFastestSpeed = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpTopics = nullptr;
    QAction* mnuAbout = nullptr;

    QWidget* board = nullptr;  // the client area below the menu bar
    QPushButton* cmdImmed = nullptr;
    QPushButton* cmdQuit = nullptr;
    QFrame* fraSpeed = nullptr;
    QRadioButton* optNormal = nullptr;
    QRadioButton* optFaster = nullptr;
    QRadioButton* optFastest = nullptr;
    QLabel* lblSpeed = nullptr;
    QGroupBox* fraPlayer = nullptr;
    Indexed<QRadioButton*, 2, 6> optPick;  // only 2, 4 and 6 exist
    TextBox* txtPick = nullptr;
    QPushButton* cmdOK = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblImmed = nullptr;
    ShapeItem* shpImmed = nullptr;
    PictureBox* imgNeg = nullptr;
    PictureBox* imgNeutral = nullptr;
    PictureBox* imgPos = nullptr;
    Indexed<QLabel*, 1, 2> lblWins;
    LineItem* Line3 = nullptr;
    PictureBox* imgStart = nullptr;
    PictureBox* imgLogo = nullptr;
    PictureBox* imgKey = nullptr;
    Indexed<QLabel*, 1, 2> lblScore;
    Indexed<QLabel*, 1, 2> lblPlayer;
    LineItem* Line2 = nullptr;
    LineItem* Line1 = nullptr;
    ShapeItem* Shape2 = nullptr;
    Indexed<QLabel*, 1, 6> lblPoints;
    ShapeItem* Shape1 = nullptr;
    QWidget* row = nullptr;  // holds imgImage, and nothing else
    Indexed<PictureBox*, 0, 73> imgImage;
    // The news of the game, for a screen reader alone.
    Announcer* news = nullptr;

public slots:
    void Form_Activate() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void connectHandlers();

    // The commands outside a turn.
    void cmdQuit_Click();
    void mnuExit_Click();
    void mnuNewGame_Click();
    void mnuHelpTopics_Click();
    void mnuAbout_Click();

    QWidget* control(Ctl c, int index) const;
    QAction* menuItem(Ctl c) const;
    PictureBox* templateFor(Kind kind) const;

    // Runs a handler of the game. Once the window has gone, the running
    // action stops and the window is deleted when the outermost one returns.
    template <class F>
    void run(F&& handler);
    void unload();
    // Tells a screen reader what the game has done since it was last told.
    void tellNews();

    Pcg32Random rng_;
    Game game_;
    int busy_ = 0;
    // The game's milestones when an activation came in during the window's
    // work; empty while none waits.
    std::optional<int> activationWaiting_;
    bool turnToTell_ = false;
    bool matchTold_ = false;  // the first turn of this window's match was told
};

}  // namespace dovrel
