#pragma once
// Helpers for the window tests on the offscreen platform.
#include <QMessageBox>
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
    FreshProgram(const FreshProgram&) = delete;
    FreshProgram& operator=(const FreshProgram&) = delete;
    VirtualClock& clock() { return *clock_; }

private:
    std::unique_ptr<VirtualClock> clock_;
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
