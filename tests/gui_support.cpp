#include "gui_support.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

#include "app/module1.h"
#include "ui/frmDovrel.h"
#include "ui/frmSetup.h"
#include "ui/frmWinner.h"
#include "ui/style.h"
#include "virtual_clock.h"

namespace dovrel::testing {

namespace {

void tryAnswer(std::shared_ptr<BoxAnswer> answer, QMessageBox::StandardButton button, int triesLeft)
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
        if (triesLeft > 0)
            QTimer::singleShot(1, qApp, [=] { tryAnswer(answer, button, triesLeft - 1); });
        return;
    }
    answer->seen = true;
    answer->text = box->text();
    answer->title = box->windowTitle();
    answer->defaultButton = box->standardButton(box->defaultButton());
    box->button(button)->click();
}

}  // namespace

std::shared_ptr<BoxAnswer> answerNextBox(QMessageBox::StandardButton button)
{
    auto answer = std::make_shared<BoxAnswer>();
    QTimer::singleShot(0, qApp, [=] { tryAnswer(answer, button, 500); });
    return answer;
}

void typeText(QWidget* w, const QString& text)
{
    for (char32_t c : text.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, one);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, one);
        QApplication::sendEvent(w, &release);
    }
}

bool activate(QWidget& w)
{
    w.activateWindow();
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == &w; });
}

frmDovrel& openMainWindow(const QString& one, const QString& two)
{
    Module1& m = Module1::instance();
    m.PlayerName[1] = one;
    m.PlayerName[2] = two;
    frmDovrel& w = forms::main();
    [&] { QTRY_VERIFY(w.tokenKind(73) == Kind::Negative && !w.busy()); }();
    return w;
}

frmDovrel& openNeutralGame(const QString& two)
{
    frmDovrel& w = openMainWindow(QStringLiteral("Ann"), two);
    for (int k = 0; k <= 73; ++k)
        w.showToken(k, Kind::Neutral);
    return w;
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

namespace {

QtMessageHandler testlibHandler = nullptr;

// The offscreen platform says at every show that it cannot raise windows.
void quietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    testlibHandler(type, context, message);
}

}  // namespace

void freshProgram()
{
    if (!testlibHandler)
        testlibHandler = qInstallMessageHandler(quietPlatform);
    installFonts();
    forms::install();
    if (frmDovrel* main = forms::mainIfLoaded()) {
        Module1::instance().CloseReason = QStringLiteral("Out for Good");
        main->close();
    }
    if (frmSetup* setup = forms::setupIfLoaded())
        setup->close();
    if (frmWinner* winner = forms::winnerIfLoaded())
        winner->close();
    settle();
    Module1::instance() = Module1{};
}

FreshProgram::FreshProgram()
{
    freshProgram();
    clock_ = std::make_unique<VirtualClock>();
}

FreshProgram::~FreshProgram()
{
    freshProgram();
}

}  // namespace dovrel::testing
