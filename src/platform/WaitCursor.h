#pragma once
// The hourglass while a long operation runs. Core code holds a TWaitCursor; the UI installs the hook that
// shows and hides the cursor. Nested guards show it once.

#include <functional>

class TWaitCursor {
public:
    TWaitCursor();
    ~TWaitCursor();
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

    // show(true) when the first guard starts, show(false) when the last one ends.
    static void InstallHook(std::function<void(bool show)> show);
};
