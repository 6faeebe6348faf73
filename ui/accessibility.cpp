#include "ui/accessibility.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QWidget>

#include "game/game.h"
#include "ui/drawn_items.h"
#include "ui/forms.h"

namespace dovrel::accessibility {

namespace {

// The words a screen reader says, and those of the key under the board.
class Words {
    Q_DECLARE_TR_FUNCTIONS(Reading)
};
class Key {
    Q_DECLARE_TR_FUNCTIONS(Key)
};

// Set on a plain widget to give it a role of its own.
constexpr char RoleProperty[] = "dovrel_role";

QAccessible::Role formRole(FormKind kind)
{
    switch (kind) {
    case FormKind::Main: return QAccessible::Window;
    case FormKind::Winner: return QAccessible::AlertMessage;  // read out in full when it appears
    case FormKind::Setup:
    case FormKind::About:
    case FormKind::None: break;
    }
    return QAccessible::Dialog;
}

// Qt reads a bare widget as an anonymous filler: a picture that only paints,
// and every one of the program's windows, which are plain widgets.
QAccessibleInterface* roles(const QString&, QObject* object)
{
    if (auto* form = qobject_cast<Form*>(object))
        return new QAccessibleWidget(form, formRole(form->kind()));
    auto* w = qobject_cast<QWidget*>(object);
    if (!w)
        return nullptr;
    const QVariant role = w->property(RoleProperty);
    if (role.isValid())
        return new QAccessibleWidget(w, static_cast<QAccessible::Role>(role.toInt()));
    if (dynamic_cast<PictureBox*>(w))
        return new QAccessibleWidget(w, QAccessible::Graphic);
    return nullptr;
}

}  // namespace

void install()
{
    QAccessible::installFactory(roles);  // Qt keeps one copy of a factory
}

void readAs(QWidget* w, QAccessible::Role role, const QString& name)
{
    w->setProperty(RoleProperty, int(role));
    if (!name.isEmpty())
        setName(w, name);
}

bool answerScreenReader()
{
    // Nobody listening: nothing to answer, and the bus connection stays
    // unmade (looking it up would start Qt's bus thread for nothing).
    if (!QAccessible::isActive())
        return false;
    // Qt's bridge keeps the screen reader's connection under this name, and
    // hands each question to the object registered at its path as a posted
    // call: the tree of accessible objects, and the cache of it.
    const QDBusConnection bus(QStringLiteral("a11y"));
    if (!bus.isConnected())
        return false;
    for (const char* path : {"/org/a11y/atspi/accessible", "/org/a11y/atspi/cache"}) {
        if (QObject* target = bus.objectRegisteredAt(QLatin1String(path)))
            QCoreApplication::sendPostedEvents(target, QEvent::MetaCall);
    }
    return true;
}

QString kindWord(Kind kind)
{
    switch (kind) {
    //: A token's kind, as a screen reader says it: "Token 3: positive".
    case Kind::Positive: return Words::tr("positive");
    //: A token's kind, as a screen reader says it: "Token 3: negative".
    case Kind::Negative: return Words::tr("negative");
    //: A token's kind, as a screen reader says it: "Token 3: neutral".
    case Kind::Neutral: return Words::tr("neutral");
    case Kind::None: break;
    }
    return QString();
}

QString legendCaption(Kind kind)
{
    switch (kind) {
    //: Under the positive token's picture in the key, where a word wider than 42 pixels is drawn smaller.
    case Kind::Positive: return Key::tr("Bonus");
    //: Under the negative token's picture in the key, where a word wider than 42 pixels is drawn smaller.
    case Kind::Negative: return Key::tr("Penalty");
    case Kind::Neutral: return Game::neutralCaption();
    case Kind::None: break;
    }
    return QString();
}

void setName(QWidget* w, const QString& name)
{
    if (w->accessibleName() != name)
        w->setAccessibleName(name);
}

void setDescription(QWidget* w, const QString& description)
{
    if (w->accessibleDescription() != description)
        w->setAccessibleDescription(description);
}

}  // namespace dovrel::accessibility
