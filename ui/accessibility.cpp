#include "ui/accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

#include "ui/drawn_items.h"
#include "ui/forms.h"

namespace dovrel::accessibility {

namespace {

// Set on a plain container that reads as a group of controls.
constexpr char GroupProperty[] = "dovrel_group";

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
    if (dynamic_cast<PictureBox*>(w))
        return new QAccessibleWidget(w, QAccessible::Graphic);
    if (w->property(GroupProperty).toBool())
        return new QAccessibleWidget(w, QAccessible::Grouping);
    return nullptr;
}

}  // namespace

void install()
{
    QAccessible::installFactory(roles);  // Qt keeps one copy of a factory
}

void readAsGroup(QWidget* container, const QString& name)
{
    container->setProperty(GroupProperty, true);
    setName(container, name);
}

QString kindWord(Kind kind)
{
    switch (kind) {
    case Kind::Positive: return QStringLiteral("positive");
    case Kind::Negative: return QStringLiteral("negative");
    case Kind::Neutral: return QStringLiteral("neutral");
    case Kind::None: break;
    }
    return QString();
}

QString legendCaption(Kind kind)
{
    switch (kind) {
    case Kind::Positive: return QStringLiteral("Bonus");
    case Kind::Negative: return QStringLiteral("Penalty");
    case Kind::Neutral: return QStringLiteral("10 Points");
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
