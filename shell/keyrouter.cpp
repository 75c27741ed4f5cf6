#include "keyrouter.h"

#include "commands.h"
#include "keycodes.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

KeyRouter::KeyRouter(QWidget& window, const CommandTable& commands) : window_(window), commands_(commands)
{
    // Keys go to whichever widget has the focus; the window hears them all.
    qApp->installEventFilter(this);
}

KeyRouter::~KeyRouter()
{
    qApp->removeEventFilter(this);
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &window_ || QApplication::activeModalWidget())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const std::optional<Command> command = commands_.CommandFor(KeyCodes::ShortcutCode(*key));
    switch (type) {
    case QEvent::ShortcutOverride:
        event->setAccepted(command.has_value());
        return command.has_value();
    case QEvent::KeyPress:
        if (command)
            commands_.Action(*command)->trigger();
        else
            emit pressed(KeyCodes::VirtualKey(*key));
        return true;
    default:
        // X11 repeats a held key as press and release pairs; only the real
        // release counts.
        if (!key->isAutoRepeat())
            emit released(KeyCodes::VirtualKey(*key));
        return true;
    }
}
