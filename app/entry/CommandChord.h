// Keys that belong to the commands, not to an entry.
#pragma once

#include <QKeyEvent>

namespace keldar {

// An Alt or Meta chord that carries a character is an access key or a shortcut, never text for
// an entry: the platform would otherwise type its letter when no command takes it. Ctrl+Alt is
// AltGr on Windows and types characters such as "[" or "@", so it stays text.
inline bool IsCommandChord(const QKeyEvent& event) {
    if (event.text().isEmpty()) return false;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool alt =
        modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier);
    return alt || modifiers.testFlag(Qt::MetaModifier);
}

}  // namespace keldar
