#pragma once
// Helpers for the window tests on the offscreen platform.
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <memory>

#include "ui/forms.h"

namespace dovrel::testing {

// Answers the next message box that opens with `button`, keeping its text and title.
struct BoxAnswer {
    bool seen = false;
    QString text;
    QString title;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};
std::shared_ptr<BoxAnswer> answerNextBox(QMessageBox::StandardButton button);

// Key presses carrying any text, one character (code point) at a time, beyond
// what the ASCII-only key helpers of the test library can send.
void typeText(QWidget* w, const QString& text);

// Makes w the active window, as the window manager does; false should it
// never become so. Call it inside QVERIFY, so that a test stops there.
bool activate(QWidget& w);

// Names the players and opens the main window, once its first deal is done.
frmDovrel& openMainWindow(const QString& one = QStringLiteral("Player 1"),
                          const QString& two = QStringLiteral("Player 2"));
// Ann's game against `two`, every token shown neutral so that no draw can
// strike the penalty.
frmDovrel& openNeutralGame(const QString& two = QStringLiteral("Bob"));

// A fresh program: default program-wide state, every form of an earlier test gone.
void freshProgram();

// Deletes what was closed and handles what is pending.
void settle();

class VirtualClock;

// One window test's world: a fresh program on a virtual clock, cleared again after.
class FreshProgram {
public:
    FreshProgram();
    ~FreshProgram();
    Q_DISABLE_COPY(FreshProgram)
    VirtualClock& clock() { return *clock_; }

private:
    std::unique_ptr<VirtualClock> clock_;
};

// The base of a window test class: each test function runs in a FreshProgram.
class WindowTest : public QObject {
    Q_OBJECT
protected:
    VirtualClock& clock() { return program_->clock(); }

protected slots:
    void init() { program_ = std::make_unique<FreshProgram>(); }
    void cleanup() { program_.reset(); }

private:
    std::unique_ptr<FreshProgram> program_;
};

// Another of the program's own windows, standing in for the winner dialog.
class OtherForm final : public Form {
public:
    OtherForm() : Form(FormKind::Winner, nullptr, Qt::Tool) { resize(200, 100); }
    void Form_Activate() override { ++activations; }
    void unload()
    {
        markUnloaded();
        close();
    }
    int activations = 0;
};

}  // namespace dovrel::testing
