#pragma once
// The help window: the game's own small viewer for its help file.
//
// It stands where an outside help program would stand, so it is deliberately
// not one of the program's forms: it never counts for the activation rule,
// never keeps the program running, and no dialog of the game blocks it.
#include <QList>
#include <QTextBrowser>
#include <QWidget>

class QPushButton;

namespace dovrel {

// Shows only what the help file itself holds, plus the game's own pictures;
// it never fetches anything from disk or from the network.
class HelpBrowser final : public QTextBrowser {
    Q_OBJECT
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override;
};

class HelpViewer final : public QWidget {
    Q_OBJECT
public:
    HelpViewer();

    // Reads the help file afresh and shows a topic; on failure the page says
    // plainly what went wrong.
    void showTopic(int context);
    void followLink(const QUrl& link);
    void goBack();

    // The topic on show, or 0 while the page reports a problem.
    int topic() const { return topic_; }
    QString problem() const { return problem_; }
    bool canGoBack() const { return !history_.isEmpty(); }
    HelpBrowser* browser() const { return browser_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Place {
        int topic;
        int scroll;
    };
    void go(int context, const QString& anchor, bool remember);
    void showProblem(const QString& problem);

    HelpBrowser* browser_ = nullptr;
    QPushButton* back_ = nullptr;
    QList<Place> history_;
    int topic_ = 0;
    QString problem_;
};

namespace help {

// The help window, if one has been opened and not yet deleted.
HelpViewer* viewerIfOpen();

}  // namespace help
}  // namespace dovrel
